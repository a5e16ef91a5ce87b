#include "editor/install_folder.h"

#include <QDir>

namespace quillset {

QString asInstallDir(const QString& folder) {
    QString dir = QDir::toNativeSeparators(folder);
    if (!dir.endsWith(QDir::separator()))
        dir += QDir::separator();
    return dir;
}

} // namespace quillset
