#include "editor/editor.h"

#include "io/file_watch.h"

namespace quillset {

Editor::Editor(Dialogs& dialogs, const QString& programDir)
    : context_(dialogs, programDir), settings_(context_), accounts_(context_, settings_),
      sync_(context_, settings_, accounts_), backup_(context_, settings_),
      files_(context_, settings_, accounts_, sync_), menu_(context_, settings_, accounts_, backup_),
      startup_(context_, settings_, accounts_, menu_, backup_) {
    accounts_.whenWindowClosed = [this] { sync_.accountWindowClosed(); };
}

void Editor::setView(EditorView& view, AccountPanel& accounts) {
    context_.setView(view);
    accounts_.setPanel(&accounts);
}

void Editor::setFileWatch(FileWatch* watch) {
    settings_.setFileWatch(watch);
    if (watch)
        QObject::connect(watch, &FileWatch::changed, [this] { sync_.fileChanged(); });
}

} // namespace quillset
