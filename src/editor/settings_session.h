#pragma once
// The settings of the run: the values the Options window shows plus the held
// ones, the file they were loaded from, and the change mark with the title
// that shows it. Every change of a value is an edit and runs its change
// handling, whether the user made it or the program (loading, clearing, the
// standard settings, the account name).

#include "editor/editor_context.h"
#include "settings/settings_model.h"
#include "settings/settings_writer.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace quillset {

class FileWatch;

// The current settings file as it was last loaded or written: the base of
// the user's edits, against which another program's changes are told.
struct SettingsBase {
    QByteArray bytes;
    SettingsModel values; // as the window took them (CD keys: those written)
};

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
    bool isCurrentFile(const QString& path) const;
    const std::optional<SettingsBase>& base() const { return base_; }
    // Loads a settings.cfg (other file names are refused with a notice, an
    // unreadable file with a message, both leaving the values as they were).
    // Returns whether a file was loaded; the caller shows the base title.
    bool load(const QString& path);
    // Loads the current file again from bytes read from it, as a load does.
    void reload(const QByteArray& bytes);
    // The values to write: the window's, with keys as the CD keys when given,
    // else with the keys read from the settings file.
    SettingsModel valuesToWrite(const std::optional<AccountCdKeys>& keys) const;
    // Writes values (see valuesToWrite). On success the change mark goes, the
    // current file's base is what was written, and with `show` the window
    // shows it; on failure the user is told why and the mark stays.
    bool write(const QString& path, const SettingsModel& values, bool show = false);
    // The current file is followed on disk through watch (none: not followed).
    void setFileWatch(FileWatch* watch) { watch_ = watch; }

private:
    void editShownValues(const SettingsModel& values, bool keepWaitRetrace);
    void runChangeHandling(int row);
    void soundChanged();
    void showVolumeControls(bool enabled);
    void loadBytes(const QString& path, const QByteArray& bytes);
    QString refusal(const EncodeError& error) const;

    EditorContext& context_;
    FileWatch* watch_ = nullptr;
    SettingsModel values_ = SettingsModel::cleared();
    std::optional<SettingsBase> base_;
    QString currentPath_;
    QString baseTitle_;
    bool changed_ = false;
    bool soundOn_ = false; // the sound switch as the last change left it
};

} // namespace quillset
