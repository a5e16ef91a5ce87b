#include "app/file_helpers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace quillset {

bool FileExists(const QString& path) {
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    return info.exists() && !info.isDir();
}

std::optional<QByteArray> readRegularFile(const QString& path, qint64 maxBytes) {
    if (path.isEmpty())
        return std::nullopt;
    const QFileInfo info(path);
    if (!info.isFile() || info.size() > maxBytes)
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray data = file.read(maxBytes + 1);
    if (file.error() != QFileDevice::NoError || data.size() > maxBytes)
        return std::nullopt;
    return data;
}

QString joinPath(const QString& folder, const QString& fileName) {
    if (folder.isEmpty())
        return fileName;
    const QChar last = folder.back();
    if (last == QLatin1Char('/') || last == QDir::separator())
        return folder + fileName;
    return folder + QDir::separator() + fileName;
}

} // namespace quillset
