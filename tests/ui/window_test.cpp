// What only the widgets can show: values travel between the editor and every
// kind of control, a user's edit marks the window, the enabling rules, the
// commands behind the buttons and menu items, and text boxes that keep to
// one line and never cut a value.

#include "ui/account_window.h"
#include "ui/control_catalogue.h"
#include "ui/window_builder.h"
#include "ui_test_support.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
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
        const auto choices = def.choices();
        int& number = model.numbers[row];
        if (def.kind == KeyKind::Flag || def.kind == KeyKind::WaitRetrace)
            number = variant;
        else if (def.kind == KeyKind::Number)
            number = variant == 0 ? def.min : variant == 1 ? def.max : (def.min + def.max) / 2;
        else if (def.kind == KeyKind::Choice)
            number = variant == 2 ? SettingsModel::kNoChoice
                                  : (variant ? choices.back() : choices.front()).digit - '0';
        else if (def.kind == KeyKind::Text)
            model.texts[row] = variant == 1 ? QString(40000, QLatin1Char('n')) + QLatin1Char(' ')
                                            : QString::number(variant);
    }
    return model;
}

TEST_F(WindowTest, EveryKeyGoesIntoItsControlAndComesBackWhole) {
    for (int variant : {0, 1, 2, 1, 0}) {
        SCOPED_TRACE(variant);
        const SettingsModel model = everyKey(variant);
        w->editor().applyValues(model);
        const SettingsModel shown = ui::readFromControls(controls());
        EXPECT_EQ(shown.numbers, model.numbers);
        EXPECT_TRUE(shown.texts == model.texts);
        EXPECT_EQ(w->editor().values(), model);
    }
    // A typing limit returns with a short value.
    for (const ui::ControlDef& def : ui::controlCatalogue()) {
        if (def.maxLength > 0) {
            EXPECT_EQ(w->control<QLineEdit>(ui::fromCatalogue(def.name))->maxLength(),
                      def.maxLength);
        }
    }
}

// One row per kind of control: what the user does, and whether it marks the
// window changed (the language code is no setting of the game's).
struct UserEdit {
    const char* control;
    void (*edit)(QWidget*);
    bool marks;
};

void click(QWidget* c) {
    qobject_cast<QAbstractButton*>(c)->click();
}

const UserEdit kUserEdits[] = {
    {"fullsc", click, true},
    {"modem", click, true},
    {"sound", click, true},
    {"cl", [](QWidget* c) { qobject_cast<QSlider*>(c)->triggerAction(QSlider::SliderPageStepAdd); },
     true},
    {"stdspn", [](QWidget* c) { QTest::keyClicks(c, QStringLiteral("Abend")); }, true},
    {"Text1", [](QWidget* c) { QTest::keyClicks(c, QStringLiteral("EN")); }, false},
};

class UserEdits : public WindowTest, public ::testing::WithParamInterface<UserEdit> {};

TEST_P(UserEdits, ReachTheEditorAndMarkTheWindow) {
    const SettingsModel before = w->editor().values();
    QWidget* control = w->control(QString::fromLatin1(GetParam().control));
    GetParam().edit(control);
    const SettingsModel shown = ui::readFromControls(controls());
    EXPECT_NE(w->editor().values(), before);
    EXPECT_EQ(w->editor().values().numbers, shown.numbers);
    EXPECT_TRUE(w->editor().values().texts == shown.texts);
    EXPECT_EQ(state.changedFlag, GetParam().marks);
    EXPECT_EQ(w->windowTitle().endsWith(QStringLiteral(" - Changed!")), GetParam().marks);
    if (auto* slider = qobject_cast<QSlider*>(control)) {
        EXPECT_EQ(slider->toolTip(), QStringLiteral(" %1").arg(slider->value()));
    }
}

INSTANTIATE_TEST_SUITE_P(Kinds, UserEdits, ::testing::ValuesIn(kUserEdits),
                         [](const auto& info) { return std::string(info.param.control); });

