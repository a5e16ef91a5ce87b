#include "cli/commands.h"

#include "io/file_helpers.h"
#include "settings/settings_reader.h"

#include <QFileInfo>

namespace quillset::cli {

GameLocation locateGame(const Invocation& invocation) {
    LocationRequest request = LocationRequest::fromEnvironment(invocation.programDir);
    request.prefix = invocation.location.prefix;
    request.gameFolder = invocation.location.gameFolder;
    return resolveGameLocation(request, UserValueCopy::Leave);
}

QString notFoundReason(const GameLocation& location) {
    const WinePrefixChoice& choice = location.prefix;
    if (choice.prefix.isEmpty()) {
        return choice.origin == PrefixOrigin::WinePrefixVariable
                   ? choice.source
                   : QStringLiteral("no Wine prefix holds the game, and no settings.cfg is "
                                    "beside the program");
    }
    if (location.installValue.isEmpty())
        return QStringLiteral("the registry of the Wine prefix %1 holds no install location")
            .arg(shownPath(choice.prefix));
    return QStringLiteral("the install location %1 leads to no folder in the Wine prefix %2")
        .arg(location.installValue, shownPath(choice.prefix));
}

std::optional<GameFiles> findGame(const Invocation& invocation, CommandOutput& output) {
    const GameLocation location = locateGame(invocation);
    if (location.way == GameFolderWay::ProgramFolder) {
        fail(output, ExitCode::Failed,
             QStringLiteral("no game found: %1 (quillset where tells more)")
                 .arg(notFoundReason(location)));
        return std::nullopt;
    }
    return GameFiles{location.gameFolder,
                     joinPath(location.gameFolder, QStringLiteral("settings.cfg"))};
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
