#pragma once
// Reading settings.cfg into a SettingsModel.

#include "io/file_helpers.h"
#include "settings/settings_model.h"

#include <QByteArrayView>
#include <QString>
#include <bitset>
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

// The key of a line of a settings file: the bytes before its first " : ";
// nothing for a line without one. A UTF-8 byte-order mark in front of the
// file's first line (firstLine) is not part of its key.
std::optional<QByteArrayView> lineKey(QByteArrayView line, bool firstLine);

// What lies at the path of a settings file, read and judged once, the same
// way wherever the program reads one: loading it into the window, following
// it on disk, before writing it, and for every command.
struct SettingsFileRead {
    enum class State {
        Missing,    // nothing is there
        Unreadable, // no file to read: a folder, a special file, a broken link,
                    // refused, or over kSettingsFileLimit (see failure)
        NotSettings, // a file, but not the game's settings: empty, holding a
                     // NUL byte (binary), or without a line of a known key;
                     // also what a write caught half-way leaves
        Settings,
    };
    State state = State::Missing;
    ReadFailure failure = ReadFailure::Missing; // Missing and Unreadable: why
    QByteArray bytes;                           // NotSettings and Settings: the file
    SettingsModel values; // NotSettings and Settings: as the window takes them
    // The keys the file holds a value for (a line the key's reader takes);
    // the others have the values of a cleared window.
    std::bitset<kKeyCount> valued;

    bool hasBytes() const { return state == State::NotSettings || state == State::Settings; }
};

// A settings file holds some fifty lines; anything near this size is not one.
inline constexpr qint64 kSettingsFileLimit = qint64(1) << 20;

// Reads and judges the file at path. fontPagesValue and log as readSettings.
SettingsFileRead readSettingsFile(const QString& path, const QString& fontPagesValue = {},
                                  DebugLog* log = nullptr);

// The judgement of readSettingsFile on a file's bytes already read (state
// NotSettings or Settings); apart so that the fuzz target judges its inputs
// from memory, without a file each.
SettingsFileRead judgeSettingsBytes(QByteArray bytes, const QString& fontPagesValue = {},
                                    DebugLog* log = nullptr);

// Only files of this name are loaded (exact, case-sensitive, in any folder).
bool hasSettingsFileName(const QString& path);

} // namespace quillset
