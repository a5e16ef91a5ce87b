#include "settings/typed_value.h"

#include "io/ansi_text.h"

#include <QStringList>
#include <algorithm>
#include <limits>
#include <utility>

namespace quillset {

namespace {

// The most characters a text may have: what its box lets the user type, and
// what the game's reader takes back (LANGUAGE: two); 0 for no limit.
int textLimit(const KeyDef& def) {
    return def.width > 0 && (def.typingLimit == 0 || def.width < def.typingLimit)
               ? def.width
               : def.typingLimit;
}

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// Decimal digits with an optional minus sign, as a number is typed; a number
// too large for int is out of any range.
std::variant<int, Refusal> typedNumber(const QString& typed) {
    const QStringView digits = QStringView(typed).sliced(typed.startsWith(u'-') ? 1 : 0);
    if (digits.isEmpty() || !std::all_of(digits.begin(), digits.end(), isDigit))
        return Refusal::NotANumber;
    bool ok = false;
    const qlonglong value = typed.toLongLong(&ok);
    if (!ok || value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        return Refusal::OutOfRange;
    return static_cast<int>(value);
}

std::variant<TypedValue, Refusal> takeNumber(const KeyDef& def, const QString& typed) {
    const std::variant<int, Refusal> number = typedNumber(typed);
    if (const auto* refusal = std::get_if<Refusal>(&number))
        return *refusal;
    const int value = std::get<int>(number);
    // The control takes the value unchanged, or the user could not have
    // set it: a slider holds its range, a check box its three states, an
    // option group its buttons. The file says only on (no line) or off of
    // the wait-retrace flag. No button on (kNoChoice) is what a choice holds
    // when the file names none: set would drop the key's line for it.
    if (acceptedNumber(def, value) != value || (def.kind == KeyKind::WaitRetrace && value > 1) ||
        (def.kind == KeyKind::Choice && value == kNoChoice))
        return def.kind == KeyKind::Choice ? Refusal::NotAChoice : Refusal::OutOfRange;
    // The file holds the number as the writer writes it; "080" would not
    // come back as typed.
    if (QString::number(value) != typed)
        return Refusal::NotPlain;
    return TypedValue{.number = value, .text = {}};
}

std::variant<TypedValue, Refusal> takeText(const KeyDef& def, const QString& typed) {
    if (const std::optional<TextProblem> problem = valueTextProblem(typed)) {
        return *problem == TextProblem::LineBreak          ? Refusal::LineBreak
               : *problem == TextProblem::ControlCharacter ? Refusal::ControlCharacter
                                                           : Refusal::NotWindows1252;
    }
    if (textLimit(def) > 0 && typed.size() > textLimit(def))
        return Refusal::TooLong;
    return TypedValue{.number = 0, .text = typed};
}

// "0, 1 or 2": the values a check box or an option group takes.
QString digitList(const KeyDef& def) {
    QStringList digits;
    if (def.kind == KeyKind::Choice) {
        for (const char digit : def.choices())
            digits << QString(QLatin1Char(digit));
    } else {
        digits << QStringLiteral("0") << QStringLiteral("1");
        if (def.kind != KeyKind::WaitRetrace)
            digits << QStringLiteral("2");
    }
    const QString last = digits.takeLast();
    return digits.join(QStringLiteral(", ")) + QStringLiteral(" or ") + last;
}

QString whatItTakes(const KeyDef& def) {
    if (def.kind == KeyKind::Number)
        return QStringLiteral("a whole number from %1 to %2").arg(def.min).arg(def.max);
    return digitList(def);
}

// The typed text on one line: line breaks shown as \r and \n.
QString shown(const QString& typed) {
    QString text = typed;
    return QLatin1Char('"') +
           text.replace(u'\r', QLatin1String("\\r")).replace(u'\n', QLatin1String("\\n")) +
           QLatin1Char('"');
}

// The first control character of text, by its code point: "U+0000".
QString firstControlCharacter(const QString& text) {
    for (const QChar c : text) {
        if (c < u' ' || c == u'\x7f')
            return QStringLiteral("U+%1").arg(c.unicode(), 4, 16, QLatin1Char('0')).toUpper();
    }
    return {};
}

// The first character of text that Windows-1252 has no byte for, shown
// in quotes when it can be seen, else by its code point ("U+2028").
QString firstUnstorable(const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QStringView character = QStringView(text).sliced(i, length);
        if (toAnsi(character))
            continue;
        const char32_t code = character.toUcs4().value(0);
        if (QChar::isPrint(code) && !QChar::isMark(code) && !QChar::isSpace(code))
            return QLatin1Char('"') + character.toString() + QLatin1Char('"');
        return QStringLiteral("U+%1").arg(uint(code), 4, 16, QLatin1Char('0')).toUpper();
    }
    return {};
}

QString heldText(const KeyDef& def) {
    if (def.kind == KeyKind::FontPages)
        return QStringLiteral("FONTPAGES is kept as the game wrote it; nothing changes it");
    return QStringLiteral("%1 is edited in the Account window (menu Options → Account "
                          "management), not here")
        .arg(def.name());
}

} // namespace

std::variant<TypedValue, Refusal> takeTypedValue(const KeyDef& def, const QString& typed) {
    if (def.isHeld())
        return Refusal::HeldKey;
    return def.kind == KeyKind::Text ? takeText(def, typed) : takeNumber(def, typed);
}

bool setTypedValue(SettingsModel& model, int row, const TypedValue& value) {
    if (keyCatalogue()[row].kind == KeyKind::Text) {
        QString& text = model.texts[row];
        return std::exchange(text, value.text) != value.text;
    }
    return std::exchange(model.numbers[row], value.number) != value.number;
}

QString refusalText(const KeyDef& def, Refusal refusal, const QString& typed) {
    switch (refusal) {
    case Refusal::HeldKey:
        return heldText(def);
    case Refusal::NotANumber:
    case Refusal::OutOfRange:
    case Refusal::NotAChoice:
        return QStringLiteral("%1 takes %2, not %3")
            .arg(def.name(), whatItTakes(def), shown(typed));
    case Refusal::NotPlain:
        return QStringLiteral("%1 takes %2 in plain digits (no sign, no leading zero), not %3")
            .arg(def.name(), whatItTakes(def), shown(typed));
    case Refusal::LineBreak:
        return QStringLiteral("the value of %1 holds a line break, which a settings file cannot "
                              "store")
            .arg(def.name());
    case Refusal::ControlCharacter:
        return QStringLiteral("the value of %1 holds %2, a control character, which a settings "
                              "file cannot store")
            .arg(def.name(), firstControlCharacter(typed));
    case Refusal::NotWindows1252:
        return QStringLiteral("the value of %1 holds %2, a character a settings file "
                              "(Windows-1252) cannot store")
            .arg(def.name(), firstUnstorable(typed));
    case Refusal::TooLong:
        return QStringLiteral("%1 takes at most %2 characters, as %3, not %4")
            .arg(def.name())
            .arg(textLimit(def))
            .arg(textLimit(def) == def.width ? QStringLiteral("the game reads them back")
                                             : QStringLiteral("its box does"))
            .arg(typed.size());
    }
    return {};
}

} // namespace quillset
