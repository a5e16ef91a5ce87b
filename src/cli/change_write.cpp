// The write of set and apply: the game's settings.cfg through its one write
// transaction, as the window writes it, with a command's answers to its
// questions: the game's running or a file that is not settings refuses the
// write (unless --force); a file another program changed meanwhile gets the
// change made again on what it holds now. Only the lines of the keys named
// change.

#include "cli/commands.h"

#include "game/settings_file.h"
#include "settings/settings_edit.h"
#include "settings/settings_writer.h"
#include "shell/running_game.h"

#include <map>

namespace quillset::cli {

namespace {

class CommandDecisions final : public WriteDecisions {
public:
    CommandDecisions(const QList<Change>& changes, bool force, CommandOutput& output)
        : force_(force), output_(output) {
        // A key named twice takes its last value.
        for (const Change& change : changes)
            changes_[change.row] = change.value;
    }

    bool writeWhileGameRuns(const RunningProcess& game) override {
        const QString program = game.firstArgument.isEmpty() ? game.executable : game.firstArgument;
        const QString running =
            QStringLiteral("the game is running (process %1, %2)").arg(game.pid).arg(program);
        if (force_) {
            fail(output_, ExitCode::Done,
                 running + QStringLiteral("; it may write its own settings when it quits"));
            return true;
        }
        refusal_ = running + QStringLiteral(" and would undo the change when it quits; quit it "
                                            "first, or give --force");
        return false;
    }

    std::optional<SettingsContent> contentFor(const SettingsFileRead& now,
                                              const SettingsContent*) override {
        const bool settings = now.state == SettingsFileRead::State::Settings;
        if (!now.hasBytes() || (!settings && !force_)) {
            refusal_ = whyNoSettings(now) + (now.hasBytes() ? QStringLiteral("; --force writes "
                                                                             "the values to it "
                                                                             "all the same")
                                                            : QString());
            return std::nullopt;
        }
        std::vector<LineEdit> edits;
        for (const auto& [row, value] : changes_) {
            SettingsModel values = now.values;
            setTypedValue(values, row, value);
            const auto line = settingsLine(values, row);
            // Every value was taken as typed: it can be written.
            edits.push_back({row, line ? std::get<QByteArray>(*line) : std::optional<QByteArray>()});
        }
        EditedFile edited = editSettingsLines(now.bytes, edits);
        linesChanged_ = edited.linesChanged;
        if (linesChanged_ == 0)
            return std::nullopt;
        SettingsModel values = readSettings(edited.bytes);
        return SettingsContent{std::move(edited.bytes), std::move(values)};
    }

    bool asksUser() const override { return false; }

    // Why nothing was written, when a decision refused; empty when nothing changed.
    const QString& refusal() const { return refusal_; }
    int linesChanged() const { return linesChanged_; }

private:
    std::map<int, TypedValue> changes_;
    bool force_;
    CommandOutput& output_;
    QString refusal_;
    int linesChanged_ = 0;
};

} // namespace

ExitCode changeSettings(const Invocation& invocation, const QList<Change>& changes,
                        CommandOutput& output) {
    const std::optional<GameFiles> game = findGame(invocation, output);
    if (!game)
        return ExitCode::Failed;
    const std::unique_ptr<ProcessTable> processes = makePlatformProcessTable();
    CommandDecisions decisions(changes, invocation.force, output);
    SettingsFile file(game->settings());
    const WriteResult result = file.write(*game, processes.get(), decisions);
    const QString shown = shownPath(game->settings());
    switch (result.outcome) {
    case WriteResult::Outcome::Written:
        output.out += shown.toUtf8() + ": " +
                      countOf(decisions.linesChanged(), "line", "lines") + " changed" +
                      (result.backupMade
                           ? ", after the backup " + shownPath(game->backup()).toUtf8()
                           : QByteArray()) +
                      '\n';
        return ExitCode::Done;
    case WriteResult::Outcome::Declined:
        if (!decisions.refusal().isEmpty())
            return fail(output, ExitCode::Failed,
                        QStringLiteral("%1: %2; nothing was set").arg(shown, decisions.refusal()));
        // Unchanged values leave the file alone: its bytes, and the time it
        // changed, by which the search picks among prefixes.
        output.out += shown.toUtf8() + ": no value changed; not written\n";
        return ExitCode::Done;
    case WriteResult::Outcome::Failed:
        return fail(output, ExitCode::Failed,
                    QStringLiteral("%1 could not be written: %2").arg(shown, result.reason));
    case WriteResult::Outcome::KeepsChanging:
        break;
    }
    return fail(output, ExitCode::Failed,
                QStringLiteral("%1 keeps changing: another program writes it again and again; "
                               "nothing was set")
                    .arg(shown));
}

} // namespace quillset::cli
