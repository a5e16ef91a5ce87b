// Oracle: apply takes from a line profile exactly the lines whose bytes before
// their first " : " are a key set takes (one of the catalogue, not held), in
// file order, and refuses such a line, by its number, exactly when set would
// refuse its value: a number not written in plain digits (blanks around it
// left out), or one its control does not hold; a text with a control
// character, a character Windows-1252 lacks, or more characters than its box
// takes. A line naming no key but looking like one set takes ("musicvolume :
// 5", "SOUND=1") is refused too. Values read as UTF-8 when the file is (a
// mark, or valid UTF-8 not all ASCII), else as Windows-1252. A JSON profile's
// changes all name a key of the object whose value set would take.

#include "cli/commands.h"
#include "fuzz_input.h"
#include "io/ansi_text.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cmath>

using namespace quillset;

namespace {

int textLimit(const KeyDef& def) {
    const int width = def.width > 0 ? def.width : 0;
    if (width == 0 || def.typingLimit == 0)
        return std::max(width, def.typingLimit);
    return std::min(width, def.typingLimit);
}

bool numberTaken(const KeyDef& def, int n) {
    switch (def.kind) {
    case KeyKind::Number:
        return n >= def.min && n <= def.max;
    case KeyKind::Choice:
        return std::ranges::any_of(def.choices(), [n](char digit) { return digit - '0' == n; });
    case KeyKind::WaitRetrace:
        return n == 0 || n == 1;
    default:
        return n >= 0 && n <= 2;
    }
}

bool setTakes(const KeyDef& def, const QString& value) {
    if (def.kind == KeyKind::Text) {
        const int limit = textLimit(def);
        return std::ranges::none_of(value, [](QChar c) { return c < u' ' || c == u'\x7f'; }) &&
               toAnsi(value) && (limit == 0 || value.size() <= limit);
    }
    // Plain digits: an optional minus, no leading zero, no "-0", within int.
    const QString text = value.trimmed();
    const QStringView digits = QStringView(text).sliced(text.startsWith(u'-') ? 1 : 0);
    const bool plain =
        !digits.isEmpty() && digits.size() <= 10 &&
        std::ranges::all_of(digits, [](QChar c) { return c >= u'0' && c <= u'9'; }) &&
        (digits == u"0" ? text == u"0" : digits.front() != u'0');
    const qlonglong n = plain ? text.toLongLong() : 0;
    return plain && n == int(n) && numberTaken(def, int(n));
}

// "  musicvolume =", "SOUND:": a name of letters, digits and '_' after
// optional blanks (ASCII ones), then blanks and a ':' or '='.
bool looksLikeSettable(const QString& line) {
    const auto blank = [](QChar c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); };
    qsizetype i = 0;
    while (i < line.size() && blank(line[i]))
        ++i;
    const qsizetype start = i;
    while (i < line.size() && line[i].unicode() < 128 &&
           (line[i].isLetter() || (i > start && (line[i].isDigit() || line[i] == u'_'))))
        ++i;
    const QString name = line.mid(start, i - start).toUpper();
    while (i < line.size() && blank(line[i]))
        ++i;
    if (name.isEmpty() || i == line.size() || (line[i] != u':' && line[i] != u'='))
        return false;
    return std::ranges::any_of(keyCatalogue(), [&](const KeyDef& def) {
        return !def.isHeld() && name == QLatin1String(def.key);
    });
}

void checkLines(QByteArray bytes, const cli::Profile& profile, const QByteArray& err) {
    const bool marked = bytes.startsWith("\xEF\xBB\xBF");
    const bool utf8 = marked || (std::ranges::any_of(bytes, [](char c) { return c & 0x80; }) &&
                                 QString::fromUtf8(bytes).toUtf8() == bytes);
    bytes = bytes.sliced(marked ? 3 : 0).replace("\r\n", "\n").replace('\r', '\n');
    int ignored = 0;
    qsizetype change = 0;
    QByteArray refusals;
    const QList<QByteArray> lines = bytes.split('\n');
    for (qsizetype number = 1; number <= lines.size(); ++number) {
        const QByteArray& line = lines[number - 1];
        const QString text = utf8 ? QString::fromUtf8(line) : fromAnsi(line);
        const qsizetype at = line.indexOf(" : ");
        // A view: the line's key is compared with every key of the catalogue.
        const QByteArrayView name = QByteArrayView(line).first(std::max<qsizetype>(at, 0));
        const auto key = std::ranges::find_if(keyCatalogue(), [&](const KeyDef& def) {
            return at >= 0 && name == def.key;
        });
        const auto where = [number] {
            return "quillset: p line " + QByteArray::number(number) + ": ";
        };
        if (key == keyCatalogue().end() && looksLikeSettable(text)) {
            refusals += where();
            continue;
        }
        if (key == keyCatalogue().end() || key->isHeld()) {
            ignored += line.isEmpty() ? 0 : 1;
            continue;
        }
        const QString value = text.mid(text.indexOf(u" : ") + 3);
        if (!setTakes(*key, value)) {
            refusals += where();
            continue;
        }
        FUZZ_CHECK(change < profile.changes.size());
        const cli::Change& taken = profile.changes[change++];
        FUZZ_CHECK(taken.row == key - keyCatalogue().begin());
        FUZZ_CHECK(key->kind == KeyKind::Text ? taken.value.text == value
                                              : taken.value.number == value.trimmed().toInt());
    }
    // Each refusal is one line naming the profile's line.
    QByteArray printed;
    for (const QByteArray& line : err.split('\n'))
        printed += line.isEmpty() ? QByteArray() : line.first(line.indexOf(": ", 14) + 2);
    FUZZ_CHECK(change == profile.changes.size() && profile.ignored == ignored);
    FUZZ_CHECK(printed == refusals && profile.refused == !refusals.isEmpty());
}

void checkJson(const QByteArray& bytes, const cli::Profile& profile) {
    const QJsonObject object = QJsonDocument::fromJson(bytes).object();
    for (const cli::Change& change : profile.changes) {
        const KeyDef& def = keyCatalogue()[change.row];
        const QJsonValue value = object.value(QLatin1String(def.key));
        FUZZ_CHECK(value.isString() || value.isDouble());
        const QString typed = value.isString() ? value.toString()
                                               : QString::number(value.toDouble(), 'f', 0);
        FUZZ_CHECK(setTakes(def, typed));
        FUZZ_CHECK(def.kind == KeyKind::Text ? change.value.text == typed
                                             : change.value.number == typed.toInt());
    }
    FUZZ_CHECK(profile.changes.size() + profile.ignored <= object.size());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes = fuzzInput(data, size).toByteArray();
    cli::CommandOutput output;
    const cli::Profile profile = cli::readProfile(QStringLiteral("p"), bytes, output);
    if (bytes.trimmed().startsWith('{'))
        checkJson(bytes, profile);
    else
        checkLines(bytes, profile, output.err);
    return 0;
}
