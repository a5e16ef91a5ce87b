// set KEY=VALUE... and apply FILE: values checked as the Options window
// takes them when typed, all or none (see change_write.cpp for the write).

#include "cli/commands.h"

#include "io/file_helpers.h"

namespace quillset::cli {

namespace {

const QString kNothingSet = QStringLiteral("; nothing was set");

} // namespace

std::optional<Change> takeChange(int row, const QString& typed, const QString& where,
                                 CommandOutput& output) {
    const KeyDef& def = keyCatalogue()[row];
    const std::variant<TypedValue, Refusal> taken = takeTypedValue(def, typed);
    if (const auto* refusal = std::get_if<Refusal>(&taken)) {
        fail(output, ExitCode::Usage, where + refusalText(def, *refusal, typed) + kNothingSet);
        return std::nullopt;
    }
    return Change{row, std::get<TypedValue>(taken)};
}

namespace {

// KEY=VALUE, the key one that set takes.
std::optional<Change> pairChange(const QString& pair, CommandOutput& output) {
    const qsizetype equals = pair.indexOf(QLatin1Char('='));
    if (equals < 0) {
        fail(output, ExitCode::Usage,
             QStringLiteral("\"%1\" has no \"=\": set takes KEY=VALUE").arg(pair) + kNothingSet);
        return std::nullopt;
    }
    const QString key = pair.left(equals);
    const std::variant<int, QString> row = settableKey(key);
    if (const auto* reason = std::get_if<QString>(&row)) {
        fail(output, ExitCode::Usage, *reason + kNothingSet);
        return std::nullopt;
    }
    return takeChange(std::get<int>(row), pair.mid(equals + 1), QString(), output);
}

// The change named twice, by its key; nothing when each key is named once.
std::optional<QLatin1String> namedTwice(const QList<Change>& changes) {
    for (qsizetype i = 0; i < changes.size(); ++i) {
        for (qsizetype j = 0; j < i; ++j) {
            if (changes[i].row == changes[j].row)
                return keyCatalogue()[changes[i].row].name();
        }
    }
    return std::nullopt;
}

} // namespace

std::variant<int, QString> settableKey(const QString& key) {
    const std::optional<int> row = findKey(QByteArrayView(key.toUtf8()));
    if (!row)
        return unknownKeyText(key);
    const KeyDef& def = keyCatalogue()[*row];
    if (def.isHeld())
        return refusalText(def, Refusal::HeldKey, QString());
    return *row;
}

ExitCode setCommand(const Invocation& invocation, CommandOutput& output) {
    if (invocation.words.isEmpty())
        return fail(output, ExitCode::Usage, QStringLiteral("set takes KEY=VALUE pairs"));
    QList<Change> changes;
    bool refused = false;
    for (const QString& pair : invocation.words) {
        const std::optional<Change> change = pairChange(pair, output);
        if (change)
            changes << *change;
        refused = refused || !change;
    }
    if (refused)
        return ExitCode::Usage;
    if (const std::optional<QLatin1String> key = namedTwice(changes))
        return fail(output, ExitCode::Usage,
                    QStringLiteral("%1 is named twice").arg(*key) + kNothingSet);
    return changeSettings(invocation, changes, output);
}

ExitCode applyCommand(const Invocation& invocation, CommandOutput& output) {
    if (invocation.words.size() != 1)
        return fail(output, ExitCode::Usage,
                    QStringLiteral("apply takes one profile FILE, or - for standard input"));
    const QString& file = invocation.words.front();
    const bool standardInput = file == QLatin1String("-");
    const QString name = standardInput ? QStringLiteral("standard input") : file;
    std::variant<QByteArray, ReadFailure> bytes =
        standardInput ? invocation.standardInput() : readFile(file);
    if (const auto* failure = std::get_if<ReadFailure>(&bytes))
        return fail(output, ExitCode::Failed,
                    QStringLiteral("%1: %2").arg(shownPath(name), readFailureText(*failure)));
    const Profile profile = readProfile(name, std::get<QByteArray>(bytes), output);
    if (profile.refused)
        return ExitCode::Usage;
    if (const std::optional<QLatin1String> key = namedTwice(profile.changes))
        return fail(output, ExitCode::Usage,
                    QStringLiteral("%1: %2 is named twice").arg(shownPath(name), *key) +
                        kNothingSet);
    output.out += shownPath(name).toUtf8() + ": " +
                  countOf(profile.ignored, profile.unit, profile.unit == QLatin1String("key")
                                                             ? "keys"
                                                             : "lines") +
                  " ignored (not a key that set takes)\n";
    return changeSettings(invocation, profile.changes, output);
}

} // namespace quillset::cli
