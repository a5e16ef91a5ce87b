#include "registry/wine_registry.h"

#include "io/atomic_file.h"
#include "io/file_helpers.h"
#include "registry/wine_prefix.h"
#include "registry/wine_registry_file.h"

#include <QDateTime>
#include <QDir>

namespace quillset {

namespace {

// Far above any real prefix's registry (tens of MB at most), low enough that
// a stray huge file cannot exhaust memory.
constexpr qint64 kMaxHiveBytes = qint64(512) << 20;

std::optional<QByteArray> readHive(const QString& path) {
    return readRegularFile(path, kMaxHiveBytes);
}

} // namespace

std::optional<RegistryValue> wineHiveValue(QByteArrayView hive, RegistryRoot root,
                                           const QString& keyPath, const QString& valueName) {
    const WineRegFile file = parseWineRegistry(hive);
    const WineRegValue* found = nullptr;
    if (root == RegistryRoot::LocalMachine && file.win64) {
        if (const QString redirected = wow6432KeyPath(keyPath); !redirected.isEmpty())
            found = file.findValue(redirected, valueName);
    }
    if (!found)
        found = file.findValue(keyPath, valueName);
    if (!found)
        return std::nullopt;
    return RegistryValue{found->type, found->data, RegistryText::Utf16};
}

QString WineRegistry::hivePath(RegistryRoot root) const {
    if (prefix_.isEmpty())
        return {};
    return QDir(prefix_).filePath(root == RegistryRoot::LocalMachine ? QStringLiteral("system.reg")
                                                                     : QStringLiteral("user.reg"));
}

std::optional<RegistryValue> WineRegistry::queryValue(RegistryRoot root, const QString& keyPath,
                                                      const QString& valueName) const {
    const QString path = hivePath(root);
    if (path.isEmpty())
        return std::nullopt;
    const std::optional<QByteArray> bytes = readHive(path);
    if (!bytes)
        return std::nullopt;
    return wineHiveValue(*bytes, root, keyPath, valueName);
}

bool WineRegistry::setStringValue(RegistryRoot root, const QString& keyPath,
                                  const QString& valueName, const QString& text) {
    const QString path = hivePath(root);
    if (path.isEmpty() || wineServerRunning(prefix_))
        return false;
    const std::optional<QByteArray> bytes = readHive(path);
    if (!bytes)
        return false;

    QString targetKey = keyPath;
    if (root == RegistryRoot::LocalMachine && parseWineRegistry(*bytes).win64) {
        if (const QString redirected = wow6432KeyPath(keyPath); !redirected.isEmpty())
            targetKey = redirected;
    }
    const std::optional<QByteArray> edited = setWineRegistryString(
        *bytes, targetKey, valueName, text, QDateTime::currentSecsSinceEpoch());
    if (!edited)
        return false;
    return !writeFileAtomically(path, *edited).has_value();
}

QString WineRegistry::localPath(const QString& windowsPath) const {
    return wineToLocalPath(prefix_, windowsPath);
}

} // namespace quillset