TEST_F(WindowTest, AdvancedModeAndTheSoundSwitchEnableTheirGroupsOnly) {
    const auto expectEnabled = [this](std::span<const std::string_view> group, bool on) {
        for (std::string_view name : group)
            EXPECT_EQ(w->control(ui::fromCatalogue(name))->isEnabled(), on) << name;
    };
    QAction* item = w->menuItem(u"madvanced");
    auto* sound = w->control<QCheckBox>(u"sound");
    for (bool on : {false, true, false}) { // checked in the design
        item->trigger();
        sound->click();
        EXPECT_EQ(item->isChecked(), on);
        EXPECT_EQ(state.advancedMode, on);
        expectEnabled(ui::advancedGroup(), on);
        expectEnabled(ui::volumeGroup(), !on);
    }
    for (const ui::ControlDef& def : ui::controlCatalogue()) {
        if (std::ranges::count(ui::advancedGroup(), def.name) +
                std::ranges::count(ui::volumeGroup(), def.name) ==
            0) {
            EXPECT_TRUE(w->control(ui::fromCatalogue(def.name))->isEnabled()) << def.name;
        }
    }
}

// Pasted, set from code or by a screen reader: a box keeps the text before
// the first line break (leading ones skipped), in both windows.
TEST_F(WindowTest, EverySingleLineBoxCutsTextAtItsFirstLineBreak) {
    QList<QLineEdit*> boxes = w->findChildren<QLineEdit*>();
    boxes += w->accounts().window().findChildren<QLineEdit*>();
    ASSERT_GT(boxes.size(), 6);
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
    EXPECT_TRUE(w->editor().values().texts == ui::readFromControls(controls()).texts);
}

// One row per button and menu item that asks something once there are
// unsaved changes: the question (none: a notice of the program's own).
struct Command {
    const char* name;
    bool menuItem;
    std::optional<KeptTextId> question;
    Dialogs::Answer answer;
};

// clang-format off
const Command kCommands[] = {
    {"oeffnen",              false, kept::unsavedChangesQuestion,   Dialogs::Answer::Cancel},
    {"mopen",                true,  kept::unsavedChangesQuestion,   Dialogs::Answer::Cancel},
    {"speichern",            false, kept::saveOverCurrentQuestion,  Dialogs::Answer::Ok},
    {"mSave",                true,  kept::saveOverCurrentQuestion,  Dialogs::Answer::Ok},
    {"exitbtn",              false, kept::unsavedChangesQuestion,   Dialogs::Answer::No},
    {"mquit",                true,  kept::unsavedChangesQuestion,   Dialogs::Answer::No},
    {"mcreate_standard_cfg", true,  kept::standardSettingsQuestion, Dialogs::Answer::Cancel},
    {"mcreate_backup",       true,  kept::backupNotice,             Dialogs::Answer::Ok},
    {"use_xp_style",         true,  std::nullopt,                   Dialogs::Answer::Ok},
};
// clang-format on

class Commands : public WindowTest, public ::testing::WithParamInterface<Command> {};

TEST_P(Commands, RunTheirEditorCommand) {
    const Command& c = GetParam();
    writeBytes(program.file(QStringLiteral("Quillset.exe.Manifest")), "m");
    start();
    w->editor().markChanged();
    dialogs.shown.clear();
    dialogs.answer(c.answer);
    if (c.menuItem)
        w->menuItem(QString::fromLatin1(c.name))->trigger();
    else
        w->control<QPushButton>(QString::fromLatin1(c.name))->click();
    ASSERT_FALSE(dialogs.shown.empty());
    const QString text = dialogs.shown.front().text;
    EXPECT_FALSE(text.isEmpty());
    EXPECT_TRUE(!c.question || text.startsWith(w->editor().languageTable().text(*c.question)));
}

INSTANTIATE_TEST_SUITE_P(Rows, Commands, ::testing::ValuesIn(kCommands),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace quillset::test
