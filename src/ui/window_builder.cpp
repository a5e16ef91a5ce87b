#include "ui/window_builder.h"

#include "settings/key_catalogue.h"
#include "ui/option_group.h"
#include "ui/text_box.h"
#include "ui/tri_state_check_box.h"
#include "ui/widget_text.h"

#include <QAction>
#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QSlider>
#include <QStyle>
#include <QtMath>
#include <algorithm>
#include <optional>
#include <span>

namespace quillset::ui {

namespace {

// A titled frame whose border runs through the middle of its caption, so the
// content may start right below the caption, where the catalogue places it.
// (Platform group boxes put the border below the caption and would cut
// through the first row of controls.)
class FrameBox : public QGroupBox {
public:
    using QGroupBox::QGroupBox;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const QFontMetrics metrics(font());
        const int lineY = metrics.height() / 2;
        // An etched line: dark, with a light line just inside it.
        const QRect outer = rect().adjusted(0, lineY, -2, -2);
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawRect(outer);
        painter.setPen(palette().color(QPalette::Light));
        painter.drawRect(outer.translated(1, 1));

        if (title().isEmpty())
            return;
        const int textLeft = metrics.averageCharWidth();
        const QRect textRect(
            textLeft, 0, std::min(metrics.horizontalAdvance(title()) + 4, width() - 2 * textLeft),
            metrics.height());
        painter.fillRect(textRect, palette().color(backgroundRole()));
        style()->drawItemText(&painter, textRect.adjusted(2, 0, 0, 0),
                              Qt::AlignLeft | Qt::AlignTop | Qt::TextHideMnemonic, palette(),
                              isEnabled(), title(), QPalette::WindowText);
    }
};

QWidget* makeLabel(const ControlDef& def, QWidget* parent) {
    auto* label = new QLabel(parent);
    // Texts from the language file are shown as they are, never as markup.
    label->setTextFormat(Qt::PlainText);
    label->setAlignment((def.centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
    label->setWordWrap(def.wordWrap);
    return label;
}

QWidget* makeScaleLabel(const ControlDef& def, QWidget* parent) {
    QWidget* label = makeLabel(def, parent);
    // Scale numbers are drawn in the platform's gray-text colour, whether or
    // not the slider above them is enabled.
    QPalette palette = label->palette();
    const QColor gray = palette.color(QPalette::Disabled, QPalette::WindowText);
    palette.setColor(QPalette::Active, QPalette::WindowText, gray);
    palette.setColor(QPalette::Inactive, QPalette::WindowText, gray);
    label->setPalette(palette);
    return label;
}

QWidget* makeCommandButton(QWidget* parent) {
    auto* button = new QPushButton(parent);
    // Enter presses a button that has the focus, as Space does; outside a
    // dialog Qt leaves that off.
    button->setAutoDefault(true);
    return button;
}

QWidget* makeSlider(const ControlDef& def, QWidget* parent) {
    auto* slider = new QSlider(Qt::Horizontal, parent);
    slider->setRange(def.slider.min, def.slider.max);
    slider->setSingleStep(def.slider.smallStep);
    slider->setPageStep(def.slider.largeStep);
    slider->setTickPosition(QSlider::TicksBelow);
    slider->setTickInterval(def.slider.tickSpacing);
    slider->setValue(def.slider.min);
    return slider;
}

QWidget* makeTextBox(const ControlDef& def, QWidget* parent) {
    auto* box = new TextBox(def.maxLength, parent);
    if (def.centred)
        box->setAlignment(Qt::AlignHCenter);
    return box;
}

QWidget* makeWidget(const ControlDef& def, QWidget* parent) {
    switch (def.kind) {
    case ControlKind::Frame:
        return new FrameBox(parent);
    case ControlKind::Panel:
        return new QWidget(parent);
    case ControlKind::OptionGroup:
        return new OptionGroup(parent);
    case ControlKind::CheckBox:
        return new TriStateCheckBox(parent);
    case ControlKind::OptionButton:
        return new QRadioButton(parent);
    case ControlKind::Slider:
        return makeSlider(def, parent);
    case ControlKind::TextBox:
        return makeTextBox(def, parent);
    case ControlKind::Label:
        return makeLabel(def, parent);
    case ControlKind::ScaleLabel:
        return makeScaleLabel(def, parent);
    case ControlKind::CommandButton:
        return makeCommandButton(parent);
    }
    return new QWidget(parent);
}

// The digit an option button stands for, as its key's row gives it.
int choiceDigit(std::string_view button) {
    const QLatin1String name(button.data(), static_cast<qsizetype>(button.size()));
    if (const std::optional<int> row = findKeyByControl(name)) {
        for (const ChoiceButton& choice : keyCatalogue()[*row].choices()) {
            if (name == QLatin1String(choice.control))
                return choice.digit - '0';
        }
    }
    Q_ASSERT_X(false, "buildControls", "every option button stands for a digit of its key");
    return OptionGroup::kNone;
}

void addToGroup(const ControlDef& def, QWidget* button) {
    auto* group = qobject_cast<OptionGroup*>(button->parentWidget());
    Q_ASSERT_X(group, "buildControls", "an option button's parent is its option group");
    group->addButton(qobject_cast<QRadioButton*>(button), choiceDigit(def.name));
}

// Labels name their buddies: Qt passes a label's shortcut and its text, for
// screen readers, to its buddy.
void setBuddies(const WindowParts& parts) {
    for (const ControlDef& def : controlCatalogue()) {
        if (def.buddy.empty())
            continue;
        setBuddy(qobject_cast<QLabel*>(parts.controls.value(fromCatalogue(def.name))),
                 parts.controls.value(fromCatalogue(def.buddy)));
    }
}

void setTabOrder(const WindowParts& parts) {
    const std::span<const std::string_view> order = tabOrder();
    for (size_t i = 1; i < order.size(); ++i) {
        QWidget::setTabOrder(parts.controls.value(fromCatalogue(order[i - 1])),
                             parts.controls.value(fromCatalogue(order[i])));
    }
}

} // namespace

QString fromCatalogue(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

TwipScale TwipScale::forWidget(const QWidget* widget) {
    return TwipScale(widget->logicalDpiX());
}

int TwipScale::pixels(int twips) const {
    return qRound(twips * pixelsPerTwip_);
}

QRect TwipScale::rect(const TwipRect& r) const {
    // Convert the edges, not the size, so neighbours that touch in twips
    // also touch in pixels.
    const int left = pixels(r.left);
    const int top = pixels(r.top);
    return QRect(left, top, pixels(r.left + r.width) - left, pixels(r.top + r.height) - top);
}

QFont optionsWindowFont(const QFont& base) {
    QFont font = base;
    font.setFamilies({QStringLiteral("Nimbus Sans"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("Arial"), QStringLiteral("Helvetica"), base.family()});
    font.setPointSizeF(8.0);
    return font;
}

void buildControls(QWidget* client, const TwipScale& scale, WindowParts& parts) {
    for (const ControlDef& def : controlCatalogue()) {
        QWidget* parent =
            def.parent.empty() ? client : parts.controls.value(fromCatalogue(def.parent));
        Q_ASSERT_X(parent, "buildControls", "a parent must come before its children");
        QWidget* widget = makeWidget(def, parent);
        const QString name = fromCatalogue(def.name);
        widget->setObjectName(name);
        widget->setGeometry(scale.rect(def.rect));
        setCaption(widget, fromCatalogue(def.caption));
        if (!def.toolTip.empty())
            setToolTip(widget, fromCatalogue(def.toolTip));
        parts.controls.insert(name, widget);
        if (def.kind == ControlKind::OptionButton)
            addToGroup(def, widget);
    }
    setBuddies(parts);
    setTabOrder(parts);
}

void buildMenus(QMenuBar* menuBar, WindowParts& parts) {
    for (const MenuDef& def : menuCatalogue()) {
        const QString name = fromCatalogue(def.name);
        const QString text = fromCatalogue(def.caption);
        if (def.parent.empty()) {
            QMenu* menu = menuBar->addMenu(text);
            menu->setObjectName(name);
            parts.menus.insert(name, menu);
            continue;
        }
        QMenu* menu = parts.menus.value(fromCatalogue(def.parent));
        Q_ASSERT_X(menu, "buildMenus", "a menu must come before its items");
        QAction* action = menu->addAction(text);
        action->setObjectName(name);
        action->setCheckable(def.checkMark);
        action->setChecked(def.checkedInDesign);
        parts.menuItems.insert(name, action);
    }
    // The language files' captions carry no mnemonics, and adding '&' would
    // change what they show; F10 and Alt reach the menus instead.
    auto* f10 = new QShortcut(QKeySequence(Qt::Key_F10), menuBar);
    f10->setContext(Qt::WindowShortcut);
    QObject::connect(f10, &QShortcut::activated, menuBar, [menuBar] {
        const QList<QAction*> menus = menuBar->actions();
        if (!menus.isEmpty())
            menuBar->setActiveAction(menus.constFirst());
    });
}

} // namespace quillset::ui
