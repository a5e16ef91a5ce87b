// Oracle: the loader gives exactly what the plain algorithm gives: look at
// every line up to the limit, and for each header take the entries at their
// distances below it, empty past the end.

#include "fuzz_input.h"
#include "io/ansi_text.h"
#include "io/text_lines.h"
#include "lang/language_catalogue.h"
#include "lang/language_loader.h"

#include <algorithm>

using namespace quillset;

namespace {

QString latin1(std::string_view s) {
    return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size()));
}

std::vector<TextAssignment> lineByLine(const std::vector<QByteArrayView>& lines) {
    std::vector<TextAssignment> texts;
    const auto entry = [&lines](int number) {
        return number >= 1 && static_cast<size_t>(number) <= lines.size()
                   ? fromAnsi(lines[static_cast<size_t>(number - 1)])
                   : QString();
    };
    const int lineCount = std::min(static_cast<int>(lines.size()), kLanguageFileLineLimit);
    for (int counter = 1; counter <= lineCount; ++counter) {
        const QString line = entry(counter);
        if (!line.startsWith(QLatin1Char('[')))
            continue;
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
    FUZZ_CHECK(loadLanguageText(bytes).texts == lineByLine(splitLines(bytes)));
    return 0;
}
