#pragma once
// Writing a SettingsModel as settings.cfg: catalogue keys in catalogue order,
// then the kept unknown lines, then one empty line; CR LF throughout.

#include "settings/settings_model.h"

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <optional>
#include <variant>

namespace quillset {

// The two CD keys of the account selected in the Account window.
struct AccountCdKeys {
    QString korrin;
    QString deepfall;
};

// Why a text cannot be a value in a line of a settings file.
enum class TextProblem {
    LineBreak,        // it would end the line early and start another
    ControlCharacter, // another character below U+0020, or U+007F
    NotWindows1252,   // the file has no byte for one of its characters
};

// The bytes a text is written as in a settings file, or why it cannot be:
// a line break, or a character Windows-1252 lacks. Any other text, however
// odd, is written as it is: a value read from the file comes back unchanged.
std::variant<QByteArray, TextProblem> settingsFileText(QStringView text);

// Whether a text may become a value, wherever it comes from (typed, pasted,
// set by an accessibility tool, a command or a profile): one line of
// Windows-1252 without control characters, which the game cannot show and
// which would corrupt the file for other readers.
std::optional<TextProblem> valueTextProblem(QStringView text);

// A value that a settings file cannot hold; nothing is written then.
struct EncodeError {
    using Problem = TextProblem;
    Problem problem;
    QLatin1String key;

    // The reason as a sentence, in English.
    QString message() const;
};

// The value of catalogue row `row` as settings.cfg holds it, before it is
// encoded; nothing when the file has no line for it (a wait-retrace flag
// that is on, a choice with no button on).
std::optional<QString> settingsValueText(const SettingsModel& model, int row);

// The line of catalogue row `row` as the writer writes it, without its line
// end; nothing when the file has no line for it.
std::optional<std::variant<QByteArray, EncodeError>> settingsLine(const SettingsModel& model,
                                                                  int row);

// The file's bytes, or an error when a value cannot be written in
// Windows-1252 (it is never replaced by a substitute character).
std::variant<QByteArray, EncodeError> serializeSettings(const SettingsModel& model);

// The first text value of `values` that breaks valueTextProblem's rule and
// did not come from the file: values equal to those of `asRead` (the file as
// loaded; none: every value is an edit) are written back as they were read.
std::optional<EncodeError> refusedText(const SettingsModel& values, const SettingsModel* asRead);

} // namespace quillset
