#include "cli/commands.h"

#include "io/file_helpers.h"
#include "settings/settings_reader.h"

#include <QFileInfo>

namespace quillset::cli {

std::optional<GameFiles> findGame(const Invocation& invocation, CommandOutput& output) {
    // Until the window's resolver is shared, a prefix cannot be followed.
    if (!invocation.location.prefix.isEmpty()) {
        fail(output, ExitCode::Failed, QStringLiteral("--prefix is not followed yet"));
        return std::nullopt;
    }
    QString folder = invocation.location.gameFolder;
    const QString beside = joinPath(invocation.programDir, QStringLiteral("settings.cfg"));
    if (folder.isEmpty() && fileExists(beside))
        folder = invocation.programDir;
    if (folder.isEmpty()) {
        fail(output, ExitCode::Failed,
             QStringLiteral("no game found: no settings.cfg beside the program in %1")
                 .arg(shownPath(invocation.programDir)));
        return std::nullopt;
    }
    return GameFiles{folder, joinPath(folder, QStringLiteral("settings.cfg"))};
}

std::optional<SettingsModel> readGameSettings(const GameFiles& game, CommandOutput& output) {
    std::optional<SettingsModel> model = loadSettingsFile(game.settings);
    if (!model) {
        fail(output, ExitCode::Failed,
             QStringLiteral("%1: %2").arg(shownPath(game.settings),
                                          QFileInfo::exists(game.settings)
                                              ? QStringLiteral("it cannot be read")
                                              : QStringLiteral("no such file")));
    }
    return model;
}

} // namespace quillset::cli
