#pragma once
// A registry held in memory for the start-up flows: values planted by the
// test, writes counted or refused (as for a user without rights to the
// machine root), and a Wine prefix's drive C: link.

#include "registry/registry.h"

#include <map>
#include <tuple>

namespace quillset::test {

struct MemoryRegistry final : Registry {
    std::optional<RegistryValue> queryValue(RegistryRoot root, const QString& key,
                                            const QString& name) const override {
        const auto found = values.find({root, key, name});
        return found == values.end() ? std::nullopt : std::optional(found->second);
    }
    bool setStringValue(RegistryRoot root, const QString& key, const QString& name,
                        const QString& text) override {
        if (refuseWrites)
            return false;
        values[{root, key, name}] = {kRegSz, utf16StringData(text)};
        return ++acceptedWrites > 0;
    }
    // With a drive link, only paths on C: can be mapped.
    QString localPath(const QString& path) const override {
        if (driveC.isEmpty() || !path.startsWith(QLatin1String("C:\\")))
            return driveC.isEmpty() ? path : QString();
        return driveC + QLatin1Char('/') + path.mid(3).replace(QLatin1Char('\\'), QLatin1Char('/'));
    }
    QStringList searchTrace() const override { return trace; }

    std::map<std::tuple<RegistryRoot, QString, QString>, RegistryValue> values;
    bool refuseWrites = false;
    int acceptedWrites = 0;
    QString driveC;
    QStringList trace;
};

} // namespace quillset::test
