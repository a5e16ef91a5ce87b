#include "app/text_lines.h"

namespace quillset {

std::vector<QByteArrayView> splitLines(QByteArrayView data) {
    std::vector<QByteArrayView> lines;
    const char* const begin = data.data();
    const qsizetype size = data.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < size; ++i) {
        const char c = begin[i];
        if (c != '\r' && c != '\n')
            continue;
        lines.emplace_back(begin + start, i - start);
        if (c == '\r' && i + 1 < size && begin[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < size)
        lines.emplace_back(begin + start, size - start);
    return lines;
}

} // namespace quillset
