// get [KEY...] [--json]: the values as the writer writes them, in the
// writer's order or in the order asked.

#include "cli/commands.h"

#include "settings/settings_writer.h"

namespace quillset::cli {

namespace {

// The rows asked for, or every row get takes; nothing when a key is refused.
std::optional<QList<int>> askedRows(const QStringList& keys, CommandOutput& output) {
    QList<int> rows;
    if (keys.isEmpty()) {
        for (int row = 0; row < kKeyCount; ++row) {
            if (!keyCatalogue()[row].isHeld())
                rows << row;
        }
        return rows;
    }
    for (const QString& key : keys) {
        const std::variant<int, QString> row = settableKey(key);
        if (const auto* reason = std::get_if<QString>(&row)) {
            fail(output, ExitCode::Usage, *reason);
            return std::nullopt;
        }
        rows << std::get<int>(row);
    }
    return rows;
}

// The value as the writer writes it; nothing for an option group without a
// button on, which the writer leaves out. A checked wait-retrace box, which
// the file holds as the key's absence, is printed as its number all the
// same, so get's output, applied as a profile, sets it.
std::optional<QString> valueText(const SettingsModel& model, int row) {
    if (keyCatalogue()[row].kind == KeyKind::WaitRetrace)
        return QString::number(model.numbers[row]);
    return settingsValueText(model, row);
}

QByteArray lines(const SettingsModel& model, const QList<int>& rows) {
    QByteArray out;
    for (const int row : rows) {
        if (const std::optional<QString> value = valueText(model, row))
            out += QByteArray(keyCatalogue()[row].key) + kSeparator + value->toUtf8() + '\n';
    }
    return out;
}

// Flags, numbers and choices as numbers, texts as strings, an option group
// without a button on as null.
QByteArray jsonObject(const SettingsModel& model, const QList<int>& rows) {
    QByteArray out = "{";
    for (const int row : rows) {
        const KeyDef& def = keyCatalogue()[row];
        const std::optional<QString> value = valueText(model, row);
        out += QByteArray(out.size() > 1 ? ",\n  " : "\n  ") + jsonString(def.name()) + ": ";
        out += !value                      ? QByteArray("null")
               : def.kind == KeyKind::Text ? jsonString(*value)
                                           : value->toLatin1();
    }
    return out + "\n}\n";
}

} // namespace

ExitCode getCommand(const Invocation& invocation, CommandOutput& output) {
    const std::optional<QList<int>> rows = askedRows(invocation.words, output);
    if (!rows)
        return ExitCode::Usage;
    const std::optional<GameFiles> game = findGame(invocation, output);
    if (!game)
        return ExitCode::Failed;
    const std::optional<SettingsModel> model = readGameSettings(*game, output);
    if (!model)
        return ExitCode::Failed;
    output.out += invocation.json ? jsonObject(*model, *rows) : lines(*model, *rows);
    return ExitCode::Done;
}

} // namespace quillset::cli
