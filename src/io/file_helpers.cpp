#include "io/file_helpers.h"

#include <algorithm>

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace quillset {

bool fileExists(const QString& path) {
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
    // Read straight into one buffer of the file's size, grown only when the
    // file grew after the size check, and never past maxBytes + 1: asking
    // QIODevice for maxBytes at once would allocate that much up front.
    QByteArray data(info.size(), Qt::Uninitialized);
    qint64 filled = 0;
    while (true) {
        if (filled == data.size()) {
            if (data.size() > maxBytes)
                return std::nullopt;
            data.resize(std::min(std::max<qint64>(2 * data.size(), 4096), maxBytes + 1));
        }
        const qint64 got = file.read(data.data() + filled, data.size() - filled);
        if (got < 0)
            return std::nullopt;
        if (got == 0)
            break;
        filled += got;
    }
    if (filled > maxBytes)
        return std::nullopt;
    data.truncate(filled);
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
