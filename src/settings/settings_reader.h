#pragma once
// Reading settings.cfg into a SettingsModel.

#include "settings/settings_model.h"

#include <QByteArrayView>
#include <QString>
#include <optional>

namespace quillset {

class DebugLog;

// Fills a cleared model from the file's bytes. fontPagesValue is the value
// held from an earlier load: it survives when this file has no FONTPAGES line.
// Writes "opensettings() -> Loading settings.cfg" and one "opensettings() ->
// Loading <key>" line per non-empty line to the log, when one is given.
// Never fails: lines it cannot use are kept or skipped, as the format says.
SettingsModel readSettings(QByteArrayView data, const QString& fontPagesValue = {},
                           DebugLog* log = nullptr);

// Reads the file at path (a regular file only; FIFOs and devices are refused
// so loading can never block). Empty optional when it cannot be read.
std::optional<SettingsModel>
loadSettingsFile(const QString& path, const QString& fontPagesValue = {}, DebugLog* log = nullptr);

// A settings file as another program may have left it while the window had
// it open. Settings: a regular file of at most kFollowedFileLimit bytes that
// holds a line of a known key and no NUL byte, with its bytes. NotSettings:
// anything else that is there (a folder, a FIFO, a link loop, a file that
// cannot be read, an empty, huge or binary file: a half-written file or junk,
// never to be taken for the settings). Missing: nothing is there.
struct SettingsOnDisk {
    enum class State { Missing, NotSettings, Settings };
    State state = State::Missing;
    QByteArray bytes;
};
inline constexpr qint64 kFollowedFileLimit = qint64(1) << 20;
SettingsOnDisk readSettingsOnDisk(const QString& path);

// Only files of this name are loaded (exact, case-sensitive, in any folder).
bool hasSettingsFileName(const QString& path);

} // namespace quillset
