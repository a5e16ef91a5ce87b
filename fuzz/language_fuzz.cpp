// Oracle: the loader gives exactly what the plain algorithm gives: split the
// file at its line ends (by Qt, not by the program's own splitter), look at
// every line up to the limit, and for each header take the entries at their
// distances below it, empty past the end.

#include "fuzz_input.h"
#include "io/ansi_text.h"
#include "lang/language_catalogue.h"
#include "lang/language_loader.h"

#include <algorithm>

using namespace quillset;

namespace {

QString latin1(std::string_view s) {
    return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size()));
}

std::vector<TextAssignment> lineByLine(const QList<QByteArray>& lines) {
    std::vector<TextAssignment> texts;
    const auto entry = [&lines](int number) {
        return number >= 1 && number <= lines.size() ? fromAnsi(lines[number - 1]) : QString();
    };
    const int lineCount = std::min(static_cast<int>(lines.size()), kLanguageFileLineLimit);
    for (int counter = 1; counter <= lineCount; ++counter) {
        // Only a line that starts with '[' can be a header: the others are
        // not decoded, which keeps the target fast.
        if (!lines[counter - 1].startsWith('['))
            continue;
        const QString line = entry(counter);
        for (std::string_view section : languageSections()) {
            if (line.size() != qsizetype(section.size()) + 2 || !line.endsWith(QLatin1Char(']')) ||
                QStringView(line).sliced(1, qsizetype(section.size())) !=
                    QLatin1String(section.data(), qsizetype(section.size())))
                continue;
            for (const LanguageTextRow& row : languageTextRows(section)) {
                if (!row.control.empty())
                    texts.push_back({latin1(row.window), latin1(row.control), row.index,
                                     row.property,
                                     entry(counter + row.entry) + latin1(row.suffix)});
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
    FUZZ_CHECK(loadLanguageText(bytes).texts == lineByLine(oneEnd.split('\n')));
    return 0;
}
