#include "lang/file_line.h"
#include "lang/language_catalogue.h"
#include "language_test_support.h"

#include <gtest/gtest.h>

#include <QDir>
#include <algorithm>
#include <random>

namespace quillset {
namespace {

using test::caption;
using test::lngBytes;
using test::shown;
using test::TempFolder;
using test::TracedLoad;
using test::writeBytes;

const QString kFrom = QStringLiteral("init_language() -> loading language file from ");

QString loading(const char* header) {
    return QStringLiteral("init_language() -> loading ") + QLatin1String(header);
}

class LanguageLoaderTest : public ::testing::Test {
protected:
    QString write(const QStringList& lines) { return writeRaw(lngBytes(lines)); }
    QString writeRaw(const QByteArray& bytes) {
        const QString path = folder.file(QStringLiteral("language.lng"));
        EXPECT_TRUE(writeBytes(path, bytes));
        return path;
    }
    LanguageLoad load(const QString& path) {
        std::optional<LanguageLoad> result = traced.run(path);
        EXPECT_TRUE(result.has_value());
        return result.value_or(LanguageLoad{});
    }

    TempFolder folder;
    TracedLoad traced;
};

TEST_F(LanguageLoaderTest, PathIsTheProgramFolderAndTheFixedName) {
    const QString sep = QDir::separator();
    EXPECT_EQ(languageFilePath(QStringLiteral("/opt/quillset")),
              QStringLiteral("/opt/quillset") + sep + "language.lng");
    EXPECT_EQ(languageFilePath(QStringLiteral("/opt/quillset") + sep),
              QStringLiteral("/opt/quillset") + sep + "language.lng");
}

TEST_F(LanguageLoaderTest, MissingFileOrFolderGivesNothingAndNoTrace) {
    EXPECT_FALSE(traced.run(folder.file(QStringLiteral("language.lng"))).has_value());
    EXPECT_TRUE(traced.traceLines.isEmpty());
    EXPECT_FALSE(traced.run(folder.path()).has_value());
    EXPECT_TRUE(traced.traceLines.isEmpty());
}

TEST_F(LanguageLoaderTest, EmptyFileHasNoSections) {
    const QString path = writeRaw({});
    const LanguageLoad result = load(path);
    EXPECT_TRUE(result.texts.empty());
    EXPECT_EQ(result.table.text(kept::saveDialogTitle), "");
    EXPECT_EQ(traced.traceLines, QStringList{kFrom + QDir::toNativeSeparators(path)});
}

TEST_F(LanguageLoaderTest, TraceFollowsTheFileOrderAndSkipsMissingSections) {
    const QString path = write({"# Beispiel", "[Sound]", "a", "b", "c", "d", "e", "f", "g", "h",
                                "#", "[Captions]", "Speichern", "[GUI]"});
    load(path);
    const QStringList expected = {kFrom + QDir::toNativeSeparators(path), loading("[Sound]"),
                                  loading("[Captions]"), loading("[GUI]")};
    EXPECT_EQ(traced.traceLines, expected);
}

TEST_F(LanguageLoaderTest, ShortMenuBlockTakesTheFollowingLinesHeaderIncluded) {
    const LanguageLoad result = load(write({"[Menu]", "Datei", "Öffnen", "Speichern", "Beenden",
                                            "[Captions]", "Sichern", "Laden", "Ende", "T4"}));
    EXPECT_EQ(caption(result, "mquit"), "Beenden");
    EXPECT_EQ(caption(result, "moptions"), "[Captions]");
    EXPECT_EQ(caption(result, "mcreate_standard_cfg"), "Sichern");
    EXPECT_EQ(caption(result, "maccmanage"), "Ende");
    EXPECT_EQ(caption(result, "madvanced"), "T4");
    // Past the end of the file.
    EXPECT_EQ(caption(result, "mhelp"), "");
    EXPECT_EQ(caption(result, "mabout"), "");
    // The header inside the menu block starts its own section too.
    EXPECT_EQ(caption(result, "speichern"), "Sichern");
    EXPECT_EQ(caption(result, "exitbtn"), "Ende ");
    EXPECT_EQ(traced.traceLines.mid(1), (QStringList{loading("[Menu]"), loading("[Captions]")}));
}

TEST_F(LanguageLoaderTest, CommentUnderAHeaderIsAnEntry) {
    const LanguageLoad result = load(write({"# not an entry", "[Menu]", "# Datei", "Öffnen"}));
    EXPECT_EQ(caption(result, "mfile"), "# Datei");
    EXPECT_EQ(caption(result, "mopen"), QString::fromUtf8("Öffnen"));
}

TEST_F(LanguageLoaderTest, SectionMetTwiceIsAppliedTwiceTheLaterWinning) {
    const LanguageLoad result = load(write({"[Captions]", "Save", "Open", "Exit", "B4", "B5",
                                            "[Captions]", "Sichern", "Laden", "Ende", "C4", "C5"}));
    EXPECT_EQ(caption(result, "speichern"), "Sichern");
    EXPECT_EQ(caption(result, "exitbtn"), "Ende ");
    EXPECT_EQ(result.table.text("Captions", 1), "Sichern");
    EXPECT_EQ(result.table.text(kept::backupTargetDialogTitle), "C5");
    // Both blocks are there, in file order, for a window applying them in turn.
    const auto first = std::find_if(result.texts.begin(), result.texts.end(),
                                    [](const TextAssignment& a) { return a.text == "Save"; });
    const auto second = std::find_if(result.texts.begin(), result.texts.end(),
                                     [](const TextAssignment& a) { return a.text == "Sichern"; });
    ASSERT_NE(first, result.texts.end());
    ASSERT_NE(second, result.texts.end());
    EXPECT_LT(first, second);
    EXPECT_EQ(traced.traceLines.mid(1),
              (QStringList{loading("[Captions]"), loading("[Captions]")}));
}

TEST_F(LanguageLoaderTest, HeaderMustMatchExactly) {
    const LanguageLoad result =
        load(write({"[captions]", "a", " [Captions]", "b", "[Captions] ", "c", "[CAPTIONS]", "d",
                    "#[Captions]", "e", "[Unsupported]", "f"}));
    EXPECT_TRUE(result.texts.empty());
    EXPECT_EQ(result.table.text(kept::saveDialogTitle), "");
    EXPECT_EQ(traced.traceLines.size(), 1);
}

TEST_F(LanguageLoaderTest, HeaderOnTheLastLineGivesEmptyEntries) {
    for (const QByteArray& bytes : {QByteArray("x\r\n[Menu]\r\n"), QByteArray("x\r\n[Menu]")}) {
        const LanguageLoad result = load(writeRaw(bytes));
        ASSERT_EQ(result.texts.size(), 11u);
        for (const TextAssignment& a : result.texts)
            EXPECT_EQ(a.text, "") << a.control.toStdString();
    }
}

TEST_F(LanguageLoaderTest, ExitCaptionGetsOneTrailingBlankEverywhere) {
    for (const QString& word : {QStringLiteral("Quit"), QStringLiteral("Quit "), QString()}) {
        const LanguageLoad result = load(write({"[Captions]", "s", "o", word}));
        const QString expected = word + " ";
        EXPECT_EQ(caption(result, "exitbtn"), expected);
        EXPECT_EQ(shown(result, "Form2", "Command2", TextProperty::Caption), expected);
        EXPECT_EQ(result.table.text(kept::exitQuestionTitle), expected);
    }
}

TEST_F(LanguageLoaderTest, KeptTextsAreTheReadEntriesOnly) {
    QStringList lines{"[Messages]"};
    for (int n = 1; n <= 9; ++n)
        lines << QStringLiteral("m%1").arg(n);
    lines << "[GUI]";
    for (int n = 1; n <= 15; ++n)
        lines << QStringLiteral("g%1").arg(n);
    lines << "[Unsupportet]";
    for (int n = 1; n <= 20; ++n)
        lines << QStringLiteral("u%1").arg(n);
    const LanguageLoad result = load(write(lines));

    for (int n : {1, 2, 3, 4, 5, 6, 7, 9})
        EXPECT_EQ(result.table.text("Messages", n), QStringLiteral("m%1").arg(n));
    EXPECT_EQ(result.table.text("Messages", 8), "");
    EXPECT_EQ(result.table.text(kept::standardLanguage), "g14");
    EXPECT_EQ(result.table.text(kept::standardLobbyServer), "g15");
    // Frame captions are shown, not kept.
    EXPECT_EQ(result.table.text("GUI", 1), "");
    EXPECT_EQ(caption(result, "Frame1"), "g1");
    // Sections are keyed without brackets.
    EXPECT_EQ(result.table.text("[Messages]", 1), "");

    for (const TextAssignment& a : result.texts) {
        EXPECT_FALSE(a.text.startsWith('m'))
            << "kept-only text shown on " << a.control.toStdString();
        EXPECT_NE(a.text, "u13");
        EXPECT_NE(a.text, "u14");
        EXPECT_NE(a.text, "g14");
    }
    EXPECT_EQ(caption(result, "compatvideo"), "u15");
    EXPECT_EQ(shown(result, "Form1", "Text1", TextProperty::ToolTip), "u2");
}

TEST_F(LanguageLoaderTest, AccountWindowTextsComeWithIndexAndCopies) {
    const LanguageLoad result = load(write({"[Accountmanagement]",
                                            "a1",
                                            "a2",
                                            "a3",
                                            "a4",
                                            "a5",
                                            "a6",
                                            "[Captions]",
                                            "c1",
                                            "c2",
                                            "c3",
                                            "[GUI]",
                                            "1",
                                            "2",
                                            "3",
                                            "4",
                                            "5",
                                            "6",
                                            "7",
                                            "8",
                                            "9",
                                            "10",
                                            "11",
                                            "12",
                                            "g13"}));
    const auto form2 = [&](const char* control, TextProperty property, int index = -1) {
        return shown(result, "Form2", control, property, index);
    };
    constexpr auto Cap = TextProperty::Caption;
    constexpr auto Tip = TextProperty::ToolTip;
    for (const char* label : {"Label6", "Label5", "Label4", "Label3"}) {
        EXPECT_EQ(form2(label, Cap), "a1") << label;
        EXPECT_EQ(form2(label, Tip), "a2") << label;
    }
    for (const char* box : {"Text1", "Text4", "Text7", "Text10"})
        EXPECT_EQ(form2(box, Tip), "a2") << box;
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(form2("Label1", Cap, i), "a3");
        EXPECT_EQ(form2("Label1", Tip, i), "a4");
        EXPECT_EQ(form2("Label2", Cap, i), "a5");
        EXPECT_EQ(form2("Label2", Tip, i), "a6");
        for (const char* box : {"Text2", "Text5", "Text8", "Text11"})
            EXPECT_EQ(form2(box, Tip, i), "a4") << box << i;
        for (const char* box : {"Text3", "Text6", "Text9", "Text12"})
            EXPECT_EQ(form2(box, Tip, i), "a6") << box << i;
    }
    EXPECT_EQ(form2("Frame1", Cap, 1), "g13");
    EXPECT_EQ(form2("Frame1", Cap), std::nullopt);
    EXPECT_EQ(form2("Command1", Cap), "c1");
    EXPECT_EQ(form2("Command2", Cap), "c3 ");
    // The Options window's Text1 and Frame1 are other controls of the same name.
    EXPECT_EQ(shown(result, "Form1", "Frame1", TextProperty::Caption), "1");
    EXPECT_EQ(shown(result, "Form1", "Text1", TextProperty::ToolTip), std::nullopt);
}

TEST_F(LanguageLoaderTest, HeadersPastTheLineLimitAreNotLookedFor) {
    QByteArray filler;
    for (int n = 1; n < kLanguageFileLineLimit; ++n)
        filler += "x\r\n";
    // The last line the scan looks at holds the header; its entries lie beyond.
    LanguageLoad result = load(writeRaw(filler + "[Menu]\r\nDatei\r\n"));
    EXPECT_EQ(caption(result, "mfile"), "Datei");

    result = load(writeRaw(filler + "x\r\n[Menu]\r\nDatei\r\n"));
    EXPECT_TRUE(result.texts.empty());
    EXPECT_EQ(traced.traceLines.size(), 1);
}

// ---- The in-memory load gives what a scan with GetFileLine gives. ----

int countLines(const QByteArray& bytes) {
    int count = 0;
    qsizetype start = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r' && bytes[i] != '\n')
            continue;
        ++count;
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    return count + (start < bytes.size() ? 1 : 0);
}

// The loader as the file format describes it: every line of the file, and
// every entry, fetched from disk on its own.
LanguageLoad lineByLine(const QString& path, QStringList& trace) {
    LanguageLoad load;
    trace = {kFrom + QDir::toNativeSeparators(path)};
    const int lines = std::min(countLines(test::readBytes(path)), kLanguageFileLineLimit);
    for (int counter = 1; counter <= lines; ++counter) {
        const QString line = GetFileLine(path, counter);
        if (line.startsWith('#'))
            continue;
        for (std::string_view section : languageSections()) {
            const QString name = QString::fromLatin1(section.data(), qsizetype(section.size()));
            if (line != "[" + name + "]")
                continue;
            trace << "init_language() -> loading " + line;
            for (const LanguageTextRow& row : languageTextRows(section)) {
                const QString text =
                    GetFileLine(path, counter + row.entry) +
                    QString::fromLatin1(row.suffix.data(), qsizetype(row.suffix.size()));
                if (!row.control.empty())
                    load.texts.push_back(
                        {QString::fromLatin1(row.window.data(), qsizetype(row.window.size())),
                         QString::fromLatin1(row.control.data(), qsizetype(row.control.size())),
                         row.index, row.property, text});
                if (row.kept)
                    load.table.setText(name, row.entry, text);
            }
        }
    }
    return load;
}

void expectSameAsLineByLine(const QString& path, TracedLoad& traced) {
    SCOPED_TRACE(path.toStdString());
    const std::optional<LanguageLoad> loaded = traced.run(path);
    ASSERT_TRUE(loaded.has_value());
    QStringList expectedTrace;
    const LanguageLoad expected = lineByLine(path, expectedTrace);
    ASSERT_EQ(loaded->texts.size(), expected.texts.size());
    for (size_t i = 0; i < expected.texts.size(); ++i)
        ASSERT_EQ(loaded->texts[i], expected.texts[i]) << "assignment " << i;
    for (const LanguageTextRow& row : languageTextRows()) {
        const QString section =
            QString::fromLatin1(row.section.data(), qsizetype(row.section.size()));
        EXPECT_EQ(loaded->table.text(section, row.entry), expected.table.text(section, row.entry));
    }
    EXPECT_EQ(traced.traceLines, expectedTrace);
}

// Files made of headers (right and wrong), comments, blanks and 8-bit text
// with every kind of line end.
QByteArray randomLanguageFile(std::mt19937& random) {
    QList<QByteArray> pool = {
        "",           "# comment", "#[Menu]",       "[menu]",
        " [GUI]",     "[GUI] ",    "[Unsupported]", "Text \xC4\xD6\xDC\xDF \x80",
        "  blanks  ", "[]"};
    for (std::string_view section : languageSections())
        pool << QByteArray("[") + QByteArray(section.data(), qsizetype(section.size())) + "]";
    const QList<QByteArray> ends = {"\r\n", "\r\n", "\r\n", "\n", "\r"};
    std::uniform_int_distribution<int> lineCount(0, 120);
    std::uniform_int_distribution<int> pick(0, 3 * int(pool.size()) - 1);
    std::uniform_int_distribution<int> pickEnd(0, int(ends.size()) - 1);
    QByteArray bytes;
    const int count = lineCount(random);
    for (int n = 0; n < count; ++n) {
        const int p = pick(random);
        // Two thirds of the lines are plain numbered text, so entries are traceable.
        bytes += p < int(pool.size()) ? pool[p] : "line " + QByteArray::number(n);
        if (n + 1 < count || random() % 2)
            bytes += ends[pickEnd(random)];
    }
    return bytes;
}

TEST_F(LanguageLoaderTest, EveryTextIsTheLineGetFileLineGives) {
    std::mt19937 random(20240607);
    for (int round = 0; round < 60; ++round)
        expectSameAsLineByLine(writeRaw(randomLanguageFile(random)), traced);
    for (const char* shipped : {"language.de.lng", "language.en.lng"})
        expectSameAsLineByLine(QStringLiteral(QUILLSET_SOURCE_DIR "/resources/lang/") +
                                   QLatin1String(shipped),
                               traced);
}

} // namespace
} // namespace quillset
