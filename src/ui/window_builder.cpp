#include "ui/window_builder.h"

#include "settings/key_catalogue.h"
#include "ui/frame_box.h"
#include "ui/option_group.h"
#include "ui/text_box.h"
#include "ui/tri_state_check_box.h"
#include "ui/widget_text.h"

#include <QAction>
#include <QFont>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QSlider>
#include <QtMath>
#include <algorithm>
#include <optional>
#include <span>

namespace quillset::ui {

namespace {

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
    slider->setSingleStep(def.slider.smallStep);
    slider->setPageStep(def.slider.largeStep);
    slider->setTickPosition(QSlider::TicksBelow);
    slider->setTickInterval(def.slider.tickSpacing);
    return slider;
}

// A settings control takes the values of its key: a slider its range (and
// so starts at its minimum), a text box its typing limit.
void applyKeyLimits(const WindowParts& parts) {
    for (const ControlDef& def : controlCatalogue()) {
        if (def.key < 0)
            continue;
        const KeyDef& key = keyCatalogue()[def.key];
        QWidget* control = parts.controls.value(fromCatalogue(def.name));
        if (auto* slider = qobject_cast<QSlider*>(control))
            slider->setRange(key.min, key.max);
        else if (auto* box = qobject_cast<TextBox*>(control))
            box->setTypingLimit(key.typingLimit);
    }
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

// An option button whose parent is an option group stands for a digit there.
void addToGroup(const ControlDef& def, QWidget* button) {
    if (auto* group = qobject_cast<OptionGroup*>(button->parentWidget()))
        group->addButton(qobject_cast<QRadioButton*>(button), def.digit - '0');
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
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Nimbus Sans"),
                      QStringLiteral("Arial"), QStringLiteral("Helvetica"), base.family()});
    font.setPointSizeF(8.0);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

void buildControls(QWidget* client, const TwipScale& scale, std::span<const ControlDef> controls,
                   WindowParts& parts, const ControlNaming& naming) {
    const auto find = [&](std::string_view name) { return parts.controls.value(naming(name)); };
    for (const ControlDef& def : controls) {
        QWidget* parent = def.parent.empty() ? client : find(def.parent);
        Q_ASSERT_X(parent, "buildControls", "a parent must come before its children");
        QWidget* widget = makeWidget(def, parent);
        const QString name = naming(def.name);
        widget->setObjectName(name);
        widget->setGeometry(scale.rect(def.rect));
        setCaption(widget, fromCatalogue(def.caption));
        if (!def.toolTip.empty())
            setToolTip(widget, fromCatalogue(def.toolTip));
        parts.controls.insert(name, widget);
        if (def.kind == ControlKind::OptionButton)
            addToGroup(def, widget);
    }
    // Labels name their buddies: Qt passes a label's shortcut and its text,
    // for screen readers, to its buddy.
    for (const ControlDef& def : controls) {
        if (!def.buddy.empty())
            setBuddy(qobject_cast<QLabel*>(find(def.name)), find(def.buddy));
    }
}

void buildControls(QWidget* client, const TwipScale& scale, WindowParts& parts) {
    buildControls(client, scale, controlCatalogue(), parts, fromCatalogue);
    applyKeyLimits(parts);
    QStringList order;
    for (std::string_view name : tabOrder())
        order << fromCatalogue(name);
    setTabOrder(parts, order);
}

void setTabOrder(const WindowParts& parts, const QStringList& order) {
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(parts.controls.value(order[i - 1]), parts.controls.value(order[i]));
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
