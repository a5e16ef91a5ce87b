// Keyboard use and assistive technology: every control a user can Tab to is
// named for screen readers in the language loaded, Tab follows the reading
// order of the frames, the menus open from the keyboard, and Enter and
// Escape do the expected thing in every window and message box.

#include "accounts/qstring_printer.h"
#include "ui/about_window.h"
#include "ui/account_window.h"
#include "ui/qt_dialogs.h"
#include "ui/widget_text.h"
#include "ui_test_support.h"

#include <QAccessible>
#include <QApplication>
#include <QFileDialog>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace quillset::test {
namespace {

// What a screen reader is told about a widget.
QString accessibleText(QWidget* widget, QAccessible::Text kind) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    return face ? face->text(kind) : QString();
}

bool takesTabFocus(const QWidget* widget) {
    return (widget->focusPolicy() & Qt::TabFocus) == Qt::TabFocus;
}

// The window's Tab stops in the order of its focus chain.
QList<QWidget*> tabChain(QWidget* window) {
    QList<QWidget*> chain;
    for (QWidget* w = window->nextInFocusChain(); w && w != window; w = w->nextInFocusChain()) {
        if (!w->isWindow() && w->window() == window && takesTabFocus(w))
            chain.push_back(w);
    }
    return chain;
}

std::string objectNames(const QList<QWidget*>& widgets) {
    QStringList names;
    for (const QWidget* w : widgets)
        names << w->objectName();
    return names.join(QLatin1Char(' ')).toStdString();
}

// The innermost frame around a widget, or null.
QGroupBox* frameOf(QWidget* widget) {
    for (QWidget* p = widget->parentWidget(); p && !p->isWindow(); p = p->parentWidget()) {
        if (auto* frame = qobject_cast<QGroupBox*>(p))
            return frame;
    }
    return nullptr;
}

// Widgets take keys only in the active window; the offscreen platform
// activates windows like a desktop does.
void activate(QWidget* window) {
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
}

// The Options window started on a program folder with a shipped language
// file and the demo settings, as a user starts it.
class StartedWindow : public ::testing::Test {
protected:
    void start(const char* languageFile) {
        previousFolder = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(current.path()));
        ASSERT_TRUE(QFile::copy(QStringLiteral(QUILLSET_SOURCE_DIR "/resources/lang/") +
                                    QLatin1String(languageFile),
                                program.file(QStringLiteral("language.lng"))));
        const QByteArray settings =
            readBytes(QStringLiteral(QUILLSET_SOURCE_DIR "/resources/demo/settings.cfg"));
        ASSERT_FALSE(settings.isEmpty());
        writeBytes(program.file(QStringLiteral("settings.cfg")), settings);
        writeBytes(program.file(QStringLiteral("settings.bck")), settings);
        w.state.programDir = program.path();
        ASSERT_EQ(w->editor().start(), Editor::StartupResult::Running);
    }
    void TearDown() override {
        if (!previousFolder.isEmpty())
            QDir::setCurrent(previousFolder);
    }

    QString spokenCaption(QStringView control) {
        return ui::spokenText(ui::caption(w->control(control)));
    }
    ui::AccountWindow& accountWindow() { return w->accounts().window(); }

    TempFolder program;
    TempFolder current;
    QString previousFolder;
    TestWindow w;
};

// --- Names --------------------------------------------------------------------

class AccessibleNames : public StartedWindow, public ::testing::WithParamInterface<const char*> {};

TEST_P(AccessibleNames, EveryTabStopOfEveryWindowIsNamed) {
    start(GetParam());
    w->showAbout();
    accountWindow().showModeless();
    const QList<QWidget*> windows = {w.window.get(), &accountWindow(), w->aboutWindow()};
    for (QWidget* window : windows) {
        const QList<QWidget*> stops = tabChain(window);
        EXPECT_FALSE(stops.isEmpty()) << window->objectName().toStdString();
        for (QWidget* stop : stops) {
            EXPECT_FALSE(accessibleText(stop, QAccessible::Name).isEmpty())
                << window->objectName().toStdString() << " " << stop->objectName().toStdString();
        }
        // The walk of the focus chain saw every control that takes the focus.
        const QList<QWidget*> all = window->findChildren<QWidget*>();
        const auto focusable = std::count_if(all.begin(), all.end(), [window](QWidget* c) {
            return c->window() == window && takesTabFocus(c);
        });
        EXPECT_EQ(stops.size(), focusable) << window->objectName().toStdString();
    }
}

