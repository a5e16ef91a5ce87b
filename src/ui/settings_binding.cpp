#include "ui/settings_binding.h"

#include "ui/text_box.h"
#include "ui/tri_state_check_box.h"

#include "ui/control_catalogue.h"

#include <QButtonGroup>
#include <QLineEdit>
#include <QRadioButton>
#include <QSlider>
#include <algorithm>

namespace quillset::ui {

namespace {

template <class W>
W* find(const ControlMap& controls, QLatin1String name) {
    W* widget = qobject_cast<W*>(controls.value(QString(name)));
    Q_ASSERT_X(widget, "settings binding", "a catalogue key names a missing control");
    return widget;
}

void applyChoice(const KeyDef& def, int digit, const ControlMap& controls) {
    for (const ChoiceButton& choice : def.choices()) {
        auto* button = find<QRadioButton>(controls, QLatin1String(choice.control));
        if (button && digit == choice.digit - '0')
            setOptionButton(button, true);
    }
    // No digit of the set: every button of the group goes off.
    const bool known = std::ranges::any_of(
        def.choices(), [digit](const ChoiceButton& c) { return digit == c.digit - '0'; });
    if (!known) {
        for (const ChoiceButton& choice : def.choices()) {
            if (auto* button = find<QRadioButton>(controls, QLatin1String(choice.control)))
                setOptionButton(button, false);
        }
    }
}

int readChoice(const KeyDef& def, const ControlMap& controls) {
    for (const ChoiceButton& choice : def.choices()) {
        auto* button = find<QRadioButton>(controls, QLatin1String(choice.control));
        if (button && button->isChecked())
            return choice.digit - '0';
    }
    return SettingsModel::kNoChoice;
}

} // namespace

void applyToControls(const SettingsModel& model, const ControlMap& controls) {
    const auto catalogue = keyCatalogue();
    for (int row = 0; row < kKeyCount; ++row) {
        const KeyDef& def = catalogue[row];
        switch (def.kind) {
        case KeyKind::Flag:
        case KeyKind::WaitRetrace:
            if (auto* box = find<TriStateCheckBox>(controls, def.controlName()))
                box->setValue(model.numbers[row]);
            break;
        case KeyKind::Number:
            if (auto* slider = find<QSlider>(controls, def.controlName()))
                slider->setValue(model.numbers[row]);
            break;
        case KeyKind::Text:
            if (auto* box = find<QLineEdit>(controls, def.controlName()))
                setBoxText(box, model.texts[row]);
            break;
        case KeyKind::Choice:
            applyChoice(def, model.numbers[row], controls);
            break;
        case KeyKind::FontPages:
        case KeyKind::CdKey:
        case KeyKind::CdKey2:
            break;
        }
    }
}

SettingsModel readFromControls(const ControlMap& controls) {
    SettingsModel model = SettingsModel::cleared();
    const auto catalogue = keyCatalogue();
    for (int row = 0; row < kKeyCount; ++row) {
        const KeyDef& def = catalogue[row];
        switch (def.kind) {
        case KeyKind::Flag:
        case KeyKind::WaitRetrace:
            if (auto* box = find<TriStateCheckBox>(controls, def.controlName()))
                model.numbers[row] = box->value();
            break;
        case KeyKind::Number:
            if (auto* slider = find<QSlider>(controls, def.controlName()))
                model.numbers[row] = slider->value();
            break;
        case KeyKind::Text:
            if (auto* box = find<QLineEdit>(controls, def.controlName()))
                model.texts[row] = box->text();
            break;
        case KeyKind::Choice:
            model.numbers[row] = readChoice(def, controls);
            break;
        case KeyKind::FontPages:
        case KeyKind::CdKey:
        case KeyKind::CdKey2:
            break;
        }
    }
    return model;
}

void clearControl(QWidget* control) {
    if (auto* box = qobject_cast<TriStateCheckBox*>(control))
        box->setValue(0);
    else if (auto* button = qobject_cast<QRadioButton*>(control))
        setOptionButton(button, false);
    else if (auto* slider = qobject_cast<QSlider*>(control))
        slider->setValue(slider->minimum());
    else if (auto* text = qobject_cast<QLineEdit*>(control))
        setBoxText(text, QString());
}

void setControlNumber(QWidget* control, int value) {
    if (auto* box = qobject_cast<TriStateCheckBox*>(control))
        box->setValue(value);
    else if (auto* button = qobject_cast<QRadioButton*>(control))
        setOptionButton(button, value != 0);
    else if (auto* slider = qobject_cast<QSlider*>(control))
        slider->setValue(value);
}

void setControlText(QWidget* control, const QString& text) {
    if (auto* box = qobject_cast<QLineEdit*>(control))
        setBoxText(box, text);
}

void setOptionButton(QRadioButton* button, bool on) {
    if (on || !button->isChecked()) {
        button->setChecked(on);
        return;
    }
    // An exclusive group refuses to switch off its checked button; lift the
    // exclusivity for that one change.
    QButtonGroup* group = button->group();
    const bool exclusive = group && group->exclusive();
    if (exclusive)
        group->setExclusive(false);
    const bool autoExclusive = button->autoExclusive();
    button->setAutoExclusive(false);
    button->setChecked(false);
    button->setAutoExclusive(autoExclusive);
    if (exclusive)
        group->setExclusive(true);
}

} // namespace quillset::ui
