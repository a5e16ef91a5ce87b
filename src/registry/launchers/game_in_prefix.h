#pragma once
// Whether a Wine prefix holds the game, read from its registry files
// without changing anything in it.

#include <QString>

#include <optional>

namespace quillset {

// The game's folder in a prefix: the installer's value (the machine root's,
// else the per-user one, as the program reads it) mapped through the
// prefix's drive links, when that folder exists. Reads the registry files
// only; nothing in the prefix is written. A registry file that is not a
// regular file, or is larger than 64 MiB, holds no value.
std::optional<QString> gameFolderInPrefix(const QString& prefix);

} // namespace quillset
