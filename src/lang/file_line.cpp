#include "lang/file_line.h"

#include "io/ansi_text.h"
#include "io/file_helpers.h"
#include "io/text_lines.h"

namespace quillset {

QString readFileLine(const QString& path, int lineNumber) {
    if (lineNumber <= 0)
        return {};
    const std::optional<QByteArray> data = readRegularFile(path);
    return data ? fileLine(*data, lineNumber) : QString();
}

QString fileLine(QByteArrayView data, int lineNumber) {
    if (lineNumber <= 0)
        return {};
    // Counted, not listed: a file of millions of lines costs no more memory
    // than its bytes.
    int counter = 0;
    QByteArrayView found;
    bool reached = false;
    forEachLine(data, [&](QByteArrayView line) {
        if (++counter == lineNumber) {
            found = line;
            reached = true;
        }
    });
    return reached ? fromAnsi(found) : QString();
}

} // namespace quillset
