// The window of Quillset, loaded by the program only when it opens one: the
// commands run on Qt Core alone and never load Qt's widgets (see main.cpp).
// Builds the core, then the window that shows it, and hands the one to the
// other; the editor's start-up does the rest.

#include "cli/command_line.h"
#include "editor/editor.h"
#include "io/file_watch.h"
#include "registry/game_location.h"
#include "shell/choice_folder.h"
#include "shell/running_game.h"
#include "shell/visual_style.h"
#include "ui/account_window.h"
#include "ui/options_window.h"
#include "ui/qt_dialogs.h"
#include "ui/window_builder.h"

#include <QApplication>
#include <QDir>

#include <cstdio>

namespace {

int runWindow(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillset"));
    const QString programDir = QDir::toNativeSeparators(QCoreApplication::applicationDirPath());

    // Qt has taken its own options; what is left may name the game's place.
    const auto options = quillset::cli::windowLocationOptions(QCoreApplication::arguments());
    if (const auto* error = std::get_if<QString>(&options)) {
        std::fprintf(stderr, "quillset: %s (see quillset --help)\n", qUtf8Printable(*error));
        return static_cast<int>(quillset::cli::ExitCode::Usage);
    }
    quillset::LocationRequest request = quillset::LocationRequest::fromEnvironment(programDir);
    request.prefix = std::get<quillset::cli::LocationOptions>(options).prefix;
    request.gameFolder = std::get<quillset::cli::LocationOptions>(options).gameFolder;

    // The user's own choice, where the program folder is not theirs, or else
    // the manifest beside the program chooses the look: the modern style when
    // it is active, the classic one when it is parked or absent.
    const auto choices =
        quillset::ChoiceFolder::find(programDir, quillset::ChoiceEnvironment::fromProcess());
    QApplication::setStyle(quillset::modernStyleWanted(programDir, choices)
                               ? QStringLiteral("Fusion")
                               : QStringLiteral("Windows"));

    // One font for every window, menu and message box: each further font
    // costs start-up a font engine of its own.
    QApplication::setFont(quillset::ui::optionsWindowFont(QApplication::font()));

    quillset::ui::QtDialogs dialogs;
    const std::unique_ptr<quillset::ProcessTable> processes = quillset::makePlatformProcessTable();
    quillset::Editor editor(dialogs, programDir);
    // Start-up's one registry write: a per-user value copied where the game
    // reads it.
    editor.setGameLocation(
        quillset::resolveGameLocation(request, quillset::UserValueCopy::IntoMachineRoot));
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

} // namespace

// The module's one entry point, found by name when the program loads it.
extern "C" Q_DECL_EXPORT int quillsetRunWindow(int argc, char* argv[]) {
    return runWindow(argc, argv);
}
