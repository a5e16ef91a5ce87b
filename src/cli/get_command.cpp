// get [KEY...] [--json]: the values the file holds, as the writer writes
// them, in the writer's order or in the order asked; a key the file has no
// value for is said on standard error (exit status 1), never made up.

#include "cli/commands.h"

#include "settings/settings_writer.h"

namespace quillset::cli {

namespace {

bool isCdKey(const KeyDef& def) {
    return def.kind == KeyKind::CdKey || def.kind == KeyKind::CdKey2;
}

// The rows asked for; without keys every row the file holds a value for but
// the CD keys, which are secrets. Nothing when a key is unknown.
std::optional<QList<int>> askedRows(const QStringList& keys, const SettingsFileRead* read,
                                    CommandOutput& output) {
    QList<int> rows;
    if (keys.isEmpty()) {
        for (int row = 0; read && row < kKeyCount; ++row) {
            if (read->valued.test(std::size_t(row)) && !isCdKey(keyCatalogue()[row]))
                rows << row;
        }
        return rows;
    }
    for (const QString& key : keys) {
        const std::optional<int> row = findKey(QByteArrayView(key.toUtf8()));
        if (!row) {
            fail(output, ExitCode::Usage, unknownKeyText(key));
            return std::nullopt;
        }
        rows << *row;
    }
    return rows;
}

// The value as the writer writes it. A checked wait-retrace box, which the
// file holds as the key's absence, is printed as its number all the same,
// so get's output, applied as a profile, sets it.
QString valueText(const SettingsModel& model, int row) {
    if (keyCatalogue()[row].kind == KeyKind::WaitRetrace)
        return QString::number(model.numbers[row]);
    return settingsValueText(model, row).value_or(QString());
}

// Flags, numbers and choices as numbers, texts as strings, a key the file
// has no value for as null.
QByteArray jsonValue(const SettingsFileRead& read, int row) {
    const KeyDef& def = keyCatalogue()[row];
    if (!read.valued.test(std::size_t(row)))
        return "null";
    const QString value = valueText(read.values, row);
    const bool text = def.kind == KeyKind::Text || def.kind == KeyKind::FontPages || isCdKey(def);
    return text ? jsonString(value) : value.toLatin1();
}

} // namespace

QString unknownKeyText(const QString& key) {
    return QStringLiteral("unknown key \"%1\" (quillset get lists the keys)").arg(key);
}

ExitCode getCommand(const Invocation& invocation, CommandOutput& output) {
    if (!askedRows(invocation.words, nullptr, output))
        return ExitCode::Usage;
    const std::optional<GameFiles> game = findGame(invocation, output);
    if (!game)
        return ExitCode::Failed;
    const std::optional<SettingsFileRead> read = readGameSettings(*game, output);
    if (!read)
        return ExitCode::Failed;
    const QList<int> rows = *askedRows(invocation.words, &*read, output);
    QByteArray out = invocation.json ? "{" : "";
    ExitCode code = ExitCode::Done;
    for (const int row : rows) {
        const KeyDef& def = keyCatalogue()[row];
        if (invocation.json)
            out += QByteArray(out.size() > 1 ? ",\n  " : "\n  ") + jsonString(def.name()) + ": " +
                   jsonValue(*read, row);
        else if (read->valued.test(std::size_t(row)))
            out += QByteArray(def.key) + kSeparator + valueText(read->values, row).toUtf8() + '\n';
        if (!read->valued.test(std::size_t(row)))
            code = fail(output, ExitCode::Failed,
                        QStringLiteral("%1: %2 holds no value for it")
                            .arg(def.name(), shownPath(game->settings())));
    }
    output.out += invocation.json ? out + "\n}\n" : out;
    return code;
}

} // namespace quillset::cli
