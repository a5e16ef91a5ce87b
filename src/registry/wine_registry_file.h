#pragma once
// The text format of Wine's registry files (system.reg, user.reg): reading
// every key and value the way Wine's server loads them, and editing one
// string value so that every other byte of the file stays as it was.

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringView>
#include <optional>

namespace quillset {

// One value with the byte range of its lines, so an edit can replace exactly
// those lines. Offsets run from the start of its first line to the end of its
// last line's text (the line break after it is not part of the range).
struct WineRegValue {
    QString name; // empty for the default value, written "@"
    quint32 type = 0;
    QByteArray data; // as Windows holds it: strings are UTF-16LE with their NUL
    qsizetype begin = 0;
    qsizetype end = 0;
};

// One key section: its key line and the option and value lines Wine took
// for it. end is the end of the text of its last such line.
struct WineRegKey {
    QString path; // unescaped, parts joined by single backslashes
    qsizetype begin = 0;
    qsizetype end = 0;
    QList<WineRegValue> values;
};

struct WineRegFile {
    // False when the header line is missing: Wine ignores such a file whole.
    bool valid = false;
    // "#arch=win64": a 64-bit prefix, whose 32-bit programs see HKLM\Software
    // through Software\Wow6432Node.
    bool win64 = false;
    // The last line is hex data ending in a continuation backslash: Wine
    // rejects that value, but would take a line added after it as its rest.
    bool endsInContinuation = false;
    QList<WineRegKey> keys;

    // The value Wine ends up with: a key may have several sections (Wine
    // merges them) and a later value line replaces an earlier one.
    const WineRegValue* findValue(const QString& keyPath, const QString& valueName) const&;
    // The result points into the file: not to be taken from a temporary.
    const WineRegValue* findValue(const QString& keyPath,
                                  const QString& valueName) const&& = delete;
};

inline constexpr const char* kWineRegistryHeader = "WINE REGISTRY Version 2";

// Never fails: lines that Wine would reject are skipped as Wine skips them.
WineRegFile parseWineRegistry(QByteArrayView bytes);

// Escapes text the way Wine writes it: ASCII only, backslash and the two
// delimiters escaped, control characters as C or octal escapes, code units
// above 0x7F as \x with the short form unless a hex digit follows.
QByteArray escapeWineText(QStringView text, char open, char close);

// The file with the REG_SZ value set: an existing value's lines are replaced,
// a missing value is added to its key's section, a missing key is added as a
// new section at the end (stamped with unixTime, as Wine stamps its keys).
// All other bytes stay as they were. Empty optional when the file is not a
// registry file Wine would load, the key path is empty or the text holds a
// line break.
std::optional<QByteArray> setWineRegistryString(QByteArrayView bytes, const QString& keyPath,
                                                const QString& valueName, const QString& text,
                                                qint64 unixTime);

} // namespace quillset
