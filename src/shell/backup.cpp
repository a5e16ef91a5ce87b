#include "shell/backup.h"

#include "editor/dialogs.h"
#include "io/atomic_file.h"
#include "io/file_helpers.h"
#include "lang/language_texts.h"

#include <QDir>
#include <QFileInfo>

namespace quillset {

namespace {

QString native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

void reportFailure(const BackupContext& c, const QString& source, const QString& target,
                   const QString& reason) {
    c.dialogs.message(QStringLiteral("The backup was not made: %1 could not be copied to %2 (%3).")
                          .arg(native(source), native(target), reason),
                      programTitle(), Dialogs::Buttons::Ok);
}

// Without a settings file there is nothing to back up; the existing backup stays.
bool refuseWithoutSource(const BackupContext& c, const QString& cfg) {
    if (fileExists(cfg))
        return false;
    c.dialogs.message(
        QStringLiteral("There is no %1 to back up. The existing backup is kept.").arg(native(cfg)),
        programTitle(), Dialogs::Buttons::Ok);
    return true;
}

void advancedBackup(const BackupContext& c, const QString& cfg, const QString& bck) {
    if (fileExists(bck)) {
        const auto answer = c.dialogs.message(c.texts.text(kept::replaceBackupQuestion),
                                              programTitle(), Dialogs::Buttons::YesNo);
        if (answer == Dialogs::Answer::Yes) {
            if (!refuseWithoutSource(c, cfg))
                copyWithNotice(c, cfg, bck);
            return;
        }
        const QString target = c.dialogs.saveFile(QStringLiteral("Backup"), c.installDir);
        if (!target.isEmpty())
            copyWithNotice(c, cfg, target);
        return;
    }
    if (fileExists(cfg)) {
        copyWithNotice(c, cfg, bck);
        return;
    }
    const QString source =
        c.dialogs.openFile(c.texts.text(kept::backupSourceDialogTitle), c.currentSettingsPath);
    if (source.isEmpty())
        return;
    const QString target =
        c.dialogs.saveFile(c.texts.text(kept::backupTargetDialogTitle), c.currentSettingsPath);
    if (!target.isEmpty())
        copyWithNotice(c, source, target);
}

void normalBackup(const BackupContext& c, const QString& cfg, const QString& bck) {
    if (!fileExists(cfg) && !fileExists(bck)) {
        c.dialogs.message(c.texts.text(kept::nothingToBackUpNotice), programTitle(),
                          Dialogs::Buttons::Ok);
        return;
    }
    if (!refuseWithoutSource(c, cfg))
        copyWithNotice(c, cfg, bck);
}

} // namespace

bool copyWithNotice(const BackupContext& context, const QString& source, const QString& target) {
    context.dialogs.message(context.texts.text(kept::backupNotice), programTitle(),
                            Dialogs::Buttons::Ok);
    const std::optional<QByteArray> data = readRegularFile(source);
    if (!data) {
        reportFailure(context, source, target, QStringLiteral("it cannot be read"));
        return false;
    }
    // settings.cfg holds the CD keys: a copy of a file that others may not
    // read must not be readable by them either.
    const QFileDevice::Permissions others = QFileDevice::ReadGroup | QFileDevice::ReadOther;
    const bool ownerOnly = (QFileInfo(source).permissions() & others) != others;
    if (auto error =
            writeFileAtomically(target, *data, AtomicWriteOptions{.ownerOnly = ownerOnly})) {
        reportFailure(context, source, target, *error);
        return false;
    }
    return true;
}

void createBackup(const BackupContext& context, bool advancedMode) {
    const QString cfg = joinPath(context.installDir, QStringLiteral("settings.cfg"));
    const QString bck = joinPath(context.installDir, QStringLiteral("settings.bck"));
    if (advancedMode)
        advancedBackup(context, cfg, bck);
    else
        normalBackup(context, cfg, bck);
}

} // namespace quillset
