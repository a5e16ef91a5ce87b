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

// Only files of this name are loaded (exact, case-sensitive, in any folder).
bool hasSettingsFileName(const QString& path);

} // namespace quillset
