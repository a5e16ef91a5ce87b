#pragma once
// The visual-style switch: its state lives only in the name of the manifest
// beside the program, active or parked. The switch renames it; the new look
// applies at the next start.

#include <QString>

namespace quillset {

struct ManifestPaths {
    QString active; // "Quillset.exe.Manifest"
    QString parked; // the same name followed by "_"

    static ManifestPaths in(const QString& programDir);
};

enum class MenuItemState { Checked, Unchecked, Disabled };

// The menu item as start-up sets it: checked when the active manifest is
// there, unchecked when the parked one is (this wins when both are), and
// disabled when neither is.
MenuItemState visualStyleItemState(const ManifestPaths& paths);

enum class SwitchResult {
    Switched,     // renamed; the user is asked to restart
    Missing,      // the file the item refers to has gone: nothing happens
    BothExist,    // renaming would replace the other file: refused
    RenameFailed, // the file system refused the rename
};

// Renames active -> parked when the item is checked, parked -> active when not.
SwitchResult switchVisualStyle(const ManifestPaths& paths, bool itemChecked);

// Whether the program should start with the platform's modern style.
bool modernStyleWanted(const QString& programDir);

} // namespace quillset
