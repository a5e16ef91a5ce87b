#include "editor/editor_context.h"

namespace quillset {

bool EditorContext::confirm(const QString& question, Dialogs::Buttons buttons,
                            const QString& title) const {
    const Dialogs::Answer answer = dialogs.message(question, title, buttons);
    return answer == Dialogs::Answer::Ok || answer == Dialogs::Answer::Yes;
}

void EditorContext::tell(const QString& notice) const {
    dialogs.message(notice, programTitle(), Dialogs::Buttons::Ok);
}

void EditorContext::endProgram() {
    if (ending_)
        return;
    ending_ = true;
    debugLog.close();
    view().closeProgram();
}

} // namespace quillset
