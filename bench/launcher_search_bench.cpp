// The search for the game among launchers' Wine prefixes, as start-up runs
// it when neither $WINEPREFIX nor the program folder names a prefix: a home
// folder with twenty prefixes spread over every launcher, one of them
// holding the game. Its cost is nearly all reading each prefix's
// system.reg, so it is measured with registry files of two sizes: a few
// lines, and 1.7 MB (some 9,000 keys, the size of a fresh prefix's).

#include "registry/launchers/game_prefix_search.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <unistd.h>

using namespace quillset;

namespace {

bool write(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(path.section(QLatin1Char('/'), 0, -2));
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// A machine root of about `bytes` bytes in Wine's layout, the game's key in
// the middle when wanted.
QByteArray machineRoot(qsizetype bytes, bool withGame) {
    QByteArray hive =
        "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win64\n";
    bool gameWritten = !withGame;
    for (int key = 0; hive.size() < bytes || key < 2; ++key) {
        if (!gameWritten && hive.size() >= bytes / 2) {
            gameWritten = true;
            hive += "\n[Software\\\\Wow6432Node\\\\Halvane Entertainment\\\\Korrin Deepfall] "
                    "1700000000\n"
                    "#time=1da1d8f0a9e3c00\n\"InstallLocation\"=\"C:\\\\Games\\\\Korrin\"\n";
        }
        hive +=
            "\n[Software\\\\Classes\\\\CLSID\\\\{" + QByteArray::number(0x10000000 + key, 16) +
            "-0000-0000-c000-000000000046}\\\\InprocServer32] 1700000000\n#time=1da1d8f0a9e3c00\n"
            "@=\"C:\\\\windows\\\\system32\\\\ole32.dll\"\n\"ThreadingModel\"=\"Both\"\n";
    }
    return hive;
}

bool makePrefix(const QString& prefix, qsizetype hiveBytes, bool withGame) {
    QDir().mkpath(prefix + QStringLiteral("/drive_c/Games/Korrin"));
    QDir().mkpath(prefix + QStringLiteral("/dosdevices"));
    ::symlink("../drive_c",
              QFile::encodeName(prefix + QStringLiteral("/dosdevices/c:")).constData());
    return write(prefix + QStringLiteral("/system.reg"), machineRoot(hiveBytes, withGame)) &&
           write(prefix + QStringLiteral("/user.reg"),
                 "WINE REGISTRY Version 2\n\n[Software\\\\Wine] 1\n");
}

// Twenty prefixes: ~/.wine, six in two Steam libraries, three from Lutris,
// three bottles, three from Heroic, four from PlayOnLinux. The game is in
// the last Lutris one, so every prefix before and after it is looked at.
bool makeHome(const QString& home, qsizetype hiveBytes) {
    QStringList prefixes{QStringLiteral(".wine")};
    const QString steam = QStringLiteral(".local/share/Steam");
    QByteArray vdf = "\"libraryfolders\"\n{\n\t\"0\"\n\t{\n\t\t\"path\"\t\t\"" +
                     (home + '/' + steam).toUtf8() + "\"\n\t}\n\t\"1\"\n\t{\n\t\t\"path\"\t\t\"" +
                     (home + "/disk2/Steam").toUtf8() + "\"\n\t}\n}\n";
    if (!write(home + '/' + steam + "/steamapps/libraryfolders.vdf", vdf))
        return false;
    for (int i = 0; i < 3; ++i) {
        prefixes << steam + "/steamapps/compatdata/" + QString::number(1000 + i) + "/pfx"
                 << "disk2/Steam/steamapps/compatdata/" + QString::number(2000 + i) + "/pfx"
                 << ".local/share/bottles/bottles/Bottle" + QString::number(i)
                 << "Games/Heroic/Prefixes/default/Game" + QString::number(i);
        const QString lutris = "Games/lutris" + QString::number(i);
        prefixes << lutris;
        if (!write(home + "/.config/lutris/games/game" + QString::number(i) + ".yml",
                   "game:\n  prefix: ~/" + lutris.toUtf8() + "\nrunner: wine\n"))
            return false;
    }
    for (int i = 0; i < 4; ++i)
        prefixes << ".PlayOnLinux/wineprefix/Game" + QString::number(i);
    for (const QString& prefix : prefixes) {
        if (!makePrefix(home + '/' + prefix, hiveBytes, prefix == QLatin1String("Games/lutris2")))
            return false;
    }
    return prefixes.size() == 20;
}

void BM_LauncherSearch(benchmark::State& state) {
    QTemporaryDir home;
    if (!makeHome(home.path(), state.range(0))) {
        state.SkipWithError("cannot lay out the home folder");
        return;
    }
    const SearchPlaces places = SearchPlaces::underHome(home.path());
    const QString expected = home.path() + QStringLiteral("/Games/lutris2");
    for (auto _ : state) {
        const WinePrefixChoice choice = chooseWinePrefix(QString(), {}, places);
        if (choice.prefix != expected) {
            state.SkipWithError("the search did not find the game");
            break;
        }
        benchmark::DoNotOptimize(choice);
    }
}
// Registry files of a few lines, and of a fresh prefix's size.
BENCHMARK(BM_LauncherSearch)->Arg(0)->Arg(1700 * 1000)->Unit(benchmark::kMillisecond);

} // namespace
