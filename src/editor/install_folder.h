#pragma once
// Where the game's files are: the installer's registry value, and folders in
// the form the editor keeps the install folder in.

#include <QString>

namespace quillset {

class Registry;

// The installer's value in the machine root; when only the per-user root has
// one, it is copied into the machine root first. A refused copy leaves the
// machine root without a value, and so the game's folder unknown. Empty
// without a registry.
QString machineInstallValue(Registry* registry);

// A folder as the editor keeps the install folder: native separators and one
// trailing separator, so a bare file name can be appended.
QString asInstallDir(const QString& folder);

} // namespace quillset
