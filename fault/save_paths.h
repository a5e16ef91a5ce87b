#pragma once
// The save paths that the fault sweep and the hostile-file tests put through
// their paces, each taking the folder it saves into; a failure gives its
// message.

#include "accounts/account_file.h"
#include "editor/account_session.h"
#include "editor/file_sync.h"
#include "editor/settings_session.h"
#include "registry/registry.h"
#include "registry/wine_registry.h"
#include "settings/settings_reader.h"
#include "settings/settings_writer.h"
#include "shell/backup.h"
#include "support/recording_view.h"
#include "support/scripted_dialogs.h"
#include "test_support.h"

namespace quillset::test {

// Faults start when this is called. A save path that first sets the scene
// (a window that loaded the file, another program writing it) calls it as
// its save begins; the driver calls it before the others.
inline void (*startFaults)() = [] {};

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

// What the other program made of settings.cfg after the window loaded it.
inline const QByteArray kOtherProgramsFile =
    "FULLSCREEN : 0\r\nNETWORK_PLAYER : Aldric\r\nOURS : 2\r\n";

// Save over a settings.cfg that another program changed since the window
// loaded it: merged. A failure must leave the file as that program wrote it.
inline std::optional<QString> saveMerged(const QString& d) {
    RecordingView view;
    ScriptedDialogs dialogs;
    EditorContext context(dialogs, d);
    context.setView(view);
    SettingsSession settings(context);
    AccountSession accounts(context, settings);
    FileSync sync(context, settings, accounts);
    const QString path = d + "/settings.cfg";
    if (!writeBytes(path, "FULLSCREEN : 1\r\nNETWORK_PLAYER : Aldric\r\nOURS : 1\r\n") ||
        !settings.load(path) || !writeBytes(path, kOtherProgramsFile))
        return u"no scene"_s;
    settings.setText(keyIndex("NETWORK_PLAYER"_L1), u"Bob"_s);
    // A file that cannot be read now is not overwritten.
    dialogs.answer(Dialogs::Answer::No);
    startFaults();
    const SettingsModel ours = settings.valuesToWrite({});
    const std::optional<SettingsModel> values = sync.toWrite(path, ours);
    if (!values || !settings.write(path, *values, true))
        return dialogs.shown.empty() ? u"nothing written"_s : dialogs.shown.back().text;
    return std::nullopt;
}

// Start-up's copy of the install folder into the machine root (silent: no message).
inline std::optional<QString> saveRegistry(const QString& d) {
    if (WineRegistry(d).setStringValue(RegistryRoot::LocalMachine, kInstallKeyPath,
                                       kInstallValueName, u"C:\\Games\\Korrin"_s))
        return std::nullopt;
    return u"the registry value was not written"_s;
}

} // namespace quillset::test
