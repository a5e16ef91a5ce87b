#pragma once
// The Wine prefixes named in the game files of Lutris (YAML) and Heroic
// (JSON). Both readers take the file's bytes and never throw: a broken or
// foreign file names no prefix.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace quillset {

// A prefix path as the launcher wrote it, made absolute: a leading "~" or
// "~/" stands for home. Empty for a relative path.
QString expandPrefixPath(const QString& path, const QString& home);

// Lutris' games/<slug>.yml: the value of "prefix" under "game", else a
// "prefix" at the top of the file. Empty when there is none.
QString lutrisPrefix(const QByteArray& yaml);

// Heroic's GamesConfig/<app>.json: one object per game, each possibly with
// "winePrefix"; a "winePrefix" at the top of the file counts too (first).
QStringList heroicPrefixes(const QByteArray& json);

} // namespace quillset
