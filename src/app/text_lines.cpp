#include "app/text_lines.h"

namespace quillset {

std::vector<QByteArrayView> splitLines(QByteArrayView data) {
    std::vector<QByteArrayView> lines;
    forEachLine(data, [&lines](QByteArrayView line) { lines.push_back(line); });
    return lines;
}

} // namespace quillset
