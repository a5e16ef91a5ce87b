// Telling that the game runs, as a save asks it: reading the process table,
// and looking through it for a process that runs from the game folder.
//  - a folder laid out like /proc with 500 processes (exe links, cmdline
//    files), the game the last of them, under Wine, by its Windows path;
//  - the real /proc with 500 more processes of ours (`sleep`), which costs
//    what the kernel spends making each cmdline, not just reading a file.

#include "registry/wine_prefix.h"
#include "shell/running_game.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <csignal>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace quillset;

namespace {

constexpr int kProcesses = 500;

bool write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

bool link(const QString& target, const QString& path) {
    return ::symlink(QFile::encodeName(target).constData(), QFile::encodeName(path).constData()) ==
           0;
}

// 500 processes running `distinct` different programs in <root>/bin, half
// started by a bare name, half by the full path; the last one is the game
// under Wine. The game folder lies in a prefix whose c: drive is linked as
// Wine links it.
struct FakeProc {
    QTemporaryDir root;
    QString proc = root.filePath(QStringLiteral("proc"));
    QString prefix = root.filePath(QStringLiteral("pfx"));
    QString game = prefix + QStringLiteral("/drive_c/Games/Korrin");
    bool ok = false;

    explicit FakeProc(int distinct) {
        const QString bin = root.filePath(QStringLiteral("bin"));
        ok = QDir().mkpath(bin) && QDir().mkpath(game) && QDir().mkpath(prefix + "/dosdevices") &&
             link(QStringLiteral("../drive_c"), prefix + "/dosdevices/c:") &&
             write(game + "/Korrin.exe", "MZ") && write(bin + "/wine64-preloader", "ELF");
        for (int i = 0; ok && i < kProcesses; ++i) {
            const QString entry = proc + '/' + QString::number(1000 + i);
            const QString name = QStringLiteral("program") + QString::number(i % distinct);
            const bool isGame = i == kProcesses - 1;
            const QString exe = bin + '/' + (isGame ? QStringLiteral("wine64-preloader") : name);
            const QByteArray first = isGame  ? QByteArray("C:\\Games\\Korrin\\Korrin.exe")
                                     : i % 2 ? QFile::encodeName(exe)
                                             : name.toUtf8();
            ok = QDir().mkpath(entry) && (QFile::exists(exe) || write(exe, "ELF")) &&
                 link(exe, entry + "/exe") &&
                 write(entry + "/cmdline",
                       first + QByteArray("\0--option=value\0/home/user/a file\0", 34));
        }
    }
    WindowsPathMapper wine() const {
        return [this](const QString& path) { return wineToLocalPath(prefix, path); };
    }
};

// Laid out once per program run: the benchmark functions run many times.
const FakeProc& fakeProc(int distinct) {
    static const FakeProc few(50);
    static const FakeProc many(kProcesses);
    return distinct == kProcesses ? many : few;
}

void BM_ReadFakeProc(benchmark::State& state) {
    const FakeProc& fake = fakeProc(50);
    if (!fake.ok) {
        state.SkipWithError("cannot lay out the folder");
        return;
    }
    const ProcProcessTable table(fake.proc);
    for (auto _ : state) {
        const std::vector<RunningProcess> processes = table.processes();
        if (processes.size() != kProcesses) {
            state.SkipWithError("not every process was read");
            break;
        }
        benchmark::DoNotOptimize(processes);
    }
}
BENCHMARK(BM_ReadFakeProc)->Unit(benchmark::kMillisecond);

// Reading the table and finding the game in it, as before a save; with 50
// and with 500 different executables (each resolved once per scan).
void BM_FindGameInFakeProc(benchmark::State& state) {
    const FakeProc& fake = fakeProc(int(state.range(0)));
    if (!fake.ok) {
        state.SkipWithError("cannot lay out the folder");
        return;
    }
    const ProcProcessTable table(fake.proc);
    const WindowsPathMapper wine = fake.wine();
    for (auto _ : state) {
        const std::optional<RunningProcess> game =
            findGameProcess(table, fake.game, wine, ::getpid(), QString());
        if (!game || game->pid != 1000 + kProcesses - 1) {
            state.SkipWithError("the game was not found");
            break;
        }
        benchmark::DoNotOptimize(game);
    }
}
BENCHMARK(BM_FindGameInFakeProc)->Arg(50)->Arg(kProcesses)->Unit(benchmark::kMillisecond);

// 500 sleeping children, ended when the program ends.
class Sleepers {
public:
    Sleepers() {
        char sleep[] = "sleep";
        char seconds[] = "120";
        char* argv[] = {sleep, seconds, nullptr};
        for (int i = 0; i < kProcesses; ++i) {
            pid_t pid = 0;
            if (::posix_spawnp(&pid, sleep, nullptr, nullptr, argv, environ) != 0)
                break;
            pids_.push_back(pid);
        }
    }
    Sleepers(const Sleepers&) = delete;
    Sleepers& operator=(const Sleepers&) = delete;
    ~Sleepers() {
        for (const pid_t pid : pids_)
            ::kill(pid, SIGKILL);
        for (const pid_t pid : pids_)
            ::waitpid(pid, nullptr, 0);
    }
    bool ok() const { return pids_.size() == kProcesses; }

private:
    std::vector<pid_t> pids_;
};

// The real /proc with the sleepers in it; no process runs from the game
// folder, so every process is looked at.
void BM_RealProc(benchmark::State& state, bool find) {
    static const Sleepers sleepers;
    const FakeProc& fake = fakeProc(50);
    if (!sleepers.ok() || !fake.ok) {
        state.SkipWithError("cannot start the processes");
        return;
    }
    const ProcProcessTable table;
    const WindowsPathMapper wine = fake.wine();
    std::size_t seen = 0;
    for (auto _ : state) {
        if (find) {
            benchmark::DoNotOptimize(findGameProcess(table, fake.game, wine, ::getpid(), {}));
        } else {
            const std::vector<RunningProcess> processes = table.processes();
            seen = processes.size();
            benchmark::DoNotOptimize(processes);
        }
    }
    if (!find)
        state.counters["processes"] = double(seen);
}
BENCHMARK_CAPTURE(BM_RealProc, read, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RealProc, find, true)->Unit(benchmark::kMillisecond);

} // namespace