TEST_P(AccessibleNames, SlidersAndBoxesTakeTheLabelBesideThem) {
    start(GetParam());
    // Label to the right, also when it starts above the slider (two lines).
    EXPECT_EQ(accessibleText(w->control(u"ca"), QAccessible::Name), spokenCaption(u"Label1"));
    EXPECT_EQ(accessibleText(w->control(u"cd"), QAccessible::Name), spokenCaption(u"Label2"));
    EXPECT_EQ(accessibleText(w->control(u"mma"), QAccessible::Name), spokenCaption(u"Label5"));
    // The nearer label on the row is the one to the right, even when the
    // label of the box to the left is closer.
    EXPECT_EQ(accessibleText(w->control(u"lp"), QAccessible::Name), spokenCaption(u"Label8"));
    EXPECT_EQ(accessibleText(w->control(u"lport"), QAccessible::Name), spokenCaption(u"Label13"));
    // No label to the right: the one to the left; none on the row: below.
    EXPECT_EQ(accessibleText(w->control(u"warninglevel"), QAccessible::Name),
              spokenCaption(u"Label12"));
    EXPECT_EQ(accessibleText(w->control(u"Text1"), QAccessible::Name), spokenCaption(u"Label4"));
    // Scale numbers never name a slider.
    EXPECT_EQ(accessibleText(w->control(u"musicvol"), QAccessible::Name), spokenCaption(u"Label6"));
    // A box with a tooltip of its own describes itself; the slider's
    // tooltip shows its value, the description keeps the meaning.
    EXPECT_EQ(accessibleText(w->control(u"accname"), QAccessible::Description),
              w->control(u"accname")->property("quillsetToolTip").toString());
    EXPECT_FALSE(accessibleText(w->control(u"ca"), QAccessible::Description).isEmpty());
    EXPECT_NE(accessibleText(w->control(u"ca"), QAccessible::Description),
              w->control(u"ca")->toolTip());
}

TEST_P(AccessibleNames, AccountWindowBoxesAndSlotButtons) {
    start(GetParam());
    ui::AccountWindow& accounts = accountWindow();
    const QString keyLabel =
        ui::spokenText(ui::caption(accounts.control(QStringLiteral("Label1_1"))));
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(accessibleText(accounts.keyBox(2, ui::KeyRow::Korrin, i), QAccessible::Name),
                  keyLabel + QStringLiteral(" (%1/4)").arg(i + 1));
    }
    EXPECT_EQ(accessibleText(accounts.nameBox(3), QAccessible::Name),
              ui::spokenText(ui::caption(accounts.control(QStringLiteral("Label4")))));
    EXPECT_EQ(accessibleText(accounts.optionButton(4), QAccessible::Name),
              ui::spokenText(ui::caption(accounts.slotFrame(4))));
    EXPECT_FALSE(
        accessibleText(accounts.keyBox(1, ui::KeyRow::Deepfall, 0), QAccessible::Description)
            .isEmpty());
}

INSTANTIATE_TEST_SUITE_P(ShippedLanguages, AccessibleNames,
                         ::testing::Values("language.de.lng", "language.en.lng"));

TEST_F(StartedWindow, NamesFollowEveryLaterCaptionChange) {
    start("language.de.lng");
    const QString german = accessibleText(w->control(u"ca"), QAccessible::Name);
    ui::setCaption(w->control(u"Label1"), QStringLiteral("Chat\ralpha"));
    EXPECT_EQ(accessibleText(w->control(u"ca"), QAccessible::Name), QStringLiteral("Chat alpha"));
    EXPECT_NE(german, QStringLiteral("Chat alpha"));
    ui::setCaption(w->control(u"exitbtn"), QStringLiteral("Quit "));
    EXPECT_EQ(accessibleText(w->control(u"exitbtn"), QAccessible::Name), QStringLiteral("Quit"));
    // Without a tooltip of its own a slider is described by its label's.
    ui::setToolTip(w->control(u"musicvol"), QString());
    ui::setToolTip(w->control(u"Label6"), QStringLiteral("Loudness of the music"));
    EXPECT_EQ(accessibleText(w->control(u"musicvol"), QAccessible::Description),
              QStringLiteral("Loudness of the music"));
    ui::setToolTip(w->control(u"musicvol"), QStringLiteral("Music"));
    EXPECT_EQ(accessibleText(w->control(u"musicvol"), QAccessible::Description),
              QStringLiteral("Music"));
}

