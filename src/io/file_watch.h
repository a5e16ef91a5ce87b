#pragma once
// Tells when a file on disk was changed by anyone: written in place (as a
// Windows program under Wine does), replaced by a rename (as most editors,
// launchers and our own writer do), or deleted and written again. A write in
// several steps is one change: it is told once the file has been still for a
// moment, so nobody reads it half-written.

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>
#include <chrono>

namespace quillset {

class FileWatch : public QObject {
    Q_OBJECT

public:
    explicit FileWatch(std::chrono::milliseconds stillFor = std::chrono::milliseconds(300),
                       QObject* parent = nullptr);

    // Follows this file from now on; an empty path follows none.
    void watch(const QString& path);

signals:
    // The file changed and has been still for stillFor since.
    void changed();

private:
    void touched();
    void rewatchFile();

    QFileSystemWatcher watcher_;
    QTimer still_;
    QString path_;
};

} // namespace quillset
