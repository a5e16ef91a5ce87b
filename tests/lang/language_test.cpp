// language.lng: sections found by their exact header lines, entry N being the
// N-th line below the header, and the shipped files complete.

#include "io/ansi_text.h"
#include "io/debug_log.h"
#include "lang/language_catalogue.h"
#include "lang/language_loader.h"
#include "test_support.h"

namespace quillset {
namespace {

struct Language : ::testing::Test {
    // Loads the file; its trace lines (after the log's header, without their
    // common start) land in trace, the texts each control ends up with in shown.
    std::optional<LanguageLoad> load(const QString& file) {
        DebugLog log;
        log.open(folder.file(u"debug.log"_s));
        std::optional<LanguageLoad> result = loadLanguageFile(file, &log);
        log.close();
        const QString lines = fromAnsi(test::readBytes(folder.file(u"debug.log"_s)));
        trace = lines.split(u"\r\n"_s, Qt::SkipEmptyParts).mid(1).join('|');
        trace.remove(u"init_language() -> loading "_s);
        shown.clear();
        for (const TextAssignment& a : result ? result->texts : std::vector<TextAssignment>{})
            shown[a.window + '.' + a.control +
                  (a.index < 0 ? QString() : '[' + QString::number(a.index) + ']') +
                  (a.property == TextProperty::ToolTip ? "?" : "")] = a.text;
        return result;
    }
    LanguageLoad loadBytes(const QByteArray& bytes) {
        EXPECT_TRUE(test::writeBytes(path(), bytes));
        return load(path()).value_or(LanguageLoad{});
    }
    QString path() const { return folder.file(u"language.lng"_s); }

    test::TempFolder folder;
    QString trace;
    QMap<QString, QString> shown;
};

TEST_F(Language, SectionsStartAtEveryExactHeaderAndReadTheLinesBelow) {
    // A header among another section's entries starts its section too; the
    // later [Captions] wins; a header on the last line gives empty entries.
    const LanguageLoad load = loadBytes(
        "# [Menu]\r\n[menu]\r\n [Captions]\n[Menu]\r# Datei\r\n\326ffnen\r\nS\r\nBeenden\n"
        "[Captions]\r\nSichern\r\nLaden\r\nEnde\r\n[]\r\n[Accountmanagement]\r\na1\r\na2\r\na3\r\n"
        "[Captions]\r\nSave\r\nOpen\r\nQuit\r\n[Sound]");
    EXPECT_EQ(trace, "language file from " + path() +
                         "|[Menu]|[Captions]|[Accountmanagement]|[Captions]|[Sound]");
    // clang-format off
    const std::pair<const char*, QString> expected[] = {
        {"Form1.mfile", "# Datei"},       {"Form1.mopen", QString::fromUtf8("\u00d6ffnen")},
        {"Form1.moptions", "[Captions]"}, {"Form1.mabout", "a1"},
        {"Form2.Label1[2]", "a3"},        {"Form2.Label6?", "a2"},
        {"Form1.sound", ""},              {"Form1.speichern", "Save"},
        {"Form1.exitbtn", "Quit "}};
    // clang-format on
    for (const auto& [control, text] : expected)
        EXPECT_EQ(shown.value(QLatin1String(control), u"(none)"_s), text) << control;
    EXPECT_EQ(load.table.text(kept::exitQuestionTitle), "Quit ");
    EXPECT_EQ(load.table.text(kept::backupSourceDialogTitle), "[Sound]");
}

TEST_F(Language, HeadersPastTheLineLimitOrMissingFilesGiveNothing) {
    const QByteArray filler = QByteArray("x\r\n").repeated(kLanguageFileLineLimit - 1);
    loadBytes(filler + "[Menu]\r\nDatei\r\n");
    EXPECT_EQ(shown.value(u"Form1.mfile"_s), "Datei");
    EXPECT_TRUE(loadBytes(filler + "x\r\n[Menu]\r\nDatei\r\n").texts.empty());
    EXPECT_EQ(trace, "language file from " + path());
    // A missing file gives nothing, an empty one no sections.
    ASSERT_TRUE(QFile::remove(path()));
    EXPECT_FALSE(load(path()) || load(folder.path()) || !trace.isEmpty());
    EXPECT_TRUE(loadBytes({}).texts.empty());
    EXPECT_EQ(trace, "language file from " + path());
}

// An entry added later counts only within its section's block: an older
// file has its next comment or section there, and gets the built-in text.
TEST_F(Language, EntriesAddedLaterComeFromTheBlockElseBuiltIn) {
    const QByteArray nine = "[Messages]\r\n" + QByteArray("m\r\n").repeated(9);
    const LanguageTable older = loadBytes(nine + "#\r\nour own\r\n").table;
    const LanguageTable newer = loadBytes(nine + QByteArray("ours\r\n").repeated(16)).table;
    const LanguageTable empty = loadBytes(nine + "\r\n[Menu]\r\n" + "ours\r\n").table;
    const auto builtIn = [](const KeptTextId& id) { return QString::fromUtf8(id.builtIn); };
    EXPECT_EQ(older.text(kept::unreadableOnDiskQuestion), builtIn(kept::unreadableOnDiskQuestion));
    EXPECT_EQ(older.text(kept::conflictQuestion), builtIn(kept::conflictQuestion));
    EXPECT_EQ(newer.text(kept::styleRenameFailedNotice), u"ours"_s);
    EXPECT_EQ(empty.text(kept::conflictQuestion), builtIn(kept::conflictQuestion));
}

// The shipped files give every section once and fill every text; the English
// one words the entries added later as the built-in texts do.
TEST_F(Language, ShippedFilesAreComplete) {
    for (const char* name : {"language.de.lng", "language.en.lng"}) {
        const auto loaded = load(QStringLiteral(QUILLSET_SOURCE_DIR "/resources/lang/") + name);
        ASSERT_TRUE(loaded) << name;
        EXPECT_EQ(trace.count('|'), qsizetype(languageSections().size())) << name;
        for (const TextAssignment& a : loaded->texts)
            EXPECT_FALSE(a.text.trimmed().isEmpty()) << name << a.control.toStdString();
        for (const KeptTextId& id : kept::kAddedLater) {
            const QString supplied = loaded->table.text(QLatin1String(id.section), id.entry);
            EXPECT_EQ(supplied == QString::fromUtf8(id.builtIn),
                      std::string_view(name) == "language.en.lng")
                << name << id.entry;
        }
    }
}

} // namespace
} // namespace quillset
