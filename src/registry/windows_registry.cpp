#include "registry/windows_registry.h"

#ifdef Q_OS_WIN

#include "io/ansi_text.h"
#include "io/text_lines.h"

#include <windows.h>

#include <algorithm>
#include <vector>

namespace quillset {

namespace {

// A key handle lives only inside one call and is always closed.
class KeyHandle {
public:
    KeyHandle() = default;
    KeyHandle(const KeyHandle&) = delete;
    KeyHandle& operator=(const KeyHandle&) = delete;
    ~KeyHandle() {
        if (key_)
            RegCloseKey(key_);
    }
    HKEY* out() { return &key_; }
    HKEY get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

HKEY rootHandle(RegistryRoot root) {
    return root == RegistryRoot::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

// The game's installer is a 32-bit program, so on 64-bit Windows its machine
// keys under Software live in Wow6432Node. A 32-bit build of this program is
// redirected there by Windows; a 64-bit build has to name that view itself.
QStringList keyViews(RegistryRoot root, const QString& keyPath) {
    const QString plain = keyPathParts(keyPath).join(QLatin1Char('\\'));
#ifdef _WIN64
    if (root == RegistryRoot::LocalMachine) {
        if (const QString redirected = wow6432KeyPath(plain); !redirected.isEmpty())
            return {redirected, plain};
    }
#else
    Q_UNUSED(root);
#endif
    return {plain};
}

std::optional<RegistryValue> queryOne(HKEY root, const QByteArray& keyPath,
                                      const QByteArray& valueName) {
    KeyHandle key;
    if (RegOpenKeyA(root, keyPath.constData(), key.out()) != ERROR_SUCCESS)
        return std::nullopt;
    // First the type and size, then the data into a buffer of that size.
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(key.get(), valueName.constData(), nullptr, &type, nullptr, &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    std::vector<BYTE> buffer(std::max<DWORD>(size, 1), 0);
    DWORD filled = static_cast<DWORD>(buffer.size());
    if (RegQueryValueExA(key.get(), valueName.constData(), nullptr, &type, buffer.data(),
                         &filled) != ERROR_SUCCESS)
        return std::nullopt;
    filled = std::min<DWORD>(filled, static_cast<DWORD>(buffer.size()));
    return RegistryValue{
        static_cast<quint32>(type),
        QByteArray(reinterpret_cast<const char*>(buffer.data()), static_cast<qsizetype>(filled)),
        RegistryText::Ansi};
}

} // namespace

std::optional<RegistryValue> WindowsRegistry::queryValue(RegistryRoot root, const QString& keyPath,
                                                         const QString& valueName) const {
    const std::optional<QByteArray> name = toAnsi(valueName);
    if (!name)
        return std::nullopt;
    for (const QString& view : keyViews(root, keyPath)) {
        const std::optional<QByteArray> path = toAnsi(view);
        if (!path)
            return std::nullopt;
        if (std::optional<RegistryValue> value = queryOne(rootHandle(root), *path, *name))
            return value;
    }
    return std::nullopt;
}

bool WindowsRegistry::setStringValue(RegistryRoot root, const QString& keyPath,
                                     const QString& valueName, const QString& text) {
    const QString view = keyViews(root, keyPath).constFirst();
    const std::optional<QByteArray> path = toAnsi(view);
    const std::optional<QByteArray> name = toAnsi(valueName);
    std::optional<QByteArray> data = toAnsi(text);
    // Text that the code page cannot hold is not written with substitutes,
    // and a folder name with a line break is not written at all.
    if (view.isEmpty() || !path || !name || !data || containsLineBreak(text))
        return false;
    KeyHandle key;
    if (RegCreateKeyA(rootHandle(root), path->constData(), key.out()) != ERROR_SUCCESS)
        return false;
    data->append('\0');
    return RegSetValueExA(key.get(), name->constData(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(data->constData()),
                          static_cast<DWORD>(data->size())) == ERROR_SUCCESS;
}

} // namespace quillset

#endif // Q_OS_WIN
