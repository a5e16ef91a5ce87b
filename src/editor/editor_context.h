#pragma once
// What every part of the editor shares: the dialogs it asks through, the
// language texts, the trace, the program's and the game's folders, the mode
// and the view that shows it all.

#include "editor/dialogs.h"
#include "editor/editor_view.h"
#include "io/debug_log.h"
#include "lang/language_loader.h"
#include "shell/choice_folder.h"

#include <QString>
#include <functional>

namespace quillset {

class ProcessTable;

class EditorContext {
public:
    EditorContext(Dialogs& dialogs, const QString& programDir)
        : programDir(programDir), dialogs_(dialogs) {}

    EditorView& view() const {
        Q_ASSERT_X(view_, "EditorContext", "the view is attached before start-up");
        return *view_;
    }
    void setView(EditorView& view) { view_ = &view; }

    QString text(KeptTextId id) const { return language.table.text(id); }

    // Every question, notice and file dialog goes through here, so the
    // editor knows when one is open (see isAsking).
    Dialogs::Answer ask(const QString& question, Dialogs::Buttons buttons,
                        const QString& title = programTitle());
    // A question answered OK or Yes.
    bool confirm(const QString& question, Dialogs::Buttons buttons,
                 const QString& title = programTitle());
    // A notice with the program's title and OK.
    void tell(const QString& notice);
    QString openFile(const QString& title, const QString& initialFolder);
    QString saveFile(const QString& title, const QString& initialFolder);
    // A question or a dialog is open; whenIdle runs when the last one closes.
    bool isAsking() const { return asking_ > 0; }
    std::function<void()> whenIdle;

    void log(const QString& line) { debugLog.write(line); }
    // The program ends: the trace is closed and every window goes. Runs once.
    void endProgram();
    bool isEnding() const { return ending_; }

    DebugLog debugLog;
    LanguageLoad language;
    const QString programDir; // the executable's folder, no trailing separator
    QString installDir;       // the game's folder; ends with a separator once start-up set it
    QString winePrefix;       // the Wine prefix the game was found in; empty: none
    ChoiceFolder choices;     // keeps the user's language file and look; settled at start-up
    const ProcessTable* processes = nullptr; // none: the game is never taken to run
    bool startupComplete = false;
    // The advanced-mode menu item's check mark, checked in the window design.
    bool advancedMode = true;

private:
    template <class Fn> auto asking(Fn&& show);

    Dialogs& dialogs_;
    EditorView* view_ = nullptr;
    int asking_ = 0;
    bool ending_ = false;
};

} // namespace quillset
