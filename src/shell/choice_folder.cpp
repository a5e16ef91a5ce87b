#include "shell/choice_folder.h"

#include "io/file_helpers.h"
#include <QDir>
#include <QFileInfo>

namespace quillset {

namespace {

// A folder this user may add files to: QFileInfo asks the system (access(2)),
// so a read-only mount counts as unwritable for root too.
bool writableFolder(const QFileInfo& info) {
    return info.isDir() && info.isWritable() && info.isExecutable();
}

QString userFolderUnder(const QString& base) {
    return QDir::cleanPath(base) + QStringLiteral("/quillset");
}

} // namespace

ChoiceEnvironment ChoiceEnvironment::fromProcess() {
    return {QDir::homePath(), qEnvironmentVariable("XDG_CONFIG_HOME")};
}

bool canKeepFilesIn(const QString& folder) {
    if (!isAbsoluteFilePath(folder))
        return false;
    QFileInfo info(folder);
    // A missing folder is made below its nearest existing parent.
    while (!info.exists() && !info.isSymLink() && !info.isRoot())
        info.setFile(info.absolutePath());
    return writableFolder(info);
}

ChoiceFolder ChoiceFolder::find(const QString& programDir, const ChoiceEnvironment& environment) {
    if (writableFolder(QFileInfo(programDir)))
        return {programDir, false};
    // A relative XDG_CONFIG_HOME is no folder by the XDG rules: it is ignored.
    const QString fromXdg = isAbsoluteFilePath(environment.configHome)
                                ? userFolderUnder(environment.configHome)
                                : QString();
    if (!fromXdg.isEmpty() && canKeepFilesIn(fromXdg))
        return {QDir::toNativeSeparators(fromXdg), true};
    const QString underHome = isAbsoluteFilePath(environment.home)
                                  ? userFolderUnder(environment.home + QStringLiteral("/.config"))
                                  : QString();
    return {QDir::toNativeSeparators(underHome.isEmpty() ? fromXdg : underHome), true};
}

} // namespace quillset
