#include "registry/wine_registry_excerpt.h"

#include "registry/registry.h"
#include "registry/wine_registry_file.h"

#include <algorithm>
#include <bit>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace quillset {

namespace {

char foldAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// A byte of the folded needle, and what a byte of the file must be to
// match it ignoring ASCII case: OR-ing 0x20 into either case of a letter
// gives its lower case, and no other byte; any other byte must be equal.
struct NeedleByte {
    char value;
    char fold;

    explicit NeedleByte(char folded)
        : value(folded), fold(folded >= 'a' && folded <= 'z' ? char(0x20) : char(0)) {}
    bool matches(char c) const { return char(c | fold) == value; }
};

// The candidates among `count` (at most 32) positions from p: bit i is set
// when the byte at p + i matches the needle's first byte and the byte at
// p + i + span its last.
quint32 candidatesOneByOne(const char* p, qsizetype count, qsizetype span, NeedleByte first,
                           NeedleByte last) {
    quint32 mask = 0;
    for (qsizetype i = 0; i < count; ++i) {
        if (first.matches(p[i]) && last.matches(p[i + span]))
            mask |= quint32(1) << i;
    }
    return mask;
}

#ifdef __SSE2__
// The same for 16 positions at once. Comparing the first and the last byte
// rules out nearly every position of registry text, which shares most of
// the key name's letters; a byte-wise search skipping by the last byte
// looked at fewer bytes but mispredicted its branches, and took about a
// cycle per byte of the file, this a fraction of one.
class SixteenCandidates {
public:
    SixteenCandidates(NeedleByte first, NeedleByte last)
        : firstValue_(_mm_set1_epi8(first.value)), firstFold_(_mm_set1_epi8(first.fold)),
          lastValue_(_mm_set1_epi8(last.value)), lastFold_(_mm_set1_epi8(last.fold)) {}

    quint32 at(const char* p, qsizetype span) const {
        const __m128i heads = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const __m128i tails = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + span));
        const __m128i both =
            _mm_and_si128(_mm_cmpeq_epi8(_mm_or_si128(heads, firstFold_), firstValue_),
                          _mm_cmpeq_epi8(_mm_or_si128(tails, lastFold_), lastValue_));
        return static_cast<quint32>(_mm_movemask_epi8(both));
    }

private:
    __m128i firstValue_, firstFold_, lastValue_, lastFold_;
};
#endif

} // namespace

qsizetype findFolded(QByteArrayView haystack, const QByteArray& needle, qsizetype from) {
    const qsizetype n = needle.size();
    if (n == 0 || from < 0 || haystack.size() - from < n)
        return -1;
    const NeedleByte first(needle[0]);
    const NeedleByte last(needle[n - 1]);
    const qsizetype span = n - 1;
    const qsizetype positions = haystack.size() - span; // starts that leave room for the needle
    const char* text = haystack.data();
    // The first candidate of mask, counted from at, that the whole needle matches.
    const auto firstMatch = [&](qsizetype at, quint32 mask) -> qsizetype {
        for (; mask != 0; mask &= mask - 1) {
            const qsizetype start = at + std::countr_zero(mask);
            qsizetype i = 1;
            while (i < span && foldAscii(text[start + i]) == needle[i])
                ++i;
            if (i >= span)
                return start;
        }
        return -1;
    };
    qsizetype at = from;
#ifdef __SSE2__
    const SixteenCandidates sixteen(first, last);
    for (; at + 32 <= positions; at += 32) {
        const quint32 mask = sixteen.at(text + at, span) | sixteen.at(text + at + 16, span) << 16;
        if (mask != 0) {
            if (const qsizetype found = firstMatch(at, mask); found >= 0)
                return found;
        }
    }
#endif
    for (; at < positions; at += 32) {
        const qsizetype count = std::min<qsizetype>(32, positions - at);
        if (const qsizetype found =
                firstMatch(at, candidatesOneByOne(text + at, count, span, first, last));
            found >= 0)
            return found;
    }
    return -1;
}

namespace {

// The last part of a key path as Wine writes it in a key line, folded to
// lower case; empty for an empty path.
QByteArray foldedKeyName(const QString& keyPath) {
    const QStringList parts = keyPathParts(keyPath);
    if (parts.isEmpty())
        return {};
    QByteArray name = escapeWineText(parts.back(), '[', ']');
    for (char& c : name)
        c = foldAscii(c);
    return name;
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

    const QByteArray needle = foldedKeyName(keyPath);
    if (needle.isEmpty())
        return excerpt;

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

WineKeyNameScan::WineKeyNameScan(const QString& keyPath) : needle_(foldedKeyName(keyPath)) {}

bool WineKeyNameScan::take(QByteArrayView piece) {
    if (found_ || needle_.isEmpty())
        return found_;
    const qsizetype keep = needle_.size() - 1;
    // Where the name may straddle: the tail of the pieces before and the
    // start of this one, a few bytes. Both buffers keep their storage from
    // piece to piece: a file read in small blocks costs no allocation a block.
    if (!tail_.isEmpty()) {
        seam_.truncate(0);
        seam_.append(QByteArrayView(tail_)).append(piece.first(std::min(keep, piece.size())));
        found_ = findFolded(seam_, needle_, 0) >= 0;
    }
    found_ = found_ || findFolded(piece, needle_, 0) >= 0;
    if (piece.size() >= keep)
        tail_.truncate(0);
    tail_.append(piece.last(std::min(keep, piece.size())));
    tail_.remove(0, std::max<qsizetype>(0, tail_.size() - keep));
    return found_;
}

} // namespace quillset
