// set KEY=VALUE... and apply FILE: values checked as the Options window
// takes them when typed, all or none (see change_write.cpp for the write).

#include "cli/commands.h"

#include "io/ansi_text.h"
#include "io/file_helpers.h"
#include "io/text_lines.h"

#include <QFileInfo>
#include <QStringDecoder>

#include <algorithm>

namespace quillset::cli {

namespace {

const QString kNothingSet = QStringLiteral("; nothing was set");

// The value taken for the key, or why not (the reason printed with where
// it came from in front, when given).
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

// A profile is UTF-8 when its bytes are valid UTF-8 and not all ASCII (the
// output of get, or a file written in a Linux editor), else Windows-1252
// (a settings file the window or the game saved). A UTF-8 byte-order mark
// counts as UTF-8 and is dropped.
bool isUtf8Profile(QByteArrayView& bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        bytes = bytes.sliced(3);
        return true;
    }
    const bool ascii =
        std::all_of(bytes.begin(), bytes.end(), [](char c) { return (c & 0x80) == 0; });
    if (ascii)
        return false;
    // Stateless: a sequence cut off at the end is an error, not held back.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    [[maybe_unused]] const QString text = decoder(bytes);
    return !decoder.hasError();
}

} // namespace

Profile readProfile(const QString& file, QByteArrayView bytes, CommandOutput& output) {
    Profile profile;
    const bool utf8 = isUtf8Profile(bytes);
    int number = 0;
    const QByteArrayView separator(kSeparator, sizeof(kSeparator) - 1);
    forEachLine(bytes, [&](QByteArrayView line) {
        ++number;
        const qsizetype at = line.indexOf(separator);
        const std::optional<int> row = at < 0 ? std::nullopt : findKey(line.first(at));
        if (!row || keyCatalogue()[*row].isHeld()) {
            profile.ignored += line.isEmpty() ? 0 : 1;
            return;
        }
        const QByteArrayView value = line.sliced(at + separator.size());
        const QString where = QStringLiteral("%1 line %2: ").arg(shownPath(file)).arg(number);
        const std::optional<Change> change =
            takeChange(*row, utf8 ? QString::fromUtf8(value) : fromAnsi(value), where, output);
        if (change)
            profile.changes << *change;
        profile.refused = profile.refused || !change;
    });
    return profile;
}

std::variant<int, QString> settableKey(const QString& key) {
    const std::optional<int> row = findKey(QByteArrayView(key.toUtf8()));
    if (!row)
        return QStringLiteral("unknown key \"%1\" (quillset get lists the keys)").arg(key);
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
    return changeSettings(invocation, changes, output);
}

ExitCode applyCommand(const Invocation& invocation, CommandOutput& output) {
    if (invocation.words.size() != 1)
        return fail(output, ExitCode::Usage, QStringLiteral("apply takes one profile FILE"));
    const QString& file = invocation.words.front();
    const std::optional<QByteArray> bytes = readRegularFile(file);
    if (!bytes) {
        return fail(
            output, ExitCode::Failed,
            QStringLiteral("%1: %2").arg(shownPath(file), QFileInfo::exists(file)
                                                              ? QStringLiteral("it cannot be read")
                                                              : QStringLiteral("no such file")));
    }
    const Profile profile = readProfile(file, *bytes, output);
    if (profile.refused)
        return ExitCode::Usage;
    output.out += shownPath(file).toUtf8() + ": " + countOf(profile.ignored, "line", "lines") +
                  " ignored (not a key that set takes)\n";
    return changeSettings(invocation, profile.changes, output);
}

} // namespace quillset::cli
