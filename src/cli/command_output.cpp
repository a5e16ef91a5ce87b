#include "cli/commands.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>

namespace quillset::cli {

ExitCode fail(CommandOutput& output, ExitCode code, const QString& text) {
    output.err += QByteArray("quillset: ") + text.toUtf8() + '\n';
    return code;
}

QByteArray countOf(int count, const char* one, const char* many) {
    return QByteArray::number(count) + ' ' + (count == 1 ? one : many);
}

QString shownPath(const QString& path) {
    return QDir::toNativeSeparators(path);
}

QByteArray jsonString(const QString& text) {
    // Qt escapes a string only inside a document: a one-element array, then
    // its brackets cut off.
    const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return array.mid(1, array.size() - 2);
}

} // namespace quillset::cli
