// The Options window's menus, beside its controls in control_catalogue.cpp.

#include "ui/control_catalogue.h"

namespace quillset::ui {

namespace {

// clang-format off
constexpr MenuDef kMenus[] = {
    {"mfile", "", "Datei"},
    {"mopen", "mfile", "Öffnen"},
    {"mSave", "mfile", "Speichern"},
    {"mquit", "mfile", "Beenden"},
    {"moptions", "", "Optionen"},
    {"mcreate_standard_cfg", "moptions", "Standardeinstellungen"},
    {"mcreate_backup", "moptions", "Backup erstellen"},
    {"maccmanage", "moptions", "Account Management"},
    {"use_xp_style", "moptions", "XP-Style verwenden", true, true},
    {"madvanced", "moptions", "Erweitert", true, true},
    {"mhelp", "", "Hilfe"},
    {"mabout", "mhelp", "Über..."},
};
// clang-format on

} // namespace

std::span<const MenuDef> menuCatalogue() {
    return kMenus;
}

} // namespace quillset::ui
