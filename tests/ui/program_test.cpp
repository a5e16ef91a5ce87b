// The built program itself, started the way a user starts it: from its own
// folder next to the game's settings, with another current folder; and from
// a folder of its own, finding the game in a prefix a launcher made.

#include "registry/wine_test_prefix.h"
#include "ui_test_support.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QThread>
#include <gtest/gtest.h>

namespace quillset::test {
namespace {

// The program and its language file in a folder of their own.
QString copyProgram(const TempFolder& program) {
    const QString exe = program.file(QStringLiteral("quillset"));
    if (!QFile::copy(QStringLiteral(QUILLSET_EXECUTABLE), exe) ||
        !QFile::copy(QStringLiteral(QUILLSET_SOURCE_DIR "/resources/lang/language.de.lng"),
                     program.file(QStringLiteral("language.lng"))))
        return {};
    return exe;
}

// Starts the program offscreen in the folder current until its start-up is
// complete, then ends it; the lines of its debug.log.
QStringList runStartUp(const QString& exe, const TempFolder& current, QProcessEnvironment env) {
    QProcess process;
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(current.path());
    process.start(exe, {});
    EXPECT_TRUE(process.waitForStarted(10000));

    const QString log = current.file(QStringLiteral("debug.log"));
    QElapsedTimer timer;
    timer.start();
    while (!readBytes(log).contains("Form -> Program initialized.\r\n") && timer.elapsed() < 30000)
        QThread::msleep(50);
    EXPECT_EQ(process.state(), QProcess::Running) << "the window stays open";
    process.terminate();
    process.waitForFinished(10000);
    return splitCrlf(readBytes(log));
}

TEST(Program, StartsLoadsTheSettingsAndLeavesThemUntouched) {
    TempFolder program;
    TempFolder current;
    const QString exe = copyProgram(program);
    ASSERT_FALSE(exe.isEmpty());
    const QByteArray settings =
        crlfLines({QStringLiteral("SOUND : 0"), QStringLiteral("NETWORK_PLAYER : Aldric"),
                   QStringLiteral("CAMERA_ZOOM : 3")});
    writeBytes(program.file(QStringLiteral("settings.cfg")), settings);
    writeBytes(program.file(QStringLiteral("settings.bck")), settings);

    const QStringList trace = runStartUp(exe, current, QProcessEnvironment::systemEnvironment());
    ASSERT_FALSE(trace.isEmpty());
    EXPECT_EQ(trace.front(), QStringLiteral("Quillset Debug File - v2.5.9"));
    EXPECT_EQ(trace.back(), QStringLiteral("Form -> Program initialized."));
    const QString nativeProgram = QDir::toNativeSeparators(program.path());
    EXPECT_TRUE(trace.contains(QStringLiteral("init_language() -> loading language file from ") +
                               nativeProgram + QDir::separator() + QStringLiteral("language.lng")));
    EXPECT_EQ(trace.count(QStringLiteral("init_language() -> loading [Captions]")), 1);
    EXPECT_TRUE(trace.contains(QStringLiteral("Form -> loading settings.cfg from ") +
                               nativeProgram + QDir::separator()));
    const qsizetype load = trace.indexOf(QStringLiteral("opensettings() -> Loading settings.cfg"));
    ASSERT_GE(load, 0);
    EXPECT_EQ(trace.mid(load + 1, 3),
              (QStringList{QStringLiteral("opensettings() -> Loading SOUND"),
                           QStringLiteral("opensettings() -> Loading NETWORK_PLAYER"),
                           QStringLiteral("opensettings() -> Loading CAMERA_ZOOM")}));
    EXPECT_EQ(readBytes(program.file(QStringLiteral("settings.cfg"))), settings);
}

// A home folder where a launcher made the game's prefix; the program is
// elsewhere and nothing names the prefix.
struct LauncherHome {
    const char* launcher;
    const char* prefix;   // relative to home
    const char* gameFile; // the launcher's file naming it, relative to home
    const char* gameFileText;
};

class ProgramFindsTheGame : public ::testing::TestWithParam<LauncherHome> {};

TEST_P(ProgramFindsTheGame, InTheLaunchersPrefix) {
    const LauncherHome& row = GetParam();
    TempFolder program;
    TempFolder current;
    TempFolder home;
    const QString exe = copyProgram(program);
    ASSERT_FALSE(exe.isEmpty());
    const QString prefix = home.file(QString::fromLatin1(row.prefix));
    const QString game = prefix + QStringLiteral("/drive_c/Games/Korrin Deepfall");
    ASSERT_TRUE(QDir().mkpath(game));
    ASSERT_TRUE(makePrefixFolder(prefix));
    ASSERT_TRUE(writeBytes(
        prefix + QStringLiteral("/system.reg"),
        wineRegFile(
            {R"([Software\\Wow6432Node\\Halvane Entertainment\\Korrin Deepfall] 1700000000)",
             R"("InstallLocation"="C:\\Games\\Korrin Deepfall")"},
            "win64")));
    if (row.gameFile) {
        ASSERT_TRUE(QDir().mkpath(QFileInfo(home.file(QString::fromLatin1(row.gameFile))).path()));
        ASSERT_TRUE(writeBytes(home.file(QString::fromLatin1(row.gameFile)), row.gameFileText));
    }
    const QByteArray settings = crlfLines({QStringLiteral("SOUND : 1")});
    ASSERT_TRUE(writeBytes(game + QStringLiteral("/settings.cfg"), settings));
    ASSERT_TRUE(writeBytes(game + QStringLiteral("/settings.bck"), settings));

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("WINEPREFIX"));
    env.insert(QStringLiteral("HOME"), home.path());
    env.insert(QStringLiteral("XDG_DATA_HOME"), home.file(QStringLiteral(".local/share")));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.file(QStringLiteral(".config")));
    const QStringList trace = runStartUp(exe, current, env);
    EXPECT_TRUE(trace.contains(QStringLiteral("Form -> loading settings.cfg from ") + game +
                               QLatin1Char('/')))
        << row.launcher << ": " << trace.join(QLatin1Char('\n')).toStdString();
    // The trace names the prefix taken, right after the registry step.
    const qsizetype registryStep = trace.indexOf(QStringLiteral(
        "Registry -> Existing Deepfall path checked and copied if not exists in Local_Machine"));
    ASSERT_GE(registryStep, 0);
    EXPECT_EQ(trace.mid(registryStep + 1, 2),
              (QStringList{QStringLiteral("Registry -> Game found in Wine prefix ") + prefix,
                           QStringLiteral("Registry -> Using Wine prefix ") + prefix}));
    EXPECT_EQ(readBytes(game + QStringLiteral("/settings.cfg")), settings);
}

INSTANTIATE_TEST_SUITE_P(
    Launchers, ProgramFindsTheGame,
    ::testing::Values(LauncherHome{"steam",
                                   ".local/share/Steam/steamapps/compatdata/3141592653/pfx",
                                   nullptr, nullptr},
                      LauncherHome{"lutris", "Games/korrin-deepfall",
                                   ".config/lutris/games/korrin-deepfall-1700000000.yml",
                                   "game:\n  exe: drive_c/Games/Korrin Deepfall/Korrin.exe\n  "
                                   "prefix: ~/Games/korrin-deepfall\n"
                                   "name: Korrin Deepfall\nrunner: wine\n"}),
    [](const auto& info) { return std::string(info.param.launcher); });

} // namespace
} // namespace quillset::test
