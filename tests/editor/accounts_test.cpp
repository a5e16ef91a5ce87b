// The Account window's flows without a window: the account menu, selecting,
// saving accounts.cfg and the CD keys the settings file takes. The panel
// records what it is told and holds what the user typed.

#include "accounts/account_file.h"
#include "accounts/qstring_printer.h"
#include "support/editor_harness.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

namespace quillset::test {
namespace {

struct RecordingPanel : AccountPanel {
    void setTexts(std::span<const TextAssignment>) override {}
    void showAccounts(const Accounts& accounts) override { boxes = accounts, shown = true; }
    void showSelectedSlot(int slot) override { marked = slot; }
    Accounts typedAccounts() override { return boxes; }
    void hideAccounts() override { shown = false; }

    Accounts boxes;
    bool shown = false;
    std::optional<int> marked;
};

const Account kSettings{"Ada", "FILEKEY1", "FILEKEY2"}; // settings.cfg's name and keys

class AccountFlows : public ::testing::Test {
protected:
    void SetUp() override {
        previousFolder = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(current.path()));
        writeBytes(program.file(QStringLiteral("language.lng")), "[Messages]\r\nM1\r\n");
        writeBytes(program.file(QStringLiteral("settings.bck")), "x");
        writeBytes(program.file(QStringLiteral("settings.cfg")),
                   crlfLines({"NETWORK_LOBBYLOGIN : Ada", "NETWORK_CDKEY : FILEKEY1",
                              "NETWORK_CDKEY2 : FILEKEY2"}));
        w.state.programDir = program.path();
        w.editor.setAccountPanel(&panel);
    }
    void TearDown() override { QDir::setCurrent(previousFolder); }

    void start(const QByteArray& accountFile) {
        if (!accountFile.isEmpty())
            writeBytes(accountsPath(), accountFile);
        ASSERT_EQ(w.editor.start(), Editor::StartupResult::Running);
    }
    QString accountsPath() const { return program.file(QStringLiteral("accounts.cfg")); }
    QString accountName() const {
        return w.editor.values().texts[keyIndex(QLatin1String("NETWORK_LOBBYLOGIN"))];
    }
    AccountStore& store() { return w.editor.accountStore(); }
    // The CD keys a settings file written now gets.
    QStringList savedKeys() {
        const QString path = elsewhere.file(QStringLiteral("settings.cfg"));
        EXPECT_TRUE(w.editor.writeSettings(path));
        return QString::fromLatin1(readBytes(path))
            .split(QStringLiteral("\r\n"))
            .filter(QRegularExpression(QStringLiteral("^NETWORK_CDKEY2? ")));
    }

