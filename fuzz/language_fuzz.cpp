// Oracle: the loader gives exactly what the plain algorithm gives: split the
// file at its line ends (by Qt's replace and indexOf, not by the program's
// own splitter), look at
// every line up to the limit, and for each header take the entries at their
// distances below it, empty past the end.

#include "fuzz_input.h"
#include "io/ansi_text.h"
#include "lang/language_catalogue.h"
#include "lang/language_loader.h"

#include <algorithm>
#include <optional>

using namespace quillset;

namespace {

QString latin1(std::string_view s) {
    return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size()));
}

// A row's window, control and suffix, decoded once per run.
const std::array<QString, 3>& names(const LanguageTextRow& row) {
    static const std::vector<std::array<QString, 3>> all = [] {
        std::vector<std::array<QString, 3>> made;
        for (const LanguageTextRow& r : languageTextRows())
            made.push_back({latin1(r.window), latin1(r.control), latin1(r.suffix)});
        return made;
    }();
    return all[size_t(&row - languageTextRows().data())];
}

// The line views of text cut at every '\n', a last empty line included.
std::vector<QByteArrayView> cutAtNewlines(QByteArrayView text) {
    std::vector<QByteArrayView> lines;
    for (qsizetype at = text.indexOf('\n'); at >= 0; at = text.indexOf('\n')) {
        lines.push_back(text.first(at));
        text = text.sliced(at + 1);
    }
    lines.push_back(text);
    return lines;
}

std::vector<TextAssignment> lineByLine(const std::vector<QByteArrayView>& lines) {
    const int lineTotal = static_cast<int>(lines.size());
    std::vector<TextAssignment> texts;
    // Each line is decoded once, however many headers' entries it is.
    std::vector<std::optional<QString>> decoded(lines.size());
    const auto entry = [&](int number) {
        if (number < 1 || number > lineTotal)
            return QString();
        std::optional<QString>& line = decoded[size_t(number - 1)];
        if (!line)
            line = fromAnsi(lines[size_t(number - 1)]);
        return *line;
    };
    const int lineCount = std::min(lineTotal, kLanguageFileLineLimit);
    for (int counter = 1; counter <= lineCount; ++counter) {
        // Only a line that starts with '[' can be a header: the others are
        // not decoded, which keeps the target fast.
        if (!lines[size_t(counter - 1)].startsWith('['))
            continue;
        const QString line = entry(counter);
        for (std::string_view section : languageSections()) {
            if (line.size() != qsizetype(section.size()) + 2 || !line.endsWith(QLatin1Char(']')) ||
                QStringView(line).sliced(1, qsizetype(section.size())) !=
                    QLatin1String(section.data(), qsizetype(section.size())))
                continue;
            for (const LanguageTextRow& row : languageTextRows(section)) {
                if (row.control.empty())
                    continue;
                const auto& [window, control, suffix] = names(row);
                texts.push_back({window, control, row.index, row.property,
                                 entry(counter + row.entry) + suffix});
            }
        }
    }
    return texts;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes = fuzzInput(data, size).toByteArray();
    // A line end after the last line gives one more, empty, line here: it
    // changes nothing, as an entry past the end is empty too.
    const QByteArray oneEnd = QByteArray(bytes).replace("\r\n", "\n").replace('\r', '\n');
    FUZZ_CHECK(loadLanguageText(bytes).texts == lineByLine(cutAtNewlines(oneEnd)));
    return 0;
}
