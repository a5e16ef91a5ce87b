#pragma once
// The registry of a Wine prefix, read from and written to its files:
// system.reg is the machine root, user.reg the per-user root. The game and
// its installer are 32-bit programs, so in a 64-bit prefix the machine root's
// Software key is seen through Wow6432Node, as they see it.

#include "registry/registry.h"

namespace quillset {

// A value as WineRegistry reads it from the bytes of a registry file: in the
// machine root of a 64-bit prefix, a key under Software is looked up through
// Wow6432Node first. Reads nothing but the bytes, so it serves a look into
// a prefix that must not be changed.
std::optional<RegistryValue> wineHiveValue(QByteArrayView hive, RegistryRoot root,
                                           const QString& keyPath, const QString& valueName);

class WineRegistry final : public Registry {
public:
    // An empty prefix means there is none: every read is empty, every write
    // refused.
    explicit WineRegistry(QString prefix) : prefix_(std::move(prefix)) {}

    const QString& prefix() const { return prefix_; }
    QString hivePath(RegistryRoot root) const;

    std::optional<RegistryValue> queryValue(RegistryRoot root, const QString& keyPath,
                                            const QString& valueName) const override;
    // Edits the file only while no wineserver runs for the prefix (it would
    // overwrite the edit), replacing it atomically with every other line kept.
    bool setStringValue(RegistryRoot root, const QString& keyPath, const QString& valueName,
                        const QString& text) override;
    QString localPath(const QString& windowsPath) const override;

private:
    QString prefix_;
};

} // namespace quillset
