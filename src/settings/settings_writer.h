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
    LineBreak,      // it would end the line early and start another
    NotWindows1252, // the file has no byte for one of its characters
};

// The bytes a text is written as in a settings file, or why it cannot be.
// The writer and the command line's typed values share this one rule.
std::variant<QByteArray, TextProblem> settingsFileText(QStringView text);

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
// that is on, a choice with no button on). With account keys, the CD keys
// are those; without, the keys held from the file.
std::optional<QString> settingsValueText(const SettingsModel& model, int row,
                                         const std::optional<AccountCdKeys>& accountKeys = {});

// The file's bytes, or an error when a value cannot be written in
// Windows-1252 (it is never replaced by a substitute character). Without
// account keys the keys held from the file are written.
std::variant<QByteArray, EncodeError>
serializeSettings(const SettingsModel& model,
                  const std::optional<AccountCdKeys>& accountKeys = std::nullopt);

// Serialises and replaces the file atomically. Empty optional on success,
// otherwise a sentence for the user; the old file is then unchanged.
std::optional<QString>
writeSettingsFile(const QString& path, const SettingsModel& model,
                  const std::optional<AccountCdKeys>& accountKeys = std::nullopt);

} // namespace quillset
