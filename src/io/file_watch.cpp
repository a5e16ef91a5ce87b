#include "io/file_watch.h"

#include <QFileInfo>

namespace quillset {

FileWatch::FileWatch(std::chrono::milliseconds stillFor, QObject* parent) : QObject(parent) {
    still_.setSingleShot(true);
    still_.setInterval(stillFor);
    // The folder too: a rename over the file or a delete ends the file's own
    // watch, and only the folder sees the file come back.
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, &FileWatch::touched);
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, &FileWatch::touched);
    connect(&still_, &QTimer::timeout, this, [this] {
        rewatchFile();
        emit changed();
    });
}

void FileWatch::watch(const QString& path) {
    const QString absolute = path.isEmpty() ? QString() : QFileInfo(path).absoluteFilePath();
    if (absolute == path_)
        return;
    if (!watcher_.files().isEmpty())
        watcher_.removePaths(watcher_.files());
    if (!watcher_.directories().isEmpty())
        watcher_.removePaths(watcher_.directories());
    still_.stop();
    path_ = absolute;
    if (path_.isEmpty())
        return;
    watcher_.addPath(QFileInfo(path_).absolutePath());
    rewatchFile();
}

// Every event starts the wait again: a writer that keeps writing is heard
// from only once it stops.
void FileWatch::touched() {
    rewatchFile();
    still_.start();
}

void FileWatch::rewatchFile() {
    if (!watcher_.files().contains(path_) && QFileInfo(path_).isFile())
        watcher_.addPath(path_);
}

} // namespace quillset
