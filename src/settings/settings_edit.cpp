#include "settings/settings_edit.h"

#include "settings/key_catalogue.h"
#include "settings/settings_reader.h"

#include <utility>
#include <vector>

namespace quillset {

namespace {

const QByteArrayView kByteOrderMark("\xEF\xBB\xBF");

// The line end the file uses first; CR LF, as the writer writes, in a file without any.
QByteArrayView lineEndOf(QByteArrayView file) {
    for (qsizetype i = 0; i < file.size(); ++i) {
        if (file[i] == '\n')
            return "\n";
        if (file[i] == '\r')
            return i + 1 < file.size() && file[i + 1] == '\n' ? "\r\n" : "\r";
    }
    return "\r\n";
}

// Hands fn each line with its own line end (empty for an unended last line).
template <class Fn> void forEachEndedLine(QByteArrayView data, Fn&& fn) {
    qsizetype start = 0;
    while (start < data.size()) {
        qsizetype end = start;
        while (end < data.size() && data[end] != '\r' && data[end] != '\n')
            ++end;
        qsizetype next = end;
        if (next < data.size())
            next += (data[next] == '\r' && next + 1 < data.size() && data[next + 1] == '\n') ? 2 : 1;
        fn(data.sliced(start, end - start), data.sliced(end, next - end));
        start = next;
    }
}

} // namespace

EditedFile editSettingsLines(QByteArrayView file, std::span<const LineEdit> edits) {
    EditedFile result;
    result.bytes.reserve(file.size() + 64 * qsizetype(edits.size()));
    std::vector<char> placed(edits.size(), false);
    qsizetype appendAt = 0;   // after the last line that is not blank
    bool appendEnds = false;  // that line has no line end of its own
    bool first = true;
    forEachEndedLine(file, [&](QByteArrayView line, QByteArrayView end) {
        const std::optional<QByteArrayView> key = lineKey(line, std::exchange(first, false));
        const std::optional<int> row = key ? findKey(*key) : std::nullopt;
        std::size_t edit = edits.size();
        for (std::size_t i = 0; row && i < edits.size(); ++i)
            edit = edits[i].row == *row ? i : edit;
        if (edit == edits.size()) {
            result.bytes += line;
            result.bytes += end;
        } else {
            // A mark in front of the file belongs to the file, not to the line.
            const QByteArrayView mark = key->data() > line.data() ? kByteOrderMark : QByteArrayView();
            const std::optional<QByteArray>& replacement = edits[edit].line;
            result.bytes += mark;
            if (std::exchange(placed[edit], char(true)) || !replacement) {
                ++result.linesChanged; // removed
                return;
            }
            result.bytes += *replacement;
            result.bytes += end;
            result.linesChanged += line != mark.toByteArray() + *replacement;
        }
        if (!line.isEmpty()) {
            appendAt = result.bytes.size();
            appendEnds = end.isEmpty();
        }
    });
    QByteArray added;
    const QByteArrayView lineEnd = lineEndOf(file);
    for (std::size_t i = 0; i < edits.size(); ++i) {
        if (placed[i] || !edits[i].line)
            continue;
        added += *edits[i].line;
        added += lineEnd;
        ++result.linesChanged;
    }
    if (!added.isEmpty())
        result.bytes.insert(appendAt, appendEnds ? lineEnd.toByteArray() + added : added);
    return result;
}

} // namespace quillset
