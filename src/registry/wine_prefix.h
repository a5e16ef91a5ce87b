#pragma once
// The Wine prefix a Windows game lives in on Linux: finding it, telling
// whether its wineserver runs, and turning the game's Windows paths into
// local paths.

#include <QString>
#include <QStringList>

namespace quillset {

// The nearest folder at or above folder that holds system.reg and drive_c:
// a program copied into the game's folder finds its own prefix this way.
// Empty when there is none.
QString prefixAroundFolder(const QString& folder);

// The lock files a running wineserver of the prefix would hold, named after
// the prefix folder's device and inode: server-<dev hex>-<inode hex>/lock in
// /tmp/.wine-<uid> (upstream Wine), or in the folder that Debian's Wine makes
// with a random name in $TMPDIR or /tmp and records in <prefix>/wineserver.
// Empty when the prefix folder cannot be examined.
QStringList wineServerLockPaths(const QString& prefix);

// True when a wineserver runs for the prefix: it reads the registry files at
// its start and writes them back later, so an edit made now would be lost.
// A missing lock file means no server; lock files are never created. When a
// lock cannot be tested, a server is assumed, so nothing is written.
bool wineServerRunning(const QString& prefix);

// The local path of a Windows path such as "C:\Games\Korrin", through the
// prefix's drive links dosdevices/<letter>: ("\\?\" and "\??\" prefixes are
// dropped). Each part is taken as written when it exists, else a directory
// entry that matches it ignoring case; parts that do not exist are appended
// as written. Empty when the path has no drive letter or the drive has no
// link in the prefix.
QString wineToLocalPath(const QString& prefix, const QString& windowsPath);

} // namespace quillset
