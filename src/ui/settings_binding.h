#pragma once
// Moves settings values between a SettingsModel and the Options window's
// controls, row by row of the key catalogue. Every control is reached the
// same way, through its USER property: a check box's and an option group's
// value, a slider's value, a text box's text. No control has code of its own.

#include "settings/settings_model.h"

#include <QHash>
#include <QString>
#include <QVariant>
#include <functional>

class QObject;
class QWidget;

namespace quillset::ui {

using ControlMap = QHash<QString, QWidget*>;

// The control that edits catalogue row keyRow; nullptr for the held keys
// (FONTPAGES, CDKEY, CDKEY2), which no control shows.
QWidget* boundControl(const ControlMap& controls, int keyRow);

// The control's value: its USER property.
QVariant controlValue(const QWidget* control);
// Sets the control's USER property from code (a text box's text through
// setBoxText), raising its change signal as a user's edit would when the
// value changes.
void setControlValue(QWidget* control, const QVariant& value);
// Calls slot whenever the control's USER property changes, until the
// control or context goes.
void onUserPropertyChanged(QWidget* control, QObject* context, std::function<void()> slot);

// Sets every settings control from the model, in catalogue order. Controls
// whose value changes raise their change signals, as a user's edit would.
// Held values are not controls and are left to the caller.
void applyToControls(const SettingsModel& model, const ControlMap& controls);

} // namespace quillset::ui
