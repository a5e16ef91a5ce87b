// The Account window and the account menu, driven through AccountWindowHost
// as the Options window drives them, on the offscreen platform.

#include "ui/account_window.h"

#include "io/ansi_text.h"
#include "lang/language_loader.h"
#include "support/scripted_dialogs.h"
#include "test_support.h"
#include "ui/window_builder.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

#include <memory>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace quillset::ui {
namespace {

using test::ScriptedDialogs;
using test::TempFolder;

constexpr auto K = KeyRow::Korrin;
constexpr auto D = KeyRow::Deepfall;

QByteArray crlfLines(const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += toAnsi(line).value() + "\r\n";
    return bytes;
}

void destroyDeferred() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

class AccountWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        state.installDir = folder.path() + QLatin1Char('/');
        state.startupComplete = true;
        host = std::make_unique<AccountWindowHost>(
            store, state, dialogs, [this] { return accname; },
            [this](const QString& name) {
                accname = name;
                ++accnameSets;
            },
            &owner);
    }

    void TearDown() override {
        host.reset();
        destroyDeferred();
    }

    QString accountFile() const { return folder.file(QStringLiteral("accounts.cfg")); }

    void writeAccounts(const QStringList& lines) {
        ASSERT_TRUE(test::writeBytes(accountFile(), crlfLines(lines)));
    }

    QStringList savedLines() const {
        QStringList lines = fromAnsi(test::readBytes(accountFile())).split(QStringLiteral("\r\n"));
        if (!lines.isEmpty() && lines.back().isEmpty())
            lines.removeLast();
        return lines;
    }

    // The four boxes of a key row, as the user sees them.
    static QStringList row(const AccountWindow& w, int slot, KeyRow keyRow) {
        QStringList boxes;
        for (int i = 0; i < 4; ++i)
            boxes << w.keyBox(slot, keyRow, i)->text();
        return boxes;
    }

    static void setRow(AccountWindow& w, int slot, KeyRow keyRow, const QStringList& boxes) {
        for (int i = 0; i < 4; ++i)
            w.keyBox(slot, keyRow, i)->setText(boxes.value(i));
    }

    // Every box of the slot is enabled (or every one disabled).
    static bool slotEnabled(const AccountWindow& w, int slot, bool enabled) {
        if (w.nameBox(slot)->isEnabled() != enabled)
            return false;
        for (int i = 0; i < 4; ++i)
            if (w.keyBox(slot, K, i)->isEnabled() != enabled ||
                w.keyBox(slot, D, i)->isEnabled() != enabled)
                return false;
        return true;
    }

    static void expectSelected(const AccountWindow& w, int selected) {
        EXPECT_EQ(w.selectedSlot(), std::optional<int>(selected));
        for (int slot = 1; slot <= 4; ++slot) {
            const bool on = slot == selected;
            EXPECT_EQ(w.optionButton(slot)->isChecked(), on) << "slot " << slot;
            EXPECT_EQ(w.slotFrame(slot)->hasBorder(), on) << "slot " << slot;
            EXPECT_TRUE(slotEnabled(w, slot, on)) << "slot " << slot;
        }
    }

    // Uses the close box and lets the event loop's deferred deletion run.
    void useCloseBox() {
        ASSERT_NE(host->existingWindow(), nullptr);
        QPointer<AccountWindow> old = host->existingWindow();
        old->close();
        destroyDeferred();
        EXPECT_TRUE(old.isNull());
    }

    const QStringList kFourAccounts{
        QStringLiteral("Ada"),
        QStringLiteral("AAAAABBBBBCCCCCDDDDD"),
        QStringLiteral("EEEEEFFFFFGGGGGHHHHH"),
        QStringLiteral("Brin"),
        QStringLiteral("KKKKKLLLLL"),
        QStringLiteral(""),
        QStringLiteral("Ceyla"),
        QStringLiteral("MMMMMNNNNNOOOOOPPPPP"),
        QStringLiteral("QQQQQRRRRRSSSSSTTTTT"),
        QStringLiteral("Ada"),
        QStringLiteral("11111222223333344444"),
        QStringLiteral("55555666667777788888"),
    };

    TempFolder folder;
    AppState state;
    AccountStore store;
    ScriptedDialogs dialogs;
    QWidget owner;
    QString accname;
    int accnameSets = 0;
    std::unique_ptr<AccountWindowHost> host;
};

// --- The window as designed ---------------------------------------------------

