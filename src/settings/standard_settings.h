#pragma once
// The standard set that the options menu puts into the Options window, in
// the order the values are set. Keys without a value here end cleared.

#include <span>

namespace quillset {

struct StandardValue {
    const char* control; // check box, slider, text box or option button
    int number;          // check box / slider value; 1 = switch the option button on
    int guiEntry;        // > 0: the text is this [GUI] entry of the language file
    const char* text;    // a fixed text for a text box, or nullptr
};

std::span<const StandardValue> standardSettings();

} // namespace quillset
