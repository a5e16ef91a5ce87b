#include "lang/language_loader.h"

#include "io/ansi_text.h"
#include "io/debug_log.h"
#include "io/file_helpers.h"
#include "io/text_lines.h"
#include "lang/language_catalogue.h"

#include <QDir>
#include <QFileInfo>
#include <QVarLengthArray>
#include <algorithm>

namespace quillset {

namespace {

QString toQString(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// The section whose header the line is, if any, as its place in
// languageSections(). Headers are plain ASCII, so the raw Windows-1252 bytes
// compare the same as the decoded text. A comment line starts with '#' and
// so never matches.
std::optional<size_t> headerSection(QByteArrayView line) {
    if (line.size() < 3 || line.front() != '[' || line.back() != ']')
        return std::nullopt;
    const QByteArrayView name = line.sliced(1, line.size() - 2);
    const auto sections = languageSections();
    const auto found = std::find_if(sections.begin(), sections.end(), [name](std::string_view s) {
        return name == QByteArrayView(s.data(), static_cast<qsizetype>(s.size()));
    });
    if (found == sections.end())
        return std::nullopt;
    return static_cast<size_t>(found - sections.begin());
}

// Each section's rows, found once rather than for every header met.
std::span<const LanguageTextRow> sectionRows(size_t section) {
    static const std::vector<std::span<const LanguageTextRow>> rows = [] {
        std::vector<std::span<const LanguageTextRow>> found;
        for (std::string_view name : languageSections())
            found.push_back(languageTextRows(name));
        return found;
    }();
    return rows[section];
}

void trace(DebugLog* log, const QString& line) {
    if (log)
        log->write(line);
}

// The lines a load can reach: headers are looked for in the first
// kLanguageFileLineLimit lines and entries lie a few lines below them, so a
// huge file costs no list of all its lines.
int reachableLineCount() {
    int furthestEntry = 0;
    for (const LanguageTextRow& row : languageTextRows())
        furthestEntry = std::max(furthestEntry, row.entry);
    return kLanguageFileLineLimit + furthestEntry;
}

class LanguageFile {
public:
    // The lines point into data, which must outlive this object.
    explicit LanguageFile(const QByteArray& data) {
        static const int kept = reachableLineCount();
        forEachLine(data, [this](QByteArrayView line) {
            if (lineCount() < kept)
                lines_.push_back(line);
        });
    }
    explicit LanguageFile(QByteArray&&) = delete;

    int lineCount() const { return static_cast<int>(lines_.size()); }
    QByteArrayView raw(int lineNumber) const { return lines_[static_cast<size_t>(lineNumber - 1)]; }

    // Empty for line numbers outside the file.
    QString line(int lineNumber) const {
        if (lineNumber < 1 || lineNumber > lineCount())
            return {};
        return fromAnsi(raw(lineNumber));
    }

private:
    std::vector<QByteArrayView> lines_;
};

// An entry added later lies within its section's block: no comment and no
// header from the section's header down to it (an older file has its next
// comment or section there).
bool withinBlock(const LanguageFile& file, int headerLine, int entry) {
    for (int line = headerLine + 1; line <= std::min(headerLine + entry, file.lineCount());
         ++line) {
        const QByteArrayView raw = file.raw(line);
        if (raw.startsWith('#') || headerSection(raw))
            return false;
    }
    return true;
}

// A row's names as QStrings, made once: every text a load gives shares
// them instead of holding copies of its own.
struct RowStrings {
    QString section, window, control, suffix;
};

const RowStrings& rowStrings(const LanguageTextRow& row) {
    static const std::vector<RowStrings> strings = [] {
        std::vector<RowStrings> made;
        for (const LanguageTextRow& r : languageTextRows())
            made.push_back({toQString(r.section), toQString(r.window), toQString(r.control),
                            toQString(r.suffix)});
        return made;
    }();
    return strings[static_cast<size_t>(&row - languageTextRows().data())];
}

void applySection(const LanguageFile& file, int headerLine, size_t section,
                  LanguageLoad& load) {
    // An entry that feeds several controls is decoded once.
    QVarLengthArray<std::pair<int, QString>, 32> decoded;
    const auto entryText = [&](int entry) {
        for (const auto& [number, text] : decoded) {
            if (number == entry)
                return text;
        }
        decoded.append({entry, file.line(headerLine + entry)});
        return decoded.back().second;
    };
    for (const LanguageTextRow& row : sectionRows(section)) {
        if (row.addedLater && !withinBlock(file, headerLine, row.entry))
            continue;
        const RowStrings& names = rowStrings(row);
        const QString text = entryText(row.entry) + names.suffix;
        if (!row.control.empty())
            load.texts.push_back({names.window, names.control, row.index, row.property, text});
        if (row.kept)
            load.table.setText(names.section, row.entry, text);
    }
}

} // namespace

QString languageFilePath(const QString& programDir) {
    return joinPath(programDir, QLatin1String(kLanguageFileName));
}

std::optional<LanguageLoad> loadLanguageFile(const QString& path, DebugLog* debugLog) {
    if (!fileExists(path))
        return std::nullopt;
    trace(debugLog, QStringLiteral("init_language() -> loading language file from ") +
                        QDir::toNativeSeparators(path));

    // An unreadable file gives no lines, so every text comes out empty.
    return loadLanguageText(readRegularFile(path).value_or(QByteArray()), debugLog);
}

std::optional<QString> whyNotALanguageFile(const QString& path) {
    const QFileInfo info(path);
    if (info.isDir())
        return QStringLiteral("it is a folder");
    if (!info.isFile())
        return info.exists() ? QStringLiteral("it is not a regular file")
                             : QStringLiteral("it does not exist");
    const std::optional<QByteArray> data = readRegularFile(path);
    if (!data)
        return QStringLiteral("it cannot be read");
    if (data->isEmpty())
        return QStringLiteral("it is empty");
    if (data->contains('\0'))
        return QStringLiteral("it is not text");
    const LanguageFile file(*data);
    for (int lineNumber = 1; lineNumber <= std::min(file.lineCount(), kLanguageFileLineLimit);
         ++lineNumber) {
        if (headerSection(file.raw(lineNumber)))
            return std::nullopt;
    }
    return QStringLiteral("it has no section");
}

LanguageLoad loadLanguageText(const QByteArray& data, DebugLog* debugLog) {
    LanguageLoad load;
    const LanguageFile file(data);
    const int scanned = std::min(file.lineCount(), kLanguageFileLineLimit);
    // Every line is scanned, entry lines too: an entry that equals a header
    // starts that section there as well. The headers are found first so that
    // the texts take one allocation.
    std::vector<std::pair<int, size_t>> headers;
    size_t textCount = 0;
    for (int lineNumber = 1; lineNumber <= scanned; ++lineNumber) {
        if (const std::optional<size_t> section = headerSection(file.raw(lineNumber))) {
            headers.emplace_back(lineNumber, *section);
            for (const LanguageTextRow& row : sectionRows(*section))
                textCount += row.control.empty() ? 0 : 1;
        }
    }
    load.texts.reserve(textCount);
    for (const auto& [lineNumber, section] : headers) {
        trace(debugLog, QStringLiteral("init_language() -> loading [") +
                            toQString(languageSections()[section]) + QLatin1Char(']'));
        applySection(file, lineNumber, section, load);
    }
    return load;
}

} // namespace quillset
