#include "io/text_lines.h"

#include <algorithm>

namespace quillset {

namespace {

bool isLineBreak(QChar c) {
    return c == u'\r' || c == u'\n';
}

} // namespace

bool containsLineBreak(QStringView text) {
    return std::any_of(text.begin(), text.end(), isLineBreak);
}

QString firstLine(QStringView text) {
    const auto begin = std::find_if_not(text.begin(), text.end(), isLineBreak);
    const auto end = std::find_if(begin, text.end(), isLineBreak);
    return QStringView(begin, end).toString();
}

} // namespace quillset
