#include "settings/key_catalogue.h"

#include <QByteArrayView>
#include <algorithm>
#include <string_view>
#include <unordered_map>

namespace quillset {

namespace {

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

// clang-format off
constexpr std::array<KeyDef, kKeyCount> kCatalogue{{
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
// clang-format on

// Clearing a slider puts it at its minimum, and the control shows no sign.
static_assert(std::ranges::all_of(kCatalogue,
                                  [](const KeyDef& def) {
                                      return def.kind != KeyKind::Number ||
                                             (0 <= def.min && def.min < def.max);
                                  }),
              "every slider's range starts at 0 or above and holds two values");

} // namespace

std::span<const KeyDef, kKeyCount> keyCatalogue() {
    return kCatalogue;
}

std::optional<int> findKey(QByteArrayView key) {
    // Every line of a settings file is looked up; a hash keeps large files linear and cheap.
    static const std::unordered_map<std::string_view, int> index = [] {
        std::unordered_map<std::string_view, int> map;
        for (int i = 0; i < kKeyCount; ++i)
            map.emplace(kCatalogue[i].key, i);
        return map;
    }();
    const auto it = index.find(std::string_view(key.data(), static_cast<size_t>(key.size())));
    if (it == index.end())
        return std::nullopt;
    return it->second;
}

std::optional<int> findKey(QLatin1String key) {
    return findKey(QByteArrayView(key.data(), key.size()));
}

std::optional<int> findKeyByControl(QLatin1String control) {
    for (int i = 0; i < kKeyCount; ++i) {
        const KeyDef& def = kCatalogue[i];
        if (def.controlName() == control)
            return i;
        for (const ChoiceButton& button : def.choices()) {
            if (QLatin1String(button.control) == control)
                return i;
        }
    }
    return std::nullopt;
}

} // namespace quillset

namespace quillset {

std::optional<int> acceptedNumber(const KeyDef& def, int value) {
    switch (def.kind) {
    case KeyKind::Flag:
    case KeyKind::WaitRetrace:
        if (value < 0 || value > 2)
            return std::nullopt;
        return value;
    case KeyKind::Number:
        return std::clamp(value, def.min, def.max);
    case KeyKind::Choice: {
        const auto choices = def.choices();
        const bool known = std::ranges::any_of(
            choices, [value](const ChoiceButton& c) { return value == c.digit - '0'; });
        return known ? value : kNoChoice;
    }
    case KeyKind::Text:
    case KeyKind::FontPages:
    case KeyKind::CdKey:
    case KeyKind::CdKey2:
        break;
    }
    return std::nullopt;
}

} // namespace quillset
