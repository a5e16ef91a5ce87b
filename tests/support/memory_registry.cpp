#include "support/memory_registry.h"

namespace quillset {

MemoryRegistry::Slot MemoryRegistry::slotFor(RegistryRoot root, const QString& keyPath,
                                             const QString& valueName) {
    const QString key = keyPathParts(keyPath).join(QLatin1Char('\\'));
    return {root, key.toCaseFolded(), valueName.toCaseFolded()};
}

void MemoryRegistry::setRawValue(RegistryRoot root, const QString& keyPath,
                                 const QString& valueName, quint32 type, QByteArray data) {
    values_[slotFor(root, keyPath, valueName)] =
        RegistryValue{type, std::move(data), RegistryText::Utf16};
}

std::optional<RegistryValue> MemoryRegistry::queryValue(RegistryRoot root, const QString& keyPath,
                                                        const QString& valueName) const {
    const auto found = values_.find(slotFor(root, keyPath, valueName));
    if (found == values_.end())
        return std::nullopt;
    return found->second;
}

bool MemoryRegistry::setStringValue(RegistryRoot root, const QString& keyPath,
                                    const QString& valueName, const QString& text) {
    if (refuseWrites_ || keyPathParts(keyPath).isEmpty()) {
        ++refusedWrites_;
        return false;
    }
    setRawValue(root, keyPath, valueName, kRegSz, utf16StringData(text));
    ++acceptedWrites_;
    return true;
}

QString MemoryRegistry::localPath(const QString& windowsPath) const {
    if (driveC_.isEmpty() || !windowsPath.startsWith(QLatin1String("C:\\"), Qt::CaseInsensitive))
        return driveC_.isEmpty() ? windowsPath : QString();
    return driveC_ + QLatin1Char('/') +
           windowsPath.mid(3).replace(QLatin1Char('\\'), QLatin1Char('/'));
}

} // namespace quillset
