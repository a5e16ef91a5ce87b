// Quillset: builds the core, then the window that shows it, and hands the
// one to the other; the editor's start-up does the rest.

#include "editor/editor.h"
#include "io/file_watch.h"
#include "registry/registry.h"
#include "shell/running_game.h"
#include "shell/visual_style.h"
#include "ui/account_window.h"
#include "ui/options_window.h"
#include "ui/qt_dialogs.h"
#include "ui/window_builder.h"

#include <QApplication>
#include <QDir>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillset"));
    const QString programDir = QDir::toNativeSeparators(QCoreApplication::applicationDirPath());

    // The manifest beside the program chooses the look: the modern style when
    // it is active, the classic one when it is parked or absent.
    QApplication::setStyle(quillset::modernStyleWanted(programDir) ? QStringLiteral("Fusion")
                                                                   : QStringLiteral("Windows"));

    // One font for every window, menu and message box: each further font
    // costs start-up a font engine of its own.
    QApplication::setFont(quillset::ui::optionsWindowFont(QApplication::font()));

    quillset::ui::QtDialogs dialogs;
    const std::unique_ptr<quillset::Registry> registry = quillset::makePlatformRegistry(programDir);
    const std::unique_ptr<quillset::ProcessTable> processes = quillset::makePlatformProcessTable();
    quillset::Editor editor(dialogs, programDir);
    editor.setRegistry(registry.get());
    editor.setProcessTable(processes.get());
    // The settings file on disk is followed while the window shows it.
    quillset::FileWatch watch;
    editor.setFileWatch(&watch);

    quillset::ui::OptionsWindow window(editor);
    editor.setView(window, window.accountPanel());
    dialogs.setOwner(&window);

    if (editor.start() != quillset::Startup::Result::Running)
        return 1;
    return QApplication::exec();
}