TEST_F(AccountWindowTest, BuildsEveryControlOfTheDesignInsideItsParent) {
    state.startupComplete = false;
    AccountWindow& w = host->window();

    EXPECT_EQ(w.objectName(), QStringLiteral("Form2"));
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Account Management"));
    const TwipScale scale = TwipScale::forWidget(&w);
    EXPECT_EQ(w.size(), QSize(scale.pixels(6045), scale.pixels(6690)));

    for (const AccountControlDef& def : accountWindowControls()) {
        QWidget* widget = w.control(def.name);
        ASSERT_NE(widget, nullptr) << def.name.toStdString();
        QWidget* parent = widget->parentWidget();
        EXPECT_EQ(parent->objectName(),
                  def.parent.isEmpty() ? QStringLiteral("Form2") : def.parent);
        EXPECT_TRUE(parent->rect().contains(widget->geometry())) << def.name.toStdString();
    }

    EXPECT_EQ(qobject_cast<QGroupBox*>(w.control(QStringLiteral("Frame1_1")))->title(),
              QStringLiteral("Account auswählen"));
    EXPECT_EQ(w.slotFrame(3)->objectName(), QStringLiteral("Frame1_3"));
    EXPECT_EQ(w.slotFrame(1)->title(), QStringLiteral("Account 1"));
    EXPECT_EQ(w.slotFrame(4)->title(), QStringLiteral("Account 4"));
    EXPECT_EQ(w.optionButton(2)->parentWidget()->objectName(), QStringLiteral("Picture1"));
    EXPECT_TRUE(w.optionButton(2)->text().isEmpty());
    EXPECT_EQ(w.nameBox(4)->objectName(), QStringLiteral("Text10"));
    EXPECT_EQ(w.keyBox(2, D, 3)->objectName(), QStringLiteral("Text6_3"));
    EXPECT_EQ(w.keyBox(4, K, 0)->objectName(), QStringLiteral("Text11_0"));
    EXPECT_EQ(qobject_cast<QLabel*>(w.control(QStringLiteral("Label3")))->text(),
              QStringLiteral("Account name"));
    EXPECT_EQ(qobject_cast<QLabel*>(w.control(QStringLiteral("Label2_2")))->text(),
              QStringLiteral("Deepfall CD-Key"));
    EXPECT_EQ(qobject_cast<QPushButton*>(w.control(QStringLiteral("Command2")))->text(),
              QStringLiteral("Beenden"));
    EXPECT_EQ(w.nameBox(1)->toolTip(), QStringLiteral("Account zum einloggen im Closed/Open"));

    // Key boxes take five characters; the name box has no limit.
    w.keyBox(3, K, 1)->setText(QStringLiteral("ABCDEFG"));
    EXPECT_EQ(w.keyBox(3, K, 1)->text(), QStringLiteral("ABCDE"));
    const QString longName(40, QLatin1Char('n'));
    w.nameBox(3)->setText(longName);
    EXPECT_EQ(w.nameBox(3)->text(), longName);
}

TEST_F(AccountWindowTest, TabOrderRunsSlotBySlotThenTheButtons) {
    state.startupComplete = false;
    AccountWindow& w = host->window();
    QStringList expected;
    for (int slot = 1; slot <= 4; ++slot) {
        expected << w.nameBox(slot)->objectName();
        for (const KeyRow keyRow : {K, D})
            for (int i = 0; i < 4; ++i)
                expected << w.keyBox(slot, keyRow, i)->objectName();
    }
    expected << QStringLiteral("Command1") << QStringLiteral("Command2");

    // The focus chain holds every widget; Tab stops only at those taking tab focus.
    QStringList chain;
    QWidget* widget = w.nameBox(1);
    while (chain.size() < expected.size()) {
        if (widget->focusPolicy() & Qt::TabFocus)
            chain << widget->objectName();
        widget = widget->nextInFocusChain();
    }
    EXPECT_EQ(chain, expected);
}

// --- Start-up and the load step -----------------------------------------------

TEST_F(AccountWindowTest, DuringStartUpTheWindowStaysHiddenAndEmpty) {
    writeAccounts(kFourAccounts);
    accname = QStringLiteral("Ada");
    state.startupComplete = false;

    AccountWindow& w = host->window();

    EXPECT_FALSE(w.isVisible());
    EXPECT_FALSE(state.accountsLoaded);
    EXPECT_TRUE(w.nameBox(1)->text().isEmpty());
    EXPECT_EQ(w.selectedSlot(), std::nullopt);
    for (int slot = 1; slot <= 4; ++slot)
        EXPECT_TRUE(slotEnabled(w, slot, true));
}

