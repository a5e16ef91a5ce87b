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

// Where needle (folded to lower case) next occurs in haystack at or after
// from, comparing ASCII letters ignoring case; -1 where it does not. The
// excerpt and the scan below search with it; declared here for the fuzz
// target that checks it against a plain search.
qsizetype findFolded(QByteArrayView haystack, const QByteArray& needle, qsizetype from);

// Whether a registry file holds the key's last part where wineRegistryExcerpt
// looks for it, taking the file piece by piece. In a file where it never
// occurs (compared ignoring ASCII case, on any line) no key section is
// excerpted, so the key has no value there and the file need not be kept.
// Read through a small buffer, each piece is scanned while it is still in
// the processor's cache, which a whole 1.7 MB file is not.
class WineKeyNameScan {
public:
    explicit WineKeyNameScan(const QString& keyPath);

    // Takes the bytes that follow those taken before; true once the name
    // occurred in them, also when it straddles two pieces. An empty key
    // path names nothing.
    bool take(QByteArrayView piece);

private:
    QByteArray needle_; // the name as Wine writes it, folded to lower case
    QByteArray tail_;   // the last bytes taken, one fewer than the needle
    QByteArray seam_;   // tail_ and the start of the next piece
    bool found_ = false;
};

} // namespace quillset
