#include "io/debug_log.h"

#include "io/ansi_text.h"

namespace quillset {

bool DebugLog::open(const QString& path) {
    close();
    file_.setFileName(path);
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
        return false;
    write(QLatin1String(kHeader));
    return true;
}

void DebugLog::write(const QString& line) {
    if (!file_.isOpen())
        return;
    // A character outside Windows-1252 (a path, say) is logged as '?': the
    // trace is for reading, never parsed back.
    QByteArray bytes = toAnsi(line).value_or(line.toLatin1());
    bytes.append("\r\n");
    file_.write(bytes);
}

void DebugLog::close() {
    if (file_.isOpen())
        file_.close();
}

} // namespace quillset
