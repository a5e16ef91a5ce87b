#pragma once
// Loading language.lng: texts for the windows' controls and the kept texts.

#include "lang/language_texts.h"

#include <QString>
#include <optional>
#include <vector>

namespace quillset {

class DebugLog;

inline constexpr const char* kLanguageFileName = "language.lng";

// What start-up shows (title "Quillset", OK) before it ends the program when
// the language file is missing.
inline constexpr const char* kLanguageFileMissingMessage =
    "Language.lng file not found! Aborting...";

// Line numbers were once 16-bit: header lines past this one are not looked
// for. Entries of a header at or before it are still read wherever they lie.
inline constexpr int kLanguageFileLineLimit = 32767;

struct LanguageLoad {
    // In file order; a section met twice gives its texts twice, the later winning.
    std::vector<TextAssignment> texts;
    LanguageTable table;
};

// The language file beside the program: programDir, the native separator
// and "language.lng" (no second separator when programDir ends with one).
QString languageFilePath(const QString& programDir);

// Empty optional when the file does not exist (the caller then tells the user
// and ends the program). Writes the loader's trace lines to the log.
//
// The file is read once. A section starts at every line that equals one of the
// sixteen headers exactly (entry lines included), entry N being line
// header + N, empty past the end of the file. An empty or unreadable file
// has no sections.
std::optional<LanguageLoad> loadLanguageFile(const QString& path, DebugLog* log = nullptr);

// The same for a file's bytes already in memory.
LanguageLoad loadLanguageText(const QByteArray& data, DebugLog* log = nullptr);

// Why the file at path is not a language file, none when it is one: a
// regular file of text (no NUL byte) with a section header where the loader
// looks for them. For files the user may have put anywhere, so that a wrong
// one is passed over rather than loaded as a file without texts.
std::optional<QString> whyNotALanguageFile(const QString& path);

} // namespace quillset
