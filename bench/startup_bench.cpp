// Times programs from process start until their window is shown, and takes
// their peak resident memory, over many alternating runs.
//
//   startup_bench --probe LIB [--runs N] [--settle-ms MS] [--platform NAME]
//                 LABEL=PROGRAM...
//
// Each run starts every program once, in turns (the order alternates), in a
// fresh empty current folder that is also its HOME. Two moments are timed:
// - shown: debug.log in that folder holds "Program initialized." (Quillset
//   writes it once its window is shown, the settings loaded and the title
//   set; the bare window right after show());
// - first frame: first-frame.log appears, written by the probe LIB
//   (first_frame_probe, preloaded) when the first painted frame has gone to
//   the window system. This is the moment a user sees the window.
// Peak memory is VmHWM from /proc a further MS milliseconds (default 500)
// after the first frame. Medians and the ratios to the first program are
// printed as a Markdown table.

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <poll.h>
#include <signal.h>
#include <string>
#include <sys/inotify.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr const char* kMarker = "Program initialized.";

struct Program {
    std::string label;
    std::string path;
    std::vector<double> shownMillis;
    std::vector<double> frameMillis;
    std::vector<double> peakMiB;
    int failures = 0;
};

struct Options {
    std::string probe;
    std::string platform = "offscreen";
    int settleMs = 500;
};

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

double vmHwmMiB(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0)
            return std::strtod(line.c_str() + 6, nullptr) / 1024.0;
    }
    return -1;
}

std::string makeFolder() {
    char name[] = "/tmp/quillset-startup-XXXXXX";
    return ::mkdtemp(name) ? name : "";
}

// The folder holds debug.log and whatever Qt puts in a runtime folder.
void removeFolder(const std::string& folder) {
    const std::string command = "rm -rf '" + folder + "'";
    [[maybe_unused]] const int status = std::system(command.c_str());
}

// One start; false when the program did not show its window in time.
bool runOnce(Program& program, const Options& options) {
    const std::string folder = makeFolder();
    if (folder.empty())
        return false;
    const int watch = ::inotify_init1(IN_CLOEXEC);
    ::inotify_add_watch(watch, folder.c_str(), IN_CREATE | IN_MODIFY | IN_CLOSE_WRITE);
    const std::string log = folder + "/debug.log";
    const std::string frameLog = folder + "/first-frame.log";

    const Clock::time_point start = Clock::now();
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (::chdir(folder.c_str()) != 0)
            ::_exit(127);
        ::setenv("HOME", folder.c_str(), 1);
        ::setenv("XDG_RUNTIME_DIR", folder.c_str(), 1);
        ::setenv("QT_QPA_PLATFORM", options.platform.c_str(), 1);
        ::setenv("LD_PRELOAD", options.probe.c_str(), 1);
        ::unsetenv("WINEPREFIX"); // no registry: the game folder is the program's
        // Qt's warnings would interleave with the table.
        if (const int null = ::open("/dev/null", O_WRONLY); null >= 0)
            ::dup2(null, 2);
        ::execl(program.path.c_str(), program.path.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    const auto sinceStart = [&] {
        return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    };
    double shown = -1;
    double frame = -1;
    const Clock::time_point deadline = start + std::chrono::seconds(30);
    char events[4096];
    while ((shown < 0 || frame < 0) && Clock::now() < deadline) {
        pollfd fd{watch, POLLIN, 0};
        if (::poll(&fd, 1, 5) > 0) {
            [[maybe_unused]] auto drained = ::read(watch, events, sizeof events);
        }
        if (shown < 0 && readFile(log).find(kMarker) != std::string::npos)
            shown = sinceStart();
        if (frame < 0 && !readFile(frameLog).empty())
            frame = sinceStart();
        if ((shown < 0 || frame < 0) && ::waitpid(pid, nullptr, WNOHANG) == pid)
            break;
    }
    const bool ok = shown >= 0 && frame >= 0;
    if (ok) {
        ::usleep(static_cast<useconds_t>(options.settleMs) * 1000);
        program.shownMillis.push_back(shown);
        program.frameMillis.push_back(frame);
        program.peakMiB.push_back(vmHwmMiB(pid));
    } else {
        ++program.failures;
    }
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
    ::close(watch);
    removeFolder(folder);
    return ok;
}

double median(std::vector<double> values) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const std::size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

int usage() {
    std::fprintf(stderr, "usage: startup_bench --probe LIB [--runs N] [--settle-ms MS] "
                         "[--platform NAME] LABEL=PROGRAM...\n");
    return 2;
}

std::string absolute(const std::string& path) {
    char* resolved = ::realpath(path.c_str(), nullptr);
    if (!resolved)
        return {};
    std::string result = resolved;
    std::free(resolved);
    return result;
}

// "12.3 ms (10.1 - 15.0)"
std::string spread(const std::vector<double>& values, const char* unit) {
    const auto [low, high] = std::minmax_element(values.begin(), values.end());
    char text[96];
    std::snprintf(text, sizeof text, "%.1f %s (%.1f - %.1f)", median(values), unit, *low, *high);
    return text;
}

} // namespace

int main(int argc, char* argv[]) {
    int runs = 21;
    Options options;
    std::vector<Program> programs;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--runs" && hasValue) {
            runs = std::atoi(argv[++i]);
        } else if (arg == "--settle-ms" && hasValue) {
            options.settleMs = std::atoi(argv[++i]);
        } else if (arg == "--platform" && hasValue) {
            options.platform = argv[++i];
        } else if (arg == "--probe" && hasValue) {
            options.probe = absolute(argv[++i]);
        } else if (const auto eq = arg.find('='); eq != std::string::npos && eq > 0) {
            // Absolute, as each program starts in a folder of its own.
            const std::string path = absolute(arg.substr(eq + 1));
            if (path.empty())
                return usage();
            programs.push_back({arg.substr(0, eq), path, {}, {}, {}, 0});
        } else {
            return usage();
        }
    }
    if (programs.empty() || runs < 1 || options.probe.empty())
        return usage();

    // One unmeasured start each, so every run finds the libraries in the cache.
    for (const Program& program : programs) {
        Program warmUp{program.label, program.path, {}, {}, {}, 0};
        if (!runOnce(warmUp, options)) {
            std::fprintf(stderr, "%s did not show its window\n", program.label.c_str());
            return 1;
        }
    }
    for (int run = 0; run < runs; ++run) {
        for (std::size_t k = 0; k < programs.size(); ++k)
            runOnce(programs[run % 2 ? programs.size() - 1 - k : k], options);
    }

    const Program& base = programs.front();
    std::printf("| program | runs | shown, median (min - max) | ratio | first frame, median "
                "(min - max) | ratio | peak RSS, median (min - max) | difference |\n"
                "|---|---|---|---|---|---|---|---|\n");
    int failures = 0;
    for (const Program& p : programs) {
        failures += p.failures;
        if (p.shownMillis.empty() || base.shownMillis.empty())
            continue;
        std::printf(
            "| %s | %zu%s | %s | %.2fx | %s | %.2fx | %s | %+.1f MiB |\n", p.label.c_str(),
            p.shownMillis.size(),
            p.failures ? (", " + std::to_string(p.failures) + " failed").c_str() : "",
            spread(p.shownMillis, "ms").c_str(), median(p.shownMillis) / median(base.shownMillis),
            spread(p.frameMillis, "ms").c_str(), median(p.frameMillis) / median(base.frameMillis),
            spread(p.peakMiB, "MiB").c_str(), median(p.peakMiB) - median(base.peakMiB));
    }
    return failures == 0 ? 0 : 1;
}
