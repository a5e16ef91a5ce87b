// The profiles apply reads: KEY : value lines (the output of get, a
// settings.cfg, a file written by hand) or the JSON object get --json prints.

#include "cli/commands.h"

#include "io/ansi_text.h"
#include "io/text_lines.h"
#include "settings/settings_reader.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QStringDecoder>

#include <algorithm>
#include <cmath>

namespace quillset::cli {

namespace {

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

// Blanks around a number are left out, as the settings reader leaves them.
QString asTyped(int row, const QString& value) {
    return keyCatalogue()[row].kind == KeyKind::Text ? value : value.trimmed();
}

// The key a line names in a form the reader would not take ("musicvolume :
// 55", "MUSICVOLUME=34", "MUSICVOLUME: 52"): a key set takes, else nothing.
std::optional<int> lookalikeKey(const QString& line) {
    static const QRegularExpression pattern(u"^\\s*([A-Za-z][A-Za-z0-9_]*)\\s*[:=]"_qs);
    const QRegularExpressionMatch match = pattern.match(line);
    const std::optional<int> row =
        match.hasMatch() ? findKey(QByteArrayView(match.captured(1).toUpper().toLatin1()))
                         : std::nullopt;
    return row && !keyCatalogue()[*row].isHeld() ? row : std::nullopt;
}

void take(Profile& profile, int row, const QString& typed, const QString& where,
          CommandOutput& output) {
    const std::optional<Change> change = takeChange(row, typed, where, output);
    if (change)
        profile.changes << *change;
    profile.refused = profile.refused || !change;
}

Profile readLines(const QString& name, QByteArrayView bytes, CommandOutput& output) {
    Profile profile;
    const bool utf8 = isUtf8Profile(bytes);
    int number = 0;
    forEachLine(bytes, [&](QByteArrayView line) {
        // Made only for a line that is taken or refused: most lines are neither.
        const int lineNumber = ++number;
        const auto where = [&] {
            return QStringLiteral("%1 line %2: ").arg(shownPath(name)).arg(lineNumber);
        };
        const std::optional<QByteArrayView> key = lineKey(line, false);
        const int row = key ? findKey(*key).value_or(-1) : -1; // -1: no key of the catalogue
        const QString text = utf8 ? QString::fromUtf8(line) : fromAnsi(line);
        if (row >= 0 && !keyCatalogue()[row].isHeld()) {
            const QString value = text.mid(text.indexOf(QLatin1String(kSeparator)) + 3);
            take(profile, row, asTyped(row, value), where(), output);
        } else if (const std::optional<int> like = row >= 0 ? std::nullopt : lookalikeKey(text)) {
            const QLatin1String key = keyCatalogue()[*like].name();
            fail(output, ExitCode::Usage,
                 where() + QStringLiteral("\"%1\" looks like %2, which is written \"%2 : value\"; "
                                        "nothing was set")
                             .arg(text.trimmed(), key));
            profile.refused = true;
        } else {
            profile.ignored += line.isEmpty() ? 0 : 1;
        }
    });
    return profile;
}

// The object get --json prints: a number or a text for each key; null
// (a key the file had no value for) and keys set does not take are ignored.
Profile readJson(const QString& name, const QByteArray& bytes, CommandOutput& output) {
    Profile profile;
    profile.unit = "key";
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (!document.isObject()) {
        fail(output, ExitCode::Usage,
             QStringLiteral("%1: not a JSON object (%2); nothing was set")
                 .arg(shownPath(name), error.errorString()));
        profile.refused = true;
        return profile;
    }
    const QJsonObject object = document.object();
    for (auto it = object.begin(); it != object.end(); ++it) {
        const std::optional<int> row = findKey(QByteArrayView(it.key().toLatin1()));
        const QString where = QStringLiteral("%1 key %2: ").arg(shownPath(name), it.key());
        const QJsonValue value = it.value();
        const bool whole = value.isDouble() && std::trunc(value.toDouble()) == value.toDouble();
        if (!row || keyCatalogue()[*row].isHeld() || value.isNull()) {
            ++profile.ignored;
        } else if (value.isString() || whole) {
            take(profile, *row,
                 value.isString() ? value.toString() : QString::number(value.toDouble(), 'f', 0),
                 where, output);
        } else {
            fail(output, ExitCode::Usage,
                 where + QStringLiteral("takes a number or a text; nothing was set"));
            profile.refused = true;
        }
    }
    return profile;
}

} // namespace

Profile readProfile(const QString& name, const QByteArray& bytes, CommandOutput& output) {
    return bytes.trimmed().startsWith('{') ? readJson(name, bytes, output)
                                            : readLines(name, bytes, output);
}

} // namespace quillset::cli
