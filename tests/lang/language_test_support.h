#pragma once
// Shared by the language tests: writing .lng files, reading the trace, and
// looking up what a window ends up showing after the texts are applied.

#include "io/ansi_text.h"
#include "lang/language_loader.h"
#include "shell/debug_log.h"
#include "test_support.h"

#include <QStringList>
#include <optional>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace quillset::test {

// Lines joined with CR LF (also after the last), in Windows-1252.
inline QByteArray lngBytes(const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += toAnsi(line).value() + "\r\n";
    return bytes;
}

// The text a control shows once every assignment has been applied in order;
// empty optional when nothing set it.
inline std::optional<QString> shown(const LanguageLoad& load, const QString& window,
                                    const QString& control, TextProperty property, int index = -1) {
    std::optional<QString> text;
    for (const TextAssignment& a : load.texts)
        if (a.window == window && a.control == control && a.index == index &&
            a.property == property)
            text = a.text;
    return text;
}

inline std::optional<QString> caption(const LanguageLoad& load, const QString& control,
                                      int index = -1) {
    return shown(load, QStringLiteral("Form1"), control, TextProperty::Caption, index);
}

// Loads a file with a trace going to a debug.log of its own; the trace lines
// after the header end up in traceLines.
class TracedLoad {
public:
    std::optional<LanguageLoad> run(const QString& path) {
        DebugLog log;
        log.open(folder_.file(QStringLiteral("debug.log")));
        std::optional<LanguageLoad> load = loadLanguageFile(path, &log);
        log.close();
        const QString text = fromAnsi(readBytes(folder_.file(QStringLiteral("debug.log"))));
        traceLines = text.split(QStringLiteral("\r\n"));
        if (!traceLines.isEmpty() && traceLines.back().isEmpty())
            traceLines.removeLast();
        if (!traceLines.isEmpty() && traceLines.front() == QLatin1String(DebugLog::kHeader))
            traceLines.removeFirst();
        return load;
    }

    QStringList traceLines;

private:
    TempFolder folder_;
};

} // namespace quillset::test
