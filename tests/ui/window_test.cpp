// What only the widgets can show, checked against the windows' own tables:
// values travel between the editor and every settings control, a user's edit
// marks the window, each button and menu item runs its own command,
// single-line boxes, the Account window's boxes and selection.

#include "shell/visual_style.h"
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
            number =
                variant == 2 ? kNoChoice : def.choices()[variant ? def.digitCount - 1 : 0] - '0';
        else if (def.kind == KeyKind::Text)
            model.texts[row] = variant == 1 ? QString(40000, QLatin1Char('n')) + QLatin1Char(' ')
                                            : QString::number(variant);
    }
    return model;
}

TEST_F(WindowTest, EveryKeyGoesIntoItsControlAndComesBackWhole) {
    for (int variant : {0, 1, 2, 1, 0}) {
        SCOPED_TRACE(variant);
        editor.settings().applyValues(everyKey(variant));
        EXPECT_EQ(values(), everyKey(variant));
        expectControlsShow(everyKey(variant));
    }
    // With a short value, the key's typing limit is back.
    for (int row = 0; row < kKeyCount; ++row) {
        const KeyDef& key = keyCatalogue()[row];
        auto* box = w->control<QLineEdit>(ui::fromCatalogue(ui::controlOfKey(row)));
        EXPECT_TRUE(!box || !key.typingLimit || box->maxLength() == key.typingLimit) << key.key;
    }
}

// The language code is no setting of the game's: its edit marks nothing.
TEST_F(WindowTest, EveryUserEditReachesTheEditorAndMarksTheWindow) {
    for (int row = 0; row < kKeyCount; ++row) {
        QWidget* control = w->control(ui::fromCatalogue(ui::controlOfKey(row)));
        if (!control)
            continue;
        SCOPED_TRACE(keyCatalogue()[row].key);
        editor.settings().clearMark();
        const SettingsModel before = values();
        auto* slider = qobject_cast<QSlider*>(control);
        if (slider)
            slider->triggerAction(QSlider::SliderPageStepAdd);
        else if (qobject_cast<QLineEdit*>(control))
            QTest::keyClicks(control, u"7"_s);
        else if (auto* button = qobject_cast<QAbstractButton*>(control))
            button->click();
        else // an option group: its last button
            control->findChildren<QAbstractButton*>().back()->click();
        EXPECT_NE(values(), before);
        expectControlsShow(values());
        const bool marks = keyCatalogue()[row].name() != "LANGUAGE"_L1;
        EXPECT_EQ(std::pair(editor.settings().isChanged(), w->windowTitle() == u" - Changed!"_s),
                  std::pair(marks, marks));
        EXPECT_TRUE(!slider || slider->toolTip() == u" %1"_s.arg(slider->value()));
    }
    // The volume sliders follow the sound switch.
    editor.settings().setNumber(rowOf("SOUND"), 0);
    EXPECT_FALSE(w->control(u"musicvol"_s)->isEnabled());
}

// Pasted or set by a screen reader: a box keeps the text before the first
// line break (leading ones skipped), in both windows, and reports that text.
TEST_F(WindowTest, EverySingleLineBoxCutsTextAtItsFirstLineBreak) {
    const auto boxes = w->findChildren<QLineEdit*>() + accountWindow().findChildren<QLineEdit*>();
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
    expectControlsShow(values());
    EXPECT_EQ(editor.accounts().typed()[3].deepfallKey[3], u"ba"_s) << "and the account's";
}

// ---- Commands ----------------------------------------------------------------------

// What a button or menu item does with unsaved changes when every question
// is answered No and every file dialog cancelled: the dialogs it shows, each
// as "<buttons> <title>: <text>" or "save <title>" (each text by its first
// word: the language file's own texts name themselves, "M2" is [Messages]
// entry 2), and what it leaves.
enum class After { Unmarked, Marked, Ending, AccountWindow, AdvancedMode, AboutWindow };

struct Command {
    const char* name;
    QStringList shown;
    After after;
};

// clang-format off
const Command kCommands[] = {
    {"oeffnen",              {"OkCancel Quillset: M2"},            After::Unmarked},
    {"mopen",                {"OkCancel Quillset: M2"},            After::Unmarked},
    {"speichern",            {"OkCancel Quillset: M9", "save C1"}, After::Marked},
    {"mSave",                {"OkCancel Quillset: M9", "save C1"}, After::Marked},
    {"exitbtn",              {"YesNo C3: M2"},                     After::Ending},
    {"mquit",                {"YesNo C3: M2"},                     After::Ending},
    {"mcreate_standard_cfg", {"OkCancel Quillset: M5"},            After::Marked},
    {"mcreate_backup",       {"Ok Quillset: M4"},                  After::Marked},
    {"use_xp_style",         {"Ok Quillset: M24"},                 After::Marked},
    {"maccmanage",           {},                                   After::AccountWindow},
    {"madvanced",            {},                                   After::AdvancedMode},
    {"mabout",               {},                                   After::AboutWindow},
};
// clang-format on

class Commands : public WindowTest, public ::testing::WithParamInterface<Command> {};

