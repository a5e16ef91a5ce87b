#pragma once
// Every question, notice and file dialog goes through this interface, so each
// flow of the program can run in tests with scripted answers.

#include <QString>

namespace quillset {

class Dialogs {
public:
    enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
    enum class Answer { Ok, Cancel, Yes, No };

    virtual ~Dialogs() = default;

    // A modal message box without icon.
    virtual Answer message(const QString& text, const QString& title, Buttons buttons) = 0;

    // The chosen path itself, or empty text when the user cancelled. Open
    // accepts existing files only; Save asks before replacing and before
    // creating a file. Neither offers a file-type filter.
    virtual QString openFile(const QString& title, const QString& initialFolder) = 0;
    virtual QString saveFile(const QString& title, const QString& initialFolder) = 0;
};

// Title of every message box unless a caller says otherwise.
inline QString programTitle() {
    return QStringLiteral("Quillset");
}

} // namespace quillset
