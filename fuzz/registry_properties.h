#pragma once
// The properties the registry fuzz targets check on every input. The unit
// tests replay the checked-in inputs through them too, so that a build
// without clang's fuzzer still runs them.

#include "io/text_lines.h"
#include "registry/launchers/steam_library_file.h"
#include "registry/registry.h"
#include "registry/wine_registry.h"
#include "registry/wine_registry_excerpt.h"
#include "registry/wine_registry_file.h"

namespace quillset::fuzz {

// Setting a string value in any registry file and reading the result gives
// that value back, every other value reads as before, and the edit changed
// one stretch of the file only: inside the lines of the value it replaced, or
// an insertion of at most six line breaks (a value, or a new key section with
// a comment line before it when the file ends in hex data waiting for its
// continuation line). A file Wine ignores, a value of two lines, is never
// written.
inline bool registryEditHolds(QByteArrayView file, const QString& keyPath, const QString& valueName,
                              const QString& text) {
    const WineRegFile before = parseWineRegistry(file);
    const std::optional<QByteArray> edited =
        setWineRegistryString(file, keyPath, valueName, text, 1700000000);
    const QString path = keyPathParts(keyPath).join(QLatin1Char('\\'));
    if (!before.valid || path.isEmpty() || containsLineBreak(text))
        return !edited;
    const WineRegFile after = parseWineRegistry(edited.value_or(QByteArray()));
    const WineRegValue* value = after.findValue(keyPath, valueName);
    if (!edited || !value || value->type != kRegSz || value->data != utf16StringData(text))
        return false;
    for (const WineRegKey& key : before.keys) {
        for (const WineRegValue& old : key.values) {
            if (old.begin < 0 || old.begin > old.end || old.end > file.size())
                return false;
            const WineRegValue* now = after.findValue(key.path, old.name);
            const WineRegValue* was = before.findValue(key.path, old.name);
            // The value set is the only one allowed to change.
            if (now != value && (!now || now->type != was->type || now->data != was->data))
                return false;
        }
    }
    const QByteArrayView out = *edited;
    if (const WineRegValue* replaced = before.findValue(keyPath, valueName)) {
        const QByteArrayView tail = file.sliced(replaced->end);
        return out.size() >= replaced->begin + tail.size() &&
               out.startsWith(file.first(replaced->begin)) && out.endsWith(tail) &&
               !out.sliced(replaced->begin, out.size() - replaced->begin - tail.size())
                    .contains('\n');
    }
    qsizetype common = 0;
    if (out.size() < file.size())
        return false;
    while (common < file.size() && file[common] == out[common])
        ++common;
    return out.sliced(common + out.size() - file.size()) == file.sliced(common) &&
           out.count('\n') <= file.count('\n') + 6;
}

// The scan for a key's name says the same of a file taken whole and taken in
// pieces of 7 bytes, and a file where it finds no name yields an excerpt
// that holds no value of the key: the search may skip reading it whole.
inline bool keyScanHolds(QByteArrayView file, const QString& keyPath, const QString& valueName) {
    WineKeyNameScan whole(keyPath), pieces(keyPath);
    bool namedInPieces = false;
    for (qsizetype at = 0; at < file.size(); at += 7)
        namedInPieces = pieces.take(file.sliced(at, std::min<qsizetype>(7, file.size() - at)));
    const bool named = whole.take(file);
    const QByteArray excerpt = wineRegistryExcerpt(file, keyPath);
    return named == namedInPieces &&
           (named || !wineHiveValue(excerpt, RegistryRoot::LocalMachine, keyPath, valueName));
}

// The input is the file's bytes; when they hold two NUL bytes in a row, what
// follows the last such pair is "key path NUL value name NUL text" (UTF-8),
// otherwise the installer's value is set.
inline bool registryInputHolds(QByteArrayView input) {
    const qsizetype split = input.lastIndexOf(QByteArrayView("\0\0", 2));
    if (split < 0)
        return registryEditHolds(input, kInstallKeyPath, kInstallValueName, "C:\\Games\\Korrin") &&
               keyScanHolds(input, kInstallKeyPath, kInstallValueName);
    const QList<QByteArray> parts = input.sliced(split + 2).toByteArray().split('\0');
    const QString key = QString::fromUtf8(parts.value(0)), name = QString::fromUtf8(parts.value(1));
    return registryEditHolds(input.first(split), key, name, QString::fromUtf8(parts.value(2))) &&
           keyScanHolds(input.first(split), key, name);
}

// Reading any bytes as Steam's libraryfolders.vdf ends, names no empty path,
// and the paths it names, written back the way Steam writes the file (with
// \\ and \" escapes), read back as the same paths.
inline bool steamLibraryRoundTrips(QByteArrayView input) {
    const QStringList paths = steamLibraryPaths(input);
    QByteArray rewritten = "\"libraryfolders\"\n{\n";
    for (qsizetype i = 0; i < paths.size(); ++i) {
        QByteArray path = paths[i].toUtf8();
        path.replace('\\', "\\\\").replace('"', "\\\"");
        rewritten +=
            "\t\"" + QByteArray::number(i) + "\"\n\t{\n\t\t\"path\"\t\t\"" + path + "\"\n\t}\n";
    }
    return !paths.contains(QString()) && steamLibraryPaths(rewritten + "}\n") == paths;
}

} // namespace quillset::fuzz
