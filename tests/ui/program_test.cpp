// The built program itself, started the way a user starts it: from its own
// folder next to the game's settings, with another current folder.

#include "ui_test_support.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QThread>
#include <gtest/gtest.h>

namespace quillset::test {
namespace {

TEST(Program, StartsLoadsTheSettingsAndLeavesThemUntouched) {
    TempFolder program;
    TempFolder current;
    const QString exe = program.file(QStringLiteral("quillset"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(QUILLSET_EXECUTABLE), exe));
    ASSERT_TRUE(QFile::copy(QStringLiteral(QUILLSET_SOURCE_DIR "/resources/lang/language.de.lng"),
                            program.file(QStringLiteral("language.lng"))));
    const QByteArray settings = crlfLines({QStringLiteral("SOUND : 0"),
                                           QStringLiteral("NETWORK_PLAYER : Aldric"),
                                           QStringLiteral("CAMERA_ZOOM : 3")});
    writeBytes(program.file(QStringLiteral("settings.cfg")), settings);
    writeBytes(program.file(QStringLiteral("settings.bck")), settings);

    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(current.path());
    process.start(exe, {});
    ASSERT_TRUE(process.waitForStarted(10000));

    const QString log = current.file(QStringLiteral("debug.log"));
    QElapsedTimer timer;
    timer.start();
    while (!readBytes(log).contains("Form -> Program initialized.\r\n") && timer.elapsed() < 30000)
        QThread::msleep(50);
    EXPECT_EQ(process.state(), QProcess::Running) << "the window stays open";
    process.terminate();
    process.waitForFinished(10000);

    const QStringList trace = splitCrlf(readBytes(log));
    ASSERT_FALSE(trace.isEmpty());
    EXPECT_EQ(trace.front(), QStringLiteral("Quillset Debug File - v2.5.9"));
    EXPECT_EQ(trace.back(), QStringLiteral("Form -> Program initialized."));
    const QString nativeProgram = QDir::toNativeSeparators(program.path());
    EXPECT_TRUE(trace.contains(QStringLiteral("init_language() -> loading language file from ") +
                               nativeProgram + QDir::separator() + QStringLiteral("language.lng")));
    EXPECT_EQ(trace.count(QStringLiteral("init_language() -> loading [Captions]")), 1);
    EXPECT_TRUE(trace.contains(QStringLiteral("Form -> loading settings.cfg from ") + nativeProgram +
                               QDir::separator()));
    const qsizetype load = trace.indexOf(QStringLiteral("opensettings() -> Loading settings.cfg"));
    ASSERT_GE(load, 0);
    EXPECT_EQ(trace.mid(load + 1, 3),
              (QStringList{QStringLiteral("opensettings() -> Loading SOUND"),
                           QStringLiteral("opensettings() -> Loading NETWORK_PLAYER"),
                           QStringLiteral("opensettings() -> Loading CAMERA_ZOOM")}));
    EXPECT_EQ(readBytes(program.file(QStringLiteral("settings.cfg"))), settings);
}

} // namespace
} // namespace quillset::test
