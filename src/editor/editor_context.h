#pragma once
// What every part of the editor shares: the dialogs it asks through, the
// language texts, the trace, the program's and the game's folders, the mode
// and the view that shows it all.

#include "editor/dialogs.h"
#include "editor/editor_view.h"
#include "io/debug_log.h"
#include "lang/language_loader.h"

#include <QString>

namespace quillset {

class EditorContext {
public:
    EditorContext(Dialogs& dialogs, const QString& programDir)
        : dialogs(dialogs), programDir(programDir) {}

    EditorView& view() const {
        Q_ASSERT_X(view_, "EditorContext", "the view is attached before start-up");
        return *view_;
    }
    void setView(EditorView& view) { view_ = &view; }

    QString text(KeptTextId id) const { return language.table.text(id); }
    // A question in a message box with the program's title, unless another
    // is given; true when it was answered OK or Yes.
    bool confirm(const QString& question, Dialogs::Buttons buttons,
                 const QString& title = programTitle()) const;
    // A notice with the program's title and OK.
    void tell(const QString& notice) const;

    void log(const QString& line) { debugLog.write(line); }
    // The program ends: the trace is closed and every window goes. Runs once.
    void endProgram();
    bool isEnding() const { return ending_; }

    Dialogs& dialogs;
    DebugLog debugLog;
    LanguageLoad language;
    const QString programDir; // the executable's folder, no trailing separator
    QString installDir;       // the game's folder; ends with a separator once start-up set it
    bool startupComplete = false;
    // The advanced-mode menu item's check mark, checked in the window design.
    bool advancedMode = true;

private:
    EditorView* view_ = nullptr;
    bool ending_ = false;
};

} // namespace quillset
