#include "ui/option_group.h"

#include <QAbstractButton>
#include <QButtonGroup>

namespace quillset::ui {

OptionGroup::OptionGroup(QWidget* parent) : QWidget(parent), buttons_(new QButtonGroup(this)) {
    // The group, not the buttons' own auto-exclusivity, excludes, so code
    // can switch the whole group off.
    buttons_->setExclusive(true);
    // Switching from one button to another toggles both; the value changes once.
    connect(buttons_, &QButtonGroup::buttonToggled, this, &OptionGroup::reportValue);
}

void OptionGroup::addButton(QAbstractButton* button, int digit) {
    Q_ASSERT_X(button && button->parentWidget() == this, "OptionGroup",
               "a group's buttons are children of its panel");
    buttons_->addButton(button, digit);
    keepTabOnCheckedButton({button});
}

int OptionGroup::value() const {
    // Asked of the buttons themselves: the group's own record of its checked
    // button lags while a check moves from one button to another.
    const QList<QAbstractButton*> buttons = buttons_->buttons();
    for (QAbstractButton* button : buttons) {
        if (button->isChecked())
            return buttons_->id(button);
    }
    return kNone;
}

void OptionGroup::setValue(int value) {
    if (QAbstractButton* button = value == kNone ? nullptr : buttons_->button(value)) {
        button->setChecked(true);
        return;
    }
    const int current = this->value();
    if (current == kNone)
        return;
    // An exclusive group refuses to switch off its checked button; lift the
    // exclusivity for that one change.
    QAbstractButton* checked = buttons_->button(current);
    buttons_->setExclusive(false);
    const bool autoExclusive = checked->autoExclusive();
    checked->setAutoExclusive(false);
    checked->setChecked(false);
    checked->setAutoExclusive(autoExclusive);
    buttons_->setExclusive(true);
}

void OptionGroup::reportValue() {
    const int now = value();
    if (now == reported_)
        return;
    reported_ = now;
    emit valueChanged(now);
}

void keepTabOnCheckedButton(const QList<QAbstractButton*>& buttons) {
    for (QAbstractButton* button : buttons) {
        QObject::connect(button, &QAbstractButton::toggled, button, [button](bool checked) {
            if (!checked)
                return;
            // The buttons that exclude this one: its group's, else its
            // auto-exclusive siblings.
            const QList<QAbstractButton*> others =
                button->group() ? button->group()->buttons()
                                : button->parentWidget()->findChildren<QAbstractButton*>(
                                      Qt::FindDirectChildrenOnly);
            for (QAbstractButton* other : others) {
                if (other == button || !other->isCheckable())
                    continue;
                if (button->group() || other->autoExclusive())
                    other->setFocusPolicy(Qt::FocusPolicy(other->focusPolicy() & ~Qt::TabFocus));
            }
            button->setFocusPolicy(Qt::FocusPolicy(button->focusPolicy() | Qt::TabFocus));
        });
    }
}

} // namespace quillset::ui
