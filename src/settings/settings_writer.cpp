#include "settings/settings_writer.h"

#include "io/ansi_text.h"
#include "io/text_lines.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace quillset {

QString EncodeError::message() const {
    switch (problem) {
    case Problem::LineBreak:
        return QStringLiteral("The value of %1 holds a line break, which a settings file "
                              "cannot store.")
            .arg(key);
    case Problem::ControlCharacter:
        return QStringLiteral("The value of %1 holds a control character, which a settings "
                              "file cannot store.")
            .arg(key);
    case Problem::NotWindows1252:
        break;
    }
    return QStringLiteral("The value of %1 holds characters that a settings file cannot store.")
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

std::optional<TextProblem> valueTextProblem(QStringView text) {
    for (const QChar c : text) {
        if (c == u'\r' || c == u'\n')
            return TextProblem::LineBreak;
        if (c < u' ' || c == u'\x7f')
            return TextProblem::ControlCharacter;
    }
    if (!toAnsi(text))
        return TextProblem::NotWindows1252;
    return std::nullopt;
}

std::optional<QString> settingsValueText(const SettingsModel& model, int row) {
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
        return isChoiceDigit(def, number) ? std::optional(QString::number(number)) : std::nullopt;
    case KeyKind::Text:
        return model.texts[row];
    case KeyKind::FontPages:
        return model.fontPagesValue;
    case KeyKind::CdKey:
        return model.fileCdKey;
    case KeyKind::CdKey2:
        return model.fileCdKey2;
    }
    return std::nullopt;
}

std::optional<std::variant<QByteArray, EncodeError>> settingsLine(const SettingsModel& model,
                                                                  int row) {
    const std::optional<QString> value = settingsValueText(model, row);
    if (!value)
        return std::nullopt;
    const KeyDef& def = keyCatalogue()[row];
    std::variant<QByteArray, TextProblem> bytes = settingsFileText(*value);
    if (const auto* problem = std::get_if<TextProblem>(&bytes))
        return EncodeError{*problem, def.name()};
    return QByteArray(def.key) + kSeparator + std::get<QByteArray>(bytes);
}

namespace {

// Appends the row's line and its line end, the same bytes settingsLine
// gives; a number goes straight into out, as a save writes some forty.
std::optional<EncodeError> appendLine(QByteArray& out, const SettingsModel& model, int row) {
    const KeyDef& def = keyCatalogue()[row];
    switch (def.kind) {
    case KeyKind::Flag:
    case KeyKind::Number:
    case KeyKind::WaitRetrace:
    case KeyKind::Choice: {
        // As settingsValueText: a wait-retrace flag that is on, and a choice
        // with no button on, have no line.
        const int number = model.numbers[row];
        if ((def.kind == KeyKind::WaitRetrace && number != 0) ||
            (def.kind == KeyKind::Choice && !isChoiceDigit(def, number)))
            return std::nullopt;
        std::array<char, 16> digits{};
        const auto end = std::to_chars(digits.begin(), digits.end(), model.numbers[row]).ptr;
        out.append(def.key).append(kSeparator);
        out.append(digits.data(), end - digits.begin()).append("\r\n");
        return std::nullopt;
    }
    case KeyKind::Text:
    case KeyKind::FontPages:
    case KeyKind::CdKey:
    case KeyKind::CdKey2:
        break;
    }
    // A text is always written, empty or not.
    const std::variant<QByteArray, TextProblem> bytes =
        settingsFileText(settingsValueText(model, row).value_or(QString()));
    if (const auto* problem = std::get_if<TextProblem>(&bytes))
        return EncodeError{*problem, def.name()};
    out.append(def.key).append(kSeparator).append(std::get<QByteArray>(bytes)).append("\r\n");
    return std::nullopt;
}

} // namespace

std::variant<QByteArray, EncodeError> serializeSettings(const SettingsModel& model) {
    QByteArray out;
    out.reserve(2048 + model.unknownLines.size());
    for (int row = 0; row < kKeyCount; ++row) {
        if (const std::optional<EncodeError> error = appendLine(out, model, row))
            return *error;
    }
    out.append(model.unknownLines);
    out.append("\r\n");
    return out;
}

std::optional<EncodeError> refusedText(const SettingsModel& values, const SettingsModel* asRead) {
    for (int row = 0; row < kKeyCount; ++row) {
        const KeyDef& def = keyCatalogue()[row];
        if (def.kind != KeyKind::Text && def.kind != KeyKind::CdKey && def.kind != KeyKind::CdKey2)
            continue;
        const std::optional<QString> value = settingsValueText(values, row);
        if (!value || (asRead && settingsValueText(*asRead, row) == value))
            continue;
        if (const std::optional<TextProblem> problem = valueTextProblem(*value))
            return EncodeError{*problem, def.name()};
    }
    return std::nullopt;
}

} // namespace quillset
