// Sweeps injected faults over every file-system call the save paths make and
// judges what is left on disk.
//
//   fault_driver [--max-n N]
//       For each save path: counts its calls at each failure point in a clean
//       run, then for N = 1.. (at most N values per point, always including
//       the last) runs the save in a child whose Nth call there fails with
//       EIO, fails with ENOSPC, or is killed, and checks the folder. Exit 1
//       when anything was lost, truncated, changed after a reported failure,
//       reported as saved without being saved, saved with the wrong mode, or
//       a secret left readable.
//
// Faults come from libfiu: the driver starts itself again with its POSIX
// wrappers preloaded, and puts an external callback on each failure point;
// the callback counts calls and fails or kills the chosen one.

#include "save_paths.h"
#include "test_support.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#define FIU_ENABLE 1 // the real fiu_init(), not the no-op
#include <fiu-control.h>
#include <fiu.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace quillset;
using namespace quillset::test;

namespace {

constexpr const char* kPreload = "/usr/lib/fiu/fiu_posix_preload.so";

// clang-format off
constexpr std::array<const char*, 11> kPoints{
    "posix/io/oc/open", "posix/io/rw/write", "posix/io/rw/writev", "posix/io/rw/pwrite",
    "posix/io/rw/pwritev", "posix/io/sync/fsync", "posix/io/sync/fdatasync",
    "posix/io/rw/ftruncate", "posix/io/oc/close", "posix/io/dir/rename", "posix/io/dir/unlink"};
// clang-format on

// --- The save paths ----------------------------------------------------------

// Every target starts out as a registry hive with the install key, which each
// save can replace (a new key would carry the time of the save).
const QByteArray kOld =
    "WINE REGISTRY Version 2\n\n[Software\\\\Halvane Entertainment\\\\Korrin Deepfall] 1\n";
// Beside the target: the backup's source (with CD keys) and the other hive.
const std::pair<QString, QByteArray> kBeside[] = {
    {"settings.cfg", "NETWORK_CDKEY : AAAAABBBBBCCCCCDDDDD\r\n"}, {"user.reg", kOld}};

struct SavePath {
    const char* name;
    QString target;
    int oldMode;    // the old target's mode; 0: there is none
    int sourceMode; // settings.cfg's mode beside the target
    bool secret;    // holds CD keys: no copy may be readable by others
    std::optional<QString> (*save)(const QString& folder);
    const QByteArray& old = kOld; // the old target's bytes
    bool setsTheScene = false;    // calls startFaults itself
    // What another program writes during the save: as good as the old bytes
    // (a failure may leave it), never to be replaced by a stale copy.
    const QByteArray* meanwhile = nullptr;
};

const SavePath kSavePaths[] = {
    {"settings/replace", "settings.cfg", 0644, 0644, false, saveSettings},
    {"settings/create", "settings.cfg", 0, 0644, false, saveSettings},
    {"accounts/replace", "accounts.cfg", 0600, 0644, true, saveAccounts},
    {"accounts/create", "accounts.cfg", 0, 0644, true, saveAccounts},
    {"backup/replace", "settings.bck", 0644, 0644, false, saveBackup},
    {"backup/create", "settings.bck", 0, 0644, false, saveBackup},
    // A settings file others may not read over a backup everyone may read.
    {"backup/private-source", "settings.bck", 0644, 0640, true, saveBackup},
    {"registry/replace", "system.reg", 0644, 0644, false, saveRegistry},
    // Over a settings.cfg another program changed since it was loaded.
    {"settings/merge", "settings.cfg", 0644, 0644, false, saveMerged, kOtherProgramsFile, true},
    // Over a write another program makes while the save runs.
    {"settings/meanwhile", "settings.cfg", 0644, 0644, false, saveOverAWriteMeanwhile, kOld, false,
     &SetAutosave::kMeanwhileFile},
};

bool prepareFolder(const SavePath& path, const QString& folder) {
    const auto write = [&](const QString& name, const QByteArray& bytes, int mode) {
        return test::writeBytes(folder + '/' + name, bytes) &&
               ::chmod(QFile::encodeName(folder + '/' + name).constData(), mode_t(mode)) == 0;
    };
    bool ok = !path.oldMode || write(path.target, path.old, path.oldMode);
    for (const auto& [name, bytes] : kBeside)
        ok = ok && (name == path.target || write(name, bytes, path.sourceMode));
    return ok;
}

// --- The child side: one save, counted and maybe faulted ---------------------

// Shared with the sweep, so that the counts survive a killed child.
struct Injection {
    std::size_t point = kPoints.size(); // none: count only
    long n = 0;
    int error = 0; // 0: kill
    std::array<long, kPoints.size()> calls{};
    bool fired = false;
};
Injection* g_injection = nullptr; // set in a sweep's child only, once its faults start
Injection* g_shared = nullptr;    // the child's, before

// A point's failnum is its index in kPoints plus one (libfiu fails only a nonzero one).
int onCall(const char*, int* failnum, void** failinfo, unsigned int*) {
    Injection* in = g_injection;
    const auto point = std::size_t(*failnum - 1);
    if (!in || ++in->calls[point] != in->n || point != in->point)
        return 0;
    in->fired = true;
    if (in->error == 0)
        ::raise(SIGKILL);
    *failinfo = reinterpret_cast<void*>(static_cast<intptr_t>(in->error));
    return 1;
}

// --- The parent side: judge the folder ---------------------------------------

int fileMode(const QString& path) {
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 ? int(st.st_mode & 07777) : -1;
}

// Everything wrong with the folder after a save that ended as `end`.
QStringList violations(const SavePath& path, const QString& folder, const QByteArray& newBytes,
                       int end) {
    QStringList found;
    const QFileInfo info(folder + '/' + path.target);
    const QByteArray bytes = test::readBytes(info.filePath());
    const bool isOld = path.oldMode
                           ? bytes == path.old || (path.meanwhile && bytes == *path.meanwhile)
                           : !info.exists() && !info.isSymLink();
    if (!isOld && bytes != newBytes)
        found << u"target lost, truncated or garbled"_s;
    if (end == 0 && bytes != newBytes)
        found << u"reported success without the new bytes"_s;
    if ((end == 1 || end == 4) && !isOld)
        found << u"target changed after a reported failure"_s;
    if (end == 4)
        found << u"failure without a message"_s;
    if (end < -1 || end > 1)
        found << u"the save crashed"_s;
    for (const auto& [name, kept] : kBeside)
        if (name != path.target && test::readBytes(folder + '/' + name) != kept)
            found << u"a file beside the target changed"_s;
    // A leftover temporary copy, or the new target, must be private too.
    for (const QString& entry : QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        const bool beside = std::ranges::any_of(kBeside, [&](auto& b) { return b.first == entry; });
        if (path.secret && (entry == path.target ? bytes == newBytes : !beside) &&
            (fileMode(folder + '/' + entry) & 077))
            found << u"a copy of the secret file is readable by others"_s;
    }
    return found;
}

// --- The sweep ---------------------------------------------------------------

// The faults tried on each call: an error code, or 0 for a kill.
constexpr std::pair<const char*, int> kActions[] = {{"eio", EIO}, {"enospc", ENOSPC}, {"kill", 0}};

int runSweep(long maxN) {
    auto* shared = static_cast<Injection*>(::mmap(
        nullptr, sizeof(Injection), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0));
    ::umask(022);
    TempFolder root;
    if (shared == MAP_FAILED || !root.isValid())
        return 2;
    int folders = 0, failures = 0;
    long runs = 0, injected = 0;
    for (const SavePath& path : kSavePaths) {
        // Runs the save in a child with one fault; the folder it leaves behind
        // and how it ended: 0 saved, 1 reported failure, 4 one without a
        // message, -1 killed by the injection, 3 anything else.
        const auto run = [&](std::size_t point, long n, int error, int& end) {
            const QString folder = root.filePath(QString::number(++folders));
            if (!QDir().mkpath(folder) || !prepareFolder(path, folder))
                std::exit(2);
            *shared = Injection{point, n, error, {}, false};
            std::fflush(stdout);
            const pid_t pid = ::fork();
            if (pid == 0) {
                startFaults = [] { g_injection = g_shared; };
                pauseFaults = [] { g_injection = nullptr; };
                g_shared = shared;
                if (!path.setsTheScene)
                    startFaults();
                const std::optional<QString> failure = path.save(folder);
                ::_exit(!failure ? 0 : failure->isEmpty() ? 4 : 1);
            }
            int status = 0;
            const bool waited = pid > 0 && ::waitpid(pid, &status, 0) == pid;
            const bool killed = WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL && shared->fired;
            end = !waited ? 3 : WIFEXITED(status) ? WEXITSTATUS(status) : killed && !error ? -1 : 3;
            ++runs;
            injected += shared->fired;
            return folder;
        };
        const auto report = [&](const QString& label, const QStringList& found) {
            for (const QString& violation : found)
                std::printf("VIOLATION %s: %s\n", qPrintable(label), qPrintable(violation));
            failures += found.size();
        };
        int end = 0;
        const QString clean = run(kPoints.size(), 0, 0, end);
        const QByteArray newBytes = test::readBytes(clean + '/' + path.target);
        QStringList found = violations(path, clean, newBytes, end);
        if (end != 0 || newBytes.isEmpty() || newBytes == path.old)
            found << u"no clean save under libfiu"_s;
        // Under umask 022: the owner's only when secret, else readable by all.
        // (libfiu's open() drops the mode of an O_TMPFILE, so a new file that
        // is not secret has none worth judging.)
        if ((path.oldMode || path.secret) &&
            fileMode(clean + '/' + path.target) != (path.secret ? 0600 : 0644))
            found << u"the saved file has the wrong mode"_s;
        report(QLatin1String(path.name), found);
        if (!found.isEmpty())
            continue;
        const std::array<long, kPoints.size()> calls = shared->calls;
        QStringList counts;
        for (std::size_t p = 0; p < kPoints.size(); ++p) {
            const QString point = QString::fromLatin1(kPoints[p]).section('/', -1);
            if (calls[p])
                counts << u"%1 %2"_s.arg(point).arg(calls[p]);
            // With a limit, the first calls and the last (where a commit happens).
            for (long n = 1; n <= calls[p];
                 n = (maxN > 0 && n + 1 == maxN) ? std::max(calls[p], n + 1) : n + 1) {
                for (const auto& [action, error] : kActions) {
                    const QString folder = run(p, n, error, end);
                    report(u"%1 %2#%3 %4"_s.arg(path.name, point).arg(n).arg(action),
                           violations(path, folder, newBytes, end));
                }
            }
        }
        std::printf("%s: %s\n", path.name, qPrintable(counts.join(", "_L1)));
    }
    std::printf("runs %ld, faults injected %ld, violations %d\n", runs, injected, failures);
    return failures == 0 && injected > 0 ? 0 : 1;
}

} // namespace

int main(int argc, char* argv[]) {
    // libfiu's wrappers must sit in front of the C library: start once more with them.
    if (!qEnvironmentVariableIsSet("LD_PRELOAD") && QFile::exists(QLatin1String(kPreload))) {
        ::setenv("LD_PRELOAD", kPreload, 1);
        ::execv("/proc/self/exe", argv);
    }
    QCoreApplication app(argc, argv);
    QCommandLineParser options;
    options.addOption({"max-n", "At most N calls of each kind (0: all).", "N", "0"});
    options.process(app);
    // The wrappers loaded, and the callback on every failure point.
    bool enabled = qEnvironmentVariable("LD_PRELOAD").contains("fiu"_L1) && fiu_init(0) == 0;
    for (std::size_t p = 0; p < kPoints.size(); ++p)
        enabled = enabled && fiu_enable_external(kPoints[p], int(p + 1), nullptr, 0, onCall) == 0;
    if (!enabled)
        return std::fprintf(stderr, "libfiu's POSIX wrappers are not loaded (%s)\n", kPreload), 2;
    return runSweep(options.value("max-n").toLong());
}