// --- Tab order ----------------------------------------------------------------

TEST_F(StartedWindow, TabVisitsTheOptionsFramesInReadingOrder) {
    start("language.de.lng");
    const QList<QWidget*> chain = tabChain(w.window.get());
    ASSERT_FALSE(chain.isEmpty());

    // Where the chain goes: the frame of each stop (a button outside any
    // frame by its own name), runs of the same frame taken once.
    QStringList visits;
    for (QWidget* stop : chain) {
        QGroupBox* frame = frameOf(stop);
        const QString place = frame ? frame->objectName() : stop->objectName();
        if (visits.isEmpty() || visits.back() != place)
            visits << place;
    }
    // Unsupported settings, the buttons beside them; then the left column of
    // the supported settings (chat and graphics side by side), then the
    // in-game column: its left column of frames before sound and the rest.
    EXPECT_EQ(visits, (QStringList{QStringLiteral("Frame1"), QStringLiteral("oeffnen"),
                                   QStringLiteral("speichern"), QStringLiteral("exitbtn"),
                                   QStringLiteral("Frame3"), QStringLiteral("Frame7"),
                                   QStringLiteral("Frame6"), QStringLiteral("Frame11"),
                                   QStringLiteral("Frame5"), QStringLiteral("Frame8"),
                                   QStringLiteral("Frame10"), QStringLiteral("Frame9"),
                                   QStringLiteral("Frame12"), QStringLiteral("Frame4")}))
        << objectNames(chain);

    // Every frame is visited in one go, its inner frames included.
    for (QGroupBox* frame : w->findChildren<QGroupBox*>()) {
        qsizetype first = -1;
        qsizetype last = -1;
        for (qsizetype i = 0; i < chain.size(); ++i) {
            if (frame->isAncestorOf(chain[i])) {
                first = first < 0 ? i : first;
                last = i;
            }
        }
        for (qsizetype i = first; i >= 0 && i <= last; ++i)
            EXPECT_TRUE(frame->isAncestorOf(chain[i]))
                << frame->objectName().toStdString() << " is left for "
                << chain[i]->objectName().toStdString();
    }

    // Within a panel: left to right along a row, then the next row down.
    for (qsizetype i = 1; i < chain.size(); ++i) {
        const QWidget* a = chain[i - 1];
        const QWidget* b = chain[i];
        if (a->parentWidget() != b->parentWidget())
            continue;
        const bool sameRow = b->y() < a->geometry().bottom() && a->y() < b->geometry().bottom();
        EXPECT_TRUE(sameRow ? b->x() > a->x() : b->y() > a->y())
            << a->objectName().toStdString() << " -> " << b->objectName().toStdString();
    }
}

TEST_F(StartedWindow, TabKeyMovesThroughTheEnabledControlsInChainOrder) {
    start("language.de.lng");
    activate(w.window.get());
    QList<QWidget*> expected;
    for (QWidget* stop : tabChain(w.window.get())) {
        if (stop->isEnabled())
            expected << stop;
        // An option group is one stop, at its checked button; the arrow
        // keys move within the group.
        if (auto* option = qobject_cast<QRadioButton*>(stop)) {
            EXPECT_TRUE(option->isChecked()) << option->objectName().toStdString();
        }
    }
    ASSERT_GT(expected.size(), 20);
    expected.front()->setFocus(Qt::TabFocusReason);
    QList<QWidget*> visited = {QApplication::focusWidget()};
    for (qsizetype i = 1; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget();
    }
    EXPECT_EQ(objectNames(visited), objectNames(expected));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), expected.front()) << "Tab wraps round";
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), expected.back());
}

