#pragma once
// Small file-system helpers used everywhere a file is tested or read whole.

#include <QByteArray>
#include <QString>
#include <optional>

namespace quillset {

// True when the path names an existing entry that is not a folder. Every
// error (empty path, unreadable metadata, dangling link) reads as false.
bool fileExists(const QString& path);

// Reads a regular file whole. Refuses folders, FIFOs, devices and sockets
// (reading those could block or never end) and files larger than maxBytes.
std::optional<QByteArray> readRegularFile(const QString& path, qint64 maxBytes = qint64(1) << 30);

// Joins a folder and a bare file name with the native separator, unless the
// folder already ends with a separator.
QString joinPath(const QString& folder, const QString& fileName);

} // namespace quillset
