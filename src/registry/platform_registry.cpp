#include "registry/registry.h"

#ifdef Q_OS_WIN
#include "registry/windows_registry.h"
#else
#include "registry/wine_prefix.h"
#include "registry/wine_registry.h"
#endif

namespace quillset {

std::unique_ptr<Registry> makePlatformRegistry(const QString& programDir) {
#ifdef Q_OS_WIN
    Q_UNUSED(programDir);
    return std::make_unique<WindowsRegistry>();
#else
    return std::make_unique<WineRegistry>(findWinePrefix(programDir));
#endif
}

} // namespace quillset
