#include "settings/standard_settings.h"

#include "settings/key_catalogue.h"

#include <array>

namespace quillset {

namespace {

// Each row names its key, found while compiling: a misspelt key does not build.
consteval StandardValue value(const char* key, int number) {
    return {rowOf(key), number, 0, nullptr};
}
consteval StandardValue guiText(const char* key, int entry) {
    return {rowOf(key), 0, entry, nullptr};
}
consteval StandardValue text(const char* key, const char* fixed) {
    return {rowOf(key), 0, 0, fixed};
}

// clang-format off
constexpr std::array<StandardValue, 40> kStandard{{
    guiText("LANGUAGE", 14),          value("UNIQUE_COLOR", 1),
    value("CHAT_LINES", 8),           value("CHAT_DELAY", 8),
    value("COMPAT_VIDEO", 0),         value("CHAT_ALPHA", 0),
    value("DEFAULT_SKILLS", 1),       value("DETAILLEVEL", 2),
    value("EXPLOREMAP", 1),           value("FONTFILTER", 1),
    value("FORCE_BLACK_SHADOW", 0),   value("FSAA_FILTER", 0),
    value("FULLSCREEN", 1),           value("GFX32", 0),
    value("LADDER_EXPORT", 1),        value("LOG", 0),
    value("LOGGING", 0),              value("MINIMAP_ALPHA", 125),
    value("MUSICVOLUME", 100),        value("SFXVOLUME", 100),
    value("VOICEVOLUME", 100),        value("NETLOG", 0),
    value("NETWORK_CDKEY_HIDE", 1),   guiText("NETWORK_LOBBY", 15),
    text("NETWORK_LOBBYPORT", "7065"), text("NETWORK_PORT_LISTEN", "2005"),
    value("NETWORK_SPEEDSETTINGS", 2), value("NIGHT_DARKNESS", 50),
    value("PICKUPANIM", 1),           value("PICKUPAUTO", 0),
    value("SCREEN_QUAKE", 1),         value("SHOW_ENEMYINFO", 1),
    value("SHOWEXTRO", 1),            value("SHOWMOVIE", 1),
    value("SHOWPOTIONS", 1),          value("SOUND", 1),
    value("SOUNDQUALITY", 2),         value("VIOLENCE", 0),
    value("WAITRETRACE", 1),          value("WARNING_LEVEL", 25),
}};
// clang-format on

} // namespace

std::span<const StandardValue> standardSettings() {
    return kStandard;
}

} // namespace quillset
