#include "editor/editor.h"

#include "io/file_watch.h"

namespace quillset {

Editor::Editor(Dialogs& dialogs, const QString& programDir)
    : context_(dialogs, programDir), settings_(context_), accounts_(context_, settings_),
      sync_(context_, settings_, current_, accounts_), backup_(context_, current_),
      files_(context_, settings_, current_, accounts_, sync_),
      menu_(context_, settings_, accounts_, backup_),
      startup_(context_, settings_, accounts_, files_, menu_, backup_) {
    // A change of the file that came while the user was busy is followed
    // once the last question, dialog or the Account window closes.
    QObject::connect(&context_, &EditorContext::idle, &sync_, &FileSync::stoppedAsking);
    QObject::connect(&accounts_, &AccountSession::windowClosed, &sync_, &FileSync::stoppedAsking);
}

void Editor::setView(EditorView& view, AccountPanel& accounts) {
    context_.setView(view);
    accounts_.setPanel(&accounts);
}

void Editor::setFileWatch(FileWatch* watch) {
    sync_.setFileWatch(watch);
    if (watch)
        QObject::connect(watch, &FileWatch::changed, &sync_, &FileSync::fileChanged);
}

} // namespace quillset
