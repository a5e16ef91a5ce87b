#pragma once
// The settings of the run: the values the Options window shows plus the held
// ones, the file they were loaded from, and the change mark with the title
// that shows it. Every change of a value is an edit and runs its change
// handling, whether the user made it or the program (loading, clearing, the
// standard settings, the account name).

#include "editor/editor_context.h"
#include "settings/settings_model.h"
#include "settings/settings_writer.h"

#include <QString>
#include <optional>

namespace quillset {

class SettingsSession {
public:
    explicit SettingsSession(EditorContext& context) : context_(context) {}

    const SettingsModel& values() const { return values_; }
    // An edit of one settings value (catalogue row): when the value changes
    // it runs the value's change handling, as a user's edit would. A value
    // is taken as its key takes it (acceptedNumber); a text only for a text
    // key.
    void setNumber(int row, int value);
    void setText(int row, const QString& text);
    // Every settings value and the held values, each as an edit; the view
    // then shows them.
    void applyValues(const SettingsModel& values);
    // Every settings value but the wait-retrace flag cleared, the held texts
    // too (FONTPAGES survives), the change mark reset.
    void clearValues();
    // The view shows the values, after edits the program made.
    void showValues() const { context_.view().showValues(values_); }

    bool isChanged() const { return changed_; }
    void markChanged();
    // No change mark; the title is the base title.
    void clearMark();
    void setBaseTitle(const QString& title) { baseTitle_ = title; }
    // The volume controls follow the sound switch (a grayed switch leaves them).
    void checkSound();

    // The settings file last loaded; empty before the first.
    const QString& currentPath() const { return currentPath_; }
    // Loads a settings.cfg (other file names are refused with a notice, an
    // unreadable file with a message, both leaving the values as they were).
    // Returns whether a file was loaded; the caller shows the base title.
    bool load(const QString& path);
    // Writes the values, with keys as the CD keys when given, else with the
    // keys read from the settings file. On success the change mark goes; on
    // failure the user is told why and it stays.
    bool write(const QString& path, const std::optional<AccountCdKeys>& keys);

private:
    void editShownValues(const SettingsModel& values, bool keepWaitRetrace);
    void runChangeHandling(int row);
    void soundChanged();
    void showVolumeControls(bool enabled);

    EditorContext& context_;
    SettingsModel values_ = SettingsModel::cleared();
    QString currentPath_;
    QString baseTitle_;
    bool changed_ = false;
    bool soundOn_ = false; // the sound switch as the last change left it
};

} // namespace quillset
