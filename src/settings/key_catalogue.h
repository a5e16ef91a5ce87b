#pragma once
// The keys of settings.cfg that the program knows, in the order the writer
// writes them, each bound to the Options window control that edits it, with
// the values it takes. The reader, the writer, the editor, the window and the
// standard set all work from this one table.

#include <QLatin1String>
#include <array>
#include <optional>
#include <span>

namespace quillset {

enum class KeyKind {
    Flag,        // check box 0/1/2; reader takes the line's last character
    Number,      // slider; reader takes up to `width` characters after " : "
    Choice,      // option group; reader takes the line's last character
    Text,        // text box; reader takes the rest of the line (`width` > 0 limits it)
    FontPages,   // held value; reader keeps the line's last character
    CdKey,       // held value NETWORK_CDKEY, opaque text
    CdKey2,      // held value NETWORK_CDKEY2, opaque text
    WaitRetrace, // check box; reader takes the first character after " : "
};

// An option button of a Choice key's group and the digit it stands for.
struct ChoiceButton {
    char digit;
    const char* control;
};

struct KeyDef {
    const char* key;
    KeyKind kind;
    const char* control = ""; // check box, slider, text box or option group; empty for held keys
    int width = 0;            // Number: characters read; Text: 0 = whole rest of line
    int min = 0;              // Number range
    int max = 0;
    std::array<ChoiceButton, 3> buttons{}; // Choice: the writer's test order
    int buttonCount = 0;
    // Text: the most characters the user may type into its box, 0 for no
    // limit. Only typing stops there: a longer value from a file is kept.
    int typingLimit = 0;

    QLatin1String name() const { return QLatin1String(key); }
    QLatin1String controlName() const { return QLatin1String(control); }
    std::span<const ChoiceButton> choices() const {
        return {buttons.data(), static_cast<size_t>(buttonCount)};
    }
    // FONTPAGES and the CD keys: no control of the Options window edits them.
    bool isHeld() const {
        return kind == KeyKind::FontPages || kind == KeyKind::CdKey || kind == KeyKind::CdKey2;
    }
    // A slider shows its value as its tooltip.
    bool showsValueAsToolTip() const { return kind == KeyKind::Number; }
};

// A number as the key's control takes it, whoever sets it: check boxes know
// 0 to 2 and ignore anything else (nothing), sliders hold their range, and
// a choice digit without a button leaves every button off (kNoChoice). Text
// and held keys take no number (nothing).
inline constexpr int kNoChoice = -1;
std::optional<int> acceptedNumber(const KeyDef& def, int value);

constexpr int kKeyCount = 52;

std::span<const KeyDef, kKeyCount> keyCatalogue();

// Index of the key in the catalogue: exact, case-sensitive comparison.
std::optional<int> findKey(QByteArrayView key);
std::optional<int> findKey(QLatin1String key);

// The row whose control (check box, slider, text box, option group or one of
// its buttons) is named so.
std::optional<int> findKeyByControl(QLatin1String control);

// Separator between key and value in a settings line.
inline constexpr char kSeparator[] = " : ";

} // namespace quillset