// Start-up only marks the window loaded; building it waits for its first
// use, which behaves as a use of the window start-up created.
TEST_F(AccountWindowTest, WindowLoadedAtStartUpIsBuiltOnFirstUseWithoutItsLoadStep) {
    writeAccounts(kFourAccounts);
    accname = QStringLiteral("Ada");
    state.startupComplete = false;
    host->loadHiddenAtStartup();
    EXPECT_EQ(host->existingWindow(), nullptr);
    state.startupComplete = true;
    const AccountLines before = store.Lines;

    // A save asks for the selected keys: none, and nothing is built for it.
    EXPECT_EQ(host->takeSelectedKeysForSettings(), std::nullopt);
    EXPECT_EQ(host->existingWindow(), nullptr);
    EXPECT_FALSE(state.accountsLoaded);
    EXPECT_EQ(store.Lines, before);

    // The menu then fills, selects and shows it as ever.
    state.accountsLoaded = LoadAccountStore(store, state.installDir);
    host->open({}, {});
    AccountWindow& w = *host->existingWindow();
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.nameBox(3)->text(), QStringLiteral("Ceyla"));
    expectSelected(w, 4);

    // After the close box, the next use runs the load step again.
    useCloseBox();
    host->takeSelectedKeysForSettings();
    ASSERT_NE(host->existingWindow(), nullptr);
    EXPECT_TRUE(host->existingWindow()->isVisible());
}

TEST_F(AccountWindowTest, LoadStepReadsTheFileWhenThisRunHasNotAndSelectsTheLastMatch) {
    writeAccounts(kFourAccounts);
    accname = QStringLiteral("Ada");

    AccountWindow& w = host->window();

    EXPECT_TRUE(state.accountsLoaded);
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.nameBox(3)->text(), QStringLiteral("Ceyla"));
    EXPECT_EQ(row(w, 1, K), QStringList({"AAAAA", "BBBBB", "CCCCC", "DDDDD"}));
    EXPECT_EQ(row(w, 2, K), QStringList({"KKKKK", "LLLLL", "", ""}));
    EXPECT_EQ(row(w, 2, D), QStringList({"", "", "", ""}));
    EXPECT_EQ(row(w, 4, D), QStringList({"55555", "66666", "77777", "88888"}));
    expectSelected(w, 4);
}

TEST_F(AccountWindowTest, LoadStepKeepsTheStoreWhenTheFileWasAlreadyRead) {
    writeAccounts(kFourAccounts);
    state.accountsLoaded = true;
    store.Lines[nameLineIndex(2)] = QStringLiteral("from memory");

    AccountWindow& w = host->window();

    EXPECT_EQ(w.nameBox(2)->text(), QStringLiteral("from memory"));
    EXPECT_TRUE(w.nameBox(1)->text().isEmpty());
}

// --- Account menu ---------------------------------------------------------------

TEST_F(AccountWindowTest, MenuWithoutAccountFileSeedsSlotOneFromTheSettings) {
    accname = QStringLiteral("Nerin");
    host->open(QStringLiteral("AB12CD34EF56GH78IJ90"), QStringLiteral("ZYXWVUTSRQ"));
    AccountWindow& w = *host->existingWindow();

    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.nameBox(1)->text(), QStringLiteral("Nerin"));
    EXPECT_EQ(row(w, 1, K), QStringList({"AB12C", "D34EF", "56GH7", "8IJ90"}));
    EXPECT_EQ(row(w, 1, D), QStringList({"ZYXWV", "UTSRQ", "", ""}));
    for (int slot = 2; slot <= 4; ++slot) {
        EXPECT_TRUE(w.nameBox(slot)->text().isEmpty());
        EXPECT_EQ(row(w, slot, K).join(QString()), QString());
    }
    expectSelected(w, 1);
    // The seed lives in the store only; the file comes with the first save.
    EXPECT_EQ(store.Lines[korrinLineIndex(1)], QStringLiteral("AB12CD34EF56GH78IJ90"));
    EXPECT_EQ(store.DeepfallKeys[0].Full, QStringLiteral("ZYXWVUTSRQ"));
    EXPECT_FALSE(QFileInfo::exists(accountFile()));
    EXPECT_EQ(accnameSets, 0);
}

