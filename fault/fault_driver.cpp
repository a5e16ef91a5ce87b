// Runs one save path, or sweeps injected faults over every file-system call
// the save paths make and judges what is left on disk.
//
//   fault_driver list
//   fault_driver prepare PATH FOLDER
//       Writes the starting state of the save PATH into FOLDER.
//   fault_driver state PATH FOLDER
//       Prints what the target holds ("old", "new", "missing" or "other"),
//       then one line "stray NAME MODE" per file the scenario did not put
//       there, and "others changed" when a file beside the target changed.
//   fault_driver save PATH FOLDER
//       Runs the save PATH (see list) against a prepared FOLDER and prints
//       "written" or "error: <message>" (exit 0 or 1). Under the shim it also
//       prints the calls the save made.
//   fault_driver sweep --shim LIB [--max-n N] [--path PREFIX]... [--keep] [--verbose]
//       For each save path: counts its calls, then for every call kind and
//       N = 1.. (at most N values per kind with --max-n) runs the save in a
//       child with the Nth call failing with EIO, with ENOSPC, or killed
//       there, and checks the folder afterwards. Exit 1 when anything was
//       lost, truncated, changed after a reported failure, reported as saved
//       without being saved, or a secret left readable by others.

#include "save_paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <array>
#include <cstdio>
#include <dlfcn.h>
#include <map>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace quillset::fault;

namespace {

constexpr std::array<const char*, 6> kCallKinds = {"write", "fsync", "rename",
                                                   "link",  "open",  "close"};
constexpr std::array<const char*, 3> kActions = {"eio", "enospc", "kill"};

// --- The child side: one save under the shim ---------------------------------

struct ShimControl {
    void (*arm)(int) = nullptr;
    long (*calls)(const char*) = nullptr;
    int (*fired)() = nullptr;

