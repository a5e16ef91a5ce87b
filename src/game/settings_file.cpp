#include "game/settings_file.h"

#include "io/atomic_file.h"
#include "io/folder_lock.h"
#include "shell/backup.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <variant>

namespace quillset {

namespace {

// The file as one read found it: its bytes, or why there were none. Two
// reads that agree saw the same file.
using Snapshot = std::variant<QByteArray, ReadFailure>;

Snapshot snapshotOf(const SettingsFileRead& read) {
    return read.hasBytes() ? Snapshot(read.bytes) : Snapshot(read.failure);
}

Snapshot snapshotNow(const QString& path) {
    return readFile(path, kSettingsFileLimit);
}

// Quillset's other processes hold the lock for milliseconds; one that holds
// it this long is stuck.
constexpr std::chrono::seconds kLockPatience(5);

QString fontPagesOf(const std::optional<SettingsContent>& content) {
    return content ? content->values.fontPagesValue : QString();
}

} // namespace

SettingsFileRead SettingsFile::load(const QString& fontPagesValue, DebugLog* log) {
    SettingsFileRead read = readSettingsFile(path_, fontPagesValue, log);
    adopt(read);
    return read;
}

void SettingsFile::adopt(const SettingsFileRead& read) {
    if (read.hasBytes())
        base_ = SettingsContent{read.bytes, read.values};
    else
        base_.reset();
}

SettingsFileRead SettingsFile::readNow() const {
    return readSettingsFile(path_, fontPagesOf(base_));
}

WriteResult SettingsFile::write(const GameFiles& game, const ProcessTable* processes,
                                WriteDecisions& decisions) {
    using Outcome = WriteResult::Outcome;
    WriteResult result;
    if (processes && game.isGameSettings(path_)) {
        // This process, and another copy of this program, are not the game.
        const QString own =
            QCoreApplication::instance() ? QCoreApplication::applicationFilePath() : QString();
        const std::optional<RunningProcess> running =
            game.runningGame(*processes, QCoreApplication::applicationPid(), own);
        if (running && !decisions.writeWhileGameRuns(*running))
            return result;
    }
    const QString folder = QFileInfo(path_).absolutePath();
    std::optional<SettingsContent> base = base_;
    std::optional<SettingsContent> content;
    Snapshot madeOn; // the file as the content was made on it
    for (int round = 0; round < kRounds; ++round) {
        FolderLock lock(folder, kLockPatience);
        if (lock.state() == FolderLock::State::Busy) {
            result.outcome = Outcome::Failed;
            result.reason = QStringLiteral("another Quillset process keeps the folder %1 locked")
                                .arg(QDir::toNativeSeparators(folder));
            return result;
        }
        const SettingsFileRead now = readSettingsFile(path_, fontPagesOf(base));
        if (!content || snapshotOf(now) != madeOn) {
            if (decisions.asksUser())
                lock.release();
            content = decisions.contentFor(now, base ? &*base : nullptr);
            if (!content)
                return result;
            madeOn = snapshotOf(now);
            base = now.hasBytes() ? std::optional(SettingsContent{now.bytes, now.values})
                                  : std::nullopt;
            // The answer took its time: look again, with the lock.
            if (decisions.asksUser())
                continue;
        }
        // Nothing made before a write that cannot even start.
        if (std::optional<QString> why = whyNotReplaceable(path_)) {
            result.outcome = Outcome::Failed;
            result.reason = *why;
            return result;
        }
        if (now.hasBytes() && game.isGameSettings(path_) && !game.hasBackup()) {
            if (std::optional<QString> why = copySettingsFile(path_, game.backup())) {
                result.outcome = Outcome::Failed;
                result.reason = QStringLiteral("its backup %1 could not be made (%2)")
                                    .arg(QDir::toNativeSeparators(game.backup()), *why);
                return result;
            }
            result.backupMade = true;
        }
        bool changed = false;
        AtomicWriteOptions options;
        options.beforeRename = [&] {
            changed = snapshotNow(path_) != madeOn;
            return !changed;
        };
        const std::optional<QString> failure = writeFileAtomically(path_, content->bytes, options);
        if (changed)
            continue;
        if (failure) {
            result.outcome = Outcome::Failed;
            result.reason = *failure;
            return result;
        }
        base_ = std::move(*content);
        result.outcome = Outcome::Written;
        return result;
    }
    result.outcome = Outcome::KeepsChanging;
    return result;
}

} // namespace quillset
