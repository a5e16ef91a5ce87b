#pragma once
// Shared by the settings tests: building files line by line.

#include <QByteArray>
#include <QList>
#include <initializer_list>

namespace quillset::test {

// Joins lines with CR LF after each one.
inline QByteArray crlf(std::initializer_list<const char*> lines) {
    QByteArray out;
    for (const char* line : lines) {
        out.append(line);
        out.append("\r\n");
    }
    return out;
}

inline QList<QByteArray> linesOf(const QByteArray& file) {
    QList<QByteArray> lines = file.split('\n');
    for (QByteArray& line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
    }
    return lines;
}

} // namespace quillset::test
