// The Wine backend against Wine itself: a value that Wine's own reg tool
// writes is read back, a running wineserver is recognised, and a value this
// program writes is what Wine then reports. Skipped where Wine is absent.

#include "registry/launchers/game_prefix_search.h"
#include "registry/wine_prefix.h"
#include "registry/wine_registry.h"
#include "test_support.h"

#include <QDeadlineTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QThread>

#include <memory>

using namespace quillset;

namespace {

TEST(WineLive, ReadsWhatWineWritesAndWineReadsWhatWeWrite) {
    const QString wine = QStandardPaths::findExecutable(u"wine"_s);
    const QString wineserver = QStandardPaths::findExecutable(u"wineserver"_s);
    if (wine.isEmpty() || wineserver.isEmpty())
        GTEST_SKIP() << "Wine is not installed (Debian: apt-get install wine wine64)";
    const test::TempFolder root;
    const QString prefix = root.file(u"pfx"_s);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("WINEPREFIX", prefix);
    env.insert("WINEDEBUG", "-all");
    env.insert("WINEDLLOVERRIDES", "mscoree,mshtml="); // no Mono or Gecko installer dialogs
    env.remove("DISPLAY");
    env.remove("WAYLAND_DISPLAY");
    // Runs a program to its end: its output when it failed, else nothing.
    const auto run = [&env](const QString& program, const QStringList& arguments) {
        QProcess process; // killed when it goes, should it still run
        process.setProcessEnvironment(env);
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(program, arguments);
        process.closeWriteChannel();
        const bool ok = process.waitForFinished(90000) &&
                        process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
        return ok ? QString() : QString::fromLocal8Bit(process.readAll()) + " (failed)";
    };
    // wineserver writes the registry files only when it ends, a few seconds
    // after its last program.
    const auto serverEnds = [&] { return run(wineserver, {"-w"}).isEmpty(); };
    const auto serverSeen = [&prefix](bool running) {
        QDeadlineTimer deadline(20000);
        while (wineServerRunning(prefix) != running && !deadline.hasExpired())
            QThread::msleep(100);
        return wineServerRunning(prefix) == running;
    };
    // Runs when the test ends, however it ends. Debian's server leaves its
    // folder, named in the prefix, in the temp folder.
    const std::shared_ptr<void> cleanup(nullptr, [&](void*) {
        run(wineserver, {"-k"});
        serverEnds();
        const QString name = QFile::decodeName(test::readBytes(prefix + "/wineserver").trimmed());
        for (const QString& temp : {QDir::tempPath(), u"/tmp"_s})
            if (!name.isEmpty() && !name.contains('/'))
                QDir(temp + '/' + name).removeRecursively();
    });

    const QString key = u"HKLM\\"_s + kInstallKeyPath;
    const QString added = run(wine, {"reg", "add", key, "/v", kInstallValueName, "/t", "REG_SZ",
                                     "/d", "C:\\Games\\Korrin Deepfall", "/f"});
    if (!added.isEmpty())
        GTEST_SKIP() << "Wine could not set up a prefix here: " << added.toStdString();
    ASSERT_TRUE(serverEnds());
    WineRegistry registry(chooseWinePrefix(QString(), {prefix, {}}, {}).prefix);
    const QString value =
        registry.readString(RegistryRoot::LocalMachine, kInstallKeyPath, kInstallValueName);
    EXPECT_EQ(value, u"C:\\Games\\Korrin Deepfall"_s);
    ASSERT_TRUE(QDir().mkpath(prefix + u"/drive_c/games/KORRIN deepfall"_s));
    EXPECT_EQ(registry.localPath(value), prefix + u"/drive_c/games/KORRIN deepfall"_s);

    // While a server runs for the prefix, the file is left alone.
    const QString systemReg = prefix + u"/system.reg"_s;
    const QByteArray before = test::readBytes(systemReg);
    ASSERT_EQ(run(wineserver, {"-p"}), QString());
    ASSERT_TRUE(serverSeen(true)) << "the lock of the running server was not recognised";
    EXPECT_FALSE(registry.setStringValue(RegistryRoot::LocalMachine, kInstallKeyPath,
                                         kInstallValueName, u"C:\\refused"_s));
    EXPECT_EQ(test::readBytes(systemReg), before);
    run(wineserver, {"-k"});
    ASSERT_TRUE(serverEnds() && serverSeen(false));

    // Written in the 32-bit view, as the game's own tools see it.
    const QString text = u"D:\\Spiele \"K\u00f6rrin\" \u00dfe"_s;
    ASSERT_TRUE(registry.setStringValue(RegistryRoot::LocalMachine, kInstallKeyPath,
                                        kInstallValueName, text));
    const QString exported = root.file(u"export.reg"_s);
    ASSERT_EQ(run(wine, {"reg", "export", key, "Z:" + QString(exported).replace('/', '\\'),
                         "/reg:32", "/y"}),
              QString());
    ASSERT_TRUE(serverEnds());
    QStringDecoder utf16(QStringDecoder::Utf16LE);
    const QString exportedText = utf16(test::readBytes(exported));
    EXPECT_TRUE(exportedText.contains(
        u"\"InstallLocation\"=\"D:\\\\Spiele \\\"K\u00f6rrin\\\" \u00dfe\""_s))
        << exportedText.toStdString();
}

} // namespace
