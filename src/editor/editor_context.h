#pragma once
// What every part of the editor shares: the dialogs it asks through, the
// language texts, the trace, the program's folder and the game's files, the
// mode, and the view that shows it all.

#include "editor/dialogs.h"
#include "editor/editor_view.h"
#include "game/game_files.h"
#include "io/debug_log.h"
#include "lang/language_loader.h"
#include "shell/choice_folder.h"

#include <QObject>
#include <QString>

namespace quillset {

class ProcessTable;

class EditorContext : public QObject {
    Q_OBJECT

public:
    EditorContext(Dialogs& dialogs, const QString& programDir)
        : programDir_(programDir), dialogs_(dialogs) {}

    EditorView& view() const {
        Q_ASSERT_X(view_, "EditorContext", "the view is attached before start-up");
        return *view_;
    }
    void setView(EditorView& view) { view_ = &view; }

    const LanguageLoad& language() const { return language_; }
    void setLanguage(LanguageLoad language) { language_ = std::move(language); }
    QString text(KeptTextId id) const { return language_.table.text(id); }

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
    // A question or a dialog is open; idle() is sent when the last one closes.
    bool isAsking() const { return asking_ > 0; }

    DebugLog& debugLog() { return debugLog_; }
    const DebugLog& debugLog() const { return debugLog_; }
    void log(const QString& line) { debugLog_.write(line); }
    // The program ends: the trace is closed and every window goes. Runs once.
    void endProgram();
    bool isEnding() const { return ending_; }

    // The executable's folder, no trailing separator.
    const QString& programDir() const { return programDir_; }
    // The game's folder and files, once start-up settled them.
    const GameFiles& game() const { return game_; }
    void setGame(GameFiles game) { game_ = std::move(game); }
    // The game's folder as the trace and the dialogs show it: native
    // separators and one at the end; empty before start-up settled it.
    QString installDir() const;

    // The folder that keeps the user's language file and look; settled at start-up.
    const ChoiceFolder& choices() const { return choices_; }
    void setChoices(ChoiceFolder choices) { choices_ = std::move(choices); }

    // None: the game is never taken to run.
    const ProcessTable* processes() const { return processes_; }
    void setProcesses(const ProcessTable* processes) { processes_ = processes; }

    bool isStartupComplete() const { return startupComplete_; }
    void setStartupComplete(bool complete) { startupComplete_ = complete; }
    // The advanced-mode menu item's check mark, checked in the window design.
    bool isAdvancedMode() const { return advancedMode_; }
    void setAdvancedMode(bool advanced) { advancedMode_ = advanced; }

signals:
    // The last open question or dialog closed.
    void idle();

private:
    template <class Fn> auto asking(Fn&& show);

    const QString programDir_;
    Dialogs& dialogs_;
    EditorView* view_ = nullptr;
    DebugLog debugLog_;
    LanguageLoad language_;
    GameFiles game_;
    ChoiceFolder choices_;
    const ProcessTable* processes_ = nullptr;
    int asking_ = 0;
    bool ending_ = false;
    bool startupComplete_ = false;
    bool advancedMode_ = true;
};

} // namespace quillset
