// language.lng: sections found by their exact header lines, entry N being the
// N-th line below the header, and the shipped files complete.

#include "io/ansi_text.h"
#include "lang/file_line.h"
#include "lang/language_catalogue.h"
#include "lang/language_loader.h"
#include "shell/debug_log.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace quillset {
namespace {

class Language : public ::testing::Test {
protected:
    // Loads the bytes as language.lng; the trace lines after the log's header land in trace.
    std::optional<LanguageLoad> load(const QString& path) {
        DebugLog log;
        log.open(folder.file(QStringLiteral("debug.log")));
        std::optional<LanguageLoad> result = loadLanguageFile(path, &log);
        log.close();
        trace = fromAnsi(test::readBytes(folder.file(QStringLiteral("debug.log"))))
                    .split(QStringLiteral("\r\n"))
                    .mid(1);
        trace.removeAll(QString());
        return result;
    }
    LanguageLoad loadBytes(const QByteArray& bytes) {
        EXPECT_TRUE(test::writeBytes(path(), bytes));
        return load(path()).value_or(LanguageLoad{});
    }
    QString path() const { return folder.file(QStringLiteral("language.lng")); }
    QString from() const {
        return QStringLiteral("init_language() -> loading language file from ") + path();
    }
    // What the control shows once every text is applied in order.
    static std::optional<QString> shown(const LanguageLoad& load, const char* control,
                                        const char* window = "Form1", int index = -1,
                                        TextProperty property = TextProperty::Caption) {
        std::optional<QString> text;
        for (const TextAssignment& a : load.texts) {
            if (a.window == QLatin1String(window) && a.control == QLatin1String(control) &&
                a.index == index && a.property == property)
                text = a.text;
        }
        return text;
    }

    test::TempFolder folder;
    QStringList trace;
};

TEST_F(Language, SectionsStartAtEveryExactHeaderAndReadTheLinesBelow) {
    // Headers inside another section's entries start their section too; a
    // header on the last line gives empty entries.
    const LanguageLoad load =
        loadBytes("# [Menu]\r\n[menu]\r\n [Captions]\n[Menu]\r# Datei\r\n"
                  "\xD6"
                  "ffnen\r\nS\r\nBeenden\n[Captions]\r\nSichern\r\n"
                  "Laden\r\nEnde\r\n[]\r\n[Accountmanagement]\r\na1\r\n"
                  "a2\r\na3\r\n[Captions]\r\nSave\r\nOpen\r\nQuit\r\n[Sound]");
    EXPECT_EQ(trace, (QStringList{from(), "init_language() -> loading [Menu]",
                                  "init_language() -> loading [Captions]",
                                  "init_language() -> loading [Accountmanagement]",
                                  "init_language() -> loading [Captions]",
                                  "init_language() -> loading [Sound]"}));
    EXPECT_EQ(shown(load, "mfile"), "# Datei");
    EXPECT_EQ(shown(load, "mopen"), QString::fromUtf8("\u00d6ffnen"));
    EXPECT_EQ(shown(load, "moptions"), "[Captions]");
    EXPECT_EQ(shown(load, "mabout"), "a1");
    EXPECT_EQ(shown(load, "Label1", "Form2", 2), "a3");
    EXPECT_EQ(shown(load, "Label6", "Form2", -1, TextProperty::ToolTip), "a2");
    EXPECT_EQ(shown(load, "sound"), "");
    // The later [Captions] wins; the exit caption gets its one trailing blank.
    EXPECT_EQ(shown(load, "speichern"), "Save");
    EXPECT_EQ(shown(load, "exitbtn"), "Quit ");
    EXPECT_EQ(shown(load, "Command2", "Form2"), "Quit ");
    EXPECT_EQ(load.table.text(kept::exitQuestionTitle), "Quit ");
    EXPECT_EQ(load.table.text(kept::backupSourceDialogTitle), "[Sound]");
    EXPECT_EQ(load.table.text(kept::backupTargetDialogTitle), "");
    EXPECT_EQ(load.table.text(kept::settingsNotFoundQuestion), "");
}

TEST_F(Language, HeadersPastTheLineLimitAreNotLookedFor) {
    const QByteArray filler = QByteArray("x\r\n").repeated(kLanguageFileLineLimit - 1);
    EXPECT_EQ(shown(loadBytes(filler + "[Menu]\r\nDatei\r\n"), "mfile"), "Datei");
    EXPECT_TRUE(loadBytes(filler + "x\r\n[Menu]\r\nDatei\r\n").texts.empty());
    EXPECT_EQ(trace, QStringList{from()});
}

TEST_F(Language, MissingFileGivesNothingAndAnEmptyOneNoSections) {
    EXPECT_FALSE(load(path()));
    EXPECT_FALSE(load(folder.path()));
    EXPECT_TRUE(trace.isEmpty());
    EXPECT_TRUE(loadBytes({}).texts.empty());
    EXPECT_EQ(trace, QStringList{from()});
    EXPECT_EQ(languageFilePath(QStringLiteral("/opt/q")), QStringLiteral("/opt/q/language.lng"));
    EXPECT_EQ(languageFilePath(QStringLiteral("/opt/q/")), QStringLiteral("/opt/q/language.lng"));
}

TEST_F(Language, GetFileLineCountsEveryLineEndOnceAndDecodesWindows1252) {
    ASSERT_TRUE(test::writeBytes(path(), "  \xD6l \x80\t \r\n\r\nc\nd\n\re\rlast"));
    const QString lines[] = {
        {}, QString::fromUtf8("  \u00d6l \u20ac\t "), {}, "c", "d", {}, "e", "last", {}};
    for (int n = -1; n <= 8; ++n)
        EXPECT_EQ(GetFileLine(path(), n), n < 0 ? QString() : lines[n]) << n;
    EXPECT_EQ(GetFileLine(folder.path(), 1), QString());
    EXPECT_EQ(GetFileLine(QString(), 1), QString());
}

// The shipped files: CR LF and Windows-1252 only, every section once, and
// every text a control shows filled.
TEST_F(Language, ShippedFilesAreComplete) {
    for (const char* name : {"language.de.lng", "language.en.lng"}) {
        SCOPED_TRACE(name);
        const QString file = QStringLiteral(QUILLSET_SOURCE_DIR "/resources/lang/") + name;
        const QByteArray bytes = test::readBytes(file);
        EXPECT_EQ(bytes.count('\r'), bytes.count("\r\n"));
        EXPECT_EQ(bytes.count('\n'), bytes.count("\r\n"));
        EXPECT_EQ(toAnsi(fromAnsi(bytes)), bytes);
        const std::optional<LanguageLoad> loaded = load(file);
        ASSERT_TRUE(loaded);
        EXPECT_EQ(trace.size(), 1 + qsizetype(languageSections().size()));
        for (const TextAssignment& a : loaded->texts)
            EXPECT_FALSE(a.text.trimmed().isEmpty()) << a.control.toStdString();
        for (const LanguageTextRow& row : languageTextRows()) {
            const QString section = QString::fromLatin1(row.section.data(), row.section.size());
            EXPECT_TRUE(!row.kept || !loaded->table.text(section, row.entry).trimmed().isEmpty());
        }
    }
}

} // namespace
} // namespace quillset
