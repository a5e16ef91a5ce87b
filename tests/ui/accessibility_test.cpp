// Keyboard use and screen readers: every Tab stop is named in the language
// loaded, each label names the control the catalogue gives it, Tab follows
// the catalogue's order, names follow later caption changes, and Enter and
// Escape answer message boxes as a user expects.

#include "ui/about_window.h"
#include "ui/account_window.h"
#include "ui/control_catalogue.h"
#include "ui/qt_dialogs.h"
#include "ui/widget_text.h"
#include "ui/window_builder.h"
#include "ui_test_support.h"

#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

namespace quillset::test {
namespace {

QString spokenName(QWidget* widget) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    return face ? face->text(QAccessible::Name) : QString();
}

// The window's Tab stops in the order of its focus chain.
QStringList tabChain(QWidget* window) {
    QStringList chain;
    for (QWidget* w = window->nextInFocusChain(); w != window; w = w->nextInFocusChain()) {
        if (w->window() == window && (w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus)
            chain << w->objectName();
    }
    return chain;
}

class ShippedLanguage : public WindowTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(ShippedLanguage, EveryTabStopIsNamedAndEveryLabelNamesItsBuddy) {
    start(GetParam());
    w->showAbout();
    ui::AccountWindow& accounts = w->accounts().window();
    for (QWidget* window : {static_cast<QWidget*>(w.get()), static_cast<QWidget*>(&accounts),
                            static_cast<QWidget*>(w->aboutWindow())}) {
        EXPECT_FALSE(tabChain(window).isEmpty());
        for (const QString& stop : tabChain(window)) {
            EXPECT_FALSE(spokenName(window->findChild<QWidget*>(stop)).isEmpty())
                << stop.toStdString();
        }
    }
    for (const ui::ControlDef& def : ui::controlCatalogue()) {
        if (!def.buddy.empty()) {
            EXPECT_EQ(spokenName(w->control(ui::fromCatalogue(def.buddy))),
                      ui::spokenText(ui::caption(w->control(ui::fromCatalogue(def.name)))));
        }
    }
    // The four boxes of a CD key share the label beside them.
    const QString keyLabel =
        ui::spokenText(ui::caption(accounts.control(QStringLiteral("Label1_1"))));
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(spokenName(accounts.keyBox(2, ui::KeyRow::Korrin, i)),
                  keyLabel + QStringLiteral(" (%1/4)").arg(i + 1));
    }
}

INSTANTIATE_TEST_SUITE_P(Files, ShippedLanguage,
                         ::testing::Values("language.de.lng", "language.en.lng"));

// An option group is one stop, at its checked button.
TEST_F(WindowTest, TabFollowsTheCatalogueOrderAndNamesFollowCaptions) {
    start();
    QStringList expected;
    for (std::string_view name : ui::tabOrder()) {
        auto* option = w->control<QRadioButton>(ui::fromCatalogue(name));
        if (!option || option->isChecked())
            expected << ui::fromCatalogue(name);
    }
    EXPECT_EQ(tabChain(w.get()), expected);
    EXPECT_FALSE(w->menuItem(u"use_xp_style")->isEnabled()) << "no manifest beside the program";

    ui::setCaption(w->control(u"Label1"), QStringLiteral("Chat\ralpha"));
    EXPECT_EQ(spokenName(w->control(u"ca")), QStringLiteral("Chat alpha"));
    ui::setCaption(w->control(u"exitbtn"), QStringLiteral("Quit "));
    EXPECT_EQ(spokenName(w->control(u"exitbtn")), QStringLiteral("Quit"));
}

// Presses key in the modal message box that ask() opens. A program ended by
// an earlier test leaves a quit request that would end any modal loop at
// once; one turn of the application's loop clears it.
Dialogs::Answer pressInMessageBox(Qt::Key key, const std::function<Dialogs::Answer()>& ask) {
    QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
    QCoreApplication::exec();
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&timer, key] {
        if (QWidget* modal = QApplication::activeModalWidget(); modal && modal->isVisible()) {
            timer.stop();
            QTest::keyClick(modal->focusWidget() ? modal->focusWidget() : modal, key);
        }
    });
    timer.start(20);
    return ask();
}

TEST(QtDialogsKeys, EnterAnswersYesOrOkAndEscapeTheOtherButton) {
    ui::QtDialogs dialogs;
    using B = Dialogs::Buttons;
    using A = Dialogs::Answer;
    const std::tuple<B, A, A> cases[] = {
        {B::Ok, A::Ok, A::Ok}, {B::OkCancel, A::Ok, A::Cancel}, {B::YesNo, A::Yes, A::No}};
    for (const auto& [buttons, enter, escape] : cases) {
        const B shown = buttons;
        const auto ask = [&] { return dialogs.message(QStringLiteral("?"), QString(), shown); };
        EXPECT_EQ(pressInMessageBox(Qt::Key_Return, ask), enter) << int(buttons);
        EXPECT_EQ(pressInMessageBox(Qt::Key_Escape, ask), escape) << int(buttons);
    }
}

} // namespace
} // namespace quillset::test
