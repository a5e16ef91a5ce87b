#pragma once
// The support trace: one plain line per event, CR LF ended, Windows-1252.
// Each line is flushed at once so a crash keeps the trace up to that point.

#include <QFile>
#include <QString>

namespace quillset {

class DebugLog {
public:
    static constexpr const char* kFileName = "debug.log";
    static constexpr const char* kHeader = "Quillset Debug File - v2.5.9";

    // Creates or truncates the file and writes the header. When the file
    // cannot be created the program goes on without a trace.
    bool open(const QString& path);
    void write(const QString& line);
    void close();
    bool isOpen() const { return file_.isOpen(); }

private:
    QFile file_;
};

} // namespace quillset
