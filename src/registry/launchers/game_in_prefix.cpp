#include "registry/launchers/game_in_prefix.h"

#include "io/file_helpers.h"
#include "registry/registry.h"
#include "registry/wine_prefix.h"
#include "registry/wine_registry.h"
#include "registry/wine_registry_excerpt.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quillset {

namespace {

// Far above a real prefix's registry (a fresh one's system.reg is under
// 2 MB), so one stray huge file among many prefixes costs little.
constexpr qint64 kMaxSearchedHiveBytes = qint64(64) << 20;

// Small enough to stay in the processor's cache between the read that
// fills it and the scan that follows.
constexpr qsizetype kPieceBytes = qsizetype(64) << 10;

// Closes a file descriptor when it goes.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

// Whether the registry file at path names the game's key anywhere; none for
// a file that is not a regular one, too large, or unreadable. Opened without
// blocking, so a FIFO put in its place is refused rather than waited on.
std::optional<bool> namesInstallKey(const QString& path) {
    const Descriptor file(
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    struct stat info {};
    if (file.get() < 0 || ::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode) ||
        info.st_size > kMaxSearchedHiveBytes)
        return std::nullopt;
    WineKeyNameScan scan(kInstallKeyPath);
    QByteArray piece(kPieceBytes, Qt::Uninitialized);
    for (qint64 total = 0;;) {
        const ssize_t got = ::read(file.get(), piece.data(), piece.size());
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0 || (total += got) > kMaxSearchedHiveBytes)
            return std::nullopt;
        if (got == 0)
            return false;
        if (scan.take(QByteArrayView(piece.constData(), got)))
            return true;
    }
}

QString installValue(const QString& prefix, RegistryRoot root) {
    const QString hive =
        QDir(prefix).filePath(root == RegistryRoot::LocalMachine ? QStringLiteral("system.reg")
                                                                 : QStringLiteral("user.reg"));
    // Most prefixes never name the game: their registry is only looked
    // through, piece by piece, and not kept. The one that does is read again
    // whole for its excerpt.
    if (namesInstallKey(hive) != true)
        return {};
    const std::optional<QByteArray> bytes = readRegularFile(hive, kMaxSearchedHiveBytes);
    if (!bytes)
        return {};
    const std::optional<RegistryValue> value = wineHiveValue(
        wineRegistryExcerpt(*bytes, kInstallKeyPath), root, kInstallKeyPath, kInstallValueName);
    return value ? registryValueText(value->type, value->data, value->text) : QString();
}

} // namespace

std::optional<QString> gameFolderInPrefix(const QString& prefix) {
    QString value = installValue(prefix, RegistryRoot::LocalMachine);
    if (value.isEmpty())
        value = installValue(prefix, RegistryRoot::CurrentUser);
    if (value.isEmpty())
        return std::nullopt;
    const QString folder = wineToLocalPath(prefix, value);
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        return std::nullopt;
    return folder;
}

} // namespace quillset
