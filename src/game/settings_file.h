#pragma once
// The one way settings.cfg is written, by the window and by every command.
// Quillset is not the only writer of the file: the game writes it (often as
// it quits), and so may a launcher or another Quillset. A write therefore
// runs as a transaction:
//   1. when the game runs from the game folder, the writer decides whether
//      to write all the same (it would undo the write when it quits);
//   2. the game folder is locked against Quillset's other processes;
//   3. the file is read again; when it is no longer what the change was
//      made on, the writer makes its change again on what is there now
//      (the window merges and may ask, without the lock held);
//   4. settings.bck is made when there is none, once nothing stands in the
//      way of the write;
//   5. the new bytes go to a temporary file, and just before the rename the
//      file is compared once more, so a write another program made meanwhile
//      is never replaced by a stale copy: the change is made again on it.
// The file is replaced whole or not at all (io/atomic_file).

#include "game/game_files.h"
#include "settings/settings_reader.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace quillset {

class ProcessTable;

// A settings file's content as the writer saw it: its bytes and the values
// they hold, as the window takes them.
struct SettingsContent {
    QByteArray bytes;
    SettingsModel values;
};

// What one writer decides during a write: the window asks the user, a
// command follows its options.
class WriteDecisions {
public:
    virtual ~WriteDecisions() = default;
    // The game runs from the game folder; true writes all the same.
    virtual bool writeWhileGameRuns(const RunningProcess& game) = 0;
    // What to write over the file as it is now (now), made on base: the
    // content the file had when the change was made, or, when the file
    // changed again since, the content the last call saw; none for a file
    // nobody loaded. Nothing writes nothing. Called again whenever the file
    // changes before the write lands.
    virtual std::optional<SettingsContent> contentFor(const SettingsFileRead& now,
                                                      const SettingsContent* base) = 0;
    // contentFor asks the user: it then runs without the lock, so that no
    // other Quillset process waits for the answer.
    virtual bool asksUser() const = 0;
};

struct WriteResult {
    enum class Outcome {
        Written,
        Declined,      // a decision wrote nothing (the decisions know why)
        Failed,        // reason says why; the file is as it was
        KeepsChanging, // another program kept writing it: given up, file as it was
    };
    Outcome outcome = Outcome::Declined;
    QString reason;
    bool backupMade = false;
};

class SettingsFile {
public:
    SettingsFile() = default;
    explicit SettingsFile(QString path) : path_(std::move(path)) {}

    const QString& path() const { return path_; }
    // The content last loaded from or written to the file: the base of the
    // user's edits. None before a load, or when the file had no content.
    const std::optional<SettingsContent>& base() const { return base_; }

    // Reads the file (the one read, readSettingsFile); what it holds becomes
    // the base.
    SettingsFileRead load(const QString& fontPagesValue = {}, DebugLog* log = nullptr);
    // Takes what another program wrote, read by readNow, as the base.
    void adopt(const SettingsFileRead& read);
    // The file as it is now, read as load reads it; the base stays.
    SettingsFileRead readNow() const;

    // The transaction (see above), for the game's files (game) and the
    // processes that may be the game (none: never taken to run).
    WriteResult write(const GameFiles& game, const ProcessTable* processes,
                      WriteDecisions& decisions);

    // How often a write starts over on a file that keeps changing.
    static constexpr int kRounds = 5;

private:
    QString path_;
    std::optional<SettingsContent> base_;
};

} // namespace quillset
