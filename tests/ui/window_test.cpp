// What only the widgets can show, checked against the windows' own tables:
// values travel between the editor and every settings control, a user's edit
// marks the window, the enabling rules, the commands behind buttons and menu
// items, single-line boxes, the Account window's boxes and selection; and the
// windows as their catalogues design them: built under their names, without
// overlaps, texts that fit, named Tab stops in the catalogue's order.

#include "accounts/qstring_printer.h"
#include "lang/language_loader.h"
#include "support/scripted_dialogs.h"
#include "test_support.h"
#include "ui/about_window.h"
#include "ui/account_window.h"
#include "ui/options_window.h"
#include "ui/qt_dialogs.h"
#include "ui/settings_binding.h"
#include "ui/widget_text.h"

#include <QtTest>
#include <QtWidgets>
#include <gtest/gtest.h>
#include <optional>

namespace quillset::test {
namespace {

using namespace Qt::StringLiterals;

using ui::KeyRow;

constexpr auto name = &ui::fromCatalogue;

QString spokenName(QWidget* widget) {
    return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
}

// An Options window as the program builds it; start() runs start-up in a
// program folder of its own with a shipped language file and the demo settings.
class WindowTest : public ::testing::Test {
protected:
    void start(const char* languageFile = "language.de.lng") {
        ASSERT_TRUE(QDir::setCurrent(current.path())); // debug.log goes here
        const QString resources = QStringLiteral(QUILLSET_SOURCE_DIR "/resources/");
        QFile::copy(resources + u"lang/"_s + QLatin1String(languageFile),
                    program.file(u"language.lng"_s));
        for (const char* file : {"settings.cfg", "settings.bck"})
            QFile::copy(resources + u"demo/settings.cfg"_s, program.file(QLatin1String(file)));
        state.programDir = program.path();
        ASSERT_EQ(w->editor().start(), Editor::StartupResult::Running);
    }
    void TearDown() override {
        QDir::setCurrent(previousFolder);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    // The controls show the values, key by key.
    void expectControlsShow(const SettingsModel& values) const {
        ui::ControlMap controls;
        for (QWidget* control : w->centralWidget()->findChildren<QWidget*>())
            controls.insert(control->objectName(), control);
        const SettingsModel shown = ui::readFromControls(controls);
        EXPECT_TRUE(shown.numbers == values.numbers && shown.texts == values.texts);
    }
    ui::AccountWindowHost& accounts() { return w->accounts(); }
    AccountStore& store() { return w->editor().accountStore(); }
    QString accountsFile() const { return program.file(u"accounts.cfg"_s); }
    // The selection in the editor and as the window shows it: the slot's
    // option button, frame border and boxes.
    void expectSelected(std::optional<int> selected) {
        EXPECT_EQ(store().selectedSlot, selected);
        ui::AccountWindow& window = accounts().window();
        for (int slot = 1; slot <= kAccountSlotCount; ++slot) {
            const bool on = slot == selected;
            EXPECT_EQ(std::tuple(window.optionButton(slot)->isChecked(),
                                 window.slotFrame(slot)->hasBorder(),
                                 window.nameBox(slot)->isEnabled(),
                                 window.keyBox(slot, KeyRow::Deepfall, 3)->isEnabled()),
                      std::tuple(on, on, on, on))
                << slot;
        }
    }
    void click(const QString& button) {
        static_cast<QAbstractButton*>(accounts().window().control(button))->click();
    }
    // The CD keys a settings file written now gets.
    QStringList savedKeys() {
        const QString path = current.file(u"settings.cfg"_s);
        EXPECT_TRUE(w->editor().writeSettings(path));
        return QString::fromLatin1(readBytes(path))
            .split(u"\r\n"_s)
            .filter(QRegularExpression(u"^NETWORK_CDKEY2? "_s));
    }
    QStringList keyBoxes(int slot, KeyRow row) {
        QStringList texts;
        for (int i = 0; i < kKeyGroupCount; ++i)
            texts << w->accounts().window().keyBox(slot, row, i)->text();
        return texts;
    }

    TempFolder program, current;
    const QString previousFolder = QDir::currentPath();
    AppState state;
    ScriptedDialogs dialogs;
    std::unique_ptr<ui::OptionsWindow> w = std::make_unique<ui::OptionsWindow>(state, dialogs);
};

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

TEST_F(WindowTest, AdvancedModeAndTheSoundSwitchEnableTheirGroupsOnly) {
    QAction* item = w->menuItem(u"madvanced");
    for (bool on : {false, true, false}) { // the design has advanced mode on, sound off
        item->trigger();
        w->control<QAbstractButton>(u"sound")->click();
        EXPECT_EQ(std::pair(item->isChecked(), state.advancedMode), std::pair(on, on));
        for (const ui::ControlDef& def : ui::controlCatalogue()) {
            const bool advanced = std::ranges::count(ui::advancedGroup(), def.name);
            const bool volume = std::ranges::count(ui::volumeGroup(), def.name);
            EXPECT_EQ(w->control(name(def.name))->isEnabled(), advanced ? on : !(volume && on))
                << def.name;
        }
    }
}

// Pasted, set from code or by a screen reader: a box keeps the text before
// the first line break (leading ones skipped), in both windows.
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
        box->setText(u"c\rXY"_s);
        EXPECT_EQ(box->text(), u"c"_s);
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
    accounts().showAccounts(typed);
    ui::AccountWindow& window = accounts().window();
    EXPECT_EQ(keyBoxes(1, KeyRow::Korrin), QStringList({"ABCDE", "-FGHI", "J-KLM", "NO-PQRST-U"}));
    EXPECT_EQ(keyBoxes(1, KeyRow::Deepfall), QStringList({"ABCDE", "FG", "", ""}));
    EXPECT_EQ(keyBoxes(3, KeyRow::Deepfall), QStringList({"AAAAA", "BBBBB", "CCCCC", "DDDDD"}));
    EXPECT_EQ(accounts().typedAccounts(), typed);
    EXPECT_EQ(window.keyBox(2, KeyRow::Deepfall, 3), window.control(u"Text6_3"_s));
    EXPECT_EQ(window.keyBox(2, KeyRow::Deepfall, 3)->parentWidget(), window.slotFrame(2));

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
    const struct { QString key; bool folderInTheWay; QString reason; } rows[] = {
        {"SECRET", true, "it is a folder"},
        {"SECRET\u00FF\u4E2D", false, "the Korrin CD key of account 2 holds characters that this file cannot store"},
        {"ABCDE-FGHIJ-KLMNO-PQRST-U", false, {}},
    };
    // clang-format on
    start();
    w->editor().manageAccounts();
    const Accounts before = store().accounts;
    for (const auto& row : rows) {
        QDir(program.path()).rmdir(u"accounts.cfg"_s);
        ASSERT_TRUE(!row.folderInTheWay || QDir(program.path()).mkdir("accounts.cfg"));
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

// ---- The windows' design -----------------------------------------------------------

TEST_F(WindowTest, EveryCatalogueRowIsBuiltUnderItsNameAndParent) {
    for (const ui::ControlDef& def : ui::controlCatalogue()) {
        SCOPED_TRACE(def.name);
        QWidget* widget = w->findChild<QWidget*>(name(def.name));
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->parentWidget()->objectName() + u'|' + ui::caption(widget),
                  (def.parent.empty() ? u"client"_s : name(def.parent)) + u'|' + name(def.caption));
        // File values are held to the range the slider shows; its steps and
        // ticks are the design's.
        if (auto* slider = qobject_cast<QSlider*>(widget)) {
            const KeyDef& key =
                keyCatalogue()[*findKeyByControl(QLatin1String(name(def.name).toLatin1()))];
            EXPECT_EQ(std::tuple(slider->minimum(), slider->maximum(), slider->value(),
                                 slider->singleStep(), slider->pageStep(), slider->tickInterval()),
                      std::tuple(key.min, key.max, def.slider.min, def.slider.smallStep,
                                 def.slider.largeStep, def.slider.tickSpacing));
        }
        // A check box can show the grayed value 2 of a settings file.
        auto* box = qobject_cast<QCheckBox*>(widget);
        EXPECT_TRUE(!box || box->isTristate());
        // Siblings may touch, where twips round to pixels, but never overlap.
        for (const ui::ControlDef& other : ui::controlCatalogue())
            EXPECT_TRUE(&def >= &other || def.parent != other.parent ||
                        !widget->geometry()
                             .adjusted(1, 1, -1, -1)
                             .intersects(w->control(name(other.name))->geometry()))
                << other.name;
    }
    for (const ui::MenuDef& def : ui::menuCatalogue()) {
        auto* item = w->findChild<QAction*>(name(def.name));
        const bool isItem = !def.parent.empty();
        ASSERT_EQ(item != nullptr, isItem) << def.name;
        EXPECT_TRUE(!isItem || (w->menu(name(def.parent))->actions().contains(item) &&
                                item->isCheckable() == def.checkMark &&
                                item->isChecked() == def.checkedInDesign))
            << def.name;
    }
}

// Every control lies inside its parent, and its text can be read
// whole, in the window's own font.
void expectControlsFit(QWidget* root) {
    for (QWidget* widget : root->findChildren<QWidget*>()) {
        const std::string name = widget->objectName().toStdString();
        EXPECT_TRUE(widget->isWindow() || widget->isHidden() ||
                    widget->parentWidget()->rect().contains(widget->geometry()))
            << name;
        if (auto* label = qobject_cast<QLabel*>(widget); label && label->wordWrap()) {
            EXPECT_LE(label->heightForWidth(label->width()), label->height()) << name;
            for (const QString& word : label->text().split(QRegularExpression(u"\\s+"_s)))
                EXPECT_LE(label->fontMetrics().horizontalAdvance(word), label->width()) << name;
        } else if (label) {
            const QRect needed = label->fontMetrics().boundingRect(label->rect(), 0, label->text());
            EXPECT_EQ(label->size().expandedTo(needed.size()), label->size()) << name;
        } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            EXPECT_LE(button->sizeHint().width(), button->width()) << name;
        } else if (auto* frame = qobject_cast<QGroupBox*>(widget)) {
            const QFontMetrics m(frame->font());
            EXPECT_LE(m.horizontalAdvance(frame->title()) + 2 * m.averageCharWidth() + 4,
                      frame->width())
                << name;
        }
    }
}

// The window's Tab stops in the order of its focus chain.
QStringList tabChain(QWidget* window) {
    QStringList chain;
    for (QWidget* w = window->nextInFocusChain(); w != window; w = w->nextInFocusChain())
        if (w->window() == window && (w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus)
            chain << w->objectName();
    return chain;
}

class ShippedLanguage : public WindowTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(ShippedLanguage, TextsLandAndFitTabStopsAreNamedAndInOrder) {
    const std::optional<LanguageLoad> load = loadLanguageFile(
        QStringLiteral(QUILLSET_SOURCE_DIR "/resources/lang/") + QLatin1String(GetParam()));
    ASSERT_TRUE(load.has_value());
    w->showTexts(load->texts);
    w->accounts().setTexts(load->texts);
    w->accounts().window().close(); // a new window gets them too
    for (const TextAssignment& text : load->texts) {
        QObject* target =
            text.window == w->objectName()
                ? w->findChild<QObject*>(text.control)
                : w->accounts().window().control(
                      text.index < 0 ? text.control : text.control + u"_%1"_s.arg(text.index));
        ASSERT_NE(target, nullptr) << text.control.toStdString();
        EXPECT_EQ(text.property == TextProperty::Caption ? ui::caption(target)
                                                         : target->property("toolTip").toString(),
                  text.text);
    }
    start(GetParam()); // the heading and the values of a real start
    w->showAbout();
    EXPECT_EQ(w->aboutWindow()->aboutText(), ui::AboutWindow::aboutLines().join(u'\r'));
    ui::AccountWindow& accounts = w->accounts().window();
    for (QWidget* window : QList<QWidget*>{w.get(), &accounts, w->aboutWindow()}) {
        expectControlsFit(window);
        EXPECT_FALSE(tabChain(window).isEmpty());
        for (const QString& stop : tabChain(window))
            EXPECT_FALSE(spokenName(window->findChild<QWidget*>(stop)).isEmpty())
                << stop.toStdString();
    }
    // An option group is one stop, at its checked button; the Account window
    // runs slot by slot, then its buttons. Names follow later captions.
    QStringList expected;
    for (std::string_view stop : ui::tabOrder()) {
        auto* option = w->control<QRadioButton>(name(stop));
        if (!option || option->isChecked())
            expected << name(stop);
    }
    EXPECT_EQ(tabChain(w.get()), expected);
    QStringList chain = tabChain(&accounts);
    chain = chain.mid(chain.indexOf(u"Text1")) + chain.first(chain.indexOf(u"Text1"));
    EXPECT_EQ(chain.mid(0, 10), QStringList({"Text1", "Text2_0", "Text2_1", "Text2_2", "Text2_3",
                                             "Text3_0", "Text3_1", "Text3_2", "Text3_3", "Text4"}));
    EXPECT_EQ(chain.mid(32, 8), QStringList({"Text12_0", "Text12_1", "Text12_2", "Text12_3",
                                             "Command1", "Command2", "Option1", "Option2"}));
    EXPECT_FALSE(w->menuItem(u"use_xp_style")->isEnabled()) << "no manifest beside the program";
    ui::setCaption(w->control(u"Label1"), u"Chat\ralpha"_s);
    EXPECT_EQ(spokenName(w->control(u"ca")), u"Chat alpha"_s);
    ui::setCaption(w->control(u"exitbtn"), u"Quit "_s);
    EXPECT_EQ(spokenName(w->control(u"exitbtn")), u"Quit"_s);
    ui::setToolTip(w->control(u"exitbtn"), u"Leave"_s); // what a screen reader describes
    EXPECT_EQ(w->control(u"exitbtn")->accessibleDescription(), u"Leave"_s);
    ui::setCaption(accounts.control(u"Label1_1"_s), u"Key\r"_s);
    EXPECT_EQ(spokenName(accounts.keyBox(2, KeyRow::Korrin, 3)), u"Key (4/4)"_s);
    // F10 opens the first menu, as the captions carry no mnemonics.
    auto* f10 = w->findChild<QShortcut*>();
    ASSERT_EQ(f10->key(), QKeySequence(Qt::Key_F10));
    emit f10->activated();
    EXPECT_EQ(w->menuBar()->activeAction(), w->menuBar()->actions().constFirst());
}

INSTANTIATE_TEST_SUITE_P(Files, ShippedLanguage,
                         ::testing::Values("language.de.lng", "language.en.lng"));

// Enter takes the box's positive answer, Escape its negative one: the exit
// question must not save on Escape.
TEST(QtDialogsTest, EnterAndEscapeGiveEachBoxItsAnswers) {
    using B = Dialogs::Buttons;
    using A = Dialogs::Answer;
    // clang-format off
    const std::tuple<B, Qt::Key, A> rows[] = {
        {B::Ok,       Qt::Key_Return, A::Ok},  {B::Ok,       Qt::Key_Escape, A::Ok},
        {B::OkCancel, Qt::Key_Return, A::Ok},  {B::OkCancel, Qt::Key_Escape, A::Cancel},
        {B::YesNo,    Qt::Key_Return, A::Yes}, {B::YesNo,    Qt::Key_Escape, A::No},
    };
    // clang-format on
    for (const auto& [buttons, key, answer] : rows) {
        QTimer::singleShot(0, [k = key] { QTest::keyClick(QApplication::activeModalWidget(), k); });
        EXPECT_EQ(ui::QtDialogs().message(u"?"_s, u"t"_s, buttons), answer) << key;
    }
}

} // namespace
} // namespace quillset::test

// Widget tests need a QApplication; without a display they use the offscreen
// platform (test discovery runs the binary outside CTest's environment too).
int main(int argc, char* argv[]) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
