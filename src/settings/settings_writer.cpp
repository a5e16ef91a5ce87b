#include "settings/settings_writer.h"

#include "io/ansi_text.h"
#include "io/atomic_file.h"
#include "io/text_lines.h"

namespace quillset {

QString EncodeError::message() const {
    return problem == Problem::LineBreak
               ? QStringLiteral("The value of %1 holds a line break, which a settings file "
                                "cannot store.")
                     .arg(key)
               : QStringLiteral("The value of %1 holds characters that a settings file "
                                "cannot store.")
                     .arg(key);
}

std::variant<QByteArray, TextProblem> settingsFileText(QStringView text) {
    // A line break would end the line early and start a line of its own,
    // which the next load would read as another key.
    if (containsLineBreak(text))
        return TextProblem::LineBreak;
    std::optional<QByteArray> bytes = toAnsi(text);
    if (!bytes)
        return TextProblem::NotWindows1252;
    return std::move(*bytes);
}

std::optional<QString> settingsValueText(const SettingsModel& model, int row,
                                         const std::optional<AccountCdKeys>& accountKeys) {
    const KeyDef& def = keyCatalogue()[row];
    const int number = model.numbers[row];
    switch (def.kind) {
    case KeyKind::Flag:
    case KeyKind::Number:
        return QString::number(number);
    case KeyKind::WaitRetrace:
        // Checked is stored as the key's absence.
        return number == 0 ? std::optional(QStringLiteral("0")) : std::nullopt;
    case KeyKind::Choice:
        for (const ChoiceButton& button : def.choices()) {
            if (number == button.digit - '0')
                return QString::number(number);
        }
        return std::nullopt;
    case KeyKind::Text:
        return model.texts[row];
    case KeyKind::FontPages:
        return model.fontPagesValue;
    case KeyKind::CdKey:
        return accountKeys ? accountKeys->korrin : model.fileCdKey;
    case KeyKind::CdKey2:
        return accountKeys ? accountKeys->deepfall : model.fileCdKey2;
    }
    return std::nullopt;
}

std::variant<QByteArray, EncodeError>
serializeSettings(const SettingsModel& model, const std::optional<AccountCdKeys>& accountKeys) {
    QByteArray out;
    out.reserve(2048 + model.unknownLines.size());
    for (int row = 0; row < kKeyCount; ++row) {
        const std::optional<QString> value = settingsValueText(model, row, accountKeys);
        if (!value)
            continue;
        const KeyDef& def = keyCatalogue()[row];
        const std::variant<QByteArray, TextProblem> bytes = settingsFileText(*value);
        if (const auto* problem = std::get_if<TextProblem>(&bytes))
            return EncodeError{*problem, def.name()};
        out.append(def.key);
        out.append(kSeparator);
        out.append(std::get<QByteArray>(bytes));
        out.append("\r\n");
    }
    out.append(model.unknownLines);
    out.append("\r\n");
    return out;
}

std::optional<QString> writeSettingsFile(const QString& path, const SettingsModel& model,
                                         const std::optional<AccountCdKeys>& accountKeys) {
    auto result = serializeSettings(model, accountKeys);
    if (const auto* error = std::get_if<EncodeError>(&result))
        return error->message();
    return writeFileAtomically(path, std::get<QByteArray>(result));
}

} // namespace quillset
