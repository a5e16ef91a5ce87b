#include "registry/game_location.h"

#include "io/file_helpers.h"
#include "settings/key_catalogue.h"

#include <QDir>

#include <memory>

#ifdef Q_OS_WIN
#include "registry/windows_registry.h"
#else
#include "registry/wine_registry.h"
#endif

namespace quillset {

namespace {

// The prefix named on the command line comes before every other way.
WinePrefixChoice choosePrefix(const LocationRequest& request) {
#ifdef Q_OS_WIN
    Q_UNUSED(request);
    return {};
#else
    if (request.prefix.isEmpty())
        return chooseWinePrefix(request.programDir, request.variables, request.places);
    WinePrefixChoice choice;
    choice.prefix = QDir::cleanPath(request.prefix);
    choice.origin = PrefixOrigin::PrefixOption;
    choice.source = QStringLiteral("--prefix");
    return choice;
#endif
}

std::unique_ptr<Registry> platformRegistry(const QString& prefix) {
#ifdef Q_OS_WIN
    Q_UNUSED(prefix);
    return std::make_unique<WindowsRegistry>();
#else
    return std::make_unique<WineRegistry>(prefix);
#endif
}

// The machine root's value; else the per-user one, which the program reads
// from the machine root only after copying it there. A refused copy leaves
// the machine root without a value, and so the game's folder unknown.
void readInstallValue(Registry& registry, UserValueCopy copy, GameLocation& location) {
    const auto machine = RegistryRoot::LocalMachine;
    location.installValue = registry.readString(machine, kInstallKeyPath, kInstallValueName);
    if (!location.installValue.isEmpty()) {
        location.valueRoot = InstallValueRoot::Machine;
        return;
    }
    const QString user =
        registry.readString(RegistryRoot::CurrentUser, kInstallKeyPath, kInstallValueName);
    if (user.isEmpty())
        return;
    if (copy == UserValueCopy::IntoMachineRoot &&
        !registry.setStringValue(machine, kInstallKeyPath, kInstallValueName, user))
        return;
    location.installValue = user;
    location.valueRoot = InstallValueRoot::PerUser;
}

} // namespace

LocationRequest LocationRequest::fromEnvironment(const QString& programDir) {
    LocationRequest request;
    request.programDir = programDir;
    request.variables = PrefixVariables::fromEnvironment();
#ifndef Q_OS_WIN
    request.places = SearchPlaces::fromEnvironment();
#endif
    return request;
}

GameLocation locateInRegistry(const LocationRequest& request, Registry* registry,
                              WinePrefixChoice prefix, UserValueCopy copy) {
    GameLocation location;
    if (!request.gameFolder.isEmpty()) {
        location.way = GameFolderWay::GivenFolder;
        location.gameFolder = QDir::cleanPath(request.gameFolder);
        return location;
    }
    location.prefix = std::move(prefix);
    if (registry) {
        readInstallValue(*registry, copy, location);
        if (!location.installValue.isEmpty())
            location.installFolder = registry->localPath(location.installValue);
    }
    // The settings beside the program win over the registry, unless the
    // user named a prefix.
    if (request.prefix.isEmpty() &&
        fileExists(joinPath(request.programDir, QLatin1String(kSettingsFileName)))) {
        location.way = GameFolderWay::BesideProgram;
        location.gameFolder = request.programDir;
    } else if (!location.installFolder.isEmpty()) {
        location.way = GameFolderWay::Registry;
        location.gameFolder = location.installFolder;
    } else {
        location.way = GameFolderWay::ProgramFolder;
        location.gameFolder = request.programDir;
    }
    return location;
}

GameLocation resolveGameLocation(const LocationRequest& request, UserValueCopy copy) {
    if (!request.gameFolder.isEmpty())
        return locateInRegistry(request, nullptr, {}, copy);
    WinePrefixChoice prefix = choosePrefix(request);
    const std::unique_ptr<Registry> registry = platformRegistry(prefix.prefix);
    return locateInRegistry(request, registry.get(), std::move(prefix), copy);
}

} // namespace quillset
