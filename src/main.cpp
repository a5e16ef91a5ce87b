// Quillset: with a command (quillset get, set, ...) runs it on Qt Core
// alone, so that a launcher's script pays for no window: the program links
// neither Qt's widgets nor its GUI, which would cost each command twice its
// start. Without a command it loads the window module beside it
// (window_main.cpp) and hands over.

#include "cli/command_line.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QLibrary>

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

// The folder of this executable, read before any application object exists.
QString programFolder(const char* argv0) {
#ifdef Q_OS_LINUX
    Q_UNUSED(argv0);
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
#else
    return QFileInfo(QString::fromLocal8Bit(argv0)).absolutePath();
#endif
}

// Loads the window module beside the program and runs the window.
int runWindowModule(int argc, char* argv[]) {
    QLibrary module(programFolder(argv[0]) + QStringLiteral("/quillset-window"));
    using RunWindow = int (*)(int, char**);
    const auto run = reinterpret_cast<RunWindow>(module.resolve("quillsetRunWindow"));
    if (!run) {
        std::fprintf(stderr, "quillset: the window could not be loaded: %s\n",
                     qUtf8Printable(module.errorString()));
        return static_cast<int>(quillset::cli::ExitCode::Failed);
    }
    return run(argc, argv);
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
    return runWindowModule(argc, argv);
}