TEST_F(AccountWindowTest, MenuWithEmptyAccountNameSelectsSlotFour) {
    host->open(QStringLiteral("AB12CD34EF56GH78IJ90"), QString());
    AccountWindow& w = *host->existingWindow();
    EXPECT_EQ(row(w, 1, K).join(QString()), QStringLiteral("AB12CD34EF56GH78IJ90"));
    expectSelected(w, 4);
}

TEST_F(AccountWindowTest, MenuSelectsByExactNameAndKeepsTheSelectionWithoutMatch) {
    writeAccounts(kFourAccounts);
    accname = QStringLiteral("Brin");
    host->open(QStringLiteral("ignored"), QStringLiteral("ignored"));
    AccountWindow& w = *host->existingWindow();
    expectSelected(w, 2);
    // An existing file is never replaced by the seed.
    EXPECT_EQ(store.Lines[nameLineIndex(1)], QStringLiteral("Ada"));

    accname = QStringLiteral("brin"); // names compare case-sensitively
    host->open({}, {});
    expectSelected(w, 2);
}

TEST_F(AccountWindowTest, NoMatchingNameLeavesANewWindowWithoutSelection) {
    writeAccounts(kFourAccounts);
    accname = QStringLiteral("Nobody");
    host->open({}, {});
    AccountWindow& w = *host->existingWindow();

    EXPECT_EQ(w.selectedSlot(), std::nullopt);
    EXPECT_EQ(w.selectedKeys(), std::nullopt);
    for (int slot = 1; slot <= 4; ++slot) {
        EXPECT_FALSE(w.optionButton(slot)->isChecked());
        EXPECT_FALSE(w.slotFrame(slot)->hasBorder());
    }
}

// --- Selecting -------------------------------------------------------------------

TEST_F(AccountWindowTest, SelectingDisablesTheOtherSlotsButKeepsTheirTexts) {
    writeAccounts(kFourAccounts);
    AccountWindow& w = host->window();

    w.Option3_Click();
    expectSelected(w, 3);
    EXPECT_EQ(w.nameBox(1)->text(), QStringLiteral("Ada"));
    EXPECT_EQ(row(w, 4, K), QStringList({"11111", "22222", "33333", "44444"}));

    // A click on another option button runs that slot's selection.
    w.optionButton(2)->click();
    expectSelected(w, 2);
    EXPECT_EQ(w.nameBox(3)->text(), QStringLiteral("Ceyla"));
}

// --- Save and Close ------------------------------------------------------------------

TEST_F(AccountWindowTest, SaveWritesAllFourSlotsAndHandsOverTheSelectedName) {
    writeAccounts(kFourAccounts);
    accname = QStringLiteral("Ada");
    AccountWindow& w = host->window();
    w.nameBox(3)->clear();
    setRow(w, 3, K, {"abc", "de", "", "fghij"});
    w.Option3_Click();
    w.nameBox(4)->setText(QStringLiteral("Dorn")); // disabled now, still saved

    w.Command1_Click();

    EXPECT_EQ(accname, QString()); // slot 3's name, even though it is empty
    EXPECT_EQ(accnameSets, 1);
    EXPECT_FALSE(w.isVisible());
    EXPECT_TRUE(dialogs.shown.empty());
    QStringList expected = kFourAccounts;
    expected[6] = QString();
    expected[7] = QStringLiteral("abcdefghij");
    expected[9] = QStringLiteral("Dorn");
    EXPECT_EQ(savedLines(), expected);
    EXPECT_EQ(store.Lines[nameLineIndex(4)], QStringLiteral("Dorn"));
}

TEST_F(AccountWindowTest, SaveWithoutSelectionKeepsTheAccountName) {
    accname = QStringLiteral("Nobody");
    AccountWindow& w = host->window();
    ASSERT_EQ(w.selectedSlot(), std::nullopt);
    w.nameBox(2)->setText(QStringLiteral("Brin"));

    w.Command1_Click();

    EXPECT_EQ(accname, QStringLiteral("Nobody"));
    EXPECT_EQ(accnameSets, 0);
    QStringList expected(12, QString());
    expected[3] = QStringLiteral("Brin");
    EXPECT_EQ(savedLines(), expected);
}

