#pragma once
// Small file-system helpers used everywhere a file is tested or read whole.

#include <QByteArray>
#include <QString>
#include <optional>
#include <variant>

namespace quillset {

// True when the path names an existing entry that is not a folder. Every
// error (empty path, unreadable metadata, dangling link) reads as false.
bool fileExists(const QString& path);

// Why a file was not read.
enum class ReadFailure {
    Missing,    // nothing is there
    Folder,     // a folder
    Special,    // a FIFO, a device or a socket: reading could block or never end
    BrokenLink, // a link to nothing, or a loop of links
    TooLarge,   // larger than the limit
    Denied,     // no permission to read it
    Unreadable, // the system refused to open or read it otherwise (an I/O error)
};

// The reason as a clause for the user: "it is a folder".
QString readFailureText(ReadFailure failure);

// Reads a regular file whole, or says why not. Refuses folders, FIFOs,
// devices and sockets, and files larger than maxBytes.
std::variant<QByteArray, ReadFailure> readFile(const QString& path, qint64 maxBytes = qint64(1)
                                                                                      << 30);

// The same, without the reason.
std::optional<QByteArray> readRegularFile(const QString& path, qint64 maxBytes = qint64(1) << 30);

// An absolute path of the file system. Qt also calls a name starting with ':'
// absolute, as a path into the program's own resources; a path read from
// another program's file or the environment is never one of those.
bool isAbsoluteFilePath(const QString& path);

// False when the path holds a NUL, which no file name can: such a path is
// kept as written, without asking the disk (Qt would only warn).
bool canBeFileName(const QString& path);

// Joins a folder and a bare file name with the native separator, unless the
// folder already ends with a separator.
QString joinPath(const QString& folder, const QString& fileName);

} // namespace quillset
