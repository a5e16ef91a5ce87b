#include "registry/registry.h"

#ifdef Q_OS_WIN
#include "registry/windows_registry.h"
#else
#include "registry/launchers/game_prefix_search.h"
#include "registry/wine_registry.h"
#endif

namespace quillset {

std::unique_ptr<Registry> makePlatformRegistry(const QString& programDir) {
#ifdef Q_OS_WIN
    Q_UNUSED(programDir);
    return std::make_unique<WindowsRegistry>();
#else
    WinePrefixChoice choice = chooseWinePrefix(programDir, qEnvironmentVariable("WINEPREFIX"),
                                               SearchPlaces::fromEnvironment());
    return std::make_unique<WineRegistry>(std::move(choice.prefix), std::move(choice.trace));
#endif
}

} // namespace quillset