TEST_F(AccountWindowTest, CloseDropsTheEditsWhenTheMenuOpensTheWindowAgain) {
    writeAccounts(kFourAccounts);
    accname = QStringLiteral("Brin");
    host->open({}, {});
    AccountWindow& w = *host->existingWindow();
    w.nameBox(2)->setText(QStringLiteral("edited"));
    setRow(w, 2, K, {"XXXXX"});
    w.Option1_Click();

    w.Command2_Click();
    destroyDeferred();
    ASSERT_EQ(host->existingWindow(), &w); // hidden, not destroyed
    EXPECT_FALSE(w.isVisible());
    // Hidden, the window keeps its edits and selection for the settings writer.
    EXPECT_EQ(w.nameBox(2)->text(), QStringLiteral("edited"));
    EXPECT_EQ(w.selectedSlot(), std::optional<int>(1));

    host->open({}, {});
    EXPECT_EQ(host->existingWindow(), &w);
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.nameBox(2)->text(), QStringLiteral("Brin"));
    EXPECT_EQ(row(w, 2, K), QStringList({"KKKKK", "LLLLL", "", ""}));
    expectSelected(w, 2);
    EXPECT_EQ(savedLines(), kFourAccounts);
}

TEST_F(AccountWindowTest, SavedDataIsWhatTheWindowShowsWhenOpenedAgain) {
    writeAccounts(kFourAccounts);
    accname = QStringLiteral("Brin");
    host->open({}, {});
    AccountWindow& w = *host->existingWindow();
    w.nameBox(2)->setText(QStringLiteral("Brina"));
    setRow(w, 2, D, {"DDDDD", "EEEEE", "F"});
    w.Command1_Click();
    EXPECT_EQ(accname, QStringLiteral("Brina"));

    host->open({}, {});
    EXPECT_EQ(w.nameBox(2)->text(), QStringLiteral("Brina"));
    EXPECT_EQ(row(w, 2, D), QStringList({"DDDDD", "EEEEE", "F", ""}));
    expectSelected(w, 2);

    // A second save writes the same data, not the data read at start.
    w.Command1_Click();
    EXPECT_EQ(savedLines()[3], QStringLiteral("Brina"));
    EXPECT_EQ(savedLines()[5], QStringLiteral("DDDDDEEEEEF"));
}

TEST_F(AccountWindowTest, FailedSaveTellsTheUserAndKeepsTheWindowWithItsEdits) {
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("accounts.cfg")));
    accname = QStringLiteral("Ada");
    host->open(QStringLiteral("SECRETKEY0SECRETKEY0"), {});
    AccountWindow& w = *host->existingWindow();
    w.nameBox(1)->setText(QStringLiteral("Ada2"));
    const AccountLines before = store.Lines;

    w.Command1_Click();

    ASSERT_EQ(dialogs.shown.size(), 1u);
    const QString text = dialogs.shown[0].text;
    EXPECT_TRUE(text.contains(QDir::toNativeSeparators(accountFile()))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("it is a folder"))) << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("SECRET")));
    EXPECT_EQ(dialogs.shown[0].title, QStringLiteral("Quillset"));
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.nameBox(1)->text(), QStringLiteral("Ada2"));
    expectSelected(w, 1);
    EXPECT_EQ(accname, QStringLiteral("Ada"));
    EXPECT_EQ(accnameSets, 0);
    EXPECT_EQ(store.Lines, before);
}

// --- Close box and re-creation ----------------------------------------------------------

