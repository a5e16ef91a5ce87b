#include "lang/file_line.h"

#include "app/ansi_text.h"
#include "app/file_helpers.h"
#include "app/text_lines.h"

namespace quillset {

QString GetFileLine(const QString& path, int lineNumber) {
    if (lineNumber <= 0)
        return {};
    const std::optional<QByteArray> data = readRegularFile(path);
    if (!data)
        return {};
    const std::vector<QByteArrayView> lines = splitLines(*data);
    if (static_cast<size_t>(lineNumber) > lines.size())
        return {};
    return fromAnsi(lines[lineNumber - 1]);
}

} // namespace quillset
