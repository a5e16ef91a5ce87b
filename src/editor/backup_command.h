#pragma once
// Making settings.bck, at start-up and from the options menu: the notice
// before each copy, the questions of advanced mode, and a failure told.

#include "editor/editor_context.h"

#include <QString>

namespace quillset {

class SettingsFile;

class BackupCommand {
public:
    BackupCommand(EditorContext& context, const SettingsFile& current)
        : context_(context), current_(current) {}

    // Shows the backup notice, then copies source over target; a failure is
    // told and leaves the target as it was. Returns whether the copy was made.
    bool copyWithNotice(const QString& source, const QString& target) const;

    // The backup command. In advanced mode an existing backup is replaced
    // only when the user agrees, and the user may pick source and target
    // files; in normal mode the backup is replaced by a fresh copy. An
    // existing backup is never given up when there is no settings file to
    // copy.
    void run(bool advancedMode) const;

private:
    bool refuseWithoutSource(const QString& cfg) const;
    void runAdvanced(const QString& cfg, const QString& bck) const;
    void runNormal(const QString& cfg, const QString& bck) const;

    EditorContext& context_;
    const SettingsFile& current_;
};

} // namespace quillset
