#pragma once
// Helpers shared by the tests: temporary folders, whole-file I/O, Qt's
// string literals, and QString shown as text in GoogleTest's messages.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>

#include <ostream>

using namespace Qt::StringLiterals;

inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
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

} // namespace quillset::test
