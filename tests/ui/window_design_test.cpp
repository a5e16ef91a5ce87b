// The windows as their catalogues design them: built under their names,
// without overlaps, texts that fit, named Tab stops in the catalogue's order;
// and the message boxes' keys.

#include "window_fixture.h"

namespace quillset::test {
namespace {

// ---- The windows' design -----------------------------------------------------------

TEST_F(WindowTest, EveryCatalogueRowIsBuiltUnderItsNameAndParent) {
    for (const ui::ControlDef& def : ui::controlCatalogue()) {
        SCOPED_TRACE(def.name);
        QWidget* widget = w->findChild<QWidget*>(name(def.name));
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->parentWidget()->objectName() + u'|' + ui::caption(widget) + u'|' +
                      widget->toolTip(),
                  (def.parent.empty() ? u"client"_s : name(def.parent)) + u'|' + name(def.caption) +
                      u'|' + name(def.toolTip));
        // A slider takes its key's range and starts at its minimum; its
        // steps and ticks are the design's.
        if (auto* slider = qobject_cast<QSlider*>(widget)) {
            const KeyDef& key = keyCatalogue()[def.key];
            EXPECT_EQ(std::tuple(slider->minimum(), slider->maximum(), slider->value(),
                                 slider->singleStep(), slider->pageStep(), slider->tickInterval()),
                      std::tuple(key.min, key.max, key.min, def.slider.smallStep,
                                 def.slider.largeStep, def.slider.tickSpacing));
        }
        // A check box can show the grayed value 2 of a settings file.
        auto* box = qobject_cast<QCheckBox*>(widget);
        EXPECT_TRUE(!box || box->isTristate());
        // Siblings may touch, where twips round to pixels, but never overlap.
        const QRect inside = widget->geometry().adjusted(1, 1, -1, -1);
        for (const ui::ControlDef& other : ui::controlCatalogue())
            EXPECT_TRUE(&def >= &other || def.parent != other.parent ||
                        !inside.intersects(w->control(name(other.name))->geometry()))
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
    w->accountPanel().setTexts(load->texts);
    accountWindow().close(); // a new window gets them too
    for (const TextAssignment& text : load->texts) {
        QObject* target =
            text.window == w->objectName()
                ? w->findChild<QObject*>(text.control)
                : accountWindow().control(text.index < 0 ? text.control
                                                         : text.control + u"_%1"_s.arg(text.index));
        ASSERT_NE(target, nullptr) << text.control.toStdString();
        EXPECT_EQ(text.property == TextProperty::Caption ? ui::caption(target)
                                                         : target->property("toolTip").toString(),
                  text.text);
    }
    start(GetParam()); // the heading and the values of a real start
    w->showAbout();
    auto* about = w->findChild<ui::AboutWindow*>();
    for (QWidget* window : QList<QWidget*>{w.get(), &accountWindow(), about}) {
        expectControlsFit(window);
        EXPECT_FALSE(tabChain(window).isEmpty());
        for (const QString& stop : tabChain(window))
            EXPECT_FALSE(spokenName(window->findChild<QWidget*>(stop)).isEmpty())
                << stop.toStdString();
    }
    // An option group is one stop, at its checked button.
    QStringList expected;
    for (std::string_view stop : ui::tabOrder()) {
        auto* option = w->control<QRadioButton>(name(stop));
        if (!option || option->isChecked())
            expected << name(stop);
    }
    EXPECT_EQ(tabChain(w.get()), expected);
    EXPECT_FALSE(w->menuItem(u"use_xp_style")->isEnabled()) << "no manifest beside the program";
    // Names follow later captions; a caption's CR LF is one line break.
    ui::setCaption(w->control(u"Label1"), u"Chat\r\nalpha"_s);
    EXPECT_EQ(w->control<QLabel>(u"Label1"_s)->text(), u"Chat\nalpha"_s);
    EXPECT_EQ(spokenName(w->control(u"ca")), u"Chat alpha"_s);
    EXPECT_EQ(ui::caption(about->findChild<QLabel*>(u"Label1"_s)),
              ui::AboutWindow::aboutLines().join(u'\r'));
    // Its OK shows as the default button, its banner fills its place, and its
    // texts show as written, never as markup.
    EXPECT_TRUE(about->findChild<QPushButton*>(u"Command1"_s)->isDefault() &&
                about->findChild<QLabel*>(u"Picture1"_s)->hasScaledContents());
    for (const QLabel* label : about->findChildren<QLabel*>())
        EXPECT_EQ(label->textFormat(), Qt::PlainText) << label->objectName().toStdString();
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
        {B::OkCancel, Qt::Key_Return, A::Ok},  {B::OkCancel, Qt::Key_Escape, A::Cancel},
        {B::YesNo,    Qt::Key_Return, A::Yes}, {B::YesNo,    Qt::Key_Escape, A::No},
        {B::YesNoCancel, Qt::Key_Return, A::Yes}, {B::YesNoCancel, Qt::Key_Escape, A::Cancel},
    };
    // clang-format on
    const auto press = [](Qt::Key key) {
        QTimer::singleShot(0, [key] { QTest::keyClick(QApplication::activeModalWidget(), key); });
    };
    for (const auto& [buttons, key, answer] : rows) {
        press(key);
        EXPECT_EQ(ui::QtDialogs().message(u"?"_s, u"t"_s, buttons), answer) << key;
    }
    // A file dialog gives the file typed in it, or nothing when left with Escape.
    const TempFolder folder;
    ASSERT_TRUE(writeBytes(folder.file(u"pick.cfg"_s), "x"));
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        dialog->selectFile(u"pick.cfg"_s);
        QMetaObject::invokeMethod(dialog, "accept");
    });
    EXPECT_EQ(ui::QtDialogs().openFile(u"t"_s, folder.path()), folder.file(u"pick.cfg"_s));
    press(Qt::Key_Escape);
    EXPECT_EQ(ui::QtDialogs().openFile(u"t"_s, folder.path()), QString());
    press(Qt::Key_Escape);
    EXPECT_EQ(ui::QtDialogs().saveFile(u"t"_s, folder.path()), QString());
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
