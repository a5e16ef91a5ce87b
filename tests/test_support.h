#pragma once
// Helpers shared by the tests: GoogleTest, temporary folders (one of them
// the current folder), whole-file I/O, Qt's string literals, and QString
// shown as text in GoogleTest's messages.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <ostream>

using namespace Qt::StringLiterals;

inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

// Bytes as text, line ends and other bytes outside printable ASCII as %XX.
inline void PrintTo(const QByteArray& bytes, std::ostream* out) {
    *out << '"' << bytes.toPercentEncoding(" :=_-.,;/<>!?#*+()[]{}'\"\\@$&|~^`").data() << '"';
}

namespace quillset::test {

inline QByteArray readBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

// A temporary folder removed with its contents when the object goes.
struct TempFolder : QTemporaryDir {
    QString file(const QString& name) const { return filePath(name); }
};

// A temporary folder that is the current folder (where debug.log goes) while
// the object lives.
struct CurrentFolder : TempFolder {
    CurrentFolder() { QDir::setCurrent(path()); }
    ~CurrentFolder() { QDir::setCurrent(previous); }
    const QString previous = QDir::currentPath();
};

} // namespace quillset::test
