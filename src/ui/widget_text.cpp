#include "ui/widget_text.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QVariant>

namespace quillset::ui {

namespace {

// Where a label keeps its caption as set, before line ends were adapted.
constexpr char kCaptionProperty[] = "quillsetCaption";
// The tooltip as the design or the language file gave it. Sliders show their
// value as tooltip while they move; the description keeps the meaning.
constexpr char kToolTipProperty[] = "quillsetToolTip";
// Set by hand where no buddy label names a control: the widget whose caption
// names it, and which of the controls sharing that namer this one is.
constexpr char kNamerProperty[] = "quillsetNamer";
constexpr char kPartProperty[] = "quillsetNamerPart";
constexpr char kPartsProperty[] = "quillsetNamerParts";
// Kept on a namer: the controls it names, so a caption change renames them
// without searching the window.
constexpr char kNamedProperty[] = "quillsetNamed";
using NamedControls = QList<QPointer<QWidget>>;

QString forDisplay(const QString& caption) {
    QString shown = caption;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

QWidget* accessibleNamer(const QWidget* control) {
    return control->property(kNamerProperty).value<QPointer<QWidget>>().data();
}

QString ownToolTip(const QWidget* widget) {
    return widget->property(kToolTipProperty).toString();
}

// The label whose buddy the control is, found among its siblings as Qt finds
// it. Only a control that takes the focus can be a buddy.
const QLabel* buddyLabel(const QWidget* control) {
    const QWidget* parent = control->parentWidget();
    if (!parent || control->focusPolicy() == Qt::NoFocus)
        return nullptr;
    for (const QObject* child : parent->children()) {
        if (auto* label = qobject_cast<const QLabel*>(child); label && label->buddy() == control)
            return label;
    }
    return nullptr;
}

// Qt names a control after its buddy label's text, leaving out '&' (a
// mnemonic marker to Qt); that is the spoken caption unless the caption has
// a '&', a line break or blanks to drop.
bool qtSpeaksAsCaption(const QLabel* label) {
    const QString shown = label->text();
    return !shown.contains(QLatin1Char('&')) && shown == spokenText(shown);
}

void refreshAccessibleTexts(QWidget* widget) {
    // A window's title already is its accessible name.
    if (widget->isWindow())
        return;
    QString name;
    QString description = ownToolTip(widget);
    if (const QWidget* namer = accessibleNamer(widget)) {
        name = spokenText(caption(namer));
        const int parts = widget->property(kPartsProperty).toInt();
        if (parts > 1 && !name.isEmpty())
            name +=
                QStringLiteral(" (%1/%2)").arg(widget->property(kPartProperty).toInt()).arg(parts);
        if (description.isEmpty())
            description = ownToolTip(namer);
    } else if (const QLabel* label = caption(widget).isEmpty() ? buddyLabel(widget) : nullptr) {
        // Left empty, the name is Qt's, from the label.
        if (!qtSpeaksAsCaption(label))
            name = spokenText(caption(label));
        if (description.isEmpty())
            description = ownToolTip(label);
    } else {
        name = spokenText(caption(widget));
    }
    widget->setAccessibleName(name);
    widget->setAccessibleDescription(description);
}

// The widget and every control it names, after its caption or tooltip changed.
void refreshAccessibleTextsAround(QObject* target) {
    auto* widget = qobject_cast<QWidget*>(target);
    if (!widget)
        return;
    refreshAccessibleTexts(widget);
    if (auto* label = qobject_cast<QLabel*>(widget); label && label->buddy())
        refreshAccessibleTexts(label->buddy());
    const QVariant named = widget->property(kNamedProperty);
    if (!named.isValid())
        return;
    for (const QPointer<QWidget>& other : named.value<NamedControls>()) {
        if (other && accessibleNamer(other) == widget)
            refreshAccessibleTexts(other);
    }
}

} // namespace

void setCaption(QObject* target, const QString& text) {
    if (auto* label = qobject_cast<QLabel*>(target)) {
        label->setProperty(kCaptionProperty, text);
        label->setText(forDisplay(text));
    } else if (auto* box = qobject_cast<QGroupBox*>(target)) {
        box->setTitle(text);
    } else if (auto* button = qobject_cast<QAbstractButton*>(target)) {
        button->setText(text);
    } else if (auto* menu = qobject_cast<QMenu*>(target)) {
        menu->setTitle(text);
    } else if (auto* action = qobject_cast<QAction*>(target)) {
        action->setText(text);
    } else if (auto* widget = qobject_cast<QWidget*>(target)) {
        widget->setWindowTitle(text);
    }
    refreshAccessibleTextsAround(target);
}

QString caption(const QObject* target) {
    if (auto* label = qobject_cast<const QLabel*>(target)) {
        const QVariant kept = label->property(kCaptionProperty);
        return kept.isValid() ? kept.toString() : label->text();
    }
    if (auto* box = qobject_cast<const QGroupBox*>(target))
        return box->title();
    if (auto* button = qobject_cast<const QAbstractButton*>(target))
        return button->text();
    if (auto* menu = qobject_cast<const QMenu*>(target))
        return menu->title();
    if (auto* action = qobject_cast<const QAction*>(target))
        return action->text();
    if (auto* widget = qobject_cast<const QWidget*>(target))
        return widget->windowTitle();
    return {};
}

void setToolTip(QObject* target, const QString& text) {
    if (auto* widget = qobject_cast<QWidget*>(target)) {
        widget->setToolTip(text);
        widget->setProperty(kToolTipProperty, text);
        refreshAccessibleTextsAround(widget);
    } else if (auto* action = qobject_cast<QAction*>(target)) {
        action->setToolTip(text);
    }
}

void setAccessibleNamer(QWidget* control, QWidget* namer, int part, int parts) {
    control->setProperty(kNamerProperty, QVariant::fromValue(QPointer<QWidget>(namer)));
    control->setProperty(kPartProperty, part);
    control->setProperty(kPartsProperty, parts);
    NamedControls named = namer->property(kNamedProperty).value<NamedControls>();
    if (!named.contains(control))
        named.append(control);
    namer->setProperty(kNamedProperty, QVariant::fromValue(named));
    refreshAccessibleTexts(control);
}

void setBuddy(QLabel* label, QWidget* control) {
    label->setBuddy(control);
    refreshAccessibleTexts(control);
}

void applyTexts(std::span<const TextAssignment> texts, const QString& window,
                const std::function<QObject*(const TextAssignment&)>& find) {
    for (const TextAssignment& text : texts) {
        QObject* target = text.window == window ? find(text) : nullptr;
        if (!target)
            continue;
        if (text.property == TextProperty::Caption)
            setCaption(target, text.text);
        else
            setToolTip(target, text.text);
    }
}

QString spokenText(const QString& caption) {
    return forDisplay(caption).replace(QLatin1Char('\n'), QLatin1Char(' ')).simplified();
}

QString signedNumber(int value) {
    return (value < 0 ? QStringLiteral("-") : QStringLiteral(" ")) + QString::number(qAbs(value));
}

} // namespace quillset::ui
