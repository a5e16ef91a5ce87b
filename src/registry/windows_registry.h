#pragma once
// The Windows registry through the ANSI entry points of advapi32. Built on
// Windows only.

#include <QtGlobal>

#ifdef Q_OS_WIN

#include "registry/registry.h"

namespace quillset {

class WindowsRegistry final : public Registry {
public:
    std::optional<RegistryValue> queryValue(RegistryRoot root, const QString& keyPath,
                                            const QString& valueName) const override;
    bool setStringValue(RegistryRoot root, const QString& keyPath, const QString& valueName,
                        const QString& text) override;
};

} // namespace quillset

#endif // Q_OS_WIN
