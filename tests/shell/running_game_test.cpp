// Telling that the game runs: real child processes (`sleep` under a chosen
// argv[0], or a copy of it in the game folder) are looked for in /proc, by
// their Linux path and by their Windows path in a Wine prefix; and the /proc
// reader skips what it may not read, without blocking.

#include "registry/wine_prefix.h"
#include "shell/running_game.h"
#include "test_support.h"

#include <QDeadlineTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>

#include <deque>

#include <sys/stat.h>
#include <unistd.h>

namespace quillset {
// As a (pid, executable, first argument) tuple.
void PrintTo(const RunningProcess& p, std::ostream* out) {
    *out << testing::PrintToString(std::tuple(p.pid, p.executable, p.firstArgument));
}
} // namespace quillset

using namespace quillset;
using namespace quillset::test;

namespace {

// The children of one test; killed when it ends, however it ends.
struct Children {
    ~Children() {
        for (QProcess& child : processes) {
            child.kill();
            child.waitForFinished(5000);
        }
    }

    // Starts program (sleep) in folder with argv[0] set to name; its pid once
    // /proc shows that name, or 0.
    qint64 start(const QString& name, const QString& program = u"sleep"_s,
                 const QString& folder = {}) {
        QProcess& child = processes.emplace_back();
        child.setWorkingDirectory(folder);
        child.start(u"bash"_s, {u"-c"_s, uR"(exec -a "$0" "$1" 30)"_s, name, program});
        const qint64 pid = child.waitForStarted(5000) ? child.processId() : 0;
        for (const QDeadlineTimer deadline(10000); pid && !deadline.hasExpired();
             QThread::msleep(5)) {
            for (const RunningProcess& process : ProcProcessTable().processes())
                if (process.pid == pid && process.firstArgument == name)
                    return pid;
        }
        return 0;
    }

    std::deque<QProcess> processes;
};

// A Wine prefix in a temporary folder: dosdevices/c: -> ../drive_c,
// z: -> / as Wine makes them, the game in drive_c/Games/<name>, a name of
// its own: a C: path shown by another test's child would map here too.
struct GameFolders {
    TempFolder root;
    QString prefix = root.file(u"pfx"_s);
    QString name = QFileInfo(root.path()).fileName();
    QString game = prefix + u"/drive_c/Games/"_s + name;
    WindowsPathMapper wine = [this](const QString& path) { return wineToLocalPath(prefix, path); };

