#pragma once
// Every way the program replaces a user's file, as a scenario a fault sweep
// can prepare, run in a child process and judge afterwards: the folder's
// state before, the bytes the save must produce, and the save itself.

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

namespace quillset::fault {

struct SavePath {
    QString name;        // "settings/replace", "accounts/create", ...
    QString target;      // the file the save replaces, relative to the work folder
    bool secret = false; // holds CD keys: no copy may be readable by others
    // The target's bytes before the save; empty optional when it is missing.
    std::optional<QByteArray> oldBytes;
    QByteArray newBytes;
    // Files that belong in the folder besides the target (a backup's source,
    // the other hive of a Wine prefix), with the bytes they must keep.
    struct OtherFile {
        QString name;
        QByteArray bytes;
        int mode = 0644;
    };
    std::vector<OtherFile> otherFiles;
    // The save, run against a prepared folder. Empty optional on reported
    // success, otherwise the failure the user would be shown.
    std::function<std::optional<QString>(const QString& folder)> save;
};

const std::vector<SavePath>& savePaths();

// Writes the scenario's starting state into an empty folder (the target with
// its old bytes and mode, the other files). False on any error.
bool prepareFolder(const SavePath& path, const QString& folder);

} // namespace quillset::fault
