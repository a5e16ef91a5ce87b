#include "registry/wine_registry_file.h"

#include "registry/registry.h"

#include <array>
#include <string_view>
#include <vector>

namespace quillset {

namespace {

// Wine's reader ends a line at LF only and drops a CR right before it; a CR
// at the very end of a file without a final LF stays in the text.
struct Line {
    qsizetype begin = 0;
    qsizetype textEnd = 0;
};

std::vector<Line> splitWineLines(QByteArrayView bytes) {
    std::vector<Line> lines;
    qsizetype begin = 0;
    while (begin < bytes.size()) {
        qsizetype lf = bytes.indexOf('\n', begin);
        const qsizetype next = lf < 0 ? bytes.size() : lf + 1;
        qsizetype textEnd = lf < 0 ? bytes.size() : lf;
        if (lf >= 0 && textEnd > begin && bytes[textEnd - 1] == '\r')
            --textEnd;
        lines.push_back({begin, textEnd});
        begin = next;
    }
    return lines;
}

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

int hexDigitValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Reads one line's text like the C string Wine's parser works on: the end of
// the text and an embedded NUL byte both read as '\0'.
class Cursor {
public:
    explicit Cursor(QByteArrayView text) : text_(text) {}

    char peek(qsizetype ahead = 0) const {
        const qsizetype at = pos_ + ahead;
        return at < text_.size() ? text_[at] : '\0';
    }
    bool atEnd() const { return peek() == '\0'; }
    void advance(qsizetype count = 1) { pos_ = std::min(pos_ + count, text_.size()); }
    void skipSpace() {
        while (isSpace(peek()))
            advance();
    }
    bool consume(std::string_view prefix) {
        if (!text_.sliced(pos_).startsWith(QByteArrayView(prefix.data(), prefix.size())))
            return false;
        advance(static_cast<qsizetype>(prefix.size()));
        return true;
    }
    // Hex digits as strtoul reads them, saturating instead of overflowing.
    quint64 hexNumber(int* digits = nullptr) {
        quint64 value = 0;
        int count = 0;
        for (int digit = hexDigitValue(peek()); digit >= 0; digit = hexDigitValue(peek())) {
            value = value > (~quint64(0) >> 4) ? ~quint64(0) : (value << 4) | quint64(digit);
            ++count;
            advance();
        }
        if (digits)
            *digits = count;
        return value;
    }

private:
    QByteArrayView text_;
    qsizetype pos_ = 0;
};

// The C escapes, read and written alike.
struct CharEscape {
    char letter;
    char16_t unit;
};
constexpr CharEscape kCharEscapes[] = {{'a', 0x07}, {'b', 0x08}, {'t', 0x09}, {'n', 0x0a},
                                       {'v', 0x0b}, {'f', 0x0c}, {'r', 0x0d}, {'e', 0x1b}};

std::optional<char16_t> unitForEscapeLetter(char letter) {
    for (const CharEscape& escape : kCharEscapes) {
        if (escape.letter == letter)
            return escape.unit;
    }
    return std::nullopt;
}

char escapeLetterForUnit(char16_t unit) {
    for (const CharEscape& escape : kCharEscapes) {
        if (escape.unit == unit)
            return escape.letter;
    }
    return '\0';
}

int digitValue(char c, int base) {
    const int value = hexDigitValue(c);
    return value < base ? value : -1;
}

// Up to maxDigits digits of the base as one code unit.
char16_t readDigits(Cursor& c, int base, int maxDigits) {
    char16_t unit = 0;
    for (int i = 0; i < maxDigits && digitValue(c.peek(), base) >= 0; ++i) {
        unit = static_cast<char16_t>(unit * base + digitValue(c.peek(), base));
        c.advance();
    }
    return unit;
}

// An escaped string up to its closing delimiter, which is consumed. Runs of
// raw bytes are UTF-8; each \x or octal escape is one UTF-16 code unit.
// Empty optional when the delimiter is missing, as Wine rejects that too.
std::optional<QString> parseEscaped(Cursor& c, char endChar) {
    QString result;
    QByteArray rawRun;
    const auto flushRaw = [&] {
        result += QString::fromUtf8(rawRun);
        rawRun.clear();
    };
    while (!c.atEnd() && c.peek() != endChar) {
        if (c.peek() != '\\') {
            rawRun.append(c.peek());
            c.advance();
            continue;
        }
        c.advance();
        const char e = c.peek();
        if (e == '\0')
            return std::nullopt; // a backslash ending the line escapes nothing
        char16_t unit = 0;
        if (const std::optional<char16_t> named = unitForEscapeLetter(e)) {
            unit = *named;
            c.advance();
        } else if (e == 'x') {
            c.advance();
            unit = hexDigitValue(c.peek()) < 0 ? u'x' : readDigits(c, 16, 4);
        } else if (digitValue(e, 8) >= 0) {
            unit = readDigits(c, 8, 3);
        } else {
            // Any other escaped character stands for itself; a raw UTF-8
            // sequence keeps its bytes together.
            rawRun.append(e);
            c.advance();
            continue;
        }
        flushRaw();
        result.append(QChar(unit));
    }
    if (c.atEnd())
        return std::nullopt;
    c.advance();
    flushRaw();
    return result;
}

// Bytes written "hh,hh,..." on one line; false on a number above 0xff.
bool parseHexBytes(Cursor& c, QByteArray& data) {
    while (hexDigitValue(c.peek()) >= 0) {
        const quint64 byte = c.hexNumber();
        if (byte > 0xff)
            return false;
        data.append(static_cast<char>(byte));
        c.skipSpace();
        if (c.peek() == ',')
            c.advance();
        c.skipSpace();
    }
    return true;
}

class Parser {
public:
    explicit Parser(QByteArrayView bytes) : bytes_(bytes), lines_(splitWineLines(bytes)) {}

