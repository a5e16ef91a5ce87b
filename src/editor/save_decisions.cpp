#include "editor/save_decisions.h"

#include "settings/settings_merge.h"
#include "settings/settings_writer.h"

#include <QDir>
#include <QFileInfo>

namespace quillset {

namespace {

QString native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

} // namespace

// The game writes its own settings when it quits, undoing what is saved
// while it runs from the game folder: the user decides whether to save now.
bool SaveDecisions::writeWhileGameRuns(const RunningProcess& game) {
    const QString program = game.firstArgument.isEmpty() ? game.executable : game.firstArgument;
    const bool save = context_.confirm(context_.text(kept::gameRunningQuestion).arg(program),
                                       Dialogs::Buttons::YesNo);
    context_.log(QStringLiteral("Form -> the game runs (process %1, %2): %3")
                     .arg(QString::number(game.pid), program,
                          save ? QStringLiteral("saved anyway") : QStringLiteral("not saved")));
    return save;
}

std::optional<SettingsContent> SaveDecisions::contentFor(const SettingsFileRead& now,
                                                         const SettingsContent* base) {
    using State = SettingsFileRead::State;
    // The file as the change was made on it (or gone since): the user's values.
    const bool changed = base && (!now.hasBytes() || now.bytes != base->bytes);
    if (changed && now.state != State::Missing) {
        if (now.state == State::Settings) {
            std::optional<SettingsModel> values = merged(base->values, now.values);
            if (!values)
                return std::nullopt;
            ours_ = std::move(*values);
        } else if (!now.hasBytes() && !QFileInfo(path_).isFile()) {
            // Only a file can be overwritten at all; the writer refuses the
            // rest and says why.
        } else if (!overwriteUnreadable()) {
            return std::nullopt;
        }
    }
    std::variant<QByteArray, EncodeError> bytes = serializeSettings(ours_);
    if (const auto* error = std::get_if<EncodeError>(&bytes)) {
        context_.tell(error->message());
        return std::nullopt;
    }
    return SettingsContent{std::move(std::get<QByteArray>(bytes)), ours_};
}

bool SaveDecisions::overwriteUnreadable() {
    const bool overwrite = context_.confirm(
        context_.text(kept::unreadableOnDiskQuestion).arg(native(path_)), Dialogs::Buttons::YesNo);
    context_.log(QStringLiteral("Form -> %1 was changed by another program and cannot be read: %2")
                     .arg(native(path_), overwrite ? QStringLiteral("overwritten")
                                                   : QStringLiteral("not saved")));
    return overwrite;
}

std::optional<SettingsModel> SaveDecisions::merged(const SettingsModel& base,
                                                   const SettingsModel& theirs) {
    SettingsMerge result = mergeSettings(base, ours_, theirs);
    if (!result.conflicts.empty()) {
        const auto shown = [this](const SettingsModel& model, int row) {
            return settingsValueText(model, row).value_or(context_.text(kept::noValue));
        };
        QStringList lines{context_.text(kept::conflictQuestion)};
        QStringList keys;
        for (const int row : result.conflicts) {
            keys << keyCatalogue()[row].name();
            lines << context_.text(kept::conflictLine)
                         .arg(keys.back(), shown(ours_, row), shown(theirs, row));
        }
        lines << context_.text(kept::conflictAnswers);
        const Dialogs::Answer answer =
            context_.ask(lines.join(QLatin1Char('\n')), Dialogs::Buttons::YesNoCancel);
        context_.log(QStringLiteral("Form -> %1 changed here and on disk: %2")
                         .arg(keys.join(QStringLiteral(", ")),
                              answer == Dialogs::Answer::Yes  ? QStringLiteral("kept mine")
                              : answer == Dialogs::Answer::No ? QStringLiteral("took the file's")
                                                              : QStringLiteral("cancelled")));
        if (answer != Dialogs::Answer::Yes && answer != Dialogs::Answer::No)
            return std::nullopt;
        if (answer == Dialogs::Answer::No) {
            for (const int row : result.conflicts)
                takeValue(result.merged, theirs, row);
            result.takenFromFile << keys;
        }
    }
    context_.log(QStringLiteral("Form -> %1 was changed by another program: merged, from the "
                                "file: %2")
                     .arg(native(path_), result.takenFromFile.isEmpty()
                                             ? QStringLiteral("its unknown lines")
                                             : result.takenFromFile.join(QStringLiteral(", "))));
    return result.merged;
}

} // namespace quillset
