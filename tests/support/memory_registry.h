#pragma once
// A registry held in memory, for tests of the code that reads and writes the
// install folder: values of any type can be planted, and writes can be
// refused as they are for a user without rights to the machine root.

#include "registry/registry.h"

#include <map>
#include <tuple>

namespace quillset {

class MemoryRegistry final : public Registry {
public:
    // Plants a raw value (strings as UTF-16LE, see utf16StringData).
    void setRawValue(RegistryRoot root, const QString& keyPath, const QString& valueName,
                     quint32 type, QByteArray data);
    void setRefuseWrites(bool refuse) { refuseWrites_ = refuse; }
    // Accepted and refused setStringValue calls, so tests can tell "nothing
    // was written" from "the same text was written again".
    int acceptedWrites() const { return acceptedWrites_; }
    int refusedWrites() const { return refusedWrites_; }
    // Maps Windows paths on drive C: into folder, as a Wine prefix's drive
    // link does; a path on any other drive then cannot be mapped.
    void setDriveC(const QString& folder) { driveC_ = folder; }
    void setSearchTrace(const QStringList& lines) { searchTrace_ = lines; }

    std::optional<RegistryValue> queryValue(RegistryRoot root, const QString& keyPath,
                                            const QString& valueName) const override;
    bool setStringValue(RegistryRoot root, const QString& keyPath, const QString& valueName,
                        const QString& text) override;
    QString localPath(const QString& windowsPath) const override;
    QStringList searchTrace() const override { return searchTrace_; }

private:
    // Root, folded key path, folded value name: names compare case-insensitively.
    using Slot = std::tuple<RegistryRoot, QString, QString>;
    static Slot slotFor(RegistryRoot root, const QString& keyPath, const QString& valueName);

    std::map<Slot, RegistryValue> values_;
    bool refuseWrites_ = false;
    int acceptedWrites_ = 0;
    int refusedWrites_ = 0;
    QString driveC_;
    QStringList searchTrace_;
};

} // namespace quillset
