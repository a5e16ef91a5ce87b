#include "editor/file_commands.h"

#include "editor/account_session.h"
#include "editor/file_sync.h"
#include "editor/save_decisions.h"
#include "editor/settings_session.h"
#include "game/settings_file.h"
#include "io/file_helpers.h"
#include "settings/settings_writer.h"

#include <QDir>

namespace quillset {

namespace {

QString native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

} // namespace

void FileCommands::open() {
    if (settings_.isChanged() &&
        context_.confirm(context_.text(kept::unsavedChangesQuestion), Dialogs::Buttons::OkCancel))
        save();

    const auto chooseFile = [this] {
        return context_.openFile(context_.text(kept::openDialogTitle), current_.path());
    };
    bool loaded = false;
    if (context_.isAdvancedMode()) {
        const QString chosen = chooseFile();
        if (chosen.isEmpty())
            return;
        loaded = load(chosen);
    } else {
        const QString installed = context_.game().settings();
        if (!fileExists(installed)) {
            if (!context_.confirm(context_.text(kept::settingsNotFoundQuestion),
                                  Dialogs::Buttons::OkCancel))
                return;
            const QString chosen = chooseFile();
            if (chosen.isEmpty())
                return;
            loaded = load(chosen);
        }
        // Normal mode always ends on the install folder's file when there is one.
        if (fileExists(installed))
            loaded = load(installed);
    }
    // A refused or unreadable file leaves the edits on screen: they stay marked.
    if (loaded)
        settings_.clearMark();
}

QString FileCommands::chooseSaveFile() const {
    return context_.saveFile(context_.text(kept::saveDialogTitle), current_.path());
}

void FileCommands::saveOverCurrent() {
    const QString current = current_.path();
    const QString question = context_.text(kept::saveOverCurrentQuestion) + QLatin1Char(' ') +
                             QDir::toNativeSeparators(current);
    if (context_.confirm(question, Dialogs::Buttons::OkCancel))
        writeSettings(current);
    else
        writeSettings(chooseSaveFile());
}

void FileCommands::save() {
    if (!settings_.isChanged())
        return;
    const bool noCurrentFile = current_.path().isEmpty();
    if (context_.isAdvancedMode()) {
        if (noCurrentFile)
            writeSettings(chooseSaveFile());
        else
            saveOverCurrent();
        return;
    }
    const QString installed = context_.game().settings();
    if (!fileExists(installed)) {
        if (context_.confirm(context_.text(kept::settingsNotFoundQuestion),
                             Dialogs::Buttons::OkCancel))
            writeSettings(chooseSaveFile());
        return;
    }
    if (noCurrentFile)
        writeSettings(installed);
    else
        saveOverCurrent();
}

bool FileCommands::isCurrentFile(const QString& path) const {
    const auto clean = [](const QString& p) {
        return QDir::cleanPath(QDir(QDir::fromNativeSeparators(p)).absolutePath());
    };
    return !current_.path().isEmpty() && clean(path) == clean(current_.path());
}

bool FileCommands::load(const QString& path) {
    if (path.isEmpty())
        return false;
    if (!hasSettingsFileName(path)) {
        context_.tell(context_.text(kept::notSettingsFileNotice));
        return false;
    }
    // Read first: a file that cannot be read leaves the values as they were.
    SettingsFile file(path);
    const SettingsFileRead read = file.load(settings_.values().fontPagesValue, &context_.debugLog());
    if (!read.hasBytes()) {
        context_.tell(context_.text(kept::loadFailedNotice) + QLatin1Char('\n') + native(path) +
                      QStringLiteral(" (%1)").arg(readFailureText(read.failure)));
        return false;
    }
    settings_.loadValues(read.values, path);
    current_ = std::move(file);
    sync_.follow(path);
    return true;
}

void FileCommands::tellNotSaved(const QString& path, const QString& reason) {
    context_.tell(context_.text(kept::saveFailedNotice).arg(native(path), reason) +
                  QLatin1Char('\n') + context_.text(kept::changesKeptNotice));
}

bool FileCommands::writeSettings(const QString& path) {
    if (path.isEmpty())
        return false;
    SettingsModel ours = settings_.values();
    const std::optional<AccountCdKeys> keys = accounts_.selectedKeysLoadingWindow();
    if (keys) {
        ours.fileCdKey = keys->korrin;
        ours.fileCdKey2 = keys->deepfall;
    }
    // A value typed, pasted or set by an accessibility tool must pass the
    // rule every door applies; the file's own values go back as they came.
    const std::optional<SettingsContent>& loaded = current_.base();
    if (const std::optional<EncodeError> refused =
            refusedText(ours, loaded ? &loaded->values : nullptr)) {
        const bool lineBreak = refused->problem == TextProblem::LineBreak;
        tellNotSaved(path, context_.text(lineBreak ? kept::lineBreakRefused : kept::characterRefused)
                               .arg(refused->key));
        return false;
    }
    SettingsFile elsewhere(path);
    SettingsFile& file = isCurrentFile(path) ? current_ : elsewhere;
    SaveDecisions decisions(context_, path, ours);
    const WriteResult result = file.write(context_.game(), context_.processes(), decisions);
    if (result.backupMade)
        context_.log(QStringLiteral("Form -> no backup found: %1 made before saving")
                         .arg(native(context_.game().backup())));
    switch (result.outcome) {
    case WriteResult::Outcome::Written:
        break;
    case WriteResult::Outcome::Declined:
        return false;
    case WriteResult::Outcome::Failed:
        tellNotSaved(path, result.reason);
        return false;
    case WriteResult::Outcome::KeepsChanging:
        tellNotSaved(path, QStringLiteral("another program kept changing it"));
        return false;
    }
    if (keys)
        accounts_.keysWritten(*keys);
    // After a merge the window shows what was written.
    if (file.base()->values != ours)
        settings_.applyValues(file.base()->values);
    settings_.clearMark();
    return true;
}

void FileCommands::exit() {
    if (context_.isEnding())
        return;
    if (settings_.isChanged() &&
        context_.confirm(context_.text(kept::unsavedChangesQuestion), Dialogs::Buttons::YesNo,
                         context_.text(kept::exitQuestionTitle)))
        save();
    context_.endProgram();
}

} // namespace quillset
