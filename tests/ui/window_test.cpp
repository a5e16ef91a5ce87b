// What only the widgets can show: values travel between the editor and every
// settings control, a user's edit of any of them marks the window, the
// enabling rules, the commands behind buttons and menu items, and text boxes
// that keep to one line and never cut a value.

#include "ui/account_window.h"
#include "ui/control_catalogue.h"
#include "ui/window_builder.h"
#include "ui_test_support.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QSlider>
#include <QTest>
#include <optional>

namespace quillset::test {
namespace {

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

void expectControlsShow(const SettingsModel& values, const ui::ControlMap& controls) {
    const SettingsModel shown = ui::readFromControls(controls);
    EXPECT_EQ(shown.numbers, values.numbers);
    EXPECT_TRUE(shown.texts == values.texts);
}

TEST_F(WindowTest, EveryKeyGoesIntoItsControlAndComesBackWhole) {
    for (int variant : {0, 1, 2, 1, 0}) {
        SCOPED_TRACE(variant);
        w->editor().applyValues(everyKey(variant));
        EXPECT_EQ(w->editor().values(), everyKey(variant));
        expectControlsShow(everyKey(variant), controls());
    }
    // With a short value, the typing limit is back.
    for (const ui::ControlDef& def : ui::controlCatalogue()) {
        if (def.maxLength > 0) {
            EXPECT_EQ(w->control<QLineEdit>(ui::fromCatalogue(def.name))->maxLength(),
                      def.maxLength);
        }
    }
}

// The language code is no setting of the game's: its edit marks nothing.
TEST_F(WindowTest, EveryUserEditReachesTheEditorAndMarksTheWindow) {
    const ui::ControlMap map = controls();
    for (int row = 0; row < kKeyCount; ++row) {
        QWidget* control = ui::boundControl(map, row);
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
            QTest::keyClicks(control, QStringLiteral("7"));
        else if (auto* button = qobject_cast<QAbstractButton*>(control))
            button->click();
        else // an option group: its last button
            control->findChildren<QAbstractButton*>().back()->click();
        EXPECT_NE(w->editor().values(), before);
        expectControlsShow(w->editor().values(), map);
        const bool marks = keyCatalogue()[row].name() != QLatin1String("LANGUAGE");
        EXPECT_EQ(state.changedFlag, marks);
        EXPECT_EQ(w->windowTitle() == QStringLiteral(" - Changed!"), marks);
        EXPECT_TRUE(!slider || slider->toolTip() == QStringLiteral(" %1").arg(slider->value()));
    }
}

TEST_F(WindowTest, AdvancedModeAndTheSoundSwitchEnableTheirGroupsOnly) {
    QAction* item = w->menuItem(u"madvanced");
    for (bool on : {false, true, false}) { // the design has advanced mode on, sound off
        item->trigger();
        w->control<QAbstractButton>(u"sound")->click();
        EXPECT_EQ(std::pair(item->isChecked(), state.advancedMode), std::pair(on, on));
        for (const ui::ControlDef& def : ui::controlCatalogue()) {
            const bool advanced = std::ranges::count(ui::advancedGroup(), def.name);
            const bool volume = std::ranges::count(ui::volumeGroup(), def.name);
            EXPECT_EQ(w->control(ui::fromCatalogue(def.name))->isEnabled(), advanced ? on
                                                                            : volume ? !on
                                                                                     : true)
                << def.name;
        }
    }
}

// Pasted, set from code or by a screen reader: a box keeps the text before
// the first line break (leading ones skipped), in both windows.
TEST_F(WindowTest, EverySingleLineBoxCutsTextAtItsFirstLineBreak) {
    QList<QLineEdit*> boxes = w->findChildren<QLineEdit*>();
    boxes += w->accounts().window().findChildren<QLineEdit*>();
    for (QLineEdit* box : boxes) {
        SCOPED_TRACE(box->objectName().toStdString());
        QGuiApplication::clipboard()->setText(QStringLiteral("ab\r\nXY : 0"));
        box->selectAll();
        box->paste();
        EXPECT_EQ(box->text(), QStringLiteral("ab"));
        QAccessible::queryAccessibleInterface(box)->setText(QAccessible::Value,
                                                            QStringLiteral("\nba\nXY"));
        EXPECT_EQ(box->text(), QStringLiteral("ba"));
        box->setText(QStringLiteral("c\rXY"));
        EXPECT_EQ(box->text(), QStringLiteral("c"));
    }
    EXPECT_GT(boxes.size(), 6);
    expectControlsShow(w->editor().values(), controls());
}

// Each button and menu item that asks something once there are unsaved
// changes, and its question (none: a notice of the program's own).
struct Command {
    const char* name;
    std::optional<KeptTextId> question;
    Dialogs::Answer answer;
};

// clang-format off
const Command kCommands[] = {
    {"oeffnen",              kept::unsavedChangesQuestion,   Dialogs::Answer::Cancel},
    {"mopen",                kept::unsavedChangesQuestion,   Dialogs::Answer::Cancel},
    {"speichern",            kept::saveOverCurrentQuestion,  Dialogs::Answer::Ok},
    {"mSave",                kept::saveOverCurrentQuestion,  Dialogs::Answer::Ok},
    {"exitbtn",              kept::unsavedChangesQuestion,   Dialogs::Answer::No},
    {"mquit",                kept::unsavedChangesQuestion,   Dialogs::Answer::No},
    {"mcreate_standard_cfg", kept::standardSettingsQuestion, Dialogs::Answer::Cancel},
    {"mcreate_backup",       kept::backupNotice,             Dialogs::Answer::Ok},
    {"use_xp_style",         std::nullopt,                   Dialogs::Answer::Ok},
};
// clang-format on

class Commands : public WindowTest, public ::testing::WithParamInterface<Command> {};

TEST_P(Commands, RunTheirEditorCommand) {
    const Command& c = GetParam();
    // Both manifests: the style item is enabled, and a click renames nothing.
    for (const char* manifest : {"Quillset.exe.Manifest", "Quillset.exe.Manifest_"})
        writeBytes(program.file(QLatin1String(manifest)), "m");
    start();
    w->editor().markChanged();
    dialogs.shown.clear();
    dialogs.answer(c.answer);
    if (auto* button = w->control<QAbstractButton>(QString::fromLatin1(c.name)))
        button->click();
    else
        w->menuItem(QString::fromLatin1(c.name))->trigger();
    ASSERT_FALSE(dialogs.shown.empty());
    const QString text = dialogs.shown.front().text;
    EXPECT_FALSE(text.isEmpty());
    EXPECT_TRUE(!c.question || text.startsWith(w->editor().languageTable().text(*c.question)));
    EXPECT_FALSE(w->menuItem(u"use_xp_style")->isChecked());
}

INSTANTIATE_TEST_SUITE_P(Rows, Commands, ::testing::ValuesIn(kCommands),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace quillset::test
