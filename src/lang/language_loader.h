#pragma once
// Loading language.lng: texts for the windows' controls and the kept texts.

#include "lang/language_texts.h"

#include <QString>
#include <optional>

namespace quillset {

class DebugLog;

struct LanguageLoad {
    // In file order; a section met twice gives its texts twice, the later winning.
    std::vector<TextAssignment> texts;
    LanguageTable table;
};

// The language file beside the program.
QString languageFilePath(const QString& programDir);

// Empty optional when the file does not exist (the caller then tells the user
// and ends the program). Writes the loader's trace lines to the log.
std::optional<LanguageLoad> loadLanguageFile(const QString& path, DebugLog* log = nullptr);

} // namespace quillset
