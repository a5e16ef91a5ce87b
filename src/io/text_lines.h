#pragma once
// Line splitting shared by every text file the program reads.

#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <algorithm>
#include <cstring>

namespace quillset {

// Hands fn the lines of data one at a time, without building a list: lines
// end at CR LF, at a lone CR and at a lone LF (files saved on Linux or by hand
// must not collapse into one line). A terminator after the last line does not
// start another line; empty input has no lines. The views point into data.
template <class Fn> void forEachLine(QByteArrayView data, Fn&& fn) {
    // memchr finds each kind of line end; a loop over every byte is several
    // times slower on long lines.
    const char* const end = data.data() + data.size();
    const auto find = [end](const char* from, char c) {
        const void* at = from == end ? nullptr : std::memchr(from, c, size_t(end - from));
        return at ? static_cast<const char*>(at) : end;
    };
    const char* start = data.data();
    const char* cr = find(start, '\r');
    const char* lf = find(start, '\n');
    while (cr != end || lf != end) {
        const char* const lineEnd = std::min(cr, lf);
        fn(QByteArrayView(start, lineEnd - start));
        start = lineEnd + 1;
        if (lineEnd == cr && start != end && *start == '\n')
            ++start;
        if (cr < start)
            cr = find(start, '\r');
        if (lf < start)
            lf = find(start, '\n');
    }
    if (start != end)
        fn(QByteArrayView(start, end - start));
}

// True when text holds a CR or an LF. Every file the program writes is one
// value per line, so such a value would split into lines of its own.
bool containsLineBreak(QStringView text);

// What a single-line box keeps of text pasted or set into it: line breaks at
// the start are skipped, then the text up to the next line break is kept.
QString firstLine(QStringView text);

} // namespace quillset
