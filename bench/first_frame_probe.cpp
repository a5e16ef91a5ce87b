// LD_PRELOAD probe for start-up timing: notes when a Qt Widgets program has
// put its first frame on screen. It wraps QBackingStore::flush (the call that
// hands painted pixels to the window system) and, once the first one has
// returned, writes a line to first-frame.log in the current folder. The same
// probe in Quillset and in the bare window times both to the same point.

#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

namespace {

using Flush = void (*)(void* self, const void* region, void* window, const void* offset);
constexpr const char* kFlush = "_ZN13QBackingStore5flushERK7QRegionP7QWindowRK6QPoint";
bool g_marked = false;

} // namespace

// QBackingStore::flush(const QRegion&, QWindow*, const QPoint&), by its
// mangled name: a member function takes `this` as its first argument.
extern "C" void _ZN13QBackingStore5flushERK7QRegionP7QWindowRK6QPoint(void* self,
                                                                      const void* region,
                                                                      void* window,
                                                                      const void* offset) {
    // Qt's GUI may come after the probe in the search order, or, loaded with
    // a program's window module, outside it: then it is asked by name.
    static const auto real = [] {
        void* next = ::dlsym(RTLD_NEXT, kFlush);
        void* gui = next ? nullptr : ::dlopen("libQt6Gui.so.6", RTLD_LAZY | RTLD_NOLOAD);
        return reinterpret_cast<Flush>(next ? next : gui ? ::dlsym(gui, kFlush) : nullptr);
    }();
    real(self, region, window, offset);
    if (g_marked)
        return;
    g_marked = true;
    const int fd = ::open("first-frame.log", O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd >= 0) {
        static constexpr char kLine[] = "First frame shown.\n";
        [[maybe_unused]] const auto written = ::write(fd, kLine, sizeof kLine - 1);
        ::close(fd);
    }
}
