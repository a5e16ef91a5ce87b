// The process table of Windows: the process snapshot, each process with the
// path of its image.

#include "shell/running_game.h"

#ifdef Q_OS_WIN

#include <windows.h>

#include <tlhelp32.h>

namespace quillset {

namespace {

// A handle lives only inside one call and is always closed.
class Handle {
public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle() {
        if (valid())
            CloseHandle(handle_);
    }
    bool valid() const { return handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle_; }

private:
    HANDLE handle_;
};

// The full path of the process's image, or empty when we may not open the
// process (the system's own, other users'). Limited query rights are all
// this needs, and they are granted for more processes than full rights.
// The buffer is the caller's, made once per scan.
QString imagePath(DWORD pid, std::vector<wchar_t>& path) {
    const Handle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid));
    if (!process.valid())
        return {};
    DWORD size = DWORD(path.size());
    if (!QueryFullProcessImageNameW(process.get(), 0, path.data(), &size))
        return {};
    return QString::fromWCharArray(path.data(), qsizetype(size));
}

} // namespace

std::vector<RunningProcess> WindowsProcessTable::processes() const {
    std::vector<RunningProcess> found;
    const Handle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot.valid())
        return found;
    // Long paths go up to 32,767 characters.
    std::vector<wchar_t> path(32768);
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot.get(), &entry); more;
         more = Process32NextW(snapshot.get(), &entry)) {
        QString executable = imagePath(entry.th32ProcessID, path);
        if (!executable.isEmpty())
            found.push_back({qint64(entry.th32ProcessID), std::move(executable), QString()});
    }
    return found;
}

std::unique_ptr<ProcessTable> makePlatformProcessTable() {
    return std::make_unique<WindowsProcessTable>();
}

} // namespace quillset

#endif
