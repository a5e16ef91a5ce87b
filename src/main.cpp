// Quillset: the editor behind the Options window; its start-up does the rest.

#include "editor/app_state.h"
#include "registry/registry.h"
#include "shell/visual_style.h"
#include "ui/options_window.h"
#include "ui/qt_dialogs.h"
#include "ui/window_builder.h"

#include <QApplication>
#include <QDir>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillset"));

    quillset::AppState state;
    state.programDir = QDir::toNativeSeparators(QCoreApplication::applicationDirPath());

    // The manifest beside the program chooses the look: the modern style when
    // it is active, the classic one when it is parked or absent.
    QApplication::setStyle(quillset::modernStyleWanted(state.programDir)
                               ? QStringLiteral("Fusion")
                               : QStringLiteral("Windows"));

    // One font for every window, menu and message box: each further font
    // costs start-up a font engine of its own.
    QApplication::setFont(quillset::ui::optionsWindowFont(QApplication::font()));

    quillset::ui::QtDialogs dialogs;
    const std::unique_ptr<quillset::Registry> registry =
        quillset::makePlatformRegistry(state.programDir);
    quillset::ui::OptionsWindow window(state, dialogs);
    window.setRegistry(*registry);
    dialogs.setOwner(&window);

    if (window.editor().start() != quillset::Editor::StartupResult::Running)
        return 1;
    return QApplication::exec();
}
