#pragma once
// The keys of settings.cfg that the program knows, in the order the writer
// writes them, each bound to the Options window control that edits it, with
// the values it takes. The reader, the writer, the editor, the window and the
// standard set all work from this one table.

#include <QLatin1String>
#include <array>
#include <optional>
#include <span>
#include <string_view>
#include <algorithm>

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

namespace catalogue_rows {
constexpr KeyDef flag(const char* key, const char* control) {
    return KeyDef{key, KeyKind::Flag, control};
}
constexpr KeyDef number(const char* key, const char* control, int width, int min, int max) {
    return KeyDef{key, KeyKind::Number, control, width, min, max};
}
constexpr KeyDef text(const char* key, const char* control, int width = 0, int typingLimit = 0) {
    return KeyDef{.key = key,
                  .kind = KeyKind::Text,
                  .control = control,
                  .width = width,
                  .typingLimit = typingLimit};
}
constexpr KeyDef held(const char* key, KeyKind kind) {
    return KeyDef{key, kind};
}
constexpr KeyDef choice(const char* key, const char* group, std::array<ChoiceButton, 3> buttons,
                        int count) {
    return KeyDef{key, KeyKind::Choice, group, 0, 0, 0, buttons, count};
}
} // namespace catalogue_rows

// The table, in the order the writer writes the keys.
// clang-format off
inline constexpr std::array<KeyDef, kKeyCount> kCatalogue = [] {
    using namespace catalogue_rows;
    return std::array<KeyDef, kKeyCount>{{
        flag("AUTOSAVE", "asa"),
        flag("AUTOTRACKENEMY", "ate"),
        number("CHAT_ALPHA", "ca", 3, 0, 255),
        number("CHAT_DELAY", "cd", 3, 1, 32),
        number("CHAT_LINES", "cl", 3, 1, 32),
        flag("COMBINE_SLOTS", "combslots"),
        flag("COMPAT_VIDEO", "compatvideo"),
        flag("DEFAULT_SKILLS", "defskills"),
        choice("DETAILLEVEL", "Picture6", {{{'0', "Option3"}, {'1', "Option2"}, {'2', "Option1"}}}, 3),
        flag("EXPLOREMAP", "expmap"),
        flag("FONTAA", "zaa"),
        flag("FONTFILTER", "fontfilt"),
        held("FONTPAGES", KeyKind::FontPages),
        flag("FORCE_BLACK_SHADOW", "fbs"),
        flag("FSAA_FILTER", "fsa"),
        flag("FULLSCREEN", "fullsc"),
        flag("GFX32", "textd"),
        flag("LADDER_EXPORT", "laddexp"),
        text("LANGUAGE", "Text1", 2, 3),
        flag("LOG", "logf"),
        flag("LOGGING", "logging"),
        number("MINIMAP_ALPHA", "mma", 4, 0, 255),
        number("MUSICVOLUME", "musicvol", 4, 0, 125),
        flag("NETLOG", "netlogf"),
        flag("NETWORK_CDKEY_HIDE", "hidekey"),
        held("NETWORK_CDKEY", KeyKind::CdKey),
        held("NETWORK_CDKEY2", KeyKind::CdKey2),
        text("NETWORK_LOBBY", "lsa"),
        text("NETWORK_LOBBYLOGIN", "accname"),
        text("NETWORK_LOBBYPORT", "lp", 0, 5),
        text("NETWORK_PLAYER", "defplayername"),
        text("NETWORK_PORT_LISTEN", "lport", 0, 5),
        text("NETWORK_SESSION", "stdspn"),
        choice("NETWORK_SPEEDSETTINGS", "Picture7", {{{'1', "modem"}, {'2', "dsl"}, {}}}, 2),
        number("NIGHT_DARKNESS", "dunkelheit", 3, 0, 100),
        flag("PICKUPANIM", "atmo"),
        choice("PICKUPAUTO", "Picture9", {{{'0', "all"}, {'1', "goldunis"}, {'2', "gold"}}}, 3),
        flag("SCREEN_QUAKE", "quake"),
        number("SFXVOLUME", "sfxvol", 4, 0, 125),
        flag("SHOWMOVIE", "shmov"),
        flag("SHOWPOTIONS", "posinfo"),
        flag("SHOW_ENEMYINFO", "sheni"),
        flag("SHOW_HEROINFO", "shheroinf"),
        flag("SHOWEXTRO", "shextro"),
        flag("SOUND", "sound"),
        choice("SOUNDQUALITY", "Picture8", {{{'0', "Option6"}, {'1', "Option5"}, {'2', "Option4"}}}, 3),
        flag("TASKBAR_ICONS", "tskicons"),
        flag("UNIQUE_COLOR", "uncol"),
        flag("VIOLENCE", "vio"),
        number("VOICEVOLUME", "voicevol", 4, 0, 125),
        number("WARNING_LEVEL", "warninglevel", 3, 0, 100),
        KeyDef{"WAITRETRACE", KeyKind::WaitRetrace, "waitretrace"},
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

// The row whose control (check box, slider, text box, option group or one of
// its buttons) is named so.
std::optional<int> findKeyByControl(QLatin1String control);

// Separator between key and value in a settings line.
inline constexpr char kSeparator[] = " : ";

// The game's settings file, in its folder.
inline constexpr char kSettingsFileName[] = "settings.cfg";

} // namespace quillset
