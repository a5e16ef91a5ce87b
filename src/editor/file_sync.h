#pragma once
// Quillset is not the only program that writes settings.cfg: the game does
// (its options screen, and often when it quits), and so may a launcher or a
// second Quillset. While the window holds no unsaved changes it follows the
// current file on disk: when the file has changed and been still for a
// moment, and reads as settings, it is loaded again. (A save merges instead:
// see SaveDecisions.)

#include "editor/editor_context.h"

#include <QObject>
#include <QString>

namespace quillset {

class AccountSession;
class FileWatch;
class SettingsFile;
class SettingsSession;

class FileSync : public QObject {
    Q_OBJECT

public:
    FileSync(EditorContext& context, SettingsSession& settings, SettingsFile& current,
             const AccountSession& accounts);

    // What tells that the current file changed on disk; none: not followed.
    void setFileWatch(FileWatch* watch) { watch_ = watch; }
    // The current file is now path: it is followed from here on.
    void follow(const QString& path);

    // The current file changed on disk and has been still for a moment. It
    // is loaded again when it differs from the base, reads as settings and
    // nothing is marked changed; while a question, a dialog or the Account
    // window is open, that waits until they close.
    void fileChanged();
    // A question or dialog closed, or the Account window: a change that came
    // meanwhile is followed now.
    void stoppedAsking();

private:
    EditorContext& context_;
    SettingsSession& settings_;
    SettingsFile& current_;
    const AccountSession& accounts_;
    FileWatch* watch_ = nullptr;
    bool pending_ = false; // a change waits for the questions to close
};

} // namespace quillset
