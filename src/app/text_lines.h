#pragma once
// Line splitting shared by every text file the program reads.

#include <QByteArrayView>
#include <vector>

namespace quillset {

// Splits at CR LF, at a lone CR and at a lone LF (files saved on Linux or by
// hand must not collapse into one line). A terminator after the last line does
// not start another line; empty input has no lines. The views point into data.
std::vector<QByteArrayView> splitLines(QByteArrayView data);

} // namespace quillset
