#pragma once
// What the window decides while a save writes settings.cfg (SettingsFile's
// transaction): whether to save while the game runs, whether to overwrite a
// file another program left unreadable, and how the user's values meet what
// another program changed since the base, merged key by key, with one
// question for the keys both changed differently. Each is asked of the user
// and traced to debug.log.

#include "editor/editor_context.h"
#include "game/settings_file.h"

namespace quillset {

class SaveDecisions final : public WriteDecisions {
public:
    // ours: the window's values with the CD keys to write.
    SaveDecisions(EditorContext& context, const QString& path, SettingsModel ours)
        : context_(context), path_(path), ours_(std::move(ours)) {}

    bool writeWhileGameRuns(const RunningProcess& game) override;
    std::optional<SettingsContent> contentFor(const SettingsFileRead& now,
                                              const SettingsContent* base) override;
    bool asksUser() const override { return true; }

private:
    std::optional<SettingsModel> merged(const SettingsModel& base, const SettingsModel& theirs);
    bool overwriteUnreadable();

    EditorContext& context_;
    QString path_;
    SettingsModel ours_; // after a merge, the merged values
};

} // namespace quillset
