#include "io/file_helpers.h"

#include <algorithm>

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace quillset {

bool canBeFileName(const QString& path) {
    return !path.contains(QChar(u'\0'));
}

bool fileExists(const QString& path) {
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    return info.exists() && !info.isDir();
}

QString readFailureText(ReadFailure failure) {
    switch (failure) {
    case ReadFailure::Missing:
        return QStringLiteral("there is no such file");
    case ReadFailure::Folder:
        return QStringLiteral("it is a folder");
    case ReadFailure::Special:
        return QStringLiteral("it is not a regular file (a FIFO, a device or a socket)");
    case ReadFailure::BrokenLink:
        return QStringLiteral("it is a link that leads to no file");
    case ReadFailure::TooLarge:
        return QStringLiteral("it is too large");
    case ReadFailure::Denied:
        return QStringLiteral("permission to read it is denied");
    case ReadFailure::Unreadable:
        break;
    }
    return QStringLiteral("it cannot be read");
}

std::variant<QByteArray, ReadFailure> readFile(const QString& path, qint64 maxBytes) {
    if (path.isEmpty())
        return ReadFailure::Missing;
    const QFileInfo info(path);
    if (!info.exists())
        return info.isSymLink() ? ReadFailure::BrokenLink : ReadFailure::Missing;
    if (info.isDir())
        return ReadFailure::Folder;
    if (!info.isFile())
        return ReadFailure::Special;
    if (info.size() > maxBytes)
        return ReadFailure::TooLarge;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return file.error() == QFileDevice::PermissionsError ? ReadFailure::Denied
                                                             : ReadFailure::Unreadable;
    // Read straight into one buffer of the file's size, grown only when the
    // file grew after the size check, and never past maxBytes + 1: asking
    // QIODevice for maxBytes at once would allocate that much up front.
    QByteArray data(info.size(), Qt::Uninitialized);
    qint64 filled = 0;
    while (true) {
        if (filled == data.size()) {
            if (data.size() > maxBytes)
                return ReadFailure::TooLarge;
            data.resize(std::min(std::max<qint64>(2 * data.size(), 4096), maxBytes + 1));
        }
        const qint64 got = file.read(data.data() + filled, data.size() - filled);
        if (got < 0)
            return ReadFailure::Unreadable;
        if (got == 0)
            break;
        filled += got;
    }
    if (filled > maxBytes)
        return ReadFailure::TooLarge;
    data.truncate(filled);
    return data;
}

std::optional<QByteArray> readRegularFile(const QString& path, qint64 maxBytes) {
    std::variant<QByteArray, ReadFailure> read = readFile(path, maxBytes);
    if (auto* bytes = std::get_if<QByteArray>(&read))
        return std::move(*bytes);
    return std::nullopt;
}

bool isAbsoluteFilePath(const QString& path) {
    return !path.startsWith(QLatin1Char(':')) && QDir::isAbsolutePath(path);
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
