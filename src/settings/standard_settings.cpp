#include "settings/standard_settings.h"

#include <array>

namespace quillset {

namespace {

constexpr StandardValue value(const char* control, int number) {
    return {control, number, 0, nullptr};
}
constexpr StandardValue guiText(const char* control, int entry) {
    return {control, 0, entry, nullptr};
}
constexpr StandardValue text(const char* control, const char* fixed) {
    return {control, 0, 0, fixed};
}

constexpr std::array<StandardValue, 40> kStandard{{
    guiText("Text1", 14),     value("uncol", 1),       value("cl", 8),
    value("cd", 8),           value("compatvideo", 0), value("ca", 0),
    value("defskills", 1),    value("Option1", 1),     value("expmap", 1),
    value("fontfilt", 1),     value("fbs", 0),         value("fsa", 0),
    value("fullsc", 1),       value("textd", 0),       value("laddexp", 1),
    value("logf", 0),         value("logging", 0),     value("mma", 125),
    value("musicvol", 100),   value("sfxvol", 100),    value("voicevol", 100),
    value("netlogf", 0),      value("hidekey", 1),     guiText("lsa", 15),
    text("lp", "7065"),       text("lport", "2005"),   value("dsl", 1),
    value("dunkelheit", 50),  value("atmo", 1),        value("all", 1),
    value("quake", 1),        value("sheni", 1),       value("shextro", 1),
    value("shmov", 1),        value("posinfo", 1),     value("sound", 1),
    value("Option4", 1),      value("vio", 0),         value("waitretrace", 1),
    value("warninglevel", 25),
}};

} // namespace

std::span<const StandardValue> standardSettings() {
    return kStandard;
}

} // namespace quillset
