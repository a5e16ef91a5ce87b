#pragma once
// A value as the Options window takes it when the user types or picks it,
// by the rules of the key catalogue: a check box knows 0 to 2, a slider its
// range, an option group its buttons' digits, a text box one line of
// Windows-1252 within its typing limit. The command line takes every value
// it is given through here, so a file never gets a value the window could
// not have written.

#include "settings/key_catalogue.h"
#include "settings/settings_model.h"
#include "settings/settings_writer.h"

#include <QString>
#include <variant>

namespace quillset {

enum class Refusal {
    HeldKey,        // FONTPAGES and the CD keys: no control of the Options window edits them
    NotANumber,     // a check box, slider or option group takes a whole number
    NotPlain,       // a sign or a leading zero, which the file would not keep
    OutOfRange,     // outside a slider's range, a check box's 0 to 2, or what the
                    // file can say of the wait-retrace flag (0 or 1)
    NotAChoice,     // no option button stands for the digit
    LineBreak,      // a text box holds one line
    ControlCharacter, // no value holds one
    NotWindows1252, // a character the settings file cannot store
    TooLong,        // more characters than the box lets the user type, or than the
                    // game reads back (LANGUAGE: two)
};

// A value the key's control takes: a number for a check box, a slider or an
// option group, a text for a text box.
struct TypedValue {
    int number = 0;
    QString text;
};

// The value typed for the key, taken as its control takes it unchanged
// (acceptedNumber) and such that the file holds exactly it and reads it
// back the same, or why not. A number is written in plain decimal digits:
// no blanks, no sign, no leading zero.
std::variant<TypedValue, Refusal> takeTypedValue(const KeyDef& def, const QString& typed);

// Sets the key's value in the model; true when that changed it.
bool setTypedValue(SettingsModel& model, int row, const TypedValue& value);

// Why the key refuses what was typed, as one sentence without its final
// stop: "MUSICVOLUME takes a whole number from 0 to 125".
QString refusalText(const KeyDef& def, Refusal refusal, const QString& typed);

} // namespace quillset
