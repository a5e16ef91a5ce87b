// Setting one string value in the text of a Wine registry file, changing no
// other byte of it.
#include "registry/wine_registry_file.h"

#include "io/text_lines.h"
#include "registry/registry.h"

namespace quillset {

namespace {

QByteArray detectLineBreak(QByteArrayView bytes) {
    const qsizetype lf = bytes.indexOf('\n');
    return lf > 0 && bytes[lf - 1] == '\r' ? QByteArray("\r\n") : QByteArray("\n");
}

// What ends an unfinished last line so that Wine reads its text unchanged:
// Wine drops one CR before the LF, so a text ending in CR needs a CR LF.
QByteArray lineEnding(QByteArrayView bytes, const QByteArray& lineBreak) {
    if (bytes.isEmpty() || bytes.endsWith('\n'))
        return {};
    return bytes.endsWith('\r') ? QByteArray("\r\n") : lineBreak;
}

QByteArray valueLine(const QString& valueName, const QString& text) {
    QByteArray line =
        valueName.isEmpty() ? QByteArray("@") : '"' + escapeWineText(valueName, '"', '"') + '"';
    line += "=\"" + escapeWineText(text, '"', '"') + '"';
    return line;
}

// Wine stamps a key with its time of change twice: as Unix seconds on the key
// line and as a FILETIME (100 ns steps since 1601) on the #time line.
QByteArray newKeySection(const QString& path, qint64 unixTime, const QByteArray& lineBreak) {
    constexpr qint64 kSecondsFrom1601To1970 = 11644473600;
    const auto fileTime = static_cast<quint64>(unixTime + kSecondsFrom1601To1970) * 10000000u;
    return lineBreak + '[' + escapeWineText(path, '[', ']') + "] " + QByteArray::number(unixTime) +
           lineBreak + "#time=" + QByteArray::number(fileTime, 16) + lineBreak;
}

} // namespace

std::optional<QByteArray> setWineRegistryString(QByteArrayView bytes, const QString& keyPath,
                                                const QString& valueName, const QString& text,
                                                qint64 unixTime) {
    // A folder name never holds a line break; one in the value means the
    // text came from somewhere it should not have, and is not stored.
    if (containsLineBreak(text))
        return std::nullopt;
    const WineRegFile file = parseWineRegistry(bytes);
    const QString path = keyPathParts(keyPath).join(QLatin1Char('\\'));
    if (!file.valid || path.isEmpty())
        return std::nullopt;

    // The value Wine would use is the one to replace; a new value goes into
    // the key's last section.
    const WineRegValue* existing = file.findValue(path, valueName);
    const WineRegKey* section = nullptr;
    for (const WineRegKey& key : file.keys) {
        if (key.path.compare(path, Qt::CaseInsensitive) == 0)
            section = &key;
    }

    const QByteArray lineBreak = detectLineBreak(bytes);
    QByteArray out = bytes.toByteArray();
    if (existing) {
        // Like Windows, a value that is set again keeps the spelling of its name.
        out.replace(existing->begin, existing->end - existing->begin,
                    valueLine(existing->name, text));
        return out;
    }
    const QByteArray line = valueLine(valueName, text);
    if (section) {
        // After the whole last line of the section, its line break included,
        // so that line reads as before whatever its ending.
        const qsizetype lf = out.indexOf('\n', section->end);
        if (lf >= 0) {
            out.insert(lf + 1, line + lineBreak);
            return out;
        }
        out += lineEnding(out, lineBreak) + line + lineBreak;
        return out;
    }
    out += lineEnding(out, lineBreak);
    // Hex data whose last line asks for a continuation is a value Wine
    // rejects; a comment line keeps it rejected instead of letting the new
    // section complete it.
    if (file.endsInContinuation)
        out += ';' + lineBreak;
    out += newKeySection(path, unixTime, lineBreak) + line + lineBreak;
    return out;
}

} // namespace quillset
