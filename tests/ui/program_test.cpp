// The built program itself, started the way a user starts it: from its own
// folder beside the game's settings, with another current folder; and a
// command run from a terminal without a display.

#include "test_support.h"

#include <QProcess>
#include <QTest>
#include <gtest/gtest.h>

namespace quillset::test {
namespace {

// The program's environment: the search for Wine prefixes looks in a home
// of the test's own, so nothing of the machine's is read or written.
QProcessEnvironment ownHome(const QString& home) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(u"WINEPREFIX"_s);
    for (const char* name : {"HOME", "XDG_DATA_HOME", "XDG_CONFIG_HOME"})
        environment.insert(QLatin1String(name), home);
    return environment;
}

TEST(Program, StartsLoadsTheSettingsAndLeavesThemUntouched) {
    TempFolder program, current, home;
    const QString exe = program.file(u"quillset"_s);
    const QByteArray settings = "SOUND : 0\r\nNETWORK_PLAYER : Aldric\r\nCAMERA_ZOOM : 3\r\n";
    ASSERT_TRUE(QFile::copy(QStringLiteral(QUILLSET_EXECUTABLE), exe) &&
                QFile::copy(QStringLiteral(QUILLSET_SOURCE_DIR "/resources/lang/language.de.lng"),
                            program.file(u"language.lng"_s)) &&
                writeBytes(program.file(u"settings.cfg"_s), settings) &&
                writeBytes(program.file(u"settings.bck"_s), settings));
    QProcess process;
    process.setProcessEnvironment(ownHome(home.path()));
    process.setWorkingDirectory(current.path());
    process.start(exe, {u"-platform"_s, u"offscreen"_s});
    process.waitForStarted(10000);
    // Start-up is complete when its trace says so; the window stays open.
    const QString log = current.file(u"debug.log"_s);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return readBytes(log).contains("Form -> Program initialized.\r\n"); }, 30000));
    EXPECT_EQ(process.state(), QProcess::Running);
    process.terminate();
    process.waitForFinished(10000);
    EXPECT_TRUE(readBytes(log).contains("Form -> loading settings.cfg from " +
                                        QDir::toNativeSeparators(program.path()).toUtf8() +
                                        "/\r\nopensettings() -> Loading settings.cfg\r\n"
                                        "opensettings() -> Loading SOUND\r\n"));
    EXPECT_EQ(readBytes(program.file(u"settings.cfg"_s)), settings);
}

// A command never opens a display: it runs with none to open.
TEST(Program, RunsACommandWithoutADisplay) {
    TempFolder game, home, current;
    ASSERT_TRUE(writeBytes(game.file(u"settings.cfg"_s), "SOUND : 1\r\n"));
    QProcessEnvironment environment = ownHome(home.path());
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QLatin1String(name));
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(current.path());
    process.start(QStringLiteral(QUILLSET_EXECUTABLE),
                  {u"--game-folder"_s, game.path(), u"set"_s, u"SOUND=0"_s});
    ASSERT_TRUE(process.waitForFinished(10000));
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    EXPECT_EQ(process.readAllStandardOutput(), game.file(u"settings.cfg"_s).toUtf8() +
                                                   ": 1 value changed, after the backup " +
                                                   game.file(u"settings.bck"_s).toUtf8() + '\n');
    EXPECT_TRUE(readBytes(game.file(u"settings.cfg"_s)).startsWith("AUTOSAVE : 0\r\n"));
}

} // namespace
} // namespace quillset::test