    ShimControl() {
        arm = reinterpret_cast<void (*)(int)>(::dlsym(RTLD_DEFAULT, "quillset_fault_arm"));
        calls =
            reinterpret_cast<long (*)(const char*)>(::dlsym(RTLD_DEFAULT, "quillset_fault_calls"));
        fired = reinterpret_cast<int (*)()>(::dlsym(RTLD_DEFAULT, "quillset_fault_fired"));
    }
    bool loaded() const { return arm && calls && fired; }
};

int runSave(const QString& name, const QString& folder) {
    const SavePath* path = findSavePath(name);
    if (!path) {
        std::fprintf(stderr, "unknown save path %s\n", qPrintable(name));
        return 2;
    }
    const ShimControl shim;
    if (shim.loaded())
        shim.arm(1);
    const std::optional<QString> error = path->save(folder);
    if (shim.loaded())
        shim.arm(0);
    if (error)
        std::printf("error: %s\n", error->toLocal8Bit().constData());
    else
        std::printf("written\n");
    if (shim.loaded()) {
        std::printf("calls:");
        for (const char* kind : kCallKinds)
            std::printf(" %s=%ld", kind, shim.calls(kind));
        std::printf("\nfired: %d\n", shim.fired());
    }
    std::fflush(stdout);
    return error ? 1 : 0;
}

// --- The parent side: sweep and judge ----------------------------------------

struct ChildResult {
    enum class End { Written, Failed, Killed, Crashed } end = End::Crashed;
    QByteArray output;
    std::map<QString, long> calls;
    bool fired = false;
};

ChildResult runChild(const QString& self, const QString& shim, const QString& pathName,
                     const QString& folder, const char* kind, long n, const char* action) {
    // Everything the child needs is prepared before the fork.
    const QByteArray program = QFile::encodeName(self);
    const QByteArray name = pathName.toUtf8();
    const QByteArray dir = QFile::encodeName(folder);
    const QByteArray preload = QFile::encodeName(shim);
    const QByteArray number = QByteArray::number(qlonglong(n));
    int out[2];
    if (::pipe(out) != 0)
        return {};
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(out[1], 1);
        ::close(out[0]);
        ::close(out[1]);
        ::setenv("LD_PRELOAD", preload.constData(), 1);
        // In a sanitizer build the shim comes before the sanitizer runtime.
        ::setenv("ASAN_OPTIONS", "verify_asan_link_order=0", 0);
        ::unsetenv("QUILLSET_FAULT_ARMED");
        if (kind) {
            ::setenv("QUILLSET_FAULT_CALL", kind, 1);
            ::setenv("QUILLSET_FAULT_N", number.constData(), 1);
            ::setenv("QUILLSET_FAULT_ACTION", action, 1);
        } else {
            ::unsetenv("QUILLSET_FAULT_CALL");
        }
        ::execl(program.constData(), program.constData(), "save", name.constData(), dir.constData(),
                static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(out[1]);
    ChildResult result;
    char buffer[4096];
    for (ssize_t got; (got = ::read(out[0], buffer, sizeof buffer)) > 0;)
        result.output.append(buffer, got);
    ::close(out[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL)
        result.end = ChildResult::End::Killed;
    else if (WIFEXITED(status) && WEXITSTATUS(status) == 0 && result.output.startsWith("written"))
        result.end = ChildResult::End::Written;
    else if (WIFEXITED(status) && WEXITSTATUS(status) == 1 && result.output.startsWith("error: "))
        result.end = ChildResult::End::Failed;
    for (const QByteArray& line : result.output.split('\n')) {
        if (line.startsWith("calls:")) {
            for (const QByteArray& item : line.mid(6).trimmed().split(' ')) {
                const QList<QByteArray> kv = item.split('=');
                if (kv.size() == 2)
                    result.calls[QString::fromLatin1(kv[0])] = kv[1].toLong();
            }
        } else if (line.startsWith("fired: ")) {
            result.fired = line.mid(7).trimmed() == "1";
        }
    }
    if (result.end == ChildResult::End::Killed)
        result.fired = true;
    return result;
}

const char* endName(ChildResult::End end) {
    switch (end) {
    case ChildResult::End::Written:
        return "reported written";
    case ChildResult::End::Failed:
        return "reported failure";
    case ChildResult::End::Killed:
        return "killed";
    case ChildResult::End::Crashed:
        break;
    }
    return "crashed";
}

struct Tally {
    long runs = 0;
    long injected = 0;
    long reportedFailures = 0;
    long absorbed = 0; // fault injected, save reported success with the new bytes
    long kills = 0;
    long killsOld = 0;
    long killsNew = 0;
    long lost = 0;         // target missing or with other bytes than old or new
    long falseSuccess = 0; // success reported, new bytes not there
    long changedAfterFailure = 0;
    long silentMessage = 0; // a failure without a message
    long crashed = 0;
    long secretExposed = 0; // a copy of a secret file readable by group or others
    long leftoverFiles = 0;
    std::map<int, long> leftoverModes;
    long fullyCheckedRuns = 0;

    Tally& operator+=(const Tally& o) {
        runs += o.runs;
        injected += o.injected;
        reportedFailures += o.reportedFailures;
        absorbed += o.absorbed;
        kills += o.kills;
        killsOld += o.killsOld;
        killsNew += o.killsNew;
        lost += o.lost;
        falseSuccess += o.falseSuccess;
        changedAfterFailure += o.changedAfterFailure;
        silentMessage += o.silentMessage;
        crashed += o.crashed;
        secretExposed += o.secretExposed;
        leftoverFiles += o.leftoverFiles;
        for (const auto& [mode, count] : o.leftoverModes)
            leftoverModes[mode] += count;
        return *this;
    }
    long violations() const {
        return lost + falseSuccess + changedAfterFailure + silentMessage + crashed + secretExposed;
    }
};

QString modeText(int mode) {
    return QStringLiteral("%1").arg(mode, 4, 8, QLatin1Char('0'));
}

int fileMode(const QString& path) {
    struct stat st {};
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
        return -1;
    return static_cast<int>(st.st_mode & 07777);
}

enum class State { Missing, Old, New, Other };

const char* stateName(State state) {
    switch (state) {
    case State::Missing:
        return "missing";
    case State::Old:
        return "old";
    case State::New:
        return "new";
    case State::Other:
        break;
    }
    return "other";
}

// What the target holds: the old bytes, the new bytes, nothing, or anything
// else (truncated, garbled, not a regular file).
State targetState(const SavePath& path, const QString& folder) {
    const QString target = QDir(folder).filePath(path.target);
    const QFileInfo info(target);
    if (!info.exists() && !info.isSymLink())
        return State::Missing;
    if (!info.isFile())
        return State::Other;
    QFile file(target);
    const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    if (path.oldBytes && bytes == *path.oldBytes)
        return State::Old;
    if (bytes == path.newBytes)
        return State::New;
    return State::Other;
}

// Entries of the folder that the scenario did not put there.
QStringList strayEntries(const SavePath& path, const QString& folder) {
    QStringList known{path.target};
    for (const SavePath::OtherFile& other : path.otherFiles)
        known << other.name;
    QStringList stray;
    const QStringList entries = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden |
                                                       QDir::System | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        if (!known.contains(entry))
            stray << entry;
    }
    return stray;
}

// Lines about single runs (violations, leftover files), printed after the table.
QStringList g_notes;

// Judges the folder after one run; notes every violation and leftover file.
void judge(const SavePath& path, const QString& folder, const ChildResult& child,
           const QString& label, Tally& tally) {
    ++tally.runs;
    if (child.fired)
        ++tally.injected;
    const auto complain = [&](const char* what) {
        g_notes << QStringLiteral("VIOLATION %1: %2; output: %3")
                       .arg(label, QLatin1String(what),
                            QString::fromLocal8Bit(child.output.trimmed()));
    };

    const QString target = QDir(folder).filePath(path.target);
    const State state = targetState(path, folder);
    const State before = path.oldBytes ? State::Old : State::Missing;

    if (state == State::Other || (state == State::Missing && before == State::Old)) {
        ++tally.lost;
        complain(state == State::Missing ? "target lost" : "target truncated or garbled");
    }
    switch (child.end) {
    case ChildResult::End::Written:
        if (state != State::New) {
            ++tally.falseSuccess;
            complain("reported success without the new bytes");
        } else if (child.fired) {
            ++tally.absorbed;
        }
        break;
    case ChildResult::End::Failed:
        ++tally.reportedFailures;
        if (state != before) {
            ++tally.changedAfterFailure;
            complain("target changed after a reported failure");
        }
        if (child.output.trimmed() == "error:") {
            ++tally.silentMessage;
            complain("failure without a message");
        }
        break;
    case ChildResult::End::Killed:
        ++tally.kills;
        if (state == State::New)
            ++tally.killsNew;
        else if (state == before)
            ++tally.killsOld;
        break;
    case ChildResult::End::Crashed:
        ++tally.crashed;
        complain("the save crashed or printed nothing");
        break;
    }
    if (path.secret && state == State::New && (fileMode(target) & 077) != 0) {
        ++tally.secretExposed;
        complain("secret target readable by others");
    }

    for (const SavePath::OtherFile& other : path.otherFiles) {
        QFile file(QDir(folder).filePath(other.name));
        if (!file.open(QIODevice::ReadOnly) || file.readAll() != other.bytes) {
            ++tally.lost;
            complain("a file beside the target changed");
        }
    }

    for (const QString& entry : strayEntries(path, folder)) {
        const int mode = fileMode(QDir(folder).filePath(entry));
        ++tally.leftoverFiles;
        ++tally.leftoverModes[mode];
        g_notes
            << QStringLiteral("leftover after %1: %2, mode %3").arg(label, entry, modeText(mode));
        if (path.secret && (mode & 077) != 0) {
            ++tally.secretExposed;
            complain("a copy of the secret file is readable by others");
        }
    }
}

int printState(const SavePath& path, const QString& folder) {
    std::printf("%s\n", stateName(targetState(path, folder)));
    for (const QString& entry : strayEntries(path, folder))
        std::printf("stray %s %s\n", qPrintable(entry),
                    qPrintable(modeText(fileMode(QDir(folder).filePath(entry)))));
    for (const SavePath::OtherFile& other : path.otherFiles) {
        QFile file(QDir(folder).filePath(other.name));
        if (!file.open(QIODevice::ReadOnly) || file.readAll() != other.bytes)
            std::printf("others changed\n");
    }
    return 0;
}

struct SweepOptions {
    QString shim;
    long maxN = 0; // 0: every call
    QStringList prefixes;
    bool keep = false;
    bool verbose = false;
};

// The Ns to try for a kind that the clean run called `count` times.
std::vector<long> callNumbers(long count, long maxN) {
    std::vector<long> ns;
    if (maxN <= 0 || count <= maxN) {
        for (long n = 1; n <= count; ++n)
            ns.push_back(n);
        return ns;
    }
    for (long n = 1; n < maxN; ++n)
        ns.push_back(n);
    ns.push_back(count); // the last call is where the commit happens
    return ns;
}

QString callsText(const std::map<QString, long>& calls) {
    QStringList parts;
    for (const char* kind : kCallKinds) {
        const auto it = calls.find(QLatin1String(kind));
        if (it != calls.end() && it->second > 0)
            parts << QStringLiteral("%1 %2").arg(QLatin1String(kind)).arg(it->second);
    }
    return parts.join(QLatin1String(", "));
}

void printRow(const QString& name, const QString& calls, const Tally& t) {
    QStringList modes;
    for (const auto& [mode, count] : t.leftoverModes)
        modes << QStringLiteral("%1x %2").arg(count).arg(modeText(mode));
    std::printf("| %s | %s | %ld | %ld | %ld | %ld | %ld (old %ld, new %ld) | %ld | %ld | %ld | "
                "%ld | %ld%s |\n",
                qPrintable(name), qPrintable(calls), t.runs, t.injected, t.reportedFailures,
                t.absorbed, t.kills, t.killsOld, t.killsNew, t.lost, t.falseSuccess,
                t.changedAfterFailure, t.secretExposed, t.leftoverFiles,
                modes.isEmpty() ? ""
                                : qPrintable(QStringLiteral(" (") +
                                             modes.join(QLatin1String(", ")) + QLatin1Char(')')));
}

int runSweep(const QString& self, const SweepOptions& options) {
    if (!QFileInfo(options.shim).isFile()) {
        std::fprintf(stderr, "no shim at %s\n", qPrintable(options.shim));
        return 2;
    }
    QTemporaryDir root;
    root.setAutoRemove(!options.keep);
    std::printf(
        "| save path | calls of one clean save | runs | faults injected | reported failures "
        "| absorbed | kills (target after) | lost/truncated | false success "
        "| changed after failure | secret exposed | leftover files (mode) |\n");
    std::printf("|---|---|---|---|---|---|---|---|---|---|---|---|\n");
    Tally total;
    int runNumber = 0;
    for (const SavePath& path : savePaths()) {
        if (!options.prefixes.isEmpty() &&
            std::none_of(options.prefixes.begin(), options.prefixes.end(),
                         [&](const QString& p) { return path.name.startsWith(p); }))
            continue;
        const auto freshFolder = [&] {
            const QString folder = root.filePath(QStringLiteral("run%1").arg(++runNumber));
            if (!QDir().mkpath(folder) || !prepareFolder(path, folder)) {
                std::fprintf(stderr, "cannot prepare %s\n", qPrintable(folder));
                std::exit(2);
            }
            return folder;
        };
        Tally tally;
        const QString cleanFolder = freshFolder();
        const ChildResult clean =
            runChild(self, options.shim, path.name, cleanFolder, nullptr, 0, nullptr);
        if (clean.end != ChildResult::End::Written || clean.calls.empty()) {
            g_notes << QStringLiteral("VIOLATION %1: the save fails without faults: %2")
                           .arg(path.name, QString::fromLocal8Bit(clean.output.trimmed()));
            ++total.crashed;
            continue;
        }
        judge(path, cleanFolder, clean, path.name + QLatin1String(" clean"), tally);
        for (const char* kind : kCallKinds) {
            const long count = clean.calls.at(QLatin1String(kind));
            for (const long n : callNumbers(count, options.maxN)) {
                for (const char* action : kActions) {
                    const QString folder = freshFolder();
                    const ChildResult child =
                        runChild(self, options.shim, path.name, folder, kind, n, action);
                    const QString label = QStringLiteral("%1 %2#%3 %4")
                                              .arg(path.name, QLatin1String(kind))
                                              .arg(n)
                                              .arg(QLatin1String(action));
                    judge(path, folder, child, label, tally);
                    if (options.verbose)
                        g_notes << QStringLiteral("run %1: %2, target %3")
                                       .arg(label, QLatin1String(endName(child.end)),
                                            QLatin1String(stateName(targetState(path, folder))));
                }
            }
        }
        printRow(path.name, callsText(clean.calls), tally);
        total += tally;
    }
    printRow(QStringLiteral("**total**"), QString(), total);
    std::printf("\n");
    for (const QString& note : g_notes)
        std::printf("- %s\n", qPrintable(note));
    std::printf("\nruns %ld, faults injected %ld, files lost or truncated %ld, failures reported "
                "as success %ld, changed after a reported failure %ld, secret copies readable by "
                "others %ld, crashes %ld, leftover temporary files %ld\n",
                total.runs, total.injected, total.lost, total.falseSuccess,
                total.changedAfterFailure, total.secretExposed, total.crashed, total.leftoverFiles);
    if (options.keep)
        std::printf("work folders kept in %s\n", qPrintable(root.path()));
    return total.violations() == 0 ? 0 : 1;
}

int usage() {
    std::fprintf(stderr,
                 "usage: fault_driver list\n"
                 "       fault_driver prepare|state|save PATH FOLDER\n"
                 "       fault_driver sweep --shim LIB [--max-n N] [--path PREFIX]... [--keep] "
                 "[--verbose]\n");
    return 2;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 2)
        return usage();
    const QString mode = args[1];
    if (mode == QLatin1String("list")) {
        for (const SavePath& path : savePaths())
            std::printf("%s\n", qPrintable(path.name));
        return 0;
    }
    if (mode == QLatin1String("save") && args.size() == 4)
        return runSave(args[2], args[3]);
    if ((mode == QLatin1String("prepare") || mode == QLatin1String("state")) && args.size() == 4) {
        const SavePath* path = findSavePath(args[2]);
        if (!path)
            return usage();
        if (mode == QLatin1String("prepare"))
            return prepareFolder(*path, args[3]) ? 0 : 1;
        return printState(*path, args[3]);
    }
    if (mode == QLatin1String("sweep")) {
        SweepOptions options;
        for (int i = 2; i < args.size(); ++i) {
            const bool hasValue = i + 1 < args.size();
            if (args[i] == QLatin1String("--shim") && hasValue)
                options.shim = args[++i];
            else if (args[i] == QLatin1String("--max-n") && hasValue)
                options.maxN = args[++i].toLong();
            else if (args[i] == QLatin1String("--path") && hasValue)
                options.prefixes << args[++i];
            else if (args[i] == QLatin1String("--keep"))
                options.keep = true;
            else if (args[i] == QLatin1String("--verbose"))
                options.verbose = true;
            else
                return usage();
        }
        if (options.shim.isEmpty())
            return usage();
        return runSweep(QCoreApplication::applicationFilePath(), options);
    }
    return usage();
}
