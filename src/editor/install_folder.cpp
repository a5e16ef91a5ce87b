// Where the game's files are: beside the program, where the installer's
// registry value points, or else the program's own folder.

#include "editor/editor.h"

#include "io/file_helpers.h"
#include "registry/registry.h"
#include "shell/backup.h"

#include <QDir>

namespace quillset {

namespace {

// A folder as the rest of the program expects InstallDir: native separators
// and one trailing separator, so a bare file name can be appended.
QString asInstallDir(const QString& folder) {
    QString dir = QDir::toNativeSeparators(folder);
    if (!dir.endsWith(QDir::separator()))
        dir += QDir::separator();
    return dir;
}

} // namespace

// The machine root's value; when only the per-user root has one, it is
// copied into the machine root first. A refused copy leaves the machine root
// without a value, and so the game's folder unknown.
QString Editor::machineInstallValue() {
    if (!registry_)
        return {};
    const auto machine = RegistryRoot::LocalMachine;
    const QString value = registry_->readString(machine, kInstallKeyPath, kInstallValueName);
    if (!value.isEmpty())
        return value;
    const QString user =
        registry_->readString(RegistryRoot::CurrentUser, kInstallKeyPath, kInstallValueName);
    if (user.isEmpty())
        return {};
    return registry_->setStringValue(machine, kInstallKeyPath, kInstallValueName, user) ? user
                                                                                        : QString();
}

// The game's settings beside the program make the program folder the game's
// folder on every start, whatever the registry says (a portable copy in the
// game's folder), and the first start makes the backup there. Otherwise the
// registry names the folder, else the program folder is used, and a missing
// backup is made there.
void Editor::settleInstallFolder(const QString& installValue) {
    const QString cfg = joinPath(state_.programDir, QStringLiteral("settings.cfg"));
    const QString bck = joinPath(state_.programDir, QStringLiteral("settings.bck"));
    const bool besideProgram = fileExists(cfg);

    log(QStringLiteral("Form -> Checking for settings.cfg and backup"));
    if (besideProgram && !fileExists(bck)) {
        log(QStringLiteral("Form -> no backup found"));
        if (copyWithNotice(backupContext(), cfg, bck))
            log(QStringLiteral("Form -> backup created"));
    }
    log(QStringLiteral("Form -> Done"));

    log(QStringLiteral("Form -> Getting path from Registry"));
    state_.installDir = installFolder(besideProgram, installValue);
    if (!besideProgram && !fileExists(state_.installDir + QStringLiteral("settings.bck"))) {
        log(QStringLiteral("Form -> Creating Backup"));
        // The advanced item still has its design check mark here, so the
        // backup takes its advanced branch.
        createBackup(backupContext(), advancedChecked_);
    }
    log(QStringLiteral("Form -> Done"));
}

QString Editor::installFolder(bool besideProgram, const QString& installValue) {
    if (besideProgram)
        return asInstallDir(state_.programDir);
    const QString folder = installValue.isEmpty() ? QString() : registry_->localPath(installValue);
    // The trace shows the folder as found: a lone separator when there is none.
    log(QStringLiteral("Form -> ") +
        (folder.isEmpty() ? QString(QDir::separator()) : asInstallDir(folder)));
    return asInstallDir(folder.isEmpty() ? state_.programDir : folder);
}

} // namespace quillset
