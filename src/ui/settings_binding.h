#pragma once
// Moves settings values between a SettingsModel and the Options window's
// controls, row by row of the key catalogue. One rule per kind of key; no
// control has code of its own.

#include "settings/settings_model.h"

#include <QHash>
#include <QString>

class QLineEdit;
class QRadioButton;
class QWidget;

namespace quillset::ui {

using ControlMap = QHash<QString, QWidget*>;

// Sets every settings control from the model, in catalogue order. Controls
// whose value changes raise their change signals, as a user's edit would.
// Held values are not controls and are left to the caller.
void applyToControls(const SettingsModel& model, const ControlMap& controls);

// The values the controls show; held values stay empty.
SettingsModel readFromControls(const ControlMap& controls);

// A settings control back to its cleared state: check box 0, option button
// off, slider at its minimum, text box empty.
void clearControl(QWidget* control);

// Sets a check box's value, a slider's value, or switches an option button on
// (any number but 0) from code, raising its change signal as an edit would.
void setControlNumber(QWidget* control, int value);
// Sets a text box's text from code (see setBoxText).
void setControlText(QWidget* control, const QString& text);

// Switches an option button on (the others of its group go off) or off.
void setOptionButton(QRadioButton* button, bool on);

} // namespace quillset::ui