TEST_F(StartedWindow, AnOptionGroupIsOneStopAtItsCheckedButton) {
    start("language.de.lng");
    const auto stops = [this] { return objectNames(tabChain(w.window.get())); };
    EXPECT_NE(stops().find(" dsl "), std::string::npos);
    EXPECT_EQ(stops().find(" modem "), std::string::npos);
    w->control<QRadioButton>(u"modem")->setChecked(true);
    EXPECT_EQ(stops().find(" dsl "), std::string::npos);
    EXPECT_NE(stops().find(" modem "), std::string::npos);

    ui::AccountWindow& accounts = accountWindow();
    accounts.selectSlot(3);
    QStringList options;
    for (QWidget* stop : tabChain(&accounts)) {
        if (qobject_cast<QRadioButton*>(stop))
            options << stop->objectName();
    }
    EXPECT_EQ(options, QStringList{QStringLiteral("Option3")});
}

TEST_F(StartedWindow, AccountWindowTabGoesSlotBySlot) {
    start("language.de.lng");
    const QList<QWidget*> chain = tabChain(&accountWindow());
    QStringList visits;
    for (QWidget* stop : chain) {
        QGroupBox* frame = frameOf(stop);
        const QString place = frame ? frame->objectName() : stop->objectName();
        if (visits.isEmpty() || visits.back() != place)
            visits << place;
    }
    EXPECT_EQ(visits.mid(0, 6),
              (QStringList{QStringLiteral("Frame1_0"), QStringLiteral("Frame1_2"),
                           QStringLiteral("Frame1_3"), QStringLiteral("Frame1_4"),
                           QStringLiteral("Command1"), QStringLiteral("Command2")}))
        << objectNames(chain);
}

// --- Keys -----------------------------------------------------------------------

TEST_F(StartedWindow, F10OpensTheMenusAndTheArrowsReachTheAboutItem) {
    start("language.de.lng");
    activate(w.window.get());
    QTest::keyClick(w.window.get(), Qt::Key_F10);
    QMenu* file = w->menu(u"mfile");
    ASSERT_TRUE(QTest::qWaitFor([file] { return file->isVisible(); }, 2000));
    EXPECT_EQ(w->menuBar()->activeAction(), file->menuAction());

    QTest::keyClick(file, Qt::Key_Right);
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Right);
    QMenu* help = w->menu(u"mhelp");
    ASSERT_TRUE(QTest::qWaitFor([help] { return help->isVisible(); }, 2000));
    EXPECT_FALSE(file->isVisible());
    QTest::keyClick(help, Qt::Key_Down);
    EXPECT_EQ(help->activeAction(), w->menuItem(u"mabout"));
    QTest::keyClick(help, Qt::Key_Return);
    ASSERT_NE(w->aboutWindow(), nullptr);
    EXPECT_TRUE(w->aboutWindow()->isVisible());
}

TEST_F(StartedWindow, AltAloneSelectsTheMenuBar) {
    start("language.de.lng");
    activate(w.window.get());
    for (const char* style : {"Fusion", "Windows"}) {
        QApplication::setStyle(QLatin1String(style));
        QTest::keyClick(w.window.get(), Qt::Key_Alt);
        EXPECT_EQ(w->menuBar()->activeAction(), w->menu(u"mfile")->menuAction()) << style;
        // Down opens the selected menu; Escape twice leaves the menu bar.
        QTest::keyClick(w->menuBar(), Qt::Key_Down);
        EXPECT_TRUE(QTest::qWaitFor([&] { return w->menu(u"mfile")->isVisible(); }, 2000)) << style;
        QTest::keyClick(w->menu(u"mfile"), Qt::Key_Escape);
        QTest::keyClick(w->menuBar(), Qt::Key_Escape);
        EXPECT_EQ(w->menuBar()->activeAction(), nullptr) << style;
    }
}

TEST_F(StartedWindow, AboutWindowHidesOnEnterAndOnEscape) {
    start("language.de.lng");
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
        w->showAbout();
        ui::AboutWindow* about = w->aboutWindow();
        activate(about);
        QTest::keyClick(about, key);
        EXPECT_FALSE(about->isVisible()) << key;
        EXPECT_EQ(w->aboutWindow(), about) << "hidden, not destroyed, as by OK";
    }
}

