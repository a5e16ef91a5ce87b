#include "shell/backup.h"

#include "io/atomic_file.h"
#include "io/file_helpers.h"

#include <QFileInfo>

namespace quillset {

std::optional<QString> copySettingsFile(const QString& source, const QString& target) {
    const std::optional<QByteArray> data = readRegularFile(source);
    if (!data)
        return QStringLiteral("it cannot be read");
    const QFileDevice::Permissions others = QFileDevice::ReadGroup | QFileDevice::ReadOther;
    const bool ownerOnly = (QFileInfo(source).permissions() & others) != others;
    AtomicWriteOptions options;
    options.ownerOnly = ownerOnly;
    return writeFileAtomically(target, *data, options);
}

} // namespace quillset
