// Quillset: with a command (quillset get, set, ...) runs it without any
// window; otherwise builds the core, then the window that shows it, and
// hands the one to the other; the editor's start-up does the rest.

#include "cli/command_line.h"
#include "editor/editor.h"
#include "io/file_watch.h"
#include "registry/game_location.h"
#include "shell/running_game.h"
#include "shell/visual_style.h"
#include "ui/account_window.h"
#include "ui/options_window.h"
#include "ui/qt_dialogs.h"
#include "ui/window_builder.h"

#include <QApplication>
#include <QDir>
#include <QFile>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>

namespace {

QStringList argumentList(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

// Standard input, read whole.
std::variant<QByteArray, quillset::ReadFailure> readStandardInput() {
    QFile in;
    if (!in.open(stdin, QIODevice::ReadOnly))
        return quillset::ReadFailure::Unreadable;
    QByteArray bytes = in.readAll();
    if (in.error() != QFileDevice::NoError)
        return quillset::ReadFailure::Unreadable;
    return bytes;
}

// Writes bytes whole to a stream; false when they could not all be written.
bool writeAll(const QByteArray& bytes, std::FILE* stream) {
    return std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream) == size_t(bytes.size()) &&
           std::fflush(stream) == 0;
}

// A command runs on Qt Core alone: no display is opened or needed, so it
// works over SSH and from a launcher's script. What it could not print
// (a full disk, a closed pipe) is a failure too: its output would be lost.
int runCommand(int argc, char* argv[]) {
#ifdef Q_OS_UNIX
    std::signal(SIGPIPE, SIG_IGN); // a closed pipe is an error to report, not an end
#endif
    const QCoreApplication app(argc, argv);
    quillset::cli::CommandOutput output;
    const int code = static_cast<int>(quillset::cli::runCommandLine(
        QCoreApplication::arguments(), QCoreApplication::applicationDirPath(), output,
        readStandardInput));
    if (!writeAll(output.out, stdout)) {
        const int error = errno;
        writeAll("quillset: standard output could not be written (" +
                     QByteArray(std::strerror(error)) + ")\n",
                 stderr);
        return static_cast<int>(quillset::cli::ExitCode::Failed);
    }
    if (!writeAll(output.err, stderr) && code == 0)
        return static_cast<int>(quillset::cli::ExitCode::Failed);
    return code;
}

// Without a display Qt's window system aborts the program; say what to do.
bool windowCanOpen(const QStringList& arguments) {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    // A platform named that needs no display (offscreen, vnc, ...).
    QString platform = qEnvironmentVariable("QT_QPA_PLATFORM");
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == QLatin1String("-platform") && i + 1 < arguments.size())
            platform = arguments[i + 1];
        else if (arguments[i].startsWith(QLatin1String("-platform=")))
            platform = arguments[i].mid(10);
    }
    const bool needsDisplay = platform.isEmpty() || platform.startsWith(QLatin1String("xcb")) ||
                              platform.startsWith(QLatin1String("wayland"));
    return !needsDisplay || !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
#else
    Q_UNUSED(arguments);
    return true;
#endif
}

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

int main(int argc, char* argv[]) {
    const QStringList arguments = argumentList(argc, argv);
    if (quillset::cli::isCommandLineRun(arguments))
        return runCommand(argc, argv);
    if (!windowCanOpen(arguments)) {
        std::fputs("quillset: no display to open the window on (DISPLAY and WAYLAND_DISPLAY are "
                   "not set); quillset --help lists the commands, which need none\n",
                   stderr);
        return static_cast<int>(quillset::cli::ExitCode::Failed);
    }
    return runWindow(argc, argv);
}