    WineRegFile run() {
        WineRegFile file;
        if (lines_.empty() || text(0) != QByteArrayView(kWineRegistryHeader))
            return file;
        file.valid = true;
        qsizetype current = -1; // index of the key that lines belong to, -1 for none
        bool seenKey = false;
        for (std::size_t i = 1; i < lines_.size(); ++i) {
            Cursor c(text(i));
            c.skipSpace();
            switch (c.peek()) {
            case '[': {
                c.advance();
                seenKey = true;
                current = -1;
                if (const std::optional<QString> path = parseEscaped(c, ']')) {
                    file.keys.append(WineRegKey{keyPathParts(*path).join(QLatin1Char('\\')),
                                                lines_[i].begin,
                                                lines_[i].textEnd,
                                                {}});
                    current = file.keys.size() - 1;
                }
                break;
            }
            case '@':
            case '"':
                // Wine reads no value, and no continuation line, without a key.
                if (current >= 0)
                    readValue(c, i, file.keys[current]);
                break;
            case '#':
                if (current >= 0)
                    file.keys[current].end = lines_[i].textEnd;
                else if (!seenKey && text(i) == QByteArrayView("#arch=win64"))
                    file.win64 = true;
                break;
            default:
                break; // comments, empty lines, and lines Wine rejects
            }
        }
        file.endsInContinuation = endsInContinuation_;
        return file;
    }

private:
    QByteArrayView text(std::size_t index) const {
        const Line& line = lines_[index];
        return bytes_.sliced(line.begin, line.textEnd - line.begin);
    }

    // Reads the value starting on line `index`; continuation lines move
    // `index` on, also when the value turns out malformed.
    void readValue(Cursor& c, std::size_t& index, WineRegKey& key) {
        const std::size_t first = index;
        WineRegValue value;
        if (c.peek() == '@') {
            c.advance();
        } else {
            c.advance();
            std::optional<QString> name = parseEscaped(c, '"');
            if (!name)
                return;
            value.name = *name;
        }
        c.skipSpace();
        if (c.peek() != '=')
            return;
        c.advance();
        c.skipSpace();
        if (!readData(c, index, value))
            return;
        value.begin = lines_[first].begin;
        value.end = lines_[index].textEnd;
        key.end = value.end;
        key.values.append(std::move(value));
    }

