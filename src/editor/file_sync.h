#pragma once
// Quillset is not the only program that writes settings.cfg: the game does
// (its options screen, and often when it quits), and so may a launcher or a
// second Quillset. While the window holds no unsaved changes it follows the
// file on disk; a save merges, key by key, what another program changed since
// the file was loaded or last written (the base) with the user's changes,
// and asks once when both changed the same key differently.

#include "editor/editor_context.h"
#include "settings/settings_model.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace quillset {

class AccountSession;
class SettingsSession;

class FileSync {
public:
    FileSync(EditorContext& context, SettingsSession& settings, const AccountSession& accounts);

    // The current file changed on disk and has been still for a moment. It
    // is loaded again when it differs from the base, can be read as settings
    // and nothing is marked changed; while a question, a dialog or the
    // Account window is open, that waits until they close.
    void fileChanged();
    // The Account window was closed: a change that came meanwhile is followed.
    void accountWindowClosed();

    // What to write to path for ours (the window's values with the CD keys
    // to write): ours, or, when path is the current file and another program
    // changed it since the base, ours merged with its changes. Nothing when
    // the user chose to write nothing.
    std::optional<SettingsModel> toWrite(const QString& path, const SettingsModel& ours);

private:
    std::optional<SettingsModel> merge(const QString& path, const SettingsModel& ours,
                                       const QByteArray& onDisk);
    SettingsModel takenAsLoaded(const SettingsModel& read) const;

    EditorContext& context_;
    SettingsSession& settings_;
    const AccountSession& accounts_;
    bool pending_ = false; // a change waits for the questions to close
};

} // namespace quillset
