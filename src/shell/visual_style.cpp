#include "shell/visual_style.h"

#include "io/file_helpers.h"

#include <QFile>

namespace quillset {

ManifestPaths ManifestPaths::in(const QString& programDir) {
    const QString active = joinPath(programDir, QStringLiteral("Quillset.exe.Manifest"));
    return {active, active + QLatin1Char('_')};
}

MenuItemState visualStyleItemState(const ManifestPaths& paths) {
    if (fileExists(paths.parked))
        return MenuItemState::Unchecked;
    if (fileExists(paths.active))
        return MenuItemState::Checked;
    return MenuItemState::Disabled;
}

SwitchResult switchVisualStyle(const ManifestPaths& paths, bool itemChecked) {
    const QString& from = itemChecked ? paths.active : paths.parked;
    const QString& to = itemChecked ? paths.parked : paths.active;
    if (!fileExists(from))
        return SwitchResult::Missing;
    // Never let one manifest replace the other: the user would lose a file.
    if (QFile::exists(to))
        return SwitchResult::BothExist;
    return QFile::rename(from, to) ? SwitchResult::Switched : SwitchResult::RenameFailed;
}

bool modernStyleWanted(const QString& programDir) {
    return fileExists(ManifestPaths::in(programDir).active);
}

} // namespace quillset
