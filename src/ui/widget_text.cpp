#include "ui/widget_text.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QHash>
#include <QPointer>

#include <optional>

namespace quillset::ui {

namespace {

// What this file keeps of a widget beyond what Qt keeps: a label's caption
// as set, before line ends were adapted; the tooltip as the design or the
// language file gave it (sliders show their value as tooltip while they
// move; the description keeps the meaning); for a control no buddy label
// names, the widget whose caption names it and which of the controls sharing
// it this one is; on such a namer, the controls it names, so that a caption
// change renames them without searching the window. Kept beside the widgets
// rather than as dynamic properties, whose every lookup walks the class's
// property table: the window reads these a thousand times as it opens.
using NamedControls = QList<QPointer<QWidget>>;
struct TextState {
    std::optional<QString> caption;
    QString toolTip;
    QPointer<QWidget> namer;
    int part = 0;
    int parts = 0;
    NamedControls named;
};

// Never destroyed: widgets may outlive static destruction.
QHash<const QObject*, TextState>& textStates() {
    static auto* states = new QHash<const QObject*, TextState>;
    return *states;
}

const TextState* findTextState(const QObject* object) {
    const auto it = textStates().constFind(object);
    return it == textStates().cend() ? nullptr : &*it;
}

// The entry is dropped with the object, before its address can be reused.
TextState& textState(QObject* object) {
    auto it = textStates().find(object);
    if (it == textStates().end()) {
        it = textStates().insert(object, {});
        QObject::connect(object, &QObject::destroyed,
                         [](QObject* gone) { textStates().remove(gone); });
    }
    return *it;
}

QString forDisplay(const QString& caption) {
    QString shown = caption;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

QWidget* accessibleNamer(const QWidget* control) {
    const TextState* state = findTextState(control);
    return state ? state->namer.data() : nullptr;
}

QString ownToolTip(const QWidget* widget) {
    const TextState* state = findTextState(widget);
    return state ? state->toolTip : QString();
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
        const TextState& state = *findTextState(widget);
        if (state.parts > 1 && !name.isEmpty())
            name += QStringLiteral(" (%1/%2)").arg(state.part).arg(state.parts);
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
    const TextState* state = findTextState(widget);
    if (!state)
        return;
    const NamedControls named = state->named; // a refresh may add states
    for (const QPointer<QWidget>& other : named) {
        if (other && accessibleNamer(other) == widget)
            refreshAccessibleTexts(other);
    }
}

} // namespace

void setCaption(QObject* target, const QString& text) {
    if (auto* label = qobject_cast<QLabel*>(target)) {
        textState(label).caption = text;
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
        const TextState* state = findTextState(label);
        return state && state->caption ? *state->caption : label->text();
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
        textState(widget).toolTip = text;
        refreshAccessibleTextsAround(widget);
    } else if (auto* action = qobject_cast<QAction*>(target)) {
        action->setToolTip(text);
    }
}

void setAccessibleNamer(QWidget* control, QWidget* namer, int part, int parts) {
    TextState& state = textState(control);
    state.namer = namer;
    state.part = part;
    state.parts = parts;
    // Looked up again: adding the namer's entry may move the control's.
    NamedControls& named = textState(namer).named;
    if (!named.contains(control))
        named.append(control);
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
