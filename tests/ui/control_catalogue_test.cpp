// The Options window as its catalogues design it, checked against their own
// data: each row is built under its name and parent without overlapping a
// sibling; a shipped language file's texts land on their controls and fit
// them; every Tab stop is named, labels name their buddies, and Tab follows
// the catalogue's order.

#include "lang/language_loader.h"
#include "ui/about_window.h"
#include "ui/account_window.h"
#include "ui/control_catalogue.h"
#include "ui/widget_text.h"
#include "ui/window_builder.h"
#include "ui_test_support.h"

#include <QAccessible>
#include <QAction>
#include <QGroupBox>
#include <QLineEdit>
#include <QLabel>
#include <QMenu>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSlider>

namespace quillset::test {
namespace {

TEST_F(WindowTest, EveryCatalogueRowIsBuiltUnderItsNameAndParent) {
    for (const ui::ControlDef& def : ui::controlCatalogue()) {
        SCOPED_TRACE(def.name);
        QWidget* widget = w->findChild<QWidget*>(ui::fromCatalogue(def.name));
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget, w->control(ui::fromCatalogue(def.name)));
        EXPECT_EQ(widget->parentWidget()->objectName(),
                  def.parent.empty() ? QStringLiteral("client") : ui::fromCatalogue(def.parent));
        EXPECT_EQ(ui::caption(widget), ui::fromCatalogue(def.caption));
        EXPECT_TRUE(widget->parentWidget()->rect().contains(widget->geometry()));
        // File values are held to the range the slider shows.
        if (auto* slider = qobject_cast<QSlider*>(widget)) {
            const auto key = findKeyByControl(QLatin1String(def.name.data(), def.name.size()));
            EXPECT_EQ(
                std::tuple(slider->minimum(), slider->maximum(), slider->value()),
                std::tuple(keyCatalogue()[*key].min, keyCatalogue()[*key].max, def.slider.min));
        }
        // Siblings may touch, where twips round to pixels, but never overlap.
        for (const ui::ControlDef& other : ui::controlCatalogue()) {
            if (&def < &other && def.parent == other.parent) {
                EXPECT_FALSE(widget->geometry()
                                 .adjusted(1, 1, -1, -1)
                                 .intersects(w->control(ui::fromCatalogue(other.name))->geometry()))
                    << other.name;
            }
        }
    }
    for (const ui::MenuDef& def : ui::menuCatalogue()) {
        auto* item = w->findChild<QAction*>(ui::fromCatalogue(def.name));
        const bool isItem = !def.parent.empty();
        ASSERT_EQ(item != nullptr, isItem) << def.name;
        EXPECT_TRUE(!isItem || (w->menu(ui::fromCatalogue(def.parent))->actions().contains(item) &&
                                item->isCheckable() == def.checkMark &&
                                item->isChecked() == def.checkedInDesign))
            << def.name;
    }
}

// Every text can be read whole, in the window's own font.
void expectTextsFit(QWidget* root) {
    for (QWidget* widget : root->findChildren<QWidget*>()) {
        const std::string name = widget->objectName().toStdString();
        if (auto* label = qobject_cast<QLabel*>(widget); label && label->wordWrap()) {
            EXPECT_LE(label->heightForWidth(label->width()), label->height()) << name;
            for (const QString& word :
                 label->text().split(QRegularExpression(QStringLiteral("\\s+"))))
                EXPECT_LE(label->fontMetrics().horizontalAdvance(word), label->width()) << name;
        } else if (label) {
            const QRect needed = label->fontMetrics().boundingRect(label->rect(), 0, label->text());
            EXPECT_TRUE(needed.width() <= label->width() && needed.height() <= label->height())
                << name;
        } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            EXPECT_LE(button->sizeHint().width(), button->width()) << name;
        } else if (auto* frame = qobject_cast<QGroupBox*>(widget)) {
            const QFontMetrics metrics(frame->font());
            EXPECT_LE(metrics.horizontalAdvance(frame->title()) + 2 * metrics.averageCharWidth() +
                          4,
                      frame->width())
                << name;
        }
    }
}

QString spokenName(QWidget* widget) {
    return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
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

TEST_P(ShippedLanguage, TextsLandFitAndNameEveryTabStop) {
    const std::optional<LanguageLoad> load = loadLanguageFile(
        QStringLiteral(QUILLSET_SOURCE_DIR "/resources/lang/") + QLatin1String(GetParam()));
    ASSERT_TRUE(load.has_value());
    w->showTexts(load->texts);
    for (const TextAssignment& text : load->texts) {
        QObject* target = w->control(text.control);
        target = target ? target : w->menu(text.control);
        target = target ? target : w->menuItem(text.control);
        if (text.window == w->objectName()) {
            ASSERT_NE(target, nullptr) << text.control.toStdString();
            EXPECT_EQ(text.property == TextProperty::Caption
                          ? ui::caption(target)
                          : target->property("toolTip").toString(),
                      text.text);
        }
    }
    start(GetParam()); // the heading and the values of a real start
    w->showAbout();
    expectTextsFit(w.get());
    expectTextsFit(w->aboutWindow());
    ui::AccountWindow& accounts = w->accounts().window();
    for (QWidget* window : {static_cast<QWidget*>(w.get()), static_cast<QWidget*>(&accounts),
                            static_cast<QWidget*>(w->aboutWindow())}) {
        EXPECT_FALSE(tabChain(window).isEmpty());
        for (const QString& stop : tabChain(window))
            EXPECT_FALSE(spokenName(window->findChild<QWidget*>(stop)).isEmpty())
                << stop.toStdString();
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

} // namespace
} // namespace quillset::test