    QString previousFolder;
    TempFolder current, program, elsewhere;
    EditorHarness w;
    RecordingPanel panel;
};

TEST_F(AccountFlows, TheMenuSeedsSlotOneFromTheSettingsOnlyWithoutAnAccountFile) {
    start({});
    w.editor.manageAccounts();
    EXPECT_TRUE(panel.shown);
    EXPECT_EQ(panel.boxes[0], kSettings);
    EXPECT_EQ(store().selectedSlot, 1);
    EXPECT_FALSE(QFile::exists(accountsPath())) << "written only by the window's Save";

    writeBytes(accountsPath(), "Bob\r\n");
    store().account(1).name = QStringLiteral("Bob");
    w.editor.manageAccounts();
    EXPECT_EQ(panel.boxes[0].name, "Bob") << "an existing file is never replaced by the seed";
}

TEST_F(AccountFlows, OpeningSelectsTheLastSlotNamedExactlyLikeTheAccount) {
    // clang-format off
    const struct { std::array<const char*, 4> names; std::optional<int> selected; } rows[] = {
        {{"Bob", "Ada", "Cy", "Ada"}, 4},
        {{"Ada", "ada", "Ada ", ""}, 1},
        {{"ada", "Bob", "", "Cy"}, 1}, // no match: the selection stays
    };
    // clang-format on
    start("Bob\r\n");
    for (const auto& row : rows) {
        for (int slot = 1; slot <= kAccountSlotCount; ++slot)
            store().account(slot).name = QLatin1String(row.names[slot - 1]);
        w.editor.manageAccounts();
        EXPECT_EQ(store().selectedSlot, row.selected) << row.names[0];
        EXPECT_EQ(panel.marked, row.selected) << row.names[0];
    }
}

TEST_F(AccountFlows, SettingsTakeTheSelectedSlotsTypedKeysElseTheFilesOwn) {
    start("Ada\r\nADAKEY1\r\nADAKEY2\r\n");
    // Loaded hidden at start-up and never used: no window is built for it.
    EXPECT_EQ(savedKeys(), QStringList({"NETWORK_CDKEY : FILEKEY1", "NETWORK_CDKEY2 : FILEKEY2"}));
    EXPECT_FALSE(panel.shown);

    w.editor.manageAccounts();
    panel.boxes[0] = {"unsaved name", "TYPED", ""}; // then Close: the edits stay in the boxes
    EXPECT_EQ(savedKeys(), QStringList({"NETWORK_CDKEY : TYPED", "NETWORK_CDKEY2 : "}));
    EXPECT_EQ(store().account(1), (Account{"Ada", "TYPED", ""})) << "the keys are stored back";
    w.editor.manageAccounts();
    EXPECT_EQ(panel.boxes[0], store().account(1)) << "reopened, it shows the keys last stored";

    // After the close box the next use loads the window again: shown and
    // selected by name.
    w.editor.unloadAccountWindow();
    panel = {};
    EXPECT_EQ(savedKeys(), QStringList({"NETWORK_CDKEY : TYPED", "NETWORK_CDKEY2 : "}));
    EXPECT_TRUE(panel.shown);
    EXPECT_EQ(panel.marked, 1);
}

TEST_F(AccountFlows, SaveWritesTheBoxesAndHandsTheSelectedNameOver) {
    start({});
    w.editor.manageAccounts();
    panel.boxes[1] = {"", "NEWKEY", "ABCDE-FGHIJ-KLMNO-PQRST-U"};
    w.editor.selectAccount(2);
    w.editor.saveAccounts();

    EXPECT_TRUE(w.dialogs.shown.empty());
    EXPECT_FALSE(panel.shown);
    EXPECT_EQ(accountName(), QString()) << "even an empty name is handed over";
    EXPECT_EQ(store().accounts, panel.boxes);
    EXPECT_EQ(readBytes(accountsPath()),
              crlfLines({"Ada", "FILEKEY1", "FILEKEY2", "", "NEWKEY", "ABCDE-FGHIJ-KLMNO-PQRST-U",
                         "", "", "", "", "", ""}));
}

TEST_F(AccountFlows, AFailedSaveSaysWhyAndKeepsEverythingAsItWas) {
    // clang-format off
    const struct { QString key; bool folderInTheWay; QString reason; } rows[] = {
        {"SECRET", true, "it is a folder"},
        {"SECRET\u00FF\u4E2D", false, "the Korrin CD key of account 4 holds characters that this file cannot store"},
    };
    // clang-format on
    start({});
    w.editor.manageAccounts();
    const Accounts before = store().accounts;
    for (const auto& row : rows) {
        QDir(program.path()).rmdir(QStringLiteral("accounts.cfg"));
        if (row.folderInTheWay) {
            ASSERT_TRUE(QDir(program.path()).mkdir(QStringLiteral("accounts.cfg")));
        }
        w.dialogs.shown.clear();
        panel.boxes[3] = {"Eve", row.key, ""};
        w.editor.selectAccount(4);
        w.editor.saveAccounts();

        ASSERT_EQ(w.dialogs.shown.size(), 1u);
        EXPECT_EQ(w.dialogs.shown[0].text,
                  QStringLiteral("The accounts were not saved: %1 could not be written (%2).")
                      .arg(QDir::toNativeSeparators(accountsPath()), row.reason));
        EXPECT_EQ(w.dialogs.shown[0].title, QStringLiteral("Quillset"));
        EXPECT_TRUE(panel.shown);
        EXPECT_EQ(store().accounts, before);
        EXPECT_EQ(accountName(), "Ada");
    }
}

} // namespace
} // namespace quillset::test
