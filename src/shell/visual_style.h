#pragma once
// The visual-style switch: its state lives in the name of the manifest
// beside the program, active or parked. The switch renames it; the new look
// applies at the next start. Where the program folder is not the user's,
// the switch renames nothing: each user's choice is kept in their own
// folder, and until they make one the manifest's name decides.

#include "shell/choice_folder.h"

#include <QString>
#include <optional>

namespace quillset {

struct ManifestPaths {
    QString active; // "Quillset.exe.Manifest"
    QString parked; // the same name followed by "_"

    static ManifestPaths in(const QString& programDir);
};

enum class MenuItemState { Checked, Unchecked, Disabled };

// The user's own choice of look in folder (checked: the modern look), none
// when the folder keeps no valid one.
std::optional<bool> keptStyleChoice(const QString& folder);

// The menu item as start-up sets it: as the choices' folder keeps it, when
// that is the user's own and keeps a choice. Otherwise checked when the
// active manifest is there, unchecked when the parked one is (this wins when
// both are), and disabled when neither is.
MenuItemState visualStyleItemState(const QString& programDir, const ChoiceFolder& choices);

enum class SwitchResult {
    Switched,     // renamed or kept; the user is asked to restart
    Missing,      // the file the item refers to has gone: nothing happens
    BothExist,    // renaming would replace the other file: refused
    RenameFailed, // the file system refused the rename
    NotKept,      // the user's choice could not be written: nothing changed
};

struct StyleSwitch {
    SwitchResult result;
    QString file;   // the file renamed or written (for a notice)
    QString reason; // why a choice was not kept
};

// The click on the item: in the program folder, renames active -> parked
// when the item is checked, parked -> active when not; in the user's own
// folder, keeps the opposite of the item's state (making the folder when
// needed). Nothing else is written.
StyleSwitch switchVisualStyle(const QString& programDir, const ChoiceFolder& choices,
                              bool itemChecked);

// Whether the program should start with the platform's modern style: the
// user's own choice when one is kept, else the active manifest.
bool modernStyleWanted(const QString& programDir, const ChoiceFolder& choices);

} // namespace quillset
