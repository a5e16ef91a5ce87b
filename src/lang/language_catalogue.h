#pragma once
// Which line of language.lng goes where: one row per text target, so the
// loader stays generic and the windows can check the control names they own.

#include "lang/language_texts.h"

#include <span>
#include <string_view>

namespace quillset {

inline constexpr std::string_view kOptionsWindowName = "Form1";
inline constexpr std::string_view kAccountWindowName = "Form2";

// One use of one entry. An entry that feeds several controls has one row per
// control; a row with an empty window only keeps the text.
struct LanguageTextRow {
    std::string_view section; // without brackets, as the LanguageTable keys it
    int entry = 0;            // 1 = the line right after the header
    std::string_view window;  // kOptionsWindowName, kAccountWindowName or empty
    std::string_view control; // object name of the control, menu or action
    int index = -1;           // element of a control array, -1 for none
    TextProperty property = TextProperty::Caption;
    bool kept = false;       // also stored in the LanguageTable
    std::string_view suffix; // appended to the line (the exit caption's blank)
    // An entry added after the first language files were written: it counts
    // only when no comment or header line stands between its section's
    // header and it, since an older file has other lines there.
    bool addedLater = false;
};

// The sixteen section names, without brackets. A header line is "[" + name + "]".
std::span<const std::string_view> languageSections();

// Rows in the order their texts are applied when the section's header is met.
std::span<const LanguageTextRow> languageTextRows();

// The rows of one section, in application order (empty for an unknown name).
std::span<const LanguageTextRow> languageTextRows(std::string_view section);

} // namespace quillset
