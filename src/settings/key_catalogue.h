#pragma once
// The keys of settings.cfg that the program knows, in the order the writer
// writes them, with the values each takes: what the file and the rules need.
// The reader, the writer, the editor and the standard set work from this
// one table; the window's control catalogue names the key each of its
// controls edits (ui/control_catalogue.cpp).

#include <QLatin1String>
#include <algorithm>
#include <array>
#include <optional>
#include <span>
#include <string_view>

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

struct KeyDef {
    const char* key;
    KeyKind kind;
    int width = 0; // Number: characters read; Text: 0 = whole rest of line
    int min = 0;   // Number range
    int max = 0;
    std::array<char, 3> digits{}; // Choice: the digits its option buttons stand for
    int digitCount = 0;
    // Text: the most characters the user may type into its box, 0 for no
    // limit. Only typing stops there: a longer value from a file is kept.
    int typingLimit = 0;

    QLatin1String name() const { return QLatin1String(key); }
    constexpr std::span<const char> choices() const {
        return {digits.data(), static_cast<size_t>(digitCount)};
    }
    // FONTPAGES and the CD keys: no control of the Options window edits them.
    constexpr bool isHeld() const {
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
// Whether value is the digit of one of a choice key's buttons.
bool isChoiceDigit(const KeyDef& def, int value);
std::optional<int> acceptedNumber(const KeyDef& def, int value);

constexpr int kKeyCount = 52;

namespace catalogue_rows {
constexpr KeyDef flag(const char* key) {
    return KeyDef{.key = key, .kind = KeyKind::Flag};
}
constexpr KeyDef number(const char* key, int width, int min, int max) {
    return KeyDef{.key = key, .kind = KeyKind::Number, .width = width, .min = min, .max = max};
}
constexpr KeyDef text(const char* key, int width = 0, int typingLimit = 0) {
    return KeyDef{.key = key, .kind = KeyKind::Text, .width = width, .typingLimit = typingLimit};
}
constexpr KeyDef held(const char* key, KeyKind kind) {
    return KeyDef{.key = key, .kind = kind};
}
constexpr KeyDef waitRetrace(const char* key) {
    return KeyDef{.key = key, .kind = KeyKind::WaitRetrace};
}
// digits: those the option buttons stand for, in the order the file lists
// the buttons.
template <std::size_t N> constexpr KeyDef choice(const char* key, const char (&digits)[N]) {
    KeyDef def{.key = key, .kind = KeyKind::Choice, .digitCount = int(N - 1)};
    for (std::size_t i = 0; i + 1 < N; ++i)
        def.digits[i] = digits[i];
    return def;
}
} // namespace catalogue_rows

// The table, in the order the writer writes the keys.
// clang-format off
inline constexpr std::array<KeyDef, kKeyCount> kCatalogue = [] {
    using namespace catalogue_rows;
    return std::array<KeyDef, kKeyCount>{{
        flag("AUTOSAVE"),
        flag("AUTOTRACKENEMY"),
        number("CHAT_ALPHA", 3, 0, 255),
        number("CHAT_DELAY", 3, 1, 32),
        number("CHAT_LINES", 3, 1, 32),
        flag("COMBINE_SLOTS"),
        flag("COMPAT_VIDEO"),
        flag("DEFAULT_SKILLS"),
        choice("DETAILLEVEL", "012"),
        flag("EXPLOREMAP"),
        flag("FONTAA"),
        flag("FONTFILTER"),
        held("FONTPAGES", KeyKind::FontPages),
        flag("FORCE_BLACK_SHADOW"),
        flag("FSAA_FILTER"),
        flag("FULLSCREEN"),
        flag("GFX32"),
        flag("LADDER_EXPORT"),
        text("LANGUAGE", 2, 3),
        flag("LOG"),
        flag("LOGGING"),
        number("MINIMAP_ALPHA", 4, 0, 255),
        number("MUSICVOLUME", 4, 0, 125),
        flag("NETLOG"),
        flag("NETWORK_CDKEY_HIDE"),
        held("NETWORK_CDKEY", KeyKind::CdKey),
        held("NETWORK_CDKEY2", KeyKind::CdKey2),
        text("NETWORK_LOBBY"),
        text("NETWORK_LOBBYLOGIN"),
        text("NETWORK_LOBBYPORT", 0, 5),
        text("NETWORK_PLAYER"),
        text("NETWORK_PORT_LISTEN", 0, 5),
        text("NETWORK_SESSION"),
        choice("NETWORK_SPEEDSETTINGS", "12"),
        number("NIGHT_DARKNESS", 3, 0, 100),
        flag("PICKUPANIM"),
        choice("PICKUPAUTO", "012"),
        flag("SCREEN_QUAKE"),
        number("SFXVOLUME", 4, 0, 125),
        flag("SHOWMOVIE"),
        flag("SHOWPOTIONS"),
        flag("SHOW_ENEMYINFO"),
        flag("SHOW_HEROINFO"),
        flag("SHOWEXTRO"),
        flag("SOUND"),
        choice("SOUNDQUALITY", "012"),
        flag("TASKBAR_ICONS"),
        flag("UNIQUE_COLOR"),
        flag("VIOLENCE"),
        number("VOICEVOLUME", 4, 0, 125),
        number("WARNING_LEVEL", 3, 0, 100),
        waitRetrace("WAITRETRACE"),
    }};
}();
// clang-format on

// Clearing a slider puts it at its minimum, and the control shows no sign.
static_assert(std::ranges::all_of(kCatalogue,
                                  [](const KeyDef& def) {
                                      return def.kind != KeyKind::Number ||
                                             (0 <= def.min && def.min < def.max);
                                  }),
              "every slider's range starts at 0 or above and holds two values");

std::span<const KeyDef, kKeyCount> keyCatalogue();

// The row of a key named in the program's own code, found while compiling:
// a name that is no key of the table does not build.
consteval int rowOf(std::string_view key) {
    for (int row = 0; row < kKeyCount; ++row) {
        if (std::string_view(kCatalogue[row].key) == key)
            return row;
    }
    throw "no such key in the catalogue";
}

// The rows the program treats in a way of their own.
inline constexpr int kSoundRow = rowOf("SOUND");
inline constexpr int kLanguageRow = rowOf("LANGUAGE");
inline constexpr int kAccountNameRow = rowOf("NETWORK_LOBBYLOGIN");
inline constexpr int kWaitRetraceRow = rowOf("WAITRETRACE");

// Index of the key in the catalogue: exact, case-sensitive comparison.
std::optional<int> findKey(QByteArrayView key);
std::optional<int> findKey(QLatin1String key);

// Separator between key and value in a settings line.
inline constexpr char kSeparator[] = " : ";

// The game's settings file, in its folder.
inline constexpr char kSettingsFileName[] = "settings.cfg";

} // namespace quillset
