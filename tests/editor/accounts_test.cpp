// The Account window's flows without a window: the account menu, selecting,
// saving accounts.cfg and the CD keys the settings file takes, with a panel
// that records what it is told and holds what the user typed.

#include "accounts/account_file.h"
#include "accounts/qstring_printer.h"
#include "support/editor_harness.h"

#include <gtest/gtest.h>

#include <optional>

namespace quillset::test {
namespace {

struct RecordingPanel : AccountPanel {
    void setTexts(std::span<const TextAssignment>) override {}
    void showAccounts(const Accounts& accounts) override {
        boxes = accounts;
        shown = true;
    }
    void showSelectedSlot(int slot) override { marked = slot; }
    Accounts typedAccounts() override { return boxes; }
    void hideAccounts() override { shown = false; }

    Accounts boxes;
    bool shown = false;
    std::optional<int> marked;
};

const Account kFileKeys{"Ada", "FILEKEY1", "FILEKEY2"};
const Accounts kAccounts{{{"Bob", "BOBK1", "BOBK2"},
                          {"Ada", "ADAK1", "ADAK2"},
                          {"Cy", "CYK1", "CYK2"},
                          {"Ada", "AAAAABBBBBCCCCCDDDDD", "ABCDE-FGHIJ"}}};

class AccountFlows : public ::testing::Test {
protected:
    void SetUp() override {
        previousFolder = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(current.path()));
        writeBytes(program.file(QStringLiteral("language.lng")), "[Messages]\r\nM1\r\n");
        writeBytes(program.file(QStringLiteral("settings.bck")), "x");
        writeBytes(program.file(QStringLiteral("settings.cfg")),
                   crlfLines({"NETWORK_LOBBYLOGIN : " + kFileKeys.name,
                              "NETWORK_CDKEY : " + kFileKeys.korrinKey,
                              "NETWORK_CDKEY2 : " + kFileKeys.deepfallKey}));
        w.state.programDir = program.path();
        w.editor.setAccountPanel(&panel);
    }
    void TearDown() override { QDir::setCurrent(previousFolder); }

    // Start-up, with accounts.cfg holding `accounts` unless none are given.
    void start(const std::optional<Accounts>& accounts = kAccounts) {
        if (accounts) {
            ASSERT_EQ(writeAccountFile(program.path(), accountFileLines(*accounts)), std::nullopt);
        }
        ASSERT_EQ(w.editor.start(), Editor::StartupResult::Running);
    }
    QString accountsPath() const { return program.file(QStringLiteral("accounts.cfg")); }
    QString accountName() const {
        return w.editor.values().texts[keyIndex(QLatin1String("NETWORK_LOBBYLOGIN"))];
    }
    const AccountStore& store() { return w.editor.accountStore(); }
    // The CD keys a settings file written now gets.
    Account savedKeys() {
        const QString path = elsewhere.file(QStringLiteral("settings.cfg"));
        EXPECT_TRUE(w.editor.writeSettings(path));
        Account keys;
        for (const QString& line : splitCrlf(readBytes(path))) {
            if (line.startsWith(QLatin1String("NETWORK_CDKEY : ")))
                keys.korrinKey = line.mid(16);
            if (line.startsWith(QLatin1String("NETWORK_CDKEY2 : ")))
                keys.deepfallKey = line.mid(17);
        }
        return keys;
    }

    QString previousFolder;
    TempFolder current;
    TempFolder program;
    TempFolder elsewhere;
    EditorHarness w;
    RecordingPanel panel;
};

TEST_F(AccountFlows, TheMenuSeedsSlotOneFromTheSettingsOnlyWithoutAnAccountFile) {
    start(std::nullopt);
    w.editor.manageAccounts();
    EXPECT_TRUE(panel.shown);
    EXPECT_EQ(panel.boxes[0], kFileKeys);
    EXPECT_EQ(store().selectedSlot, 1);
    EXPECT_FALSE(QFile::exists(accountsPath())) << "written only by the window's Save";

    writeBytes(accountsPath(), "Bob\r\n");
    w.editor.manageAccounts();
    EXPECT_EQ(panel.boxes[0], kFileKeys) << "an existing file is never replaced by the seed";
}

TEST_F(AccountFlows, OpeningSelectsTheLastSlotNamedExactlyLikeTheAccount) {
    const struct {
        std::array<const char*, 4> names;
        std::optional<int> selected;
    } rows[] = {
        {{"Bob", "Ada", "Cy", "Ada"}, 4},
        {{"Ada", "ada", "Ada ", ""}, 1},
        {{"ada", "Bob", "", "Cy"}, std::nullopt},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.names[0]);
        Accounts accounts;
        for (int i = 0; i < kAccountSlotCount; ++i)
            accounts[i].name = QString::fromLatin1(row.names[i]);
        EditorHarness fresh;
        ASSERT_EQ(writeAccountFile(program.path(), accountFileLines(accounts)), std::nullopt);
        fresh.state.programDir = program.path();
        fresh.editor.setAccountPanel(&panel);
        ASSERT_EQ(fresh.editor.start(), Editor::StartupResult::Running);
        panel.marked.reset();
        fresh.editor.manageAccounts();
        EXPECT_EQ(fresh.editor.accountStore().selectedSlot, row.selected);
        EXPECT_EQ(panel.marked, row.selected);
    }
    // Without a match the selection stays.
    start(Accounts{});
    w.editor.selectAccount(2);
    w.editor.manageAccounts();
    EXPECT_EQ(store().selectedSlot, 2);
}