TEST_F(StartedWindow, AccountWindowEscapeClosesAndEnterInABoxSavesNothing) {
    start("language.de.lng");
    w->editor().manageAccounts();
    ui::AccountWindow& accounts = accountWindow();
    activate(&accounts);
    accounts.selectSlot(1);
    QLineEdit* name = accounts.nameBox(1);
    name->setFocus();
    QTest::keyClicks(name, QStringLiteral("Wanderer2"));
    QTest::keyClick(name, Qt::Key_Return);
    QTest::keyClick(accounts.keyBox(1, ui::KeyRow::Korrin, 0), Qt::Key_Enter);
    EXPECT_TRUE(accounts.isVisible());
    EXPECT_FALSE(QFile::exists(program.file(QStringLiteral("accounts.cfg"))));
    EXPECT_TRUE(w.dialogs.shown.empty());

    QTest::keyClick(name, Qt::Key_Escape);
    EXPECT_FALSE(accounts.isVisible()) << "Escape is Close";
    EXPECT_EQ(accounts.nameBox(1)->text(), name->text()) << "the edits stay, unsaved";
    EXPECT_FALSE(QFile::exists(program.file(QStringLiteral("accounts.cfg"))));

    // Enter on a focused button presses it: Save writes the file.
    accounts.showModeless();
    activate(&accounts);
    auto* save = qobject_cast<QPushButton*>(accounts.control(QStringLiteral("Command1")));
    save->setFocus();
    QTest::keyClick(save, Qt::Key_Return);
    EXPECT_FALSE(accounts.isVisible());
    EXPECT_TRUE(QFile::exists(program.file(QStringLiteral("accounts.cfg"))));
}

TEST_F(StartedWindow, EnterPressesTheFocusedOptionsButton) {
    start("language.de.lng");
    activate(w.window.get());
    w->editor().markChanged();
    w.dialogs.answer(Dialogs::Answer::Cancel); // do not save first
    QWidget* open = w->control(u"oeffnen");
    open->setFocus();
    QTest::keyClick(open, Qt::Key_Return);
    ASSERT_EQ(w.dialogs.shown.size(), 1u) << "Open asks about the unsaved changes";
    EXPECT_EQ(w.dialogs.shown[0].buttons, Dialogs::Buttons::OkCancel);
    EXPECT_FALSE(w.state.changedFlag) << "and then reloads the settings";
}

// Once a test has ended the program (QCoreApplication::exit), every modal
// dialog's event loop returns at once, until the application's own loop has
// run again. Running it for one turn clears that.
void clearQuitRequest() {
    QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
    QCoreApplication::exec();
}

// Runs `show` and presses `key` in the modal dialog it opens.
template <class Result> Result pressInModal(Qt::Key key, const std::function<Result()>& show) {
    clearQuitRequest();
    bool pressed = false;
    QTimer timer;
    timer.setInterval(20);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible() || pressed)
            return;
        pressed = true;
        QWidget* target = modal->focusWidget() ? modal->focusWidget() : modal;
        QTest::keyClick(target, key);
    });
    timer.start();
    Result result = show();
    timer.stop();
    EXPECT_TRUE(pressed) << "a modal dialog was shown";
    return result;
}

TEST(QtDialogsKeys, EnterAnswersYesOrOkAndEscapeTheOtherButton) {
    ui::QtDialogs dialogs;
    using B = Dialogs::Buttons;
    using A = Dialogs::Answer;
    const struct {
        B buttons;
        A enter;
        A escape;
    } cases[] = {
        {B::Ok, A::Ok, A::Ok},
        {B::OkCancel, A::Ok, A::Cancel},
        {B::YesNo, A::Yes, A::No},
    };
    for (const auto& c : cases) {
        const auto ask = [&] {
            return dialogs.message(QStringLiteral("Question?"), QStringLiteral("Quillset"),
                                   c.buttons);
        };
        EXPECT_EQ(pressInModal<A>(Qt::Key_Return, ask), c.enter) << int(c.buttons);
        EXPECT_EQ(pressInModal<A>(Qt::Key_Escape, ask), c.escape) << int(c.buttons);
    }
}

TEST(QtDialogsKeys, EscapeCancelsTheFileDialogs) {
    TempFolder folder;
    ui::QtDialogs dialogs;
    EXPECT_TRUE(pressInModal<QString>(Qt::Key_Escape, [&] {
                    return dialogs.openFile(QStringLiteral("Open"), folder.path());
                }).isEmpty());
    EXPECT_TRUE(pressInModal<QString>(Qt::Key_Escape, [&] {
                    return dialogs.saveFile(QStringLiteral("Save"), folder.path());
                }).isEmpty());
}

} // namespace
} // namespace quillset::test
