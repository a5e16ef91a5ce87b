#pragma once
// The registry as the program uses it: one string value that the game's
// installer writes, read from the machine root or the per-user root, and a
// copy written into the machine root. Backends hand over raw typed values;
// turning them into text is shared, so every platform reads a value alike.

#include <QByteArray>
#include <QByteArrayView>
#include <QLatin1String>
#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <optional>

namespace quillset {

enum class RegistryRoot { LocalMachine, CurrentUser };

// Windows value type codes.
inline constexpr quint32 kRegSz = 1;
inline constexpr quint32 kRegExpandSz = 2;
inline constexpr quint32 kRegBinary = 3;
inline constexpr quint32 kRegDword = 4;
inline constexpr quint32 kRegMultiSz = 7;

// Where the game's installer records its folder.
inline constexpr QLatin1String kInstallKeyPath{"Software\\Halvane Entertainment\\Korrin Deepfall"};
inline constexpr QLatin1String kInstallValueName{"InstallLocation"};

// How a backend hands over the characters of string data: the ANSI entry
// points of Windows give code-page bytes, Wine and the test backend UTF-16LE.
enum class RegistryText { Ansi, Utf16 };

struct RegistryValue {
    quint32 type = 0;
    QByteArray data;
    RegistryText text = RegistryText::Utf16;
};

// Reads one raw value as the program understands it:
// - REG_SZ: the text up to its first NUL, or the whole data when it has none;
// - REG_BINARY: its first two bytes as a little-endian signed 16-bit number in
//   decimal ("-" for negatives, no leading blank); shorter data reads as empty;
// - any other type: empty.
QString registryValueText(quint32 type, QByteArrayView data, RegistryText text);

// REG_SZ data for text as Windows stores it natively: UTF-16LE with its NUL.
QByteArray utf16StringData(const QString& text);

// The parts of a backslash-separated key path, empty parts dropped.
QStringList keyPathParts(const QString& keyPath);

// A 32-bit program on 64-bit Windows sees HKLM\Software\X stored at
// Software\Wow6432Node\X. Returns that path for a path under Software, empty
// for any other path (and for one already inside Wow6432Node).
QString wow6432KeyPath(const QString& keyPath);

class Registry {
public:
    virtual ~Registry() = default;

    // The raw value, or nothing when the key or the value is missing or
    // cannot be read.
    virtual std::optional<RegistryValue> queryValue(RegistryRoot root, const QString& keyPath,
                                                    const QString& valueName) const = 0;

    // Stores text as a REG_SZ value, creating missing keys. False when the
    // write was refused; the registry is then unchanged.
    virtual bool setStringValue(RegistryRoot root, const QString& keyPath, const QString& valueName,
                                const QString& text) = 0;

    // The local folder a path value names. Under Wine the value is a Windows
    // path that must go through the prefix's drive links; empty when it
    // cannot be mapped.
    virtual QString localPath(const QString& windowsPath) const { return windowsPath; }

    // The value as text; every failure reads as empty text.
    QString readString(RegistryRoot root, const QString& keyPath, const QString& valueName) const;
};

} // namespace quillset
