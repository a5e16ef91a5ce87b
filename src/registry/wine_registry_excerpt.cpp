#include "registry/wine_registry_excerpt.h"

#include "registry/registry.h"
#include "registry/wine_registry_file.h"

#include <array>
#include <optional>

namespace quillset {

namespace {

char foldAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Where needle next occurs at or after from, ignoring ASCII case
// (Boyer-Moore-Horspool: mostly one byte looked at per needle length).
qsizetype findFolded(QByteArrayView haystack, const QByteArray& needle, qsizetype from) {
    const qsizetype n = needle.size();
    if (n == 0 || haystack.size() - from < n)
        return -1;
    std::array<qsizetype, 256> shift;
    shift.fill(n);
    for (qsizetype i = 0; i + 1 < n; ++i)
        shift[static_cast<uchar>(needle[i])] = n - 1 - i;
    const char last = needle[n - 1];
    for (qsizetype at = from; at + n <= haystack.size();) {
        const char c = foldAscii(haystack[at + n - 1]);
        if (c == last) {
            qsizetype i = n - 2;
            while (i >= 0 && foldAscii(haystack[at + i]) == needle[i])
                --i;
            if (i < 0)
                return at;
        }
        at += shift[static_cast<uchar>(c)];
    }
    return -1;
}

// The lines of the file, as offsets: each starts after an LF (or at 0).
struct Lines {
    QByteArrayView file;

    qsizetype startOf(qsizetype at) const { return file.first(at).lastIndexOf('\n') + 1; }
    qsizetype nextStart(qsizetype lineStart) const {
        const qsizetype lf = file.indexOf('\n', lineStart);
        return lf < 0 ? file.size() : lf + 1;
    }
    // A key line: its first character other than blanks is '['.
    bool isKeyLine(qsizetype lineStart) const {
        qsizetype i = lineStart;
        while (i < file.size() && file[i] != '\n' && isBlank(file[i]))
            ++i;
        return i < file.size() && file[i] == '[';
    }
    // Hex data that ends its line in a backslash takes the next line as its
    // rest, whatever that line holds.
    bool mayContinueInto(qsizetype lineStart) const {
        if (lineStart == 0)
            return false;
        const qsizetype previous = startOf(lineStart - 1);
        return file.sliced(previous, lineStart - previous).contains('\\');
    }
};

} // namespace

QByteArray wineRegistryExcerpt(QByteArrayView file, const QString& keyPath) {
    const Lines lines{file};
    const qsizetype firstLineEnd = lines.nextStart(0);
    // Sections are copied with their line breaks, and a file's last line
    // without one is copied as it is: Wine keeps a CR at the very end of a
    // file in the line's text, so adding an LF could change a value.
    QByteArray excerpt = file.first(firstLineEnd).toByteArray();

    // Lines before the first key line are options, "#arch=win64" among them.
    for (qsizetype line = firstLineEnd; line < file.size() && !lines.isKeyLine(line);) {
        const qsizetype next = lines.nextStart(line);
        QByteArrayView text = file.sliced(line, next - line);
        if (text.endsWith('\n'))
            text.chop(text.endsWith("\r\n") ? 2 : 1);
        if (text == QByteArrayView("#arch=win64"))
            excerpt.append("#arch=win64\n");
        line = next;
    }

    const QStringList parts = keyPathParts(keyPath);
    if (parts.isEmpty())
        return excerpt;
    QByteArray needle = escapeWineText(parts.back(), '[', ']');
    for (char& c : needle)
        c = foldAscii(c);

    qsizetype searchFrom = firstLineEnd;
    for (qsizetype hit; (hit = findFolded(file, needle, searchFrom)) >= 0;) {
        const qsizetype start = lines.startOf(hit);
        searchFrom = lines.nextStart(hit);
        if (start == 0 || !lines.isKeyLine(start))
            continue;
        if (lines.mayContinueInto(start))
            return file.toByteArray();
        qsizetype end = searchFrom;
        while (end < file.size() && !lines.isKeyLine(end))
            end = lines.nextStart(end);
        if (end < file.size() && lines.mayContinueInto(end))
            return file.toByteArray();
        excerpt.append(file.sliced(start, end - start));
        searchFrom = end;
    }
    return excerpt;
}

} // namespace quillset
