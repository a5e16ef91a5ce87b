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
    const bool variable = choice.origin == PrefixOrigin::WinePrefixVariable ||
                          choice.origin == PrefixOrigin::SteamVariable;
    if (choice.prefix.isEmpty()) {
        return variable ? choice.source
                        : QStringLiteral("no Wine prefix holds the game, and no settings.cfg is "
                                         "beside the program");
    }
    if (variable && !QFileInfo(choice.prefix).isDir())
        return QStringLiteral("%1 names the Wine prefix %2, which does not exist")
            .arg(choice.source, shownPath(choice.prefix));
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
    return GameFiles::of(location);
}

QString whyNoSettings(const SettingsFileRead& read) {
    if (!read.hasBytes())
        return readFailureText(read.failure);
    if (read.bytes.isEmpty())
        return QStringLiteral("it is empty, not a settings file");
    if (read.bytes.contains('\0'))
        return QStringLiteral("it holds NUL bytes: it is binary, not a settings file");
    return QStringLiteral("no line of it names a key of the game's settings: it is not a "
                          "settings file");
}

std::optional<SettingsFileRead> readGameSettings(const GameFiles& game, CommandOutput& output) {
    SettingsFileRead read = readSettingsFile(game.settings());
    if (read.state != SettingsFileRead::State::Settings) {
        fail(output, ExitCode::Failed,
             QStringLiteral("%1: %2").arg(shownPath(game.settings()), whyNoSettings(read)));
        return std::nullopt;
    }
    return read;
}

} // namespace quillset::cli
