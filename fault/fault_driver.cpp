// Sweeps injected faults over every file-system call the save paths make and
// judges what is left on disk.
//
//   fault_driver [--max-n N] [--path PREFIX]...
//       For each save path: counts its calls of each kind in a clean run, then
//       for N = 1.. (at most N values per kind, always including the last)
//       runs the save in a child whose Nth call of that kind fails with EIO,
//       fails with ENOSPC, or is killed there, and checks the folder. Exit 1
//       when anything was lost, truncated, changed after a reported failure,
//       reported as saved without being saved, or a secret left readable.
//
// Faults come from libfiu: the sweep starts each child with its POSIX
// wrappers preloaded, and the child enables an external callback on each
// call kind; the callback counts calls and fails or kills the chosen one.

#include "save_paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dlfcn.h>
#include <fiu-control.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace quillset::fault;

namespace {

constexpr const char* kPreload = "/usr/lib/fiu/fiu_posix_preload.so";

// libfiu's failure points grouped by the call kind the sweep reports.
struct CallKind {
    const char* name;
    std::array<const char*, 4> points;
};
// clang-format off
constexpr std::array<CallKind, 7> kKinds{{
    {"open", {"posix/io/oc/open"}},
    {"write", {"posix/io/rw/write", "posix/io/rw/writev", "posix/io/rw/pwrite", "posix/io/rw/pwritev"}},
    {"fsync", {"posix/io/sync/fsync", "posix/io/sync/fdatasync"}},
    {"truncate", {"posix/io/rw/ftruncate"}},
    {"close", {"posix/io/oc/close"}},
    {"rename", {"posix/io/dir/rename"}},
    {"unlink", {"posix/io/dir/unlink"}},
}};
// clang-format on

// --- The child side: one save, counted and maybe faulted ---------------------

// Shared with the sweep, so that the counts survive a killed child.
struct Injection {
    int kind = -1; // -1: count only
    long n = 0;
    int error = 0; // 0: kill
    std::array<long, kKinds.size()> calls{};
    bool fired = false;
};
Injection* g_injection = nullptr; // set in a sweep's child only

int kindOf(const char* point) {
    for (std::size_t k = 0; k < kKinds.size(); ++k) {
        for (const char* p : kKinds[k].points) {
            if (p && std::strcmp(p, point) == 0)
                return static_cast<int>(k);
        }
    }
    return -1;
}

int onCall(const char* point, int*, void** failinfo, unsigned int*) {
    Injection* in = g_injection;
    const int kind = kindOf(point);
    if (!in || kind < 0 || ++in->calls[kind] != in->n || kind != in->kind)
        return 0;
    in->fired = true;
    if (in->error == 0)
        ::raise(SIGKILL);
    *failinfo = reinterpret_cast<void*>(static_cast<intptr_t>(in->error));
    return 1;
}

// Puts the callback on every failure point; false when libfiu's wrappers are
// not preloaded into this process.
bool enableFaults() {
    using Init = int (*)(int);
    using Enable = int (*)(const char*, int, void*, unsigned int, external_cb_t*);
    const auto init = reinterpret_cast<Init>(::dlsym(RTLD_DEFAULT, "fiu_init"));
    const auto enable = reinterpret_cast<Enable>(::dlsym(RTLD_DEFAULT, "fiu_enable_external"));
    if (!init || !enable || init(0) != 0)
        return false;
    for (const CallKind& kind : kKinds) {
        for (const char* point : kind.points) {
            if (point && enable(point, 1, nullptr, 0, onCall) != 0)
                return false;
        }
    }
    return true;
}

// --- The parent side: judge the folder ---------------------------------------

int fileMode(const QString& path) {
    struct stat st {};
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
        return -1;
    return static_cast<int>(st.st_mode & 07777);
}

enum class State { Missing, Old, New, Other };
constexpr std::array<const char*, 4> kStateNames = {"missing", "old", "new", "other"};

State targetState(const SavePath& path, const QString& folder) {
    const QFileInfo info(QDir(folder).filePath(path.target));
    if (!info.exists() && !info.isSymLink())
        return State::Missing;
    QFile file(info.filePath());
    if (!info.isFile() || !file.open(QIODevice::ReadOnly))
        return State::Other;
    const QByteArray bytes = file.readAll();
    if (path.oldBytes && bytes == *path.oldBytes)
        return State::Old;
    return bytes == path.newBytes ? State::New : State::Other;
}

// Everything wrong with the folder after a save that ended as `end` (exit
// code 0 written, 1 reported failure, 4 one without a message, -1 killed,
// else crashed).
QStringList violations(const SavePath& path, const QString& folder, int end) {
    QStringList found;
    const State state = targetState(path, folder);
    const State before = path.oldBytes ? State::Old : State::Missing;
    if (state == State::Other || (state == State::Missing && before == State::Old))
        found << QStringLiteral("target lost, truncated or garbled");
    if (end == 0 && state != State::New)
        found << QStringLiteral("reported success without the new bytes");
    if ((end == 1 || end == 4) && state != before)
        found << QStringLiteral("target changed after a reported failure");
    if (end == 4)
        found << QStringLiteral("failure without a message");
    if (end < -1 || end > 1)
        found << QStringLiteral("the save crashed");
    const QDir dir(folder);
    if (path.secret && state == State::New && (fileMode(dir.filePath(path.target)) & 077))
        found << QStringLiteral("secret target readable by others");
    QStringList known{path.target};
    for (const SavePath::OtherFile& other : path.otherFiles) {
        known << other.name;
        QFile file(dir.filePath(other.name));
        if (!file.open(QIODevice::ReadOnly) || file.readAll() != other.bytes)
            found << QStringLiteral("a file beside the target changed");
    }
    for (const QString& entry :
         dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
        if (!known.contains(entry) && path.secret && (fileMode(dir.filePath(entry)) & 077))
            found << QStringLiteral("a copy of the secret file is readable by others");
    }
    return found;
}

// --- The sweep ---------------------------------------------------------------

struct Run {
    int end = 3; // the child's exit code (4: a failure without a message); -1 killed
    std::array<long, kKinds.size()> calls{};
    bool fired = false;
};

Run runChild(Injection* shared, const SavePath& path, const QString& folder, int kind, long n,
             int error) {
    *shared = Injection{kind, n, error, {}, false};
    std::fflush(stdout);
    const pid_t pid = ::fork();
    if (pid == 0) {
        g_injection = shared;
        const std::optional<QString> failure = path.save(folder);
        g_injection = nullptr;
        ::_exit(!failure ? 0 : failure->isEmpty() ? 4 : 1);
    }
    int status = 0;
    Run run;
    if (pid < 0 || ::waitpid(pid, &status, 0) != pid)
        return run;
    if (WIFEXITED(status))
        run.end = WEXITSTATUS(status);
    else if (WTERMSIG(status) == SIGKILL && shared->fired && error == 0)
        run.end = -1;
    run.calls = shared->calls;
    run.fired = shared->fired;
    return run;
}

// The faults tried on each call: an error code, or 0 for a kill.
constexpr std::array<std::pair<const char*, int>, 3> kActions{
    {{"eio", EIO}, {"enospc", ENOSPC}, {"kill", 0}}};

int runSweep(long maxN, const QStringList& prefixes, bool verbose) {
    auto* shared = static_cast<Injection*>(::mmap(
        nullptr, sizeof(Injection), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0));
    QTemporaryDir root;
    if (shared == MAP_FAILED || !root.isValid())
        return 2;
    int folders = 0, failures = 0;
    long runs = 0, injected = 0;
    const auto check = [&](const SavePath& path, int kind, long n, int action) {
        const QString folder = root.filePath(QString::number(++folders));
        if (!QDir().mkpath(folder) || !prepareFolder(path, folder))
            std::exit(2);
        const Run run =
            runChild(shared, path, folder, kind, n, action < 0 ? 0 : kActions[action].second);
        ++runs;
        injected += run.fired ? 1 : 0;
        const QString label = kind < 0 ? path.name
                                       : QStringLiteral("%1 %2#%3 %4")
                                             .arg(path.name, QLatin1String(kKinds[kind].name))
                                             .arg(n)
                                             .arg(QLatin1String(kActions[action].first));
        const QStringList found = violations(path, folder, run.end);
        for (const QString& violation : found)
            std::printf("VIOLATION %s: %s\n", qPrintable(label), qPrintable(violation));
        if (verbose)
            std::printf("run %s: exit %d, target %s\n", qPrintable(label), run.end,
                        kStateNames[static_cast<int>(targetState(path, folder))]);
        failures += found.size();
        return run;
    };
    for (const SavePath& path : savePaths()) {
        if (!prefixes.isEmpty() && std::none_of(prefixes.begin(), prefixes.end(),
                                                [&](auto& p) { return path.name.startsWith(p); }))
            continue;
        const Run clean = check(path, -1, 0, -1);
        if (clean.end != 0 || clean.calls[0] == 0) {
            std::printf("VIOLATION %s: no clean save under libfiu\n", qPrintable(path.name));
            ++failures;
            continue;
        }
        QStringList counts;
        for (int k = 0; k < int(kKinds.size()); ++k) {
            const long count = clean.calls[k];
            counts << QStringLiteral("%1 %2").arg(QLatin1String(kKinds[k].name)).arg(count);
            // With a limit, the first calls and the last (where a commit happens).
            for (long n = 1; n <= count;
                 n = (maxN > 0 && n + 1 == maxN) ? std::max(count, n + 1) : n + 1) {
                for (int action = 0; action < int(kActions.size()); ++action)
                    check(path, k, n, action);
            }
        }
        std::printf("%s: %s\n", qPrintable(path.name),
                    qPrintable(counts.join(QLatin1String(", "))));
    }
    std::printf("runs %ld, faults injected %ld, violations %d\n", runs, injected, failures);
    return failures == 0 && injected > 0 ? 0 : 1;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    long maxN = 0;
    QStringList prefixes;
    bool verbose = false;
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--max-n") && i + 1 < args.size())
            maxN = args[++i].toLong();
        else if (args[i] == QLatin1String("--path") && i + 1 < args.size())
            prefixes << args[++i];
        else if (args[i] == QLatin1String("--verbose"))
            verbose = true;
        else
            return std::fprintf(stderr, "usage: fault_driver [--max-n N] [--path PREFIX]... "
                                        "[--verbose]\n"),
                   2;
    }
    if (enableFaults())
        return runSweep(maxN, prefixes, verbose);
    // Once more with libfiu's wrappers in front of the C library.
    if (qEnvironmentVariableIsSet("LD_PRELOAD") || !QFileInfo::exists(QLatin1String(kPreload))) {
        std::fprintf(stderr, "libfiu's POSIX wrappers are not loaded (%s)\n", kPreload);
        return 2;
    }
    ::setenv("LD_PRELOAD", kPreload, 1);
    ::execv("/proc/self/exe", argv);
    return 2;
}