    bool readData(Cursor& c, std::size_t& index, WineRegValue& value) {
        struct StringTag {
            std::string_view tag;
            quint32 type;
        };
        static constexpr StringTag kStringTags[] = {{"\"", kRegSz},
                                                    {"str:\"", kRegSz},
                                                    {"str(2):\"", kRegExpandSz},
                                                    {"str(7):\"", kRegMultiSz}};
        for (const StringTag& tag : kStringTags) {
            if (!c.consume(tag.tag))
                continue;
            const std::optional<QString> text = parseEscaped(c, '"');
            if (!text)
                return false;
            value.type = tag.type;
            value.data = utf16StringData(*text);
            return true;
        }
        if (c.consume("dword:")) {
            c.skipSpace();
            const auto dword = static_cast<quint32>(c.hexNumber());
            value.type = kRegDword;
            for (int shift = 0; shift < 32; shift += 8)
                value.data.append(static_cast<char>((dword >> shift) & 0xff));
            return true;
        }
        if (c.consume("hex:")) {
            value.type = kRegBinary;
            return readHexData(c, index, value.data);
        }
        if (c.consume("hex(")) {
            c.skipSpace();
            value.type = static_cast<quint32>(std::min<quint64>(c.hexNumber(), 0xffffffffu));
            if (!c.consume("):"))
                return false;
            return readHexData(c, index, value.data);
        }
        return false;
    }

    // Hex bytes over one or more lines: a line ending in a backslash goes on
    // on the next line.
    bool readHexData(Cursor& c, std::size_t& index, QByteArray& data) {
        for (;;) {
            if (!parseHexBytes(c, data))
                return false;
            c.skipSpace();
            if (c.atEnd())
                return true;
            if (c.peek() != '\\')
                return false;
            if (index + 1 >= lines_.size()) {
                endsInContinuation_ = true;
                return false;
            }
            ++index;
            c = Cursor(text(index));
            c.skipSpace();
        }
    }

    QByteArrayView bytes_;
    std::vector<Line> lines_;
    bool endsInContinuation_ = false;
};

bool samePath(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

const WineRegValue* WineRegFile::findValue(const QString& keyPath,
                                           const QString& valueName) const& {
    const QString path = keyPathParts(keyPath).join(QLatin1Char('\\'));
    const WineRegValue* found = nullptr;
    for (const WineRegKey& key : keys) {
        if (!samePath(key.path, path))
            continue;
        for (const WineRegValue& value : key.values) {
            if (samePath(value.name, valueName))
                found = &value;
        }
    }
    return found;
}

WineRegFile parseWineRegistry(QByteArrayView bytes) {
    return Parser(bytes).run();
}

namespace {

// The unit's digits in base 8 or 16 (lower case), zeros before them up to
// minDigits: written in place, as a name may hold many escaped characters.
void appendDigits(QByteArray& out, char16_t unit, unsigned base, int minDigits) {
    std::array<char, 8> digits{};
    int count = 0;
    unsigned rest = unit;
    do {
        digits[size_t(count++)] = "0123456789abcdef"[rest % base];
        rest /= base;
    } while (rest != 0);
    for (int i = count; i < minDigits; ++i)
        out += '0';
    while (count > 0)
        out += digits[size_t(--count)];
}

} // namespace

QByteArray escapeWineText(QStringView text, char open, char close) {
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        const bool hasNext = i + 1 < text.size();
        const char16_t next = hasNext ? text[i + 1].unicode() : 0;
        if (unit > 0x7f) {
            // A hex digit right after the escape would be read as part of it.
            const bool hexFollows = hasNext && next < 0x80 && hexDigitValue(char(next)) >= 0;
            out += "\\x";
            appendDigits(out, unit, 16, hexFollows ? 4 : 0);
        } else if (unit < 0x20) {
            out += '\\';
            if (const char letter = escapeLetterForUnit(unit))
                out += letter;
            else
                appendDigits(out, unit, 8, hasNext && next >= u'0' && next <= u'7' ? 3 : 0);
        } else {
            const char c = static_cast<char>(unit);
            if (c == '\\' || c == open || c == close)
                out += '\\';
            out += c;
        }
    }
    return out;
}

} // namespace quillset
