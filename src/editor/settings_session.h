#pragma once
// The settings of the run: the values the Options window shows plus the held
// ones, and the change mark with the title that shows it. Every change of a
// value is an edit and runs its change handling, whether the user made it or
// the program (clearing, the standard settings, the account name); a load
// takes the file's values as they are (readSettings gives them as the window
// takes them) and leaves nothing marked.

#include "editor/editor_context.h"
#include "settings/settings_model.h"

#include <QString>

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
    // The values of a file just read from path, unmarked, with the title
    // naming the file.
    void loadValues(const SettingsModel& values, const QString& path);
    // The view shows the values, after edits the program made.
    void showValues() const { context_.view().showValues(values_); }

    bool isChanged() const { return changed_; }
    void markChanged();
    // No change mark; the title is the base title.
    void clearMark();
    void setBaseTitle(const QString& title) { baseTitle_ = title; }
    // The volume controls follow the sound switch (a grayed switch leaves them).
    void checkSound();

private:
    void editShownValues(const SettingsModel& values, bool keepWaitRetrace);
    void runChangeHandling(int row);
    void soundChanged();
    void showVolumeControls(bool enabled);

    EditorContext& context_;
    SettingsModel values_ = SettingsModel::cleared();
    QString baseTitle_;
    bool changed_ = false;
    bool soundOn_ = false; // the sound switch as the last change left it
};

} // namespace quillset
