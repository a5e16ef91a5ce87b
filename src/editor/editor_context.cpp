#include "editor/editor_context.h"

#include "editor/install_folder.h"

namespace quillset {

template <class Fn> auto EditorContext::asking(Fn&& show) {
    struct Open {
        EditorContext& context;
        explicit Open(EditorContext& c) : context(c) { ++context.asking_; }
        ~Open() {
            if (--context.asking_ == 0)
                emit context.idle();
        }
    } open(*this);
    return show();
}

Dialogs::Answer EditorContext::ask(const QString& question, Dialogs::Buttons buttons,
                                   const QString& title) {
    return asking([&] { return dialogs_.message(question, title, buttons); });
}

bool EditorContext::confirm(const QString& question, Dialogs::Buttons buttons,
                            const QString& title) {
    const Dialogs::Answer answer = ask(question, buttons, title);
    return answer == Dialogs::Answer::Ok || answer == Dialogs::Answer::Yes;
}

void EditorContext::tell(const QString& notice) {
    ask(notice, Dialogs::Buttons::Ok);
}

QString EditorContext::openFile(const QString& title, const QString& initialFolder) {
    return asking([&] { return dialogs_.openFile(title, initialFolder); });
}

QString EditorContext::saveFile(const QString& title, const QString& initialFolder) {
    return asking([&] { return dialogs_.saveFile(title, initialFolder); });
}

void EditorContext::endProgram() {
    if (ending_)
        return;
    ending_ = true;
    debugLog_.close();
    view().closeProgram();
}

QString EditorContext::installDir() const {
    return game_.folder.isEmpty() ? QString() : asInstallDir(game_.folder);
}

} // namespace quillset
