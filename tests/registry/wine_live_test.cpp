// The Wine backend against Wine itself: a value that Wine's own reg tool
// writes is read back, a running wineserver is recognised, and a value this
// program writes is what Wine then reports. Skipped where Wine is absent.

#include "registry/launchers/game_prefix_search.h"
#include "registry/wine_prefix.h"
#include "registry/wine_registry.h"
#include "wine_test_prefix.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QThread>
#include <gtest/gtest.h>

using namespace quillset;

namespace {

struct ProcessRun {
    bool finished = false;
    int exitCode = -1;
    QString output;
};

class WineLive : public ::testing::Test {
protected:
    void SetUp() override {
        wine_ = QStandardPaths::findExecutable(QStringLiteral("wine"));
        wineserver_ = QStandardPaths::findExecutable(QStringLiteral("wineserver"));
        if (wine_.isEmpty() || wineserver_.isEmpty())
            GTEST_SKIP() << "Wine is not installed (Debian: apt-get install wine wine64)";
        prefix_ = root_.file(QStringLiteral("pfx"));
        environment_ = QProcessEnvironment::systemEnvironment();
        environment_.insert(QStringLiteral("WINEPREFIX"), prefix_);
        environment_.insert(QStringLiteral("WINEDEBUG"), QStringLiteral("-all"));
        // No Mono or Gecko installer dialogs, no display.
        environment_.insert(QStringLiteral("WINEDLLOVERRIDES"), QStringLiteral("mscoree,mshtml="));
        environment_.remove(QStringLiteral("DISPLAY"));
        environment_.remove(QStringLiteral("WAYLAND_DISPLAY"));
    }

    void TearDown() override {
        if (wineserver_.isEmpty() || !QFileInfo::exists(prefix_))
            return;
        run(wineserver_, {QStringLiteral("-k")}, 20000);
        run(wineserver_, {QStringLiteral("-w")}, 20000);
        // Debian's server leaves its folder, named in the prefix, in the temp folder.
        const QByteArray name = test::readBytes(prefix_ + QStringLiteral("/wineserver")).trimmed();
        if (!name.isEmpty() && !name.contains('/')) {
            for (const QString& temp : {QDir::tempPath(), QStringLiteral("/tmp")})
                QDir(temp + QLatin1Char('/') + QFile::decodeName(name)).removeRecursively();
        }
    }

    ProcessRun run(const QString& program, const QStringList& arguments, int timeoutMs = 90000) {
        QProcess process;
        process.setProcessEnvironment(environment_);
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.setStandardInputFile(QProcess::nullDevice());
        process.start(program, arguments);
        ProcessRun result;
        result.finished = process.waitForFinished(timeoutMs);
        if (!result.finished) {
            process.kill();
            process.waitForFinished(5000);
        }
        result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        result.output = QString::fromLocal8Bit(process.readAll());
        return result;
    }

    // wineserver keeps running a few seconds after its last program and only
    // then writes the registry files.
    void waitForServerExit() { run(wineserver_, {QStringLiteral("-w")}, 60000); }

    bool waitUntilServer(bool running) {
        const QDeadlineTimer deadline(20000);
        while (wineServerRunning(prefix_) != running) {
            if (deadline.hasExpired())
                return false;
            QThread::msleep(100);
        }
        return true;
    }

    QString hostPathForWine(const QString& path) const {
        return QStringLiteral("Z:") + QString(path).replace(QLatin1Char('/'), QLatin1Char('\\'));
    }

    test::TempFolder root_;
    QString wine_;
    QString wineserver_;
    QString prefix_;
    QProcessEnvironment environment_;
};

TEST_F(WineLive, ReadsWhatWineWritesAndWineReadsWhatWeWrite) {
    const QString key = QStringLiteral("HKLM\\") + kInstallKeyPath;
    const ProcessRun add =
        run(wine_, {QStringLiteral("reg"), QStringLiteral("add"), key, QStringLiteral("/v"),
                    kInstallValueName, QStringLiteral("/t"), QStringLiteral("REG_SZ"),
                    QStringLiteral("/d"), QStringLiteral("C:\\Games\\Korrin Deepfall"),
                    QStringLiteral("/f")});
    if (!add.finished || add.exitCode != 0)
        GTEST_SKIP() << "Wine could not set up a prefix here: " << add.output.toStdString();
    waitForServerExit();

    WineRegistry registry(chooseWinePrefix(QString(), prefix_, {}).prefix);
    const QString value =
        registry.RegGetString(RegistryRoot::LocalMachine, kInstallKeyPath, kInstallValueName);
    EXPECT_EQ(value, QStringLiteral("C:\\Games\\Korrin Deepfall"));
    ASSERT_TRUE(QDir().mkpath(prefix_ + QStringLiteral("/drive_c/games/KORRIN deepfall")));
    EXPECT_EQ(registry.localPath(value),
              prefix_ + QStringLiteral("/drive_c/games/KORRIN deepfall"));
    // The launcher search's quick look finds it in the registry Wine wrote.
    EXPECT_EQ(gameFolderInPrefix(prefix_), registry.localPath(value));

    // While a server runs for the prefix, the file is left alone.
    const QString systemReg = prefix_ + QStringLiteral("/system.reg");
    const QByteArray before = test::readBytes(systemReg);
    const ProcessRun server = run(wineserver_, {QStringLiteral("-p")}, 20000);
    ASSERT_TRUE(server.finished) << server.output.toStdString();
    ASSERT_TRUE(waitUntilServer(true)) << "the lock of the running server was not recognised";
    EXPECT_FALSE(registry.setStringValue(RegistryRoot::LocalMachine, kInstallKeyPath,
                                         kInstallValueName, QStringLiteral("C:\\refused")));
    EXPECT_EQ(test::readBytes(systemReg), before);
    run(wineserver_, {QStringLiteral("-k")}, 20000);
    waitForServerExit();
    ASSERT_TRUE(waitUntilServer(false));

    // Written in the 32-bit view, as the game's own tools would see it.
    const QString text = QStringLiteral("D:\\Spiele \"K\u00f6rrin\" \u00dfe");
    ASSERT_TRUE(registry.setStringValue(RegistryRoot::LocalMachine, kInstallKeyPath,
                                        kInstallValueName, text));
    const QString exported = root_.file(QStringLiteral("export.reg"));
    const ProcessRun exportRun =
        run(wine_, {QStringLiteral("reg"), QStringLiteral("export"), key, hostPathForWine(exported),
                    QStringLiteral("/reg:32"), QStringLiteral("/y")});
    ASSERT_EQ(exportRun.exitCode, 0) << exportRun.output.toStdString();
    waitForServerExit();
    QStringDecoder utf16(QStringDecoder::Utf16LE);
    const QString exportedText = utf16(test::readBytes(exported));
    EXPECT_TRUE(exportedText.contains(
        QStringLiteral("\"InstallLocation\"=\"D:\\\\Spiele \\\"K\u00f6rrin\\\" \u00dfe\"")))
        << exportedText.toStdString();
}

} // namespace
