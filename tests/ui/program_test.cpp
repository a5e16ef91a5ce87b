// The built program itself, started the way a user starts it: from its own
// folder beside the game's settings, with another current folder.

#include "ui_test_support.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QThread>

namespace quillset::test {
namespace {

TEST(Program, StartsLoadsTheSettingsAndLeavesThemUntouched) {
    TempFolder program;
    TempFolder current;
    const QString exe = program.file(QStringLiteral("quillset"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(QUILLSET_EXECUTABLE), exe));
    ASSERT_TRUE(QFile::copy(QStringLiteral(QUILLSET_SOURCE_DIR "/resources/lang/language.de.lng"),
                            program.file(QStringLiteral("language.lng"))));
    const QByteArray settings = "SOUND : 0\r\nNETWORK_PLAYER : Aldric\r\nCAMERA_ZOOM : 3\r\n";
    for (const char* name : {"settings.cfg", "settings.bck"})
        writeBytes(program.file(QLatin1String(name)), settings);

    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(current.path());
    process.start(exe, {});
    ASSERT_TRUE(process.waitForStarted(10000));
    // Start-up is complete when its trace says so; the window stays open.
    const QString log = current.file(QStringLiteral("debug.log"));
    QElapsedTimer timer;
    timer.start();
    while (!readBytes(log).contains("Form -> Program initialized.\r\n") && timer.elapsed() < 30000)
        QThread::msleep(50);
    EXPECT_EQ(process.state(), QProcess::Running);
    process.terminate();
    process.waitForFinished(10000);

    const QByteArray trace = readBytes(log);
    EXPECT_TRUE(trace.contains("Form -> loading settings.cfg from " +
                               QDir::toNativeSeparators(program.path()).toUtf8() + "/\r\n"));
    EXPECT_TRUE(trace.contains("opensettings() -> Loading NETWORK_PLAYER\r\n"));
    EXPECT_EQ(readBytes(program.file(QStringLiteral("settings.cfg"))), settings);
}

} // namespace
} // namespace quillset::test
