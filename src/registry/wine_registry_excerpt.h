#pragma once
// A quick look into a big registry file for one key. A fresh prefix's
// system.reg holds some 9,000 keys in 1.7 MB, which take parseWineRegistry
// about 18 ms; looking for the game in a score of prefixes cannot afford
// that for each.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace quillset {

// The lines of a registry file that decide what the key at keyPath holds:
// the header line, "#arch=win64" when the file has it before its first key,
// and every key section whose key line holds the key's last part as Wine
// writes it (compared ignoring ASCII case), in file order. Parsing the
// excerpt finds the same values of that key as parsing the whole file.
//
// When a key line may instead be the continuation of hex data (the line
// before it holds a backslash, which Wine never writes before a key line)
// the whole file is returned. A key name spelt with escapes that Wine does
// not use for it ("\x41" for "A") is not recognised.
QByteArray wineRegistryExcerpt(QByteArrayView file, const QString& keyPath);

} // namespace quillset