TEST_P(Commands, EachButtonAndMenuItemRunsItsOwnCommand) {
    // Both manifests: the style item is enabled, and a click renames nothing.
    for (const char* manifest : {"Quillset.exe.Manifest", "Quillset.exe.Manifest_"})
        writeBytes(program.file(QLatin1String(manifest)), "m");
    start(nullptr);
    editor.settings().markChanged();
    for (int i = 0; i < 3; ++i) {
        dialogs.answer(Dialogs::Answer::No);
        dialogs.choose(QString());
    }
    const Command& c = GetParam();
    QObject* target = w->findChild<QObject*>(QString::fromLatin1(c.name)); // button or item
    QMetaObject::invokeMethod(target, qobject_cast<QAction*>(target) ? "trigger" : "click");

    static const char* const kButtons[] = {"Ok", "OkCancel", "YesNo", "YesNoCancel"};
    const auto id = [](const QString& text) { return text.section(u' ', 0, 0); };
    QStringList shown;
    for (const auto& s : dialogs.shown)
        shown << (s.kind == ScriptedDialogs::Shown::Kind::Message
                      ? u"%1 %2: %3"_s.arg(QLatin1String(kButtons[int(s.buttons)]), id(s.title),
                                           id(s.text))
                      : u"save "_s + s.title);
    EXPECT_EQ(shown, c.shown);
    const auto* about = w->findChild<ui::AboutWindow*>();
    const auto* accounts = w->findChild<ui::AccountWindow*>();
    const After after = editor.context().isEnding()              ? After::Ending
                        : about && about->isVisible()            ? After::AboutWindow
                        : accounts && accounts->isVisible()      ? After::AccountWindow
                        : w->menuItem(u"madvanced")->isChecked() ? After::AdvancedMode
                        : editor.settings().isChanged()          ? After::Marked
                                                                 : After::Unmarked;
    EXPECT_EQ(after, c.after);
    EXPECT_FALSE(w->menuItem(u"use_xp_style")->isChecked()) << "the editor owns the check mark";
}

INSTANTIATE_TEST_SUITE_P(Rows, Commands, ::testing::ValuesIn(kCommands), rowName);

// The style item renames the manifest each way, asks for a restart and shows
// the look the next start will have.
TEST_F(WindowTest, TheStyleItemSwitchesTheManifestAndShowsTheSwitch) {
    const ManifestPaths paths = ManifestPaths::in(program.path());
    writeBytes(paths.active, "m");
    start();
    for (const bool checked : {false, true}) {
        w->menuItem(u"use_xp_style")->trigger();
        EXPECT_EQ(std::tuple(w->menuItem(u"use_xp_style")->isChecked(),
                             QFileInfo::exists(paths.active), QFileInfo::exists(paths.parked)),
                  std::tuple(checked, checked, !checked));
    }
    for (const auto& s : dialogs.shown)
        EXPECT_EQ(s.text, u"Please restart the program!"_s);
    EXPECT_EQ(dialogs.shown.size(), 2u);
}

// ---- The Account window ------------------------------------------------------------

// The boxes show the session's accounts, each key in its four groups, and
// report every edit; the option buttons select and the selection shows; Save
// and Close are wired; the close box unloads the window.
TEST_F(WindowTest, AccountBoxesShowTheSessionAndReportEditsAndTheSelection) {
    start();
    editor.menu().manageAccounts(); // no accounts.cfg: slot 1 is the demo's account
    ui::AccountWindow& window = accountWindow();
    ASSERT_TRUE(window.isVisible());
    QStringList shown;
    for (int i = 0; i < kKeyGroupCount; ++i)
        shown << accountControl<QLineEdit>(ui::keyBoxName(1, AccountBox::DeepfallKey, i))->text();
    EXPECT_EQ(shown, QStringList({"XPAN1", "XPAN2", "XPAN3", "XPAN4"}));

    QTest::keyClicks(accountControl(ui::nameBoxName(1)), u"!"_s);
    auto* group = accountControl<QLineEdit>(ui::keyBoxName(1, AccountBox::KorrinKey, 2));
    group->clear();
    QTest::keyClicks(group, u"ABCDEFG"_s); // the box stops typing at five
    EXPECT_EQ(editor.accounts().typed()[0].joined(),
              (Account{"Wanderer!", "DEMO1DEMO2ABCDEDEMO4", "XPAN1XPAN2XPAN3XPAN4"}));

    accountControl<QRadioButton>(ui::optionButtonName(3))->click();
    EXPECT_EQ(editor.accounts().store().selectedSlot, 3);
    for (int slot = 1; slot <= kAccountSlotCount; ++slot)
        for (const bool on :
             {accountControl<QRadioButton>(ui::optionButtonName(slot))->isChecked(),
              accountControl<ui::FrameBox>(ui::slotFrameName(slot))->hasBorder(),
              accountControl(ui::nameBoxName(slot))->isEnabled(),
              accountControl(ui::keyBoxName(slot, AccountBox::DeepfallKey, 3))->isEnabled()})
            EXPECT_EQ(on, slot == 3) << slot;
    accountControl<QPushButton>(u"Command2"_s)->click(); // Close: edits kept, unsaved
    EXPECT_FALSE(window.isVisible() || editor.accounts().isWindowShown());
    EXPECT_EQ(editor.accounts().typed()[0].name, u"Wanderer!"_s);
    editor.menu().manageAccounts();
    accountControl<QPushButton>(u"Command1"_s)->click(); // Save
    EXPECT_TRUE(readBytes(program.file(u"accounts.cfg"_s)).startsWith("Wanderer\r\n"));

    window.close();
    EXPECT_EQ(w->findChild<ui::AccountWindow*>(), &window) << "deleted later";
    EXPECT_EQ(editor.accounts().store().selectedSlot, std::nullopt);
    EXPECT_FALSE(accountControl<ui::FrameBox>(ui::slotFrameName(1))->hasBorder())
        << "a new window marks no slot";
}

} // namespace
} // namespace quillset::test