TEST_F(AccountFlows, SettingsTakeTheSelectedSlotsTypedKeysElseTheFilesOwn) {
    start();
    // Loaded hidden at start-up and never used: nothing is shown for it.
    EXPECT_EQ(savedKeys(), (Account{"", "FILEKEY1", "FILEKEY2"}));
    EXPECT_FALSE(panel.shown);

    w.editor.manageAccounts();
    ASSERT_EQ(store().selectedSlot, 4);
    panel.boxes[3] = {"unsaved name", "TYPED", ""};
    panel.shown = false; // Close hides it; the edits stay in the boxes
    EXPECT_EQ(savedKeys(), (Account{"", "TYPED", ""}));
    EXPECT_EQ(store().account(4), (Account{"Ada", "TYPED", ""})) << "the keys are stored back";
    w.editor.manageAccounts();
    EXPECT_EQ(panel.boxes[3], store().account(4)) << "reopened, it shows the keys last stored";

    // After the close box the next use loads the window again: shown,
    // selected by name, its keys as the accounts hold them.
    w.editor.unloadAccountWindow();
    panel.shown = false;
    EXPECT_EQ(savedKeys(), (Account{"", "TYPED", ""}));
    EXPECT_TRUE(panel.shown);
    EXPECT_EQ(store().selectedSlot, 4);
}

TEST_F(AccountFlows, SaveWritesTheBoxesAndHandsTheSelectedNameOver) {
    start();
    w.editor.manageAccounts();
    panel.boxes[1] = {"", "NEWKEY", "ABCDE-FGHIJ-KLMNO-PQRST-U"};
    w.editor.selectAccount(2);
    w.editor.saveAccounts();

    EXPECT_TRUE(w.dialogs.shown.empty());
    EXPECT_FALSE(panel.shown);
    EXPECT_EQ(accountName(), QString()) << "even an empty name is handed over";
    EXPECT_EQ(store().accounts, panel.boxes);
    EXPECT_EQ(readBytes(accountsPath()),
              std::get<QByteArray>(serializeAccountFile(accountFileLines(panel.boxes))));
}

TEST_F(AccountFlows, AFailedSaveSaysWhyAndKeepsEverythingAsItWas) {
    const struct {
        Account typed;
        bool folderInTheWay;
        const char* reason;
    } rows[] = {
        {{"Eve", "SECRET", ""}, true, "it is a folder"},
        {{"Eve", QString::fromUtf8("SECRET\u4E2D"), ""},
         false,
         "the Korrin CD key of account 4 holds characters that this file cannot store"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.reason);
        EditorHarness fresh;
        RecordingPanel window;
        fresh.state.programDir = program.path();
        fresh.editor.setAccountPanel(&window);
        QFile::remove(accountsPath());
        if (row.folderInTheWay) {
            ASSERT_TRUE(QDir(program.path()).mkdir(QStringLiteral("accounts.cfg")));
        }
        ASSERT_EQ(fresh.editor.start(), Editor::StartupResult::Running);
        fresh.editor.manageAccounts();
        const AccountStore before = fresh.editor.accountStore();
        window.boxes[3] = row.typed;
        fresh.editor.selectAccount(4);
        fresh.editor.saveAccounts();

        ASSERT_EQ(fresh.dialogs.shown.size(), 1u);
        EXPECT_EQ(fresh.dialogs.shown[0].text,
                  QStringLiteral("The accounts were not saved: %1 could not be written (%2).")
                      .arg(QDir::toNativeSeparators(accountsPath()), QLatin1String(row.reason)));
        EXPECT_EQ(fresh.dialogs.shown[0].title, QStringLiteral("Quillset"));
        EXPECT_TRUE(window.shown);
        EXPECT_EQ(fresh.editor.accountStore().accounts, before.accounts);
        EXPECT_EQ(fresh.editor.values().texts[keyIndex(QLatin1String("NETWORK_LOBBYLOGIN"))],
                  kFileKeys.name);
        QDir(program.path()).rmdir(QStringLiteral("accounts.cfg"));
    }
}

} // namespace
} // namespace quillset::test
