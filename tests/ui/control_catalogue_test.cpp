// The Options window as built from its catalogues: each row becomes a widget
// under its name and parent, each menu row an item; the texts of a shipped
// language file land on the controls they name and fit them, and no control
// overlaps another.

#include "lang/language_loader.h"
#include "ui/about_window.h"
#include "ui/control_catalogue.h"
#include "ui/widget_text.h"
#include "ui/window_builder.h"
#include "ui_test_support.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
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
    }
    for (const ui::MenuDef& def : ui::menuCatalogue()) {
        SCOPED_TRACE(def.name);
        const QString name = ui::fromCatalogue(def.name);
        if (def.parent.empty()) {
            EXPECT_EQ(w->findChild<QMenu*>(name), w->menu(name));
            continue;
        }
        auto* item = w->findChild<QAction*>(name);
        ASSERT_NE(item, nullptr);
        EXPECT_TRUE(w->menu(ui::fromCatalogue(def.parent))->actions().contains(item));
        EXPECT_EQ(item->text(), ui::fromCatalogue(def.caption));
        EXPECT_EQ(std::pair(item->isCheckable(), item->isChecked()),
                  std::pair(def.checkMark, def.checkedInDesign));
    }
    // Siblings may touch, where twips round to pixels, but never overlap.
    for (const ui::ControlDef& a : ui::controlCatalogue()) {
        for (const ui::ControlDef& b : ui::controlCatalogue()) {
            if (&a < &b && a.parent == b.parent) {
                EXPECT_FALSE(w->control(ui::fromCatalogue(a.name))
                                 ->geometry()
                                 .adjusted(1, 1, -1, -1)
                                 .intersects(w->control(ui::fromCatalogue(b.name))->geometry()))
                    << a.name << " / " << b.name;
            }
        }
    }
}

// Every caption can be read whole, in the window's own font.
void expectTextsFit(QWidget* root) {
    for (QWidget* widget : root->findChildren<QWidget*>()) {
        const std::string name = widget->objectName().toStdString();
        if (auto* label = qobject_cast<QLabel*>(widget); label && !label->text().isEmpty()) {
            const QFontMetrics metrics = label->fontMetrics();
            if (label->wordWrap()) {
                EXPECT_LE(label->heightForWidth(label->width()), label->height()) << name;
                for (const QString& word :
                     label->text().split(QRegularExpression(QStringLiteral("\\s+"))))
                    EXPECT_LE(metrics.horizontalAdvance(word), label->width()) << name;
            } else {
                const QRect needed = metrics.boundingRect(label->rect(), 0, label->text());
                EXPECT_LE(needed.width(), label->width()) << name;
                EXPECT_LE(needed.height(), label->height()) << name;
            }
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

class ShippedTexts : public WindowTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(ShippedTexts, LandOnTheirControlsAndFit) {
    const std::optional<LanguageLoad> load = loadLanguageFile(
        QStringLiteral(QUILLSET_SOURCE_DIR "/resources/lang/") + QLatin1String(GetParam()));
    ASSERT_TRUE(load.has_value());
    w->showTexts(load->texts);
    int landed = 0;
    for (const TextAssignment& text : load->texts) {
        QObject* target = w->control(text.control);
        target = target ? target : w->menu(text.control);
        target = target ? target : w->menuItem(text.control);
        if (text.window != w->objectName())
            continue;
        ASSERT_NE(target, nullptr) << text.control.toStdString();
        EXPECT_EQ(text.property == TextProperty::Caption ? ui::caption(target)
                                                         : target->property("toolTip").toString(),
                  text.text);
        ++landed;
    }
    EXPECT_GT(landed, 100);
    start(GetParam()); // with the heading and the values of a real start
    w->showAbout();
    expectTextsFit(w.get());
    expectTextsFit(w->aboutWindow());
}

INSTANTIATE_TEST_SUITE_P(Files, ShippedTexts,
                         ::testing::Values("language.de.lng", "language.en.lng"));

} // namespace
} // namespace quillset::test
