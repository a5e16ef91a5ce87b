// Oracle, for a process whose command line starts with the input, in a Wine
// prefix whose drive C: holds the game and Z: another folder: a Windows path
// ("C:\...", "\\?\Z:/...") maps inside the folder of its drive, its parts
// after "." and ".." are taken by name each equal to the one written,
// ignoring case, and nothing else maps; the process counts as the game's
// exactly when that path, an absolute one, or a relative one naming a file
// from the process's folder lies in the game folder. The prefix is made once.

#include "fuzz_input.h"
#include "shell/running_game.h"
#include "registry/wine_prefix.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace quillset;

namespace {

struct Prefix {
    QTemporaryDir dir;
    // Canonical, as the comparison of paths resolves links in both.
    QString root = QFileInfo(dir.path()).canonicalFilePath();
    QString prefix = root + QStringLiteral("/pfx");
    QString driveC = prefix + QStringLiteral("/drive_c");
    QString driveZ = root + QStringLiteral("/z");
    QString game = driveC + QStringLiteral("/Games/Korrin");

    Prefix() {
        QDir().mkpath(game);
        QDir().mkpath(driveZ + QStringLiteral("/home"));
        QDir().mkpath(prefix + QStringLiteral("/dosdevices"));
        QFile::link(QStringLiteral("../drive_c"), prefix + QStringLiteral("/dosdevices/c:"));
        QFile::link(driveZ, prefix + QStringLiteral("/dosdevices/z:"));
        QFile exe(game + QStringLiteral("/Korrin.exe"));
        FUZZ_CHECK(exe.open(QIODevice::WriteOnly));
    }
};

struct OneProcess final : ProcessTable {
    RunningProcess process;
    QString folder;
    std::vector<RunningProcess> processes() const override { return {process}; }
    QString currentFolder(qint64) const override { return folder; }
};

bool liesIn(const QString& path, const QString& folder) {
    return path == folder || path.startsWith(folder + QLatin1Char('/'));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const Prefix wine;
    const QString input = QString::fromUtf8(fuzzInput(data, size));
    QString path = input;
    if (path.startsWith(QLatin1String("\\\\?\\")) || path.startsWith(QLatin1String("\\??\\")))
        path.remove(0, 4);
    const QChar letter = path.size() >= 2 && path[1] == u':' ? path[0] : QChar();
    const QString drive = letter == u'c' || letter == u'C'   ? wine.driveC
                          : letter == u'z' || letter == u'Z' ? wine.driveZ
                                                             : QString();
    // The search maps a Windows path through the prefix; any other input is
    // mapped here, as a drive-relative "C:Games" still has a drive.
    OneProcess table;
    table.process = {2, QString(), input};
    table.folder = wine.game;
    QString mapped;
    bool mapperAsked = false;
    const auto map = [&](const QString& windowsPath) {
        mapperAsked = true;
        return mapped = wineToLocalPath(wine.prefix, windowsPath);
    };
    const bool found = findGameProcess(table, wine.game, map, 1, QString()).has_value();
    if (!mapperAsked)
        mapped = wineToLocalPath(wine.prefix, input);
    FUZZ_CHECK(mapped.isEmpty() == drive.isEmpty());
    if (!drive.isEmpty()) {
        QStringList parts;
        for (const QString& part :
             path.mid(2).replace(u'/', u'\\').split(u'\\', Qt::SkipEmptyParts)) {
            if (part == QLatin1String(".."))
                parts.erase(parts.end() - std::min<qsizetype>(1, parts.size()), parts.end());
            else if (part != QLatin1String("."))
                parts.append(part);
        }
        FUZZ_CHECK(liesIn(mapped, drive) && QDir::cleanPath(mapped) == mapped);
        const QStringList names = mapped.mid(drive.size()).split(u'/', Qt::SkipEmptyParts);
        FUZZ_CHECK(names.size() == parts.size());
        for (qsizetype i = 0; i < parts.size(); ++i)
            FUZZ_CHECK(names[i].compare(parts[i], Qt::CaseInsensitive) == 0);
    }

    const bool windows = input != path || (input.size() >= 3 && input[0].unicode() < 128 &&
                                           input[0].isLetter() && input[1] == u':' &&
                                           (input[2] == u'\\' || input[2] == u'/'));
    const QString relative = QDir::cleanPath(wine.game + u'/' + QString(input).replace(u'\\', u'/'));
    const bool expected = windows ? liesIn(mapped, wine.game)
                          : input.startsWith(u'/')
                              ? liesIn(QDir::cleanPath(input), wine.game)
                              : !input.isEmpty() && liesIn(relative, wine.game) &&
                                    !relative.contains(QChar(u'\0')) &&
                                    QFileInfo(relative).isFile();
    FUZZ_CHECK(mapperAsked == windows && found == expected);
    return 0;
}
