#include "app/registry/registry.h"

#ifdef Q_OS_WIN
#include "app/registry/windows_registry.h"
#else
#include "app/registry/wine_prefix.h"
#include "app/registry/wine_registry.h"
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
