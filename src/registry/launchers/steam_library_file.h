#pragma once
// Steam's list of its game libraries, steamapps/libraryfolders.vdf, in
// Valve's KeyValues text format:
//
//   "libraryfolders"
//   {
//       "0"
//       {
//           "path"    "/home/ann/.local/share/Steam"
//           "apps"    { "228980" "351237120" }
//       }
//       "1" { "path" "/mnt/games/SteamLibrary" }
//   }
//
// Strings are quoted (with \\ and \" escapes) or bare words, // starts a
// comment, braces open and close objects.

#include <QByteArrayView>
#include <QStringList>

namespace quillset {

// The library folders the file names, in file order: each "path" value of
// an object inside "libraryfolders" (compared ignoring case), and, as older
// Steam versions wrote them, numbered keys of "libraryfolders" itself with a
// string value. Never fails: a broken file gives whatever paths came before
// the damage, and junk gives none.
QStringList steamLibraryPaths(QByteArrayView text);

} // namespace quillset
