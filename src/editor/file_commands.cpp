#include "editor/file_commands.h"

#include "editor/account_session.h"
#include "editor/file_sync.h"
#include "editor/settings_session.h"
#include "io/file_helpers.h"
#include "registry/wine_prefix.h"
#include "shell/running_game.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace quillset {

QString FileCommands::gameSettingsPath() const {
    return context_.installDir + QStringLiteral("settings.cfg");
}

void FileCommands::open() {
    if (settings_.isChanged() &&
        context_.confirm(context_.text(kept::unsavedChangesQuestion), Dialogs::Buttons::OkCancel))
        save();

    const auto chooseFile = [this] {
        return context_.openFile(context_.text(kept::openDialogTitle), settings_.currentPath());
    };
    bool loaded = false;
    if (context_.advancedMode) {
        const QString chosen = chooseFile();
        if (chosen.isEmpty())
            return;
        loaded = settings_.load(chosen);
    } else {
        const QString installed = gameSettingsPath();
        if (!fileExists(installed)) {
            if (!context_.confirm(context_.text(kept::settingsNotFoundQuestion),
                                  Dialogs::Buttons::OkCancel))
                return;
            const QString chosen = chooseFile();
            if (chosen.isEmpty())
                return;
            loaded = settings_.load(chosen);
        }
        // Normal mode always ends on the install folder's file when there is one.
        if (fileExists(installed))
            loaded = settings_.load(installed);
    }
    // A refused or unreadable file leaves the edits on screen: they stay marked.
    if (loaded)
        settings_.clearMark();
}

QString FileCommands::chooseSaveFile() const {
    return context_.saveFile(context_.text(kept::saveDialogTitle), settings_.currentPath());
}

void FileCommands::saveOverCurrent() {
    const QString current = settings_.currentPath();
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
    const bool noCurrentFile = settings_.currentPath().isEmpty();
    if (context_.advancedMode) {
        if (noCurrentFile)
            writeSettings(chooseSaveFile());
        else
            saveOverCurrent();
        return;
    }
    const QString installed = gameSettingsPath();
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

// The game writes its own settings when it quits, undoing what is saved
// while it runs from the game folder: the user decides whether to save now.
bool FileCommands::gameLetsUsWrite(const QString& path) {
    const auto canonicalFolder = [](const QString& folder) {
        return QDir(QDir::fromNativeSeparators(folder)).canonicalPath();
    };
    if (!context_.processes ||
        canonicalFolder(QFileInfo(path).absolutePath()) != canonicalFolder(context_.installDir))
        return true;
    // Wine shows a Windows program's command line with its Windows path.
    const QString prefix = context_.winePrefix;
    const std::optional<RunningProcess> game = findGameProcess(
        *context_.processes, context_.installDir,
        [prefix](const QString& windowsPath) {
            return prefix.isEmpty() ? QString() : wineToLocalPath(prefix, windowsPath);
        },
        QCoreApplication::applicationPid(), QCoreApplication::applicationFilePath());
    if (!game)
        return true;
    const QString program = game->firstArgument.isEmpty() ? game->executable : game->firstArgument;
    const bool save = context_.confirm(context_.text(kept::gameRunningQuestion).arg(program),
                                       Dialogs::Buttons::YesNo);
    context_.log(QStringLiteral("Form -> the game runs (process %1, %2): %3")
                     .arg(QString::number(game->pid), program,
                          save ? QStringLiteral("saved anyway") : QStringLiteral("not saved")));
    return save;
}

bool FileCommands::writeSettings(const QString& path) {
    if (path.isEmpty() || !gameLetsUsWrite(path))
        return false;
    const SettingsModel ours = settings_.valuesToWrite(accounts_.keysForSettings());
    const std::optional<SettingsModel> values = sync_.toWrite(path, ours);
    // After a merge the window shows what was written.
    return values && settings_.write(path, *values, *values != ours);
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
