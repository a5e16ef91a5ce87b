#pragma once
// The save paths that the fault sweep and the hostile-file tests put through
// their paces, each taking the folder it saves into; a failure gives its
// message.

#include "accounts/account_file.h"
#include "registry/registry.h"
#include "registry/wine_registry.h"
#include "settings/settings_reader.h"
#include "settings/settings_writer.h"
#include "shell/backup.h"
#include "test_support.h"

namespace quillset::test {

inline std::optional<QString> saveSettings(const QString& d) {
    return writeSettingsFile(d + "/settings.cfg", readSettings("AUTOSAVE : 1\r\nX\r\n"));
}

inline std::optional<QString> saveAccounts(const QString& d) {
    return writeAccountFile(d, AccountLines{"Player", "AAAAABBBBBCCCCCDDDDD"});
}

// settings.cfg to settings.bck; the message is the reason the user would read.
inline std::optional<QString> saveBackup(const QString& d) {
    return copySettingsFile(d + "/settings.cfg", d + "/settings.bck");
}

// Start-up's copy of the install folder into the machine root (silent: no message).
inline std::optional<QString> saveRegistry(const QString& d) {
    if (WineRegistry(d).setStringValue(RegistryRoot::LocalMachine, kInstallKeyPath,
                                       kInstallValueName, u"C:\\Games\\Korrin"_s))
        return std::nullopt;
    return u"the registry value was not written"_s;
}

} // namespace quillset::test
