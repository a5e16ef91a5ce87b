// Oracle: the loader gives exactly what the plain algorithm gives: look at
// every line up to the limit, and for each header take the entries at their
// distances below it, empty past the end. The line lookup fileLine must agree
// with the split lines wherever it is asked.

#include "fuzz_input.h"
#include "io/ansi_text.h"
#include "io/text_lines.h"
#include "lang/file_line.h"
#include "lang/language_catalogue.h"
#include "lang/language_loader.h"

#include <algorithm>

using namespace quillset;

namespace {

QString latin1(std::string_view s) {
    return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size()));
}

std::vector<TextAssignment> lineByLine(const QByteArray& bytes,
                                       const std::vector<QByteArrayView>& lines) {
    std::vector<TextAssignment> texts;
    const auto entry = [&lines](int number) {
        return number >= 1 && static_cast<size_t>(number) <= lines.size()
                   ? fromAnsi(lines[static_cast<size_t>(number - 1)])
                   : QString();
    };
    const int lineCount = std::min(static_cast<int>(lines.size()), kLanguageFileLineLimit);
    int lookedUp = 0;
    for (int counter = 1; counter <= lineCount; ++counter) {
        const QString line = entry(counter);
        if (!line.startsWith(QLatin1Char('[')))
            continue;
        // Each lookup walks the file from its start: a few per input suffice.
        FUZZ_CHECK(++lookedUp > 4 || fileLine(bytes, counter) == line);
        for (std::string_view section : languageSections()) {
            if (line != QLatin1Char('[') + latin1(section) + QLatin1Char(']'))
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
    const std::vector<QByteArrayView> lines = splitLines(bytes);
    FUZZ_CHECK(loadLanguageText(bytes).texts == lineByLine(bytes, lines));
    const int count = static_cast<int>(lines.size());
    FUZZ_CHECK(count == 0 || fileLine(bytes, count) == fromAnsi(lines.back()));
    FUZZ_CHECK(fileLine(bytes, count + 1).isEmpty() && fileLine(bytes, 0).isEmpty());
    return 0;
}