    bool make() {
        return QDir().mkpath(game) && QDir().mkpath(game + u"2"_s) &&
               QDir().mkpath(prefix + u"/dosdevices"_s) &&
               ::symlink("../drive_c", QFile::encodeName(prefix + u"/dosdevices/c:"_s)) == 0 &&
               ::symlink("/", QFile::encodeName(prefix + u"/dosdevices/z:"_s)) == 0;
    }
    std::optional<RunningProcess> find(qint64 ownPid = 0, const QString& ownExecutable = {}) const {
        return findGameProcess(ProcProcessTable(), game, wine, ownPid, ownExecutable);
    }
};

// One child per row, started in the game folder under a name: found by its
// Linux path ('l') or a name relative to its folder that names a file there
// ('r'), by its Windows path only through the prefix's drive links ('w'), or
// not at all ('-').
TEST(RunningGame, FindsAProcessByItsPathInsideTheGameFolderOnly) {
    GameFolders folders;
    ASSERT_TRUE(folders.make() && writeBytes(folders.game + u"/Korrin.exe"_s, "MZ"));
    const QString& game = folders.game;
    // clang-format off
    const std::pair<QString, char> rows[] = {
        {game + u"/Korrin.bin"_s, 'l'}, {u"Korrin.exe"_s, 'r'}, {u".\\Korrin.exe"_s, 'r'},
        {u"C:\\GAMES\\"_s + folders.name.toUpper() + u"\\Korrin.exe"_s, 'w'},
        {u"Z:"_s + QString(game).replace('/', '\\') + u"\\Korrin.exe"_s, 'w'},
        {game + u"2/Korrin"_s, '-'}, {folders.root.file(u"Elsewhere/Korrin"_s), '-'},
        {u"C:\\Games\\"_s + folders.name + u"2\\Korrin.exe"_s, '-'},
        {u"D:\\Games\\"_s + folders.name + u"\\Korrin.exe"_s, '-'},
        {u"Other.exe"_s, '-'}, // relative, but no such file where it runs
        {u"K"_s, '-'},         // a name too short to hold a drive
    };
    // clang-format on
    for (const auto& [name, way] : rows) {
        SCOPED_TRACE(name.toStdString());
        Children children;
        const qint64 pid = children.start(name, u"sleep"_s, game);
        ASSERT_NE(pid, 0);
        EXPECT_EQ(folders.find().value_or(RunningProcess()).pid, way == '-' ? 0 : pid);
        EXPECT_EQ(
            findGameProcess(ProcProcessTable(), game, {}, 0, {}).value_or(RunningProcess()).pid,
            way == 'l' || way == 'r' ? pid : 0);
    }
}

TEST(RunningGame, FindsAProcessByItsExecutableButNotOurselves) {
    GameFolders folders;
    // A copy of sleep in the game folder, run under a name that is no path.
    const QString copy = folders.game + u"/Korrin"_s;
    ASSERT_TRUE(folders.make() && QFile::copy(QStandardPaths::findExecutable(u"sleep"_s), copy) &&
                QFile::setPermissions(copy, QFile::ReadOwner | QFile::ExeOwner));
    Children children;
    const qint64 byArgument = children.start(folders.game + u"/Korrin.bin"_s);
    const RunningProcess byExecutable{children.start(u"korrin"_s, copy),
                                      QFileInfo(copy).canonicalFilePath(), u"korrin"_s};
    ASSERT_TRUE(byArgument && byExecutable.pid);
    EXPECT_EQ(folders.find(byArgument), byExecutable);
    // The game folder named through a link is the same folder.
    const QString link = folders.root.file(u"GameLink"_s);
    ASSERT_TRUE(QFile::link(folders.game, link));
    EXPECT_EQ(findGameProcess(ProcProcessTable(), link, {}, byArgument, {}), byExecutable);
    // Ourselves: by pid, and a copy of our own executable by its path.
    EXPECT_EQ(folders.find(byArgument, copy), std::nullopt);
}

// A folder laid out like /proc, with what a scan must skip without reading:
// a FIFO as cmdline (reading it would block), a link loop, a file named like
// a pid, and a name that is no pid.
TEST(RunningGame, ProcTableReadsOnlyWhatItNeeds) {
    const TempFolder root;
    const auto entry = [&root](const char* pid, const QByteArray& cmdline, const char* exe) {
        const QString folder = root.file(QString::fromLatin1(pid));
        return QDir().mkpath(folder) &&
               (cmdline.isNull() || writeBytes(folder + u"/cmdline"_s, cmdline)) &&
               (!exe || ::symlink(exe, QFile::encodeName(folder + u"/exe"_s)) == 0);
    };
    ASSERT_TRUE(entry("100", QByteArray("/games/K/run\0-x\0", 16), "/usr/bin/k (deleted)"));
    ASSERT_TRUE(entry("102", {}, "/usr/bin/wine"));
    ASSERT_TRUE(entry("17", QByteArray("title, no NUL"), nullptr));
    ASSERT_TRUE(entry("101", {}, nullptr) &&
                ::mkfifo(QFile::encodeName(root.file(u"101/cmdline"_s)), 0600) == 0);
    ASSERT_TRUE(entry("103", {}, nullptr) &&
                ::symlink("cmdline", QFile::encodeName(root.file(u"103/cmdline"_s))) == 0);
    ASSERT_TRUE(entry("self", "/games/K/run", "/games/K/run"));
    ASSERT_TRUE(writeBytes(root.file(u"104"_s), "/games/K/run"));

    const std::vector<RunningProcess> expected{{17, {}, u"title, no NUL"_s},
                                               {100, u"/usr/bin/k"_s, u"/games/K/run"_s},
                                               {102, u"/usr/bin/wine"_s, {}}};
    EXPECT_EQ(ProcProcessTable(root.path()).processes(), expected);
}

} // namespace
