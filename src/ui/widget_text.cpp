#include "ui/widget_text.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QVariant>

namespace quillset::ui {

namespace {

// Where a label keeps its caption as set, before line ends were adapted.
constexpr char kCaptionProperty[] = "quillsetCaption";

QString forDisplay(const QString& caption) {
    QString shown = caption;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
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
    if (auto* widget = qobject_cast<QWidget*>(target))
        widget->setToolTip(text);
    else if (auto* action = qobject_cast<QAction*>(target))
        action->setToolTip(text);
}

} // namespace quillset::ui
