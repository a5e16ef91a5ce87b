#pragma once
// The standard set that the options menu puts into the Options window, by
// settings key, in the order the values are set. Keys without a value here
// end cleared.

#include <span>

namespace quillset {

struct StandardValue {
    int row;          // the key's catalogue row
    int number;       // flag or slider value, or the digit of a choice
    int guiEntry;     // > 0: the text is this [GUI] entry of the language file
    const char* text; // a fixed text, or nullptr
};

std::span<const StandardValue> standardSettings();

} // namespace quillset
