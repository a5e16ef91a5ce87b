#include "io/file_helpers.h"

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
    // Read in chunks: asking QIODevice for maxBytes at once would allocate
    // that much up front, and the file may grow after the size check.
    QByteArray data;
    data.reserve(info.size());
    constexpr qint64 kChunk = 1 << 20;
    while (true) {
        const QByteArray chunk = file.read(kChunk);
        if (file.error() != QFileDevice::NoError)
            return std::nullopt;
        if (chunk.isEmpty())
            break;
        data.append(chunk);
        if (data.size() > maxBytes)
            return std::nullopt;
    }
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