TEST_F(AccountWindowTest, CloseBoxDestroysTheWindowAndTheNextUseBuildsItWithTheTexts) {
    const QString lng = folder.file(QStringLiteral("language.lng"));
    QStringList file{QStringLiteral("[Accountmanagement]"),
                     QStringLiteral("Kontoname"),
                     QStringLiteral("Name tip"),
                     QStringLiteral("Erster Schlüssel"),
                     QStringLiteral("first key tip"),
                     QStringLiteral("Zweiter Schlüssel"),
                     QStringLiteral("second key tip"),
                     QStringLiteral("[Captions]"),
                     QStringLiteral("Sichern"),
                     QString(),
                     QStringLiteral("Ende"),
                     QStringLiteral("[GUI]")};
    for (int entry = 1; entry <= 12; ++entry)
        file << QString();
    file << QStringLiteral("Konto wählen");
    ASSERT_TRUE(test::writeBytes(lng, crlfLines(file)));
    const std::optional<LanguageLoad> load = loadLanguageFile(lng);
    ASSERT_TRUE(load.has_value());

    // Start-up creates the window hidden and gives it the language texts.
    state.startupComplete = false;
    host->setTexts(load->texts);
    host->window();
    state.startupComplete = true;
    writeAccounts(kFourAccounts);
    accname = QStringLiteral("Ceyla");
    host->open({}, {});
    host->existingWindow()->nameBox(3)->setText(QStringLiteral("unsaved"));

    useCloseBox();
    EXPECT_EQ(host->existingWindow(), nullptr);

    // The settings writer's access creates the window again: loaded, shown,
    // selected by name, with the language texts instead of the design texts.
    const std::optional<AccountCdKeys> keys = host->takeSelectedKeysForSettings();
    AccountWindow* w = host->existingWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->nameBox(3)->text(), QStringLiteral("Ceyla"));
    expectSelected(*w, 3);
    ASSERT_TRUE(keys.has_value());
    EXPECT_EQ(keys->korrin, QStringLiteral("MMMMMNNNNNOOOOOPPPPP"));

    auto captionOf = [w](const char* name) {
        QWidget* c = w->control(QLatin1String(name));
        if (auto* label = qobject_cast<QLabel*>(c))
            return label->text();
        if (auto* box = qobject_cast<QGroupBox*>(c))
            return box->title();
        return qobject_cast<QPushButton*>(c)->text();
    };
    EXPECT_EQ(captionOf("Label6"), QStringLiteral("Kontoname"));
    EXPECT_EQ(captionOf("Label3"), QStringLiteral("Kontoname"));
    EXPECT_EQ(captionOf("Label1_2"), QStringLiteral("Erster Schlüssel"));
    EXPECT_EQ(captionOf("Label2_0"), QStringLiteral("Zweiter Schlüssel"));
    EXPECT_EQ(captionOf("Frame1_1"), QStringLiteral("Konto wählen"));
    EXPECT_EQ(captionOf("Frame1_0"), QStringLiteral("Account 1"));
    EXPECT_EQ(captionOf("Command1"), QStringLiteral("Sichern"));
    EXPECT_EQ(captionOf("Command2"), QStringLiteral("Ende "));
    EXPECT_EQ(w->nameBox(4)->toolTip(), QStringLiteral("Name tip"));
    EXPECT_EQ(w->keyBox(4, K, 3)->toolTip(), QStringLiteral("first key tip"));
    EXPECT_EQ(w->keyBox(1, D, 0)->toolTip(), QStringLiteral("second key tip"));
    EXPECT_EQ(w->control(QStringLiteral("Label5"))->toolTip(), QStringLiteral("Name tip"));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Account Management"));
}

// --- Keys for the settings file -------------------------------------------------------

TEST_F(AccountWindowTest, SelectedKeysJoinTheBoxesAndGoBackIntoTheStoreLines) {
    writeAccounts(kFourAccounts);
    AccountWindow& w = host->window();
    w.Option2_Click();
    setRow(w, 2, K, {"ABCDE", "FGH", "IJKLM", "NOPQR"});
    setRow(w, 2, D, {"", "12345"});

    const std::optional<AccountCdKeys> keys = host->takeSelectedKeysForSettings();

    ASSERT_TRUE(keys.has_value());
    EXPECT_EQ(keys->korrin, QStringLiteral("ABCDEFGHIJKLMNOPQR"));
    EXPECT_EQ(keys->deepfall, QStringLiteral("12345"));
    EXPECT_EQ(store.Lines[korrinLineIndex(2)], keys->korrin);
    EXPECT_EQ(store.Lines[deepfallLineIndex(2)], keys->deepfall);
    // Only the lines change; the other slots and the records stay.
    EXPECT_EQ(store.Lines[korrinLineIndex(1)], QStringLiteral("AAAAABBBBBCCCCCDDDDD"));
    EXPECT_EQ(store.KorrinKeys[1].Full, QStringLiteral("KKKKKLLLLL"));
}

TEST_F(AccountWindowTest, WithoutSelectionTheSettingsKeepTheirOwnKeys) {
    writeAccounts(kFourAccounts);
    state.startupComplete = false;
    host->window();
    state.startupComplete = true;
    const AccountLines before = store.Lines;

    EXPECT_EQ(host->takeSelectedKeysForSettings(), std::nullopt);
    EXPECT_EQ(store.Lines, before);
    EXPECT_FALSE(host->existingWindow()->isVisible());
}

} // namespace
} // namespace quillset::ui
