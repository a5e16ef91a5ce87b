#include "editor/install_folder.h"

#include "registry/registry.h"

#include <QDir>

namespace quillset {

QString machineInstallValue(Registry* registry) {
    if (!registry)
        return {};
    const auto machine = RegistryRoot::LocalMachine;
    const QString value = registry->readString(machine, kInstallKeyPath, kInstallValueName);
    if (!value.isEmpty())
        return value;
    const QString user =
        registry->readString(RegistryRoot::CurrentUser, kInstallKeyPath, kInstallValueName);
    if (user.isEmpty())
        return {};
    return registry->setStringValue(machine, kInstallKeyPath, kInstallValueName, user) ? user
                                                                                       : QString();
}

QString asInstallDir(const QString& folder) {
    QString dir = QDir::toNativeSeparators(folder);
    if (!dir.endsWith(QDir::separator()))
        dir += QDir::separator();
    return dir;
}

} // namespace quillset
