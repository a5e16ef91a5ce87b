#include "editor/backup_command.h"

#include "game/settings_file.h"
#include "io/file_helpers.h"
#include "shell/backup.h"

#include <QDir>

namespace quillset {

namespace {

QString native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

} // namespace

bool BackupCommand::copyWithNotice(const QString& source, const QString& target) const {
    context_.tell(context_.text(kept::backupNotice));
    if (const std::optional<QString> reason = copySettingsFile(source, target)) {
        context_.tell(
            context_.text(kept::backupFailedNotice).arg(native(source), native(target), *reason));
        return false;
    }
    return true;
}

// Without a settings file there is nothing to back up; the existing backup stays.
bool BackupCommand::refuseWithoutSource(const QString& cfg) const {
    if (fileExists(cfg))
        return false;
    context_.tell(context_.text(kept::backupKeptNotice).arg(native(cfg)));
    return true;
}

void BackupCommand::runAdvanced(const QString& cfg, const QString& bck) const {
    const QString& current = current_.path();
    if (fileExists(bck)) {
        if (context_.confirm(context_.text(kept::replaceBackupQuestion), Dialogs::Buttons::YesNo)) {
            if (!refuseWithoutSource(cfg))
                copyWithNotice(cfg, bck);
            return;
        }
        const QString target = context_.saveFile(QStringLiteral("Backup"), context_.installDir());
        if (!target.isEmpty())
            copyWithNotice(cfg, target);
        return;
    }
    if (fileExists(cfg)) {
        copyWithNotice(cfg, bck);
        return;
    }
    const QString source = context_.openFile(context_.text(kept::backupSourceDialogTitle), current);
    if (source.isEmpty())
        return;
    const QString target = context_.saveFile(context_.text(kept::backupTargetDialogTitle), current);
    if (!target.isEmpty())
        copyWithNotice(source, target);
}

void BackupCommand::runNormal(const QString& cfg, const QString& bck) const {
    if (!fileExists(cfg) && !fileExists(bck)) {
        context_.tell(context_.text(kept::nothingToBackUpNotice));
        return;
    }
    if (!refuseWithoutSource(cfg))
        copyWithNotice(cfg, bck);
}

void BackupCommand::run(bool advancedMode) const {
    const GameFiles& game = context_.game();
    if (advancedMode)
        runAdvanced(game.settings(), game.backup());
    else
        runNormal(game.settings(), game.backup());
}

} // namespace quillset
