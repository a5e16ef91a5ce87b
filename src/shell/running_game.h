#pragma once
// Telling that the game runs from its folder. The game writes its own
// settings.cfg when it quits, so a save made while it runs would be undone;
// the editor asks before saving when a process runs from the game folder.
// Asked once per save, never on a timer: a scan costs a few milliseconds.

#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace quillset {

struct RunningProcess {
    qint64 pid = 0;
    QString executable;    // the executable's path; empty when it cannot be read
    QString firstArgument; // argv[0] as the process shows it; empty when none

    friend bool operator==(const RunningProcess&, const RunningProcess&) = default;
};

// The processes this user may see, as the platform lists them.
class ProcessTable {
public:
    virtual ~ProcessTable() = default;
    virtual std::vector<RunningProcess> processes() const = 0;
    // The folder the process works in now; empty when it cannot be read.
    virtual QString currentFolder(qint64 pid) const = 0;
};

#ifndef Q_OS_WIN
// The entries of /proc, or of another folder laid out like it (for tests and
// the benchmark), in ascending pid order. A process is listed when its
// executable link or the first argument of its cmdline could be read; those
// that vanish during the scan or may not be read are skipped. Only what is
// needed is read: the exe link, and cmdline up to its first NUL byte.
class ProcProcessTable final : public ProcessTable {
public:
    explicit ProcProcessTable(QString root = QStringLiteral("/proc"));
    std::vector<RunningProcess> processes() const override;
    QString currentFolder(qint64 pid) const override;

private:
    QString root_;
};
#else
// The process snapshot (CreateToolhelp32Snapshot), each process with its
// image path (QueryFullProcessImageNameW). firstArgument stays empty: reading
// another process's command line needs more rights than its image path.
// Processes whose image path may not be read are skipped.
class WindowsProcessTable final : public ProcessTable {
public:
    std::vector<RunningProcess> processes() const override;
    QString currentFolder(qint64) const override { return {}; }
};
#endif

// /proc on Linux, the process snapshot on Windows.
std::unique_ptr<ProcessTable> makePlatformProcessTable();

// Maps a Windows path to a local path; empty when it cannot be mapped.
using WindowsPathMapper = std::function<QString(const QString& windowsPath)>;

// The first process other than this one (ownPid, and any process whose
// executable is ownExecutable) whose executable or first argument lies inside
// gameFolder; nothing when there is none. A path counts when it is absolute
// locally, or is a Windows path that mapWindowsPath turns into a local one
// (as Wine shows a Windows program's command line; on Windows such a path is
// local and the mapper is not used), or is relative and names a file from the
// process's current folder (a game started as "wine Korrin.exe" in its own
// folder shows just that name). A path lies inside when it equals the folder
// or is below it, compared after resolving links in both.
std::optional<RunningProcess> findGameProcess(const ProcessTable& table, const QString& gameFolder,
                                              const WindowsPathMapper& mapWindowsPath,
                                              qint64 ownPid, const QString& ownExecutable);

} // namespace quillset
