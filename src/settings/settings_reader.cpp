#include "settings/settings_reader.h"

#include "io/ansi_text.h"
#include "io/debug_log.h"
#include "io/file_helpers.h"
#include "io/text_lines.h"

#include <algorithm>
#include <charconv>
#include <utility>

namespace quillset {

namespace {

// Not constexpr: the array constructor is no constant expression under
// -fsanitize=undefined with g++ 12.
const QByteArrayView kSep(kSeparator, sizeof(kSeparator) - 1);
const QByteArrayView kByteOrderMark("\xEF\xBB\xBF");

// A check box value: the digits 0, 1 and 2 only.
std::optional<int> flagValue(char c) {
    if (c >= '0' && c <= '2')
        return c - '0';
    return std::nullopt;
}

// A whole number with blanks around it, as a slider value: up to `width`
// characters, then limited to the slider's range.
std::optional<int> numberValue(QByteArrayView value, const KeyDef& def) {
    QByteArrayView digits = value.first(std::min<qsizetype>(value.size(), def.width));
    while (!digits.isEmpty() && digits.front() == ' ')
        digits = digits.sliced(1);
    while (!digits.isEmpty() && digits.back() == ' ')
        digits.chop(1);
    if (!digits.isEmpty() && digits.front() == '+')
        digits = digits.sliced(1);
    int parsed = 0;
    const char* end = digits.data() + digits.size();
    const auto [ptr, ec] = std::from_chars(digits.data(), end, parsed);
    if (digits.isEmpty() || ec != std::errc() || ptr != end)
        return std::nullopt;
    return std::clamp(parsed, def.min, def.max);
}

class Reader {
public:
    Reader(qsizetype fileSize, const QString& fontPagesValue, DebugLog* log)
        : model_(SettingsModel::cleared(fontPagesValue)), log_(log) {
        // Unknown lines are at most the whole file (plus line ends): one
        // allocation instead of repeated growth on large files.
        model_.unknownLines.reserve(fileSize + fileSize / 8);
        // A file without SOUND means sound on.
        model_.numbers[kSoundRow] = 1;
    }

    void line(QByteArrayView line) {
        const bool first = std::exchange(first_, false);
        if (line.isEmpty())
            return;
        const std::optional<QByteArrayView> key = lineKey(line, first);
        if (log_)
            log_->write(QStringLiteral("opensettings() -> Loading ") + fromAnsi(key.value_or(line)));
        const std::optional<int> row = key ? findKey(*key) : std::nullopt;
        if (!row) {
            model_.unknownLines.append(line.data(), line.size());
            model_.unknownLines.append("\r\n");
            return;
        }
        knownKey_ = true;
        if (apply(*row, line.sliced(key->data() - line.data() + key->size() + kSep.size())))
            valued_.set(std::size_t(*row));
    }

    bool sawKnownKey() const { return knownKey_; }
    // The keys the file gave a value; a wait-retrace flag always has one
    // (no line means on).
    std::bitset<kKeyCount> valued() const {
        std::bitset<kKeyCount> valued = valued_;
        valued.set(std::size_t(kWaitRetraceRow));
        return valued;
    }

    SettingsModel finish() {
        if (!waitRetraceSeen_)
            model_.numbers[kWaitRetraceRow] = 1;
        return std::move(model_);
    }

private:
    // Takes the line's value into the model; false when the value is none
    // the key can take (the model keeps what it had).
    bool apply(int row, QByteArrayView value) {
        const KeyDef& def = keyCatalogue()[row];
        int& number = model_.numbers[row];
        // The format reads Flag, Choice and FONTPAGES values from the line's
        // last character; an empty value has none.
        const char last = value.isEmpty() ? '\0' : value.back();
        std::optional<int> taken;
        switch (def.kind) {
        case KeyKind::Flag:
            taken = flagValue(last);
            break;
        case KeyKind::WaitRetrace:
            taken = flagValue(value.isEmpty() ? '\0' : value.front());
            waitRetraceSeen_ = waitRetraceSeen_ || taken;
            break;
        case KeyKind::Number:
            taken = numberValue(value, def);
            break;
        case KeyKind::Choice:
            for (const char digit : def.choices()) {
                if (digit == last)
                    taken = last - '0';
            }
            break;
        case KeyKind::Text:
            applyText(row, def, value);
            return true;
        case KeyKind::FontPages:
            model_.fontPagesValue = value.isEmpty() ? QString() : fromAnsi(value.last(1));
            return true;
        case KeyKind::CdKey:
            model_.fileCdKey = fromAnsi(value);
            return true;
        case KeyKind::CdKey2:
            model_.fileCdKey2 = fromAnsi(value);
            return true;
        }
        number = taken.value_or(number);
        return taken.has_value();
    }

    void applyText(int row, const KeyDef& def, QByteArrayView value) {
        QString& text = model_.texts[row];
        // The first login name in the file wins.
        if (row == kAccountNameRow && !text.isEmpty())
            return;
        if (def.width > 0)
            value = value.first(std::min<qsizetype>(value.size(), def.width));
        text = fromAnsi(value);
    }

    SettingsModel model_;
    DebugLog* log_;
    std::bitset<kKeyCount> valued_;
    bool first_ = true;
    bool knownKey_ = false;
    bool waitRetraceSeen_ = false;
};

} // namespace

std::optional<QByteArrayView> lineKey(QByteArrayView line, bool firstLine) {
    if (firstLine && line.startsWith(kByteOrderMark))
        line = line.sliced(kByteOrderMark.size());
    const qsizetype sep = line.indexOf(kSep);
    if (sep < 0)
        return std::nullopt;
    return line.first(sep);
}

namespace {

Reader readLines(QByteArrayView data, const QString& fontPagesValue, DebugLog* log) {
    Reader reader(data.size(), fontPagesValue, log);
    if (log)
        log->write(QStringLiteral("opensettings() -> Loading settings.cfg"));
    forEachLine(data, [&reader](QByteArrayView line) { reader.line(line); });
    return reader;
}

} // namespace

SettingsModel readSettings(QByteArrayView data, const QString& fontPagesValue, DebugLog* log) {
    return readLines(data, fontPagesValue, log).finish();
}

SettingsFileRead readSettingsFile(const QString& path, const QString& fontPagesValue,
                                  DebugLog* log) {
    using State = SettingsFileRead::State;
    std::variant<QByteArray, ReadFailure> read = readFile(path, kSettingsFileLimit);
    if (const auto* failure = std::get_if<ReadFailure>(&read)) {
        const State state = *failure == ReadFailure::Missing ? State::Missing : State::Unreadable;
        return {state, *failure, {}, {}, {}};
    }
    return judgeSettingsBytes(std::move(std::get<QByteArray>(read)), fontPagesValue, log);
}

SettingsFileRead judgeSettingsBytes(QByteArray bytes, const QString& fontPagesValue,
                                    DebugLog* log) {
    using State = SettingsFileRead::State;
    Reader reader = readLines(bytes, fontPagesValue, log);
    const bool settings = reader.sawKnownKey() && !bytes.contains('\0');
    const std::bitset<kKeyCount> valued = reader.valued();
    return {settings ? State::Settings : State::NotSettings, ReadFailure::Missing, std::move(bytes),
            reader.finish(), valued};
}

bool hasSettingsFileName(const QString& path) {
    return path.endsWith(QLatin1String(kSettingsFileName), Qt::CaseSensitive);
}

} // namespace quillset
