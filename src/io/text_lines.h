#pragma once
// Line splitting shared by every text file the program reads.

#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace quillset {

// Hands fn the lines of data one at a time, without building a list: lines
// end at CR LF, at a lone CR and at a lone LF (files saved on Linux or by hand
// must not collapse into one line). A terminator after the last line does not
// start another line; empty input has no lines. The views point into data.
template <class Fn> void forEachLine(QByteArrayView data, Fn&& fn) {
    const char* const begin = data.data();
    const qsizetype size = data.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < size; ++i) {
        const char c = begin[i];
        if (c != '\r' && c != '\n')
            continue;
        fn(QByteArrayView(begin + start, i - start));
        if (c == '\r' && i + 1 < size && begin[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < size)
        fn(QByteArrayView(begin + start, size - start));
}

// True when text holds a CR or an LF. Every file the program writes is one
// value per line, so such a value would split into lines of its own.
bool containsLineBreak(QStringView text);

// What a single-line box keeps of text pasted or set into it: line breaks at
// the start are skipped, then the text up to the next line break is kept.
QString firstLine(QStringView text);

} // namespace quillset
