// What only the widgets can show, checked against the windows' own tables:
// values travel between the editor and every settings control, a user's edit
// marks the window, the commands behind buttons and menu items, single-line
// boxes, the Account window's boxes and selection.

#include "window_fixture.h"

namespace quillset::test {
namespace {

// ---- Values and the change mark --------------------------------------------------

// Values for every key: each end of its range (variants 0 and 1), or between
// with no option on; texts longer than any typing limit, trailing blank kept.
SettingsModel everyKey(int variant) {
    SettingsModel model = SettingsModel::cleared();
    for (int row = 0; row < kKeyCount; ++row) {
        const KeyDef& def = keyCatalogue()[row];
        int& number = model.numbers[row];
        if (def.kind == KeyKind::Flag || def.kind == KeyKind::WaitRetrace)
            number = variant;
        else if (def.kind == KeyKind::Number)
            number = variant == 0 ? def.min : variant == 1 ? def.max : (def.min + def.max) / 2;
        else if (def.kind == KeyKind::Choice)
            number = variant == 2 ? SettingsModel::kNoChoice
                                  : def.choices()[variant ? def.buttonCount - 1 : 0].digit - '0';
        else if (def.kind == KeyKind::Text)
            model.texts[row] = variant == 1 ? QString(40000, QLatin1Char('n')) + QLatin1Char(' ')
                                            : QString::number(variant);
    }
    return model;
}

TEST_F(WindowTest, EveryKeyGoesIntoItsControlAndComesBackWhole) {
    for (int variant : {0, 1, 2, 1, 0}) {
        SCOPED_TRACE(variant);
        w->editor().applyValues(everyKey(variant));
        EXPECT_EQ(w->editor().values(), everyKey(variant));
        expectControlsShow(everyKey(variant));
    }
    // With a short value, the typing limit is back.
    for (const ui::ControlDef& def : ui::controlCatalogue())
        EXPECT_TRUE(!def.maxLength ||
                    w->control<QLineEdit>(name(def.name))->maxLength() == def.maxLength)
            << def.name;
}

// The language code is no setting of the game's: its edit marks nothing.
TEST_F(WindowTest, EveryUserEditReachesTheEditorAndMarksTheWindow) {
    for (int row = 0; row < kKeyCount; ++row) {
        QWidget* control = w->control(QString(keyCatalogue()[row].controlName()));
        if (!control)
            continue;
        SCOPED_TRACE(keyCatalogue()[row].key);
        state.changedFlag = false;
        w->editor().showBaseTitle();
        const SettingsModel before = w->editor().values();
        auto* slider = qobject_cast<QSlider*>(control);
        if (slider)
            slider->triggerAction(QSlider::SliderPageStepAdd);
        else if (qobject_cast<QLineEdit*>(control))
            QTest::keyClicks(control, u"7"_s);
        else if (auto* button = qobject_cast<QAbstractButton*>(control))
            button->click();
        else // an option group: its last button
            control->findChildren<QAbstractButton*>().back()->click();
        EXPECT_NE(w->editor().values(), before);
        expectControlsShow(w->editor().values());
        const bool marks = keyCatalogue()[row].name() != "LANGUAGE"_L1;
        EXPECT_EQ(std::pair(state.changedFlag, w->windowTitle() == u" - Changed!"_s),
                  std::pair(marks, marks));
        EXPECT_TRUE(!slider || slider->toolTip() == u" %1"_s.arg(slider->value()));
    }
}

// Pasted or set by a screen reader: a box keeps the text before the first
// line break (leading ones skipped), in both windows.
TEST_F(WindowTest, EverySingleLineBoxCutsTextAtItsFirstLineBreak) {
    const auto boxes =
        w->findChildren<QLineEdit*>() + w->accounts().window().findChildren<QLineEdit*>();
    for (QLineEdit* box : boxes) {
        SCOPED_TRACE(box->objectName().toStdString());
        QGuiApplication::clipboard()->setText(u"ab\r\nXY : 0"_s);
        box->selectAll();
        box->paste();
        EXPECT_EQ(box->text(), u"ab"_s);
        QAccessible::queryAccessibleInterface(box)->setText(QAccessible::Value, u"\nba\nXY"_s);
        EXPECT_EQ(box->text(), u"ba"_s);
    }
    EXPECT_GT(boxes.size(), 6);
    expectControlsShow(w->editor().values());
}

// ---- Commands ----------------------------------------------------------------------

// Each button and menu item that asks something once there are unsaved
// changes, and its question (none: a notice of the program's own). Every
// question is answered No, every file dialog cancelled.
using Command = std::pair<const char*, std::optional<KeptTextId>>;

// clang-format off
const Command kCommands[] = {
    {"oeffnen",              kept::unsavedChangesQuestion},
    {"mopen",                kept::unsavedChangesQuestion},
    {"speichern",            kept::saveOverCurrentQuestion},
    {"mSave",                kept::saveOverCurrentQuestion},
    {"exitbtn",              kept::unsavedChangesQuestion},
    {"mquit",                kept::unsavedChangesQuestion},
    {"mcreate_standard_cfg", kept::standardSettingsQuestion},
    {"mcreate_backup",       kept::backupNotice},
    {"use_xp_style",         std::nullopt},
};
// clang-format on

class Commands : public WindowTest, public ::testing::WithParamInterface<Command> {};

TEST_P(Commands, RunTheirEditorCommand) {
    // Both manifests: the style item is enabled, and a click renames nothing.
    for (const char* manifest : {"Quillset.exe.Manifest", "Quillset.exe.Manifest_"})
        writeBytes(program.file(QLatin1String(manifest)), "m");
    start();
    w->editor().markChanged();
    dialogs.answer(Dialogs::Answer::No);
    dialogs.choose(QString());
    const auto& [command, question] = GetParam();
    QObject* target = w->findChild<QObject*>(QString::fromLatin1(command)); // button or item
    QMetaObject::invokeMethod(target, qobject_cast<QAction*>(target) ? "trigger" : "click");
    ASSERT_FALSE(dialogs.shown.empty());
    const QString text = dialogs.shown.front().text;
    EXPECT_TRUE(!text.isEmpty() &&
                (!question || text.startsWith(w->editor().languageTable().text(*question))));
    EXPECT_FALSE(w->menuItem(u"use_xp_style")->isChecked());
}

INSTANTIATE_TEST_SUITE_P(Rows, Commands, ::testing::ValuesIn(kCommands),
                         [](const auto& info) { return std::string(info.param.first); });

// ---- The Account window ------------------------------------------------------------

// Each key is cut into its four boxes (the last takes the rest) and joined
// again; the selection shows, the close box ends it.
TEST_F(WindowTest, AccountBoxesCarryTheKeysAndTheSelection) {
    Accounts typed;
    typed[0] = {"Ada", "ABCDE-FGHIJ-KLMNO-PQRST-U", "ABCDEFG"};
    typed[2] = {QString(40, QLatin1Char('n')), "", "AAAAABBBBBCCCCCDDDDD"};
    typed[3] = {"Last", "", "Z"};
    accounts().showAccounts(typed);
    ui::AccountWindow& window = accounts().window();
    EXPECT_EQ(keyBoxes(1, KeyRow::Korrin), QStringList({"ABCDE", "-FGHI", "J-KLM", "NO-PQRST-U"}));
    EXPECT_EQ(keyBoxes(1, KeyRow::Deepfall), QStringList({"ABCDE", "FG", "", ""}));
    EXPECT_EQ(keyBoxes(3, KeyRow::Deepfall), QStringList({"AAAAA", "BBBBB", "CCCCC", "DDDDD"}));
    EXPECT_EQ(accounts().typedAccounts(), typed);

    window.optionButton(3)->click();
    expectSelected(3);
    window.close();
    EXPECT_EQ(accounts().existingWindow(), nullptr);
    EXPECT_EQ(w->editor().accountStore().selectedSlot, std::nullopt);
    EXPECT_FALSE(accounts().window().slotFrame(3)->hasBorder()) << "a new window marks no slot";
}

const Account kDemo{"Wanderer", "DEMO1DEMO2DEMO3DEMO4", "XPAN1XPAN2XPAN3XPAN4"}; // the demo's

// Without an account file the menu seeds slot 1 from the settings; opening
// selects the last slot named exactly like the account, else keeps the selection.
TEST_F(WindowTest, TheAccountMenuSeedsSlotOneOnlyWithoutAFileAndSelectsByName) {
    // clang-format off
    const struct { std::array<const char*, 4> names; std::optional<int> selected; } rows[] = {
        {{"Bob", "Wanderer", "Cy", "Wanderer"}, 4},
        {{"Wanderer", "wanderer", "Wanderer ", ""}, 1},
        {{"wanderer", "Bob", "", "Cy"}, 1},
    };
    // clang-format on
    start();
    w->editor().manageAccounts();
    EXPECT_TRUE(accounts().window().isVisible());
    EXPECT_EQ(accounts().typedAccounts()[0], kDemo);
    expectSelected(1);
    EXPECT_FALSE(QFile::exists(accountsFile())) << "written only by the window's Save";
    writeBytes(accountsFile(), "Bob\r\n");
    for (const auto& row : rows) {
        for (int slot = 1; slot <= kAccountSlotCount; ++slot)
            store().account(slot).name = QLatin1String(row.names[slot - 1]);
        w->editor().manageAccounts();
        EXPECT_EQ(accounts().typedAccounts()[0].name, row.names[0]) << "a file is never reseeded";
        expectSelected(row.selected);
    }
}

// Boxes are filled as typing would fill them; Close keeps what they hold.
TEST_F(WindowTest, SettingsTakeTheSelectedSlotsTypedKeysElseTheFilesOwn) {
    writeBytes(accountsFile(), "Wanderer\r\nADAKEY1\r\nADAKEY2\r\n");
    start();
    // Loaded hidden at start-up and never used: no window is shown for it.
    EXPECT_EQ(savedKeys(), QStringList({"NETWORK_CDKEY : DEMO1DEMO2DEMO3DEMO4",
                                        "NETWORK_CDKEY2 : XPAN1XPAN2XPAN3XPAN4"}));
    EXPECT_FALSE(accounts().existingWindow() && accounts().existingWindow()->isVisible());

    w->editor().manageAccounts();
    Accounts typed = accounts().typedAccounts();
    typed[0] = {"unsaved name", "TYPED", ""};
    accounts().showAccounts(typed);
    click(u"Command2"_s); // Close
    const QStringList typedKeys{"NETWORK_CDKEY : TYPED", "NETWORK_CDKEY2 : "};
    EXPECT_EQ(savedKeys(), typedKeys);
    EXPECT_EQ(store().account(1), (Account{"Wanderer", "TYPED", ""})) << "the keys are stored back";
    w->editor().manageAccounts();
    EXPECT_EQ(accounts().typedAccounts()[0], store().account(1)) << "reopened: the stored keys";

    // After the close box the next use loads the window again: shown and
    // selected by name.
    accounts().window().close();
    EXPECT_EQ(savedKeys(), typedKeys);
    EXPECT_TRUE(accounts().window().isVisible());
    expectSelected(1);
}

// A failed save says why and keeps everything as it was; a good one writes
// the boxes, hides the window and hands the selected name over, even empty.
TEST_F(WindowTest, AccountSaveWritesTheBoxesOrSaysWhyNot) {
    // clang-format off
    const struct { QString key; QString reason; } rows[] = {
        {"SECRET\u00FF\u4E2D", "the Korrin CD key of account 2 holds characters that this file cannot store"},
        {"ABCDE-FGHIJ-KLMNO-PQRST-U", {}},
    };
    // clang-format on
    start();
    w->editor().manageAccounts();
    const Accounts before = store().accounts;
    for (const auto& row : rows) {
        dialogs.shown.clear();
        Accounts typed = accounts().typedAccounts();
        typed[1] = {"", row.key, "NEWKEY"};
        accounts().showAccounts(typed);
        accounts().window().optionButton(2)->click();
        click(u"Command1"_s); // Save

        const bool saved = row.reason.isEmpty();
        EXPECT_EQ(dialogs.shown.size(), saved ? 0u : 1u);
        for (const auto& s : dialogs.shown)
            EXPECT_EQ(s.title + s.text,
                      programTitle() +
                          u"The accounts were not saved: %1 could not be written (%2)."_s.arg(
                              QDir::toNativeSeparators(accountsFile()), row.reason));
        EXPECT_EQ(accounts().window().isVisible(), !saved);
        EXPECT_EQ(store().accounts, saved ? typed : before);
        EXPECT_EQ(w->editor().values().texts[keyIndex("NETWORK_LOBBYLOGIN"_L1)],
                  saved ? "" : "Wanderer");
    }
    EXPECT_EQ(readBytes(accountsFile()),
              "Wanderer\r\nDEMO1DEMO2DEMO3DEMO4\r\nXPAN1XPAN2XPAN3XPAN4\r\n\r\nABCDE-FGHIJ-"
              "KLMNO-PQRST-U\r\nNEWKEY\r\n" +
                  QByteArray("\r\n").repeated(6));
}

} // namespace
} // namespace quillset::test
