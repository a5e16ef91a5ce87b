#pragma once
// Folders in the form the editor keeps the install folder in.

#include <QString>

namespace quillset {

// A folder as the editor keeps the install folder: native separators and one
// trailing separator, so a bare file name can be appended.
QString asInstallDir(const QString& folder);

} // namespace quillset
