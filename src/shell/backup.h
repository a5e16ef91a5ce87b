#pragma once
// The copy of settings.cfg kept as settings.bck.

#include <QString>
#include <optional>

namespace quillset {

// The backup of the game's settings file, beside it.
inline constexpr char kBackupFileName[] = "settings.bck";

// Copies source over target. The copy replaces the target atomically, and
// is readable by its owner only when the source is not readable by others
// (settings.cfg holds the CD keys). Nothing when the copy was made; else the
// reason, and the target is as it was.
std::optional<QString> copySettingsFile(const QString& source, const QString& target);

} // namespace quillset
