#pragma once
// The save paths that the fault sweep and the hostile-file tests put through
// their paces, each taking the folder it saves into; a failure gives its
// message.

#include "accounts/account_file.h"
#include "editor/save_decisions.h"
#include "game/settings_file.h"
#include "registry/registry.h"
#include "registry/wine_registry.h"
#include "settings/settings_edit.h"
#include "settings/settings_reader.h"
#include "shell/backup.h"
#include "support/recording_view.h"
#include "support/scripted_dialogs.h"
#include "test_support.h"

namespace quillset::test {

// Faults start when this is called. A save path that first sets the scene
// (a window that loaded the file, another program writing it) calls it as
// its save begins; the driver calls it before the others. pauseFaults stops
// them while another program's write is staged.
inline void (*startFaults)() = [] {};
inline void (*pauseFaults)() = [] {};

// A command's answers: AUTOSAVE set to 1 in place. The first time, once the
// change is made, another program writes kMeanwhileFile (when asked to)
// before the new file can land: the transaction must notice and make the
// change again on it.
struct SetAutosave final : WriteDecisions {
    bool writeWhileGameRuns(const RunningProcess&) override { return false; }
    bool asksUser() const override { return false; }
    std::optional<SettingsContent> contentFor(const SettingsFileRead& now,
                                              const SettingsContent*) override {
        const LineEdit edit{rowOf("AUTOSAVE"), "AUTOSAVE : 1"};
        QByteArray bytes = editSettingsLines(now.bytes, {&edit, 1}).bytes;
        if (!std::exchange(meanwhile, QString()).isEmpty()) {
            pauseFaults();
            const bool written = writeBytes(path, kMeanwhileFile);
            startFaults();
            if (!written)
                return std::nullopt;
        }
        return SettingsContent{bytes, readSettings(bytes)};
    }
    static inline const QByteArray kMeanwhileFile = "SOUND : 0\r\nTHEIRS : 1\r\n";
    QString path, meanwhile;
};

inline std::optional<QString> writeThroughTransaction(const QString& d, WriteDecisions& decisions) {
    SettingsFile file(d + "/settings.cfg");
    const WriteResult result = file.write(GameFiles{d, {}}, nullptr, decisions);
    if (result.outcome == WriteResult::Outcome::Written)
        return std::nullopt;
    // One failed call is a failure with its reason, never a file that "keeps
    // changing" nor a silent decline: those come out empty, which the sweep
    // counts as a failure without a message.
    return result.outcome == WriteResult::Outcome::Failed ? result.reason : QString();
}

inline std::optional<QString> saveSettings(const QString& d) {
    SetAutosave decisions;
    return writeThroughTransaction(d, decisions);
}

// Another program writes the file while the save runs.
inline std::optional<QString> saveOverAWriteMeanwhile(const QString& d) {
    SetAutosave decisions;
    decisions.path = decisions.meanwhile = d + "/settings.cfg";
    return writeThroughTransaction(d, decisions);
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
    const QString path = d + "/settings.cfg";
    SettingsFile file(path);
    if (!writeBytes(path, "FULLSCREEN : 1\r\nNETWORK_PLAYER : Aldric\r\nOURS : 1\r\n") ||
        !file.load().hasBytes() || !writeBytes(path, kOtherProgramsFile))
        return u"no scene"_s;
    SettingsModel ours = file.base()->values;
    ours.texts[rowOf("NETWORK_PLAYER")] = u"Bob"_s;
    // A file that cannot be read now is not overwritten.
    dialogs.answer(Dialogs::Answer::No);
    startFaults();
    SaveDecisions decisions(context, path, ours);
    const WriteResult result = file.write(GameFiles{d, {}}, nullptr, decisions);
    if (result.outcome == WriteResult::Outcome::Written)
        return std::nullopt;
    return !result.reason.isEmpty() ? result.reason
           : dialogs.shown.empty()  ? u"nothing written"_s
                                    : dialogs.shown.back().text;
}

// Start-up's copy of the install folder into the machine root (silent: no message).
inline std::optional<QString> saveRegistry(const QString& d) {
    if (WineRegistry(d).setStringValue(RegistryRoot::LocalMachine, kInstallKeyPath,
                                       kInstallValueName, u"C:\\Games\\Korrin"_s))
        return std::nullopt;
    return u"the registry value was not written"_s;
}

} // namespace quillset::test
