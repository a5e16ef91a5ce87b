// The Options window's commands: Open, Save, Exit and the options menu.

#include "ui/options_window.h"

namespace quillset::ui {

void OptionsWindow::oeffnen_Click() {
    // Open: not available yet.
}

void OptionsWindow::speichern_Click() {
    // Save: not available yet.
}

void OptionsWindow::exitbtn_Click() {
    endProgram();
}

void OptionsWindow::mcreate_standard_cfg_Click() {
    // Standard settings: not available yet.
}

void OptionsWindow::mcreate_backup_Click() {
    // Backup: not available yet.
}

void OptionsWindow::maccmanage_Click() {
    // Account window: not available yet.
}

void OptionsWindow::use_xp_style_Click() {
    // Visual-style switch: not available yet.
}

} // namespace quillset::ui
