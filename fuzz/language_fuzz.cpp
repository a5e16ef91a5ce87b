// Oracle: the in-memory loader gives exactly what the plain algorithm gives
// when every line and every entry is fetched from disk with the line lookup.

#include "app/text_lines.h"
#include "lang/file_line.h"
#include "lang/language_catalogue.h"
#include "lang/language_loader.h"

#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdlib>

using namespace quillset;

namespace {

QString latin1(std::string_view s) {
    return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size()));
}

// Only lines that open with '[' can be headers; fetching just those from
// disk keeps the reference scan fast enough to fuzz with.
std::vector<TextAssignment> lineByLine(const QString& path, const QByteArray& bytes,
                                       int lineCount) {
    std::vector<TextAssignment> texts;
    const std::vector<QByteArrayView> lines = splitLines(bytes);
    for (int counter = 1; counter <= lineCount; ++counter) {
        if (!lines[static_cast<size_t>(counter - 1)].startsWith('['))
            continue;
        const QString line = GetFileLine(path, counter);
        if (line.startsWith(QLatin1Char('#')))
            continue;
        for (std::string_view section : languageSections()) {
            if (line != QLatin1Char('[') + latin1(section) + QLatin1Char(']'))
                continue;
            for (const LanguageTextRow& row : languageTextRows(section)) {
                if (!row.control.empty())
                    texts.push_back({latin1(row.window), latin1(row.control), row.index,
                                     row.property,
                                     GetFileLine(path, counter + row.entry) + latin1(row.suffix)});
            }
        }
    }
    return texts;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 32768)
        return 0; // the reference scan is quadratic; small files find the same faults
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("language.lng"));
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            std::abort();
        file.write(bytes);
    }
    const std::optional<LanguageLoad> load = loadLanguageFile(path);
    if (!load)
        std::abort();
    const int lines = std::min(static_cast<int>(splitLines(bytes).size()), kLanguageFileLineLimit);
    if (load->texts != lineByLine(path, bytes, lines))
        std::abort();
    return 0;
}
