#include "ui/settings_binding.h"

#include "ui/control_catalogue.h"
#include "ui/window_builder.h"

#include <QMetaProperty>
#include <QWidget>

namespace quillset::ui {

namespace {

QMetaProperty userProperty(const QWidget* control) {
    const QMetaProperty property = control->metaObject()->userProperty();
    Q_ASSERT_X(property.isValid(), "settings binding", "a settings control has a USER property");
    return property;
}

// Calls a function from a signal of any signature; goes with its context (its
// parent) or with the control it listens to.
class Relay : public QObject {
    Q_OBJECT

public:
    Relay(std::function<void()> slot, QObject* context)
        : QObject(context), slot_(std::move(slot)) {}

public slots:
    void relay() { slot_(); }

private:
    std::function<void()> slot_;
};

bool isText(int keyRow) {
    return keyCatalogue()[keyRow].kind == KeyKind::Text;
}

} // namespace

QWidget* boundControl(const ControlMap& controls, int keyRow) {
    const std::string_view name = controlOfKey(keyRow);
    if (name.empty())
        return nullptr;
    QWidget* control = controls.value(fromCatalogue(name));
    Q_ASSERT_X(control, "settings binding", "a catalogue key names a missing control");
    return control;
}

QVariant controlValue(const QWidget* control) {
    return userProperty(control).read(control);
}

void setControlValue(QWidget* control, const QVariant& value) {
    userProperty(control).write(control, value);
}

void onUserPropertyChanged(QWidget* control, QObject* context, std::function<void()> slot) {
    Q_ASSERT(context);
    static const QMetaMethod relaySlot =
        Relay::staticMetaObject.method(Relay::staticMetaObject.indexOfSlot("relay()"));
    auto* relay = new Relay(std::move(slot), context);
    QObject::connect(control, userProperty(control).notifySignal(), relay, relaySlot);
    QObject::connect(control, &QObject::destroyed, relay, [relay] { delete relay; });
}

void applyToControls(const SettingsModel& model, const ControlMap& controls) {
    for (int row = 0; row < kKeyCount; ++row) {
        if (QWidget* control = boundControl(controls, row))
            setControlValue(control, isText(row) ? QVariant(model.texts[row])
                                                 : QVariant(model.numbers[row]));
    }
}

} // namespace quillset::ui

#include "settings_binding.moc"
