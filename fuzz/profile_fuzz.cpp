// Oracle: apply takes from a profile exactly the lines whose bytes before
// their first " : " are a key set takes (one of the catalogue, not held), in
// file order, and refuses such a line, by its number, exactly when set would
// refuse its value: a number not written as digits with an optional minus,
// or one its control does not hold; a text with a control character, a
// character Windows-1252 lacks, or more characters than its box takes. Each
// change is the line's value, read as UTF-8 when the file is (a mark, or
// valid UTF-8 not all ASCII), else as Windows-1252.

#include "cli/commands.h"
#include "fuzz_input.h"
#include "io/ansi_text.h"

#include <algorithm>
#include <limits>

using namespace quillset;

namespace {

bool setTakes(const KeyDef& def, const QString& value) {
    if (def.kind == KeyKind::Text) {
        return std::ranges::none_of(value, [](QChar c) { return c < u' ' || c == u'\x7f'; }) &&
               toAnsi(value) && (def.typingLimit == 0 || value.size() <= def.typingLimit);
    }
    const QStringView digits = QStringView(value).sliced(value.startsWith(u'-') ? 1 : 0);
    bool ok = false;
    const qlonglong n = value.toLongLong(&ok);
    if (digits.isEmpty() ||
        !std::ranges::all_of(digits, [](QChar c) { return c >= u'0' && c <= u'9'; }) || !ok || n < std::numeric_limits<int>::min() || n > std::numeric_limits<int>::max())
        return false;
    if (def.kind == KeyKind::Number)
        return n >= def.min && n <= def.max;
    if (def.kind == KeyKind::Choice)
        return std::ranges::any_of(def.choices(),
                                   [n](const ChoiceButton& b) { return b.digit - '0' == n; });
    return n >= 0 && n <= 2;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QByteArray bytes = fuzzInput(data, size).toByteArray();
    cli::CommandOutput output;
    const cli::Profile profile = cli::readProfile(QStringLiteral("p"), bytes, output);

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
        const qsizetype at = line.indexOf(" : ");
        const auto key = std::ranges::find_if(keyCatalogue(), [&](const KeyDef& def) {
            return at >= 0 && !def.isHeld() && line.first(at) == def.key;
        });
        if (key == keyCatalogue().end()) {
            ignored += line.isEmpty() ? 0 : 1;
            continue;
        }
        const QByteArray raw = line.sliced(at + 3);
        const QString value = utf8 ? QString::fromUtf8(raw) : fromAnsi(raw);
        if (!setTakes(*key, value)) {
            refusals += "quillset: p line " + QByteArray::number(number) + ": ";
            continue;
        }
        FUZZ_CHECK(change < profile.changes.size());
        const cli::Change& taken = profile.changes[change++];
        FUZZ_CHECK(taken.row == key - keyCatalogue().begin());
        FUZZ_CHECK(key->kind == KeyKind::Text ? taken.value.text == value
                                              : taken.value.number == value.toInt());
    }
    // Each refusal is one line naming the profile's line.
    QByteArray printed;
    for (const QByteArray& line : output.err.split('\n'))
        printed += line.isEmpty() ? QByteArray() : line.first(line.indexOf(": ", 14) + 2);
    FUZZ_CHECK(change == profile.changes.size() && profile.ignored == ignored);
    FUZZ_CHECK(printed == refusals && profile.refused == !refusals.isEmpty());
    return 0;
}
