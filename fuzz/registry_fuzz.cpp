// Oracle: setting a string value in any registry file and reading the result
// gives that value back, every other value reads as before, and the edit
// changed one stretch of the file only: the lines of the value it replaced,
// or nothing when it added the value.
//
// Input: the file's bytes. When they hold two NUL bytes in a row, what
// follows the last such pair is "key path NUL value name NUL text" (UTF-8);
// otherwise the installer's value is set.

#include "io/text_lines.h"
#include "registry/registry.h"
#include "registry/wine_registry_file.h"

#include <cstdlib>
#include <vector>

using namespace quillset;

namespace {

struct Request {
    QByteArrayView file;
    QString keyPath = kInstallKeyPath;
    QString valueName = kInstallValueName;
    QString text = QStringLiteral("C:\\Games\\Korrin");
};

Request parseInput(QByteArrayView input) {
    Request request;
    request.file = input;
    const qsizetype split = input.lastIndexOf(QByteArrayView("\0\0", 2));
    if (split < 0)
        return request;
    request.file = input.first(split);
    const QList<QByteArray> parts = input.sliced(split + 2).toByteArray().split('\0');
    request.keyPath = QString::fromUtf8(parts.value(0));
    request.valueName = QString::fromUtf8(parts.value(1));
    request.text = QString::fromUtf8(parts.value(2));
    return request;
}

struct LineSpan {
    qsizetype begin;
    qsizetype length;
};

// Lines as Wine's server reads them: LF ended, the last one possibly not; a
// CR right before the LF is dropped (one at the very end of the file stays).
std::vector<LineSpan> linesOf(QByteArrayView bytes) {
    std::vector<LineSpan> lines;
    for (qsizetype begin = 0; begin < bytes.size();) {
        const qsizetype lf = bytes.indexOf('\n', begin);
        qsizetype end = lf < 0 ? bytes.size() : lf;
        const qsizetype next = end + 1;
        if (lf >= 0 && end > begin && bytes[end - 1] == '\r')
            --end;
        lines.push_back({begin, end - begin});
        begin = next;
    }
    return lines;
}

bool sameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const Request r = parseInput(
        QByteArrayView(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    const WineRegFile before = parseWineRegistry(r.file);
    const std::optional<QByteArray> edited =
        setWineRegistryString(r.file, r.keyPath, r.valueName, r.text, 1700000000);
    const QString path = keyPathParts(r.keyPath).join(QLatin1Char('\\'));
    if (!before.valid || path.isEmpty() || containsLineBreak(r.text)) {
        if (edited)
            std::abort(); // a file Wine would ignore, or a value of two lines, is never written
        return 0;
    }
    if (!edited)
        std::abort();
    // The value reads back.
    const WineRegFile after = parseWineRegistry(*edited);
    const WineRegValue* value = after.findValue(r.keyPath, r.valueName);
    if (!after.valid || !value || value->type != kRegSz || value->data != utf16StringData(r.text))
        std::abort();

    // Every other value reads as before (each key and value Wine would use).
    for (const WineRegKey& key : before.keys) {
        for (const WineRegValue& old : key.values) {
            if (sameName(key.path, path) && sameName(old.name, r.valueName))
                continue;
            const WineRegValue* now = after.findValue(key.path, old.name);
            const WineRegValue* was = before.findValue(key.path, old.name);
            if (!now || now->type != was->type || now->data != was->data)
                std::abort();
        }
    }

    // Every other line is still there, in order; only the replaced value's
    // lines are gone and a few lines added: a value, or a new key section
    // (with a comment line before it when the file ends in hex data waiting
    // for its continuation line).
    const WineRegValue* replaced = before.findValue(r.keyPath, r.valueName);
    const std::vector<LineSpan> oldLines = linesOf(r.file);
    const std::vector<LineSpan> newLines = linesOf(*edited);
    std::size_t next = 0;
    std::size_t kept = 0;
    for (const LineSpan& line : oldLines) {
        if (replaced && line.begin >= replaced->begin && line.begin <= replaced->end)
            continue;
        const QByteArrayView text = r.file.sliced(line.begin, line.length);
        while (next < newLines.size() &&
               QByteArrayView(*edited).sliced(newLines[next].begin, newLines[next].length) != text)
            ++next;
        if (next == newLines.size())
            std::abort(); // a line was lost or changed
        ++next;
        ++kept;
    }
    if (newLines.size() > kept + 5)
        std::abort();
    return 0;
}
