#include "editor/editor.h"

namespace quillset {

Editor::Editor(Dialogs& dialogs, const QString& programDir)
    : context_(dialogs, programDir), settings_(context_), accounts_(context_, settings_),
      backup_(context_, settings_), files_(context_, settings_, accounts_),
      menu_(context_, settings_, accounts_, backup_),
      startup_(context_, settings_, accounts_, menu_, backup_) {}

void Editor::setView(EditorView& view, AccountPanel& accounts) {
    context_.setView(view);
    accounts_.setPanel(&accounts);
}

} // namespace quillset
