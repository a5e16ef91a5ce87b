// Where start-up finds the game: beside the program, through the installer's
// registry value, or the program folder; and the backup it makes on the way.

#include "support/editor_harness.h"
#include "support/memory_registry.h"

#include <QFileInfo>
#include <gtest/gtest.h>

namespace quillset::test {
namespace {

using Kind = ScriptedDialogs::Shown::Kind;

const QByteArray kSettings = "SOUND : 1\r\nNETWORK_PLAYER : Aldric\r\n";

class InstallFolder : public ::testing::Test {
protected:
    void SetUp() override {
        previousFolder = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(current.path()));
        writeBytes(program.file(QStringLiteral("language.lng")),
                   "[Messages]\r\nM1\r\nM2\r\nM3\r\nBackup notice\r\n");
    }
    void TearDown() override { QDir::setCurrent(previousFolder); }

    void start(EditorHarness& window) {
        window.state.programDir = program.path();
        window.editor.setRegistry(&registry);
        ASSERT_EQ(window.editor.start(), Editor::StartupResult::Running);
    }
    void setValue(RegistryRoot root, const QString& value) {
        registry.setRawValue(root, kInstallKeyPath, kInstallValueName, kRegSz,
                             utf16StringData(value));
    }
    QString machineValue() const {
        return registry.RegGetString(RegistryRoot::LocalMachine, kInstallKeyPath,
                                     kInstallValueName);
    }
    static QString asDir(const TempFolder& folder) {
        return QDir::toNativeSeparators(folder.path()) + QDir::separator();
    }
    QStringList trace() { return splitCrlf(readBytes(current.file(QStringLiteral("debug.log")))); }
    QStringList between(const QString& from, const QString& to) {
        const QStringList lines = trace();
        const qsizetype a = lines.indexOf(from);
        const qsizetype b = lines.indexOf(to, a + 1);
        return a < 0 || b < 0 ? QStringList() : lines.mid(a + 1, b - a - 1);
    }
    QString player(EditorHarness& window) {
        return window.editor.values().text(QLatin1String("NETWORK_PLAYER"));
    }

    QString previousFolder;
    TempFolder current;
    TempFolder program;
    TempFolder game;
    MemoryRegistry registry;
};

TEST_F(InstallFolder, SettingsBesideTheProgramWinOnEveryRunWithABackupOnTheFirst) {
    writeBytes(program.file(QStringLiteral("settings.cfg")), kSettings);
    // Not used, on the first run nor later: the program folder wins.
    writeBytes(game.file(QStringLiteral("settings.cfg")), "NETWORK_PLAYER : Elsewhere\r\n");
    setValue(RegistryRoot::LocalMachine, game.path());
    EditorHarness first;
    start(first);
    ASSERT_EQ(first.dialogs.shown.size(), 1u);
    EXPECT_EQ(first.dialogs.shown[0].text, QStringLiteral("Backup notice"));
    EXPECT_EQ(readBytes(program.file(QStringLiteral("settings.bck"))), kSettings);
    EXPECT_EQ(between(QStringLiteral("Form -> Checking for settings.cfg and backup"),
                      QStringLiteral("Form -> Done")),
              (QStringList{QStringLiteral("Form -> no backup found"),
                           QStringLiteral("Form -> backup created")}));
    EXPECT_EQ(first.state.installDir, asDir(program));
    EXPECT_EQ(player(first), QStringLiteral("Aldric"));

    EditorHarness second;
    start(second);
    EXPECT_TRUE(second.dialogs.shown.empty());
    EXPECT_EQ(second.state.installDir, asDir(program));
    EXPECT_EQ(player(second), QStringLiteral("Aldric"));
}

TEST_F(InstallFolder, RegistryFolderIsUsedWhenNothingLiesBesideTheProgram) {
    writeBytes(game.file(QStringLiteral("settings.cfg")), kSettings);
    setValue(RegistryRoot::LocalMachine, game.path());
    EditorHarness w;
    start(w);
    EXPECT_EQ(w.state.installDir, asDir(game));
    EXPECT_EQ(between(QStringLiteral("Form -> Getting path from Registry"),
                      QStringLiteral("Form -> Done")),
              (QStringList{QStringLiteral("Form -> ") + asDir(game),
                           QStringLiteral("Form -> Creating Backup")}));
    // The backup command's advanced branch: the game's file is copied with a notice.
    ASSERT_EQ(w.dialogs.shown.size(), 1u);
    EXPECT_EQ(readBytes(game.file(QStringLiteral("settings.bck"))), kSettings);
    EXPECT_EQ(w.state.currentSettingsPath, asDir(game) + QStringLiteral("settings.cfg"));
    EXPECT_EQ(player(w), QStringLiteral("Aldric"));
}

TEST_F(InstallFolder, PerUserValueIsCopiedToTheMachineRoot) {
    writeBytes(game.file(QStringLiteral("settings.cfg")), kSettings);
    writeBytes(game.file(QStringLiteral("settings.bck")), kSettings);
    setValue(RegistryRoot::CurrentUser, game.path());
    EditorHarness w;
    start(w);
    EXPECT_EQ(machineValue(), game.path());
    EXPECT_EQ(w.state.installDir, asDir(game));
    EXPECT_EQ(player(w), QStringLiteral("Aldric"));
}

TEST_F(InstallFolder, RefusedCopyFallsBackToTheProgramFolder) {
    writeBytes(game.file(QStringLiteral("settings.cfg")), kSettings);
    setValue(RegistryRoot::CurrentUser, game.path());
    registry.setRefuseWrites(true);
    EditorHarness w;
    w.dialogs.choose(QString()); // the program folder has nothing to back up
    start(w);
    EXPECT_TRUE(machineValue().isEmpty());
    EXPECT_EQ(w.state.installDir, asDir(program));
    EXPECT_TRUE(player(w).isEmpty());
    EXPECT_TRUE(trace().contains(QStringLiteral("Form -> ") + QDir::separator()));
}

TEST_F(InstallFolder, MachineRootWinsAndNothingIsWritten) {
    TempFolder other;
    writeBytes(game.file(QStringLiteral("settings.cfg")), kSettings);
    writeBytes(game.file(QStringLiteral("settings.bck")), kSettings);
    setValue(RegistryRoot::LocalMachine, game.path());
    setValue(RegistryRoot::CurrentUser, other.path());
    EditorHarness w;
    start(w);
    EXPECT_EQ(w.state.installDir, asDir(game));
    EXPECT_EQ(registry.acceptedWrites(), 0);
    EXPECT_TRUE(w.dialogs.shown.empty());
}

} // namespace
} // namespace quillset::test
