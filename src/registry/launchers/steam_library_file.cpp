#include "registry/launchers/steam_library_file.h"

#include <QByteArray>
#include <QStringDecoder>

#include <algorithm>
#include <optional>

namespace quillset {

namespace {

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

bool isDelimiter(char c) {
    return isSpace(c) || c == '"' || c == '{' || c == '}';
}

struct Token {
    enum Kind { Text, Open, Close, End } kind = End;
    QByteArray text;
    bool quoted = false;
};

// Splits the file into strings and braces, dropping blanks and comments.
class Tokenizer {
public:
    explicit Tokenizer(QByteArrayView text) : text_(text) {
        if (text_.startsWith("\xEF\xBB\xBF"))
            pos_ = 3;
    }

    Token next() {
        skipBlanksAndComments();
        if (pos_ >= text_.size())
            return {};
        const char c = text_[pos_];
        if (c == '{' || c == '}') {
            ++pos_;
            return {c == '{' ? Token::Open : Token::Close, {}};
        }
        if (c == '"')
            return quoted();
        const qsizetype begin = pos_;
        while (pos_ < text_.size() && !isDelimiter(text_[pos_]) && !startsComment())
            ++pos_;
        return {Token::Text, text_.sliced(begin, pos_ - begin).toByteArray()};
    }

private:
    bool startsComment() const {
        return text_[pos_] == '/' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '/';
    }

    void skipBlanksAndComments() {
        while (pos_ < text_.size()) {
            if (isSpace(text_[pos_])) {
                ++pos_;
            } else if (startsComment()) {
                const qsizetype lineEnd = text_.indexOf('\n', pos_);
                pos_ = lineEnd < 0 ? text_.size() : lineEnd + 1;
            } else {
                return;
            }
        }
    }

    // A quoted string; an unclosed one runs to the end of the file, where it
    // is dropped, as nothing after it can be trusted.
    Token quoted() {
        QByteArray text;
        for (++pos_; pos_ < text_.size(); ++pos_) {
            const char c = text_[pos_];
            if (c == '"') {
                ++pos_;
                return {Token::Text, text, true};
            }
            if (c == '\\' && pos_ + 1 < text_.size() &&
                (text_[pos_ + 1] == '\\' || text_[pos_ + 1] == '"')) {
                text.append(text_[++pos_]);
                continue;
            }
            text.append(c);
        }
        return {};
    }

    QByteArrayView text_;
    qsizetype pos_ = 0;
};

bool isNumber(const QByteArray& text) {
    return !text.isEmpty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A path's bytes as UTF-8, every one of them: QString::fromUtf8 would drop
// a byte order mark at the start, which in a path is part of a folder's
// name, and a decoder that keeps state would hold back a broken sequence at
// the end instead of giving its replacement character.
QString decodePath(const QByteArray& bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom |
                                                     QStringDecoder::Flag::Stateless);
    return decoder.decode(bytes);
}

} // namespace

QStringList steamLibraryPaths(QByteArrayView text) {
    QStringList paths;
    Tokenizer tokens(text);
    // Depth of the object being read (0 outside every object) and whether
    // the object at depth 1 is "libraryfolders"; only depths 1 and 2 of that
    // object matter, so no stack of objects is needed.
    qsizetype depth = 0;
    bool inLibraries = false;
    std::optional<QByteArray> key;
    const auto add = [&](const QByteArray& path) {
        if (!path.isEmpty())
            paths.append(decodePath(path));
    };
    for (Token token = tokens.next(); token.kind != Token::End; token = tokens.next()) {
        switch (token.kind) {
        case Token::Open:
            if (depth == 0)
                inLibraries = key && key->compare("libraryfolders", Qt::CaseInsensitive) == 0;
            ++depth;
            key.reset();
            break;
        case Token::Close:
            // A stray closing brace at the top is ignored.
            if (depth > 0)
                --depth;
            if (depth == 0)
                inLibraries = false;
            key.reset();
            break;
        case Token::Text:
            // A bare [$WIN32]-style condition after a value belongs to it.
            if (!token.quoted && token.text.startsWith('['))
                break;
            if (!key) {
                key = std::move(token.text);
                break;
            }
            if (inLibraries && depth == 2 && key->compare("path", Qt::CaseInsensitive) == 0)
                add(token.text);
            else if (inLibraries && depth == 1 && isNumber(*key))
                add(token.text);
            key.reset();
            break;
        case Token::End:
            break;
        }
    }
    return paths;
}

} // namespace quillset
