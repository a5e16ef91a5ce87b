// The backup command's ways, one row each, and the text and file helpers
// every reader shares.

#include "io/ansi_text.h"
#include "io/file_helpers.h"
#include "io/text_lines.h"
#include "lang/language_texts.h"
#include "scripted_dialogs.h"
#include "shell/backup.h"
#include "test_support.h"

#include <QFileInfo>
#include <gtest/gtest.h>

#include <tuple>

using namespace quillset;
using Answer = Dialogs::Answer;

namespace {

struct BackupCase {
    bool advanced;
    const char* cfg; // settings.cfg's bytes; nullptr: missing
    const char* bck; // settings.bck's bytes before
    std::vector<Answer> answers;
    std::vector<const char*> chosen; // file dialog results; "" cancels
    const char* bckAfter;
    // What the user saw: message texts and file dialog titles, "KEPT" for
    // the notice that an existing backup stays.
    const char* shown;
    const char* otherFile = nullptr; // name=bytes of a file the copy went to
};

// clang-format off
const BackupCase kBackupCases[] = {
    {false, "new", "old", {}, {}, "new", "notice"},
    {false, nullptr, nullptr, {}, {}, nullptr, "nothing to back up"},
    {false, nullptr, "precious", {}, {}, "precious", "KEPT"},
    {false, "new", nullptr, {}, {}, "new", "notice"},
    {true, nullptr, "precious", {Answer::Yes}, {}, "precious", "replace?|KEPT"},
    {true, "new", "old", {Answer::Yes}, {}, "new", "replace?|notice"},
    {true, "new", "old", {Answer::No}, {""}, "old", "replace?|Backup"},
    {true, "new", "old", {Answer::No}, {"other.bck"}, "old", "replace?|Backup|notice", "other.bck=new"},
    {true, "new", nullptr, {}, {}, "new", "notice"},
    {true, nullptr, nullptr, {}, {"mine.cfg", "copy.cfg"}, nullptr, "pick source|pick target|notice",
     "copy.cfg=mine"},
    {true, nullptr, nullptr, {}, {"mine.cfg", ""}, nullptr, "pick source|pick target"},
    {true, nullptr, nullptr, {}, {""}, nullptr, "pick source"},
};
// clang-format on

TEST(Backup, EveryWayThroughTheCommand) {
    for (const BackupCase& c : kBackupCases) {
        SCOPED_TRACE(c.shown);
        test::TempFolder dir;
        const auto file = [&](const char* name) { return dir.file(QLatin1String(name)); };
        ASSERT_TRUE(test::writeBytes(file("mine.cfg"), "mine"));
        ASSERT_TRUE(!c.cfg || test::writeBytes(file("settings.cfg"), c.cfg));
        ASSERT_TRUE(!c.bck || test::writeBytes(file("settings.bck"), c.bck));
        test::ScriptedDialogs dialogs;
        for (Answer a : c.answers)
            dialogs.answer(a);
        for (const char* name : c.chosen)
            dialogs.choose(*name ? file(name) : QString());
        LanguageTable texts;
        for (auto [section, entry, text] : {std::tuple{"Messages", 4, "notice"},
                                            {"Messages", 6, "replace?"},
                                            {"Messages", 7, "nothing to back up"},
                                            {"Captions", 4, "pick source"},
                                            {"Captions", 5, "pick target"}})
            texts.setText(QLatin1String(section), entry, QLatin1String(text));
        create_backup({dialogs, texts, dir.path() + QLatin1Char('/'), QStringLiteral("/s/cfg")},
                      c.advanced);

        QStringList shown;
        for (const auto& s : dialogs.shown) {
            shown << (s.text.endsWith(QLatin1String("existing backup is kept.")) ? "KEPT"
                      : s.text.isEmpty()                                         ? s.title
                                                                                 : s.text);
            if (s.kind != test::ScriptedDialogs::Shown::Kind::Message) {
                EXPECT_EQ(s.initialFolder,
                          s.title == "Backup" ? dir.path() + '/' : QStringLiteral("/s/cfg"));
            }
        }
        EXPECT_EQ(shown.join('|'), QLatin1String(c.shown));
        EXPECT_TRUE(dialogs.exhausted());
        EXPECT_EQ(QFileInfo::exists(file("settings.bck")), c.bckAfter != nullptr);
        EXPECT_EQ(test::readBytes(file("settings.bck")), c.bckAfter);
        QStringList files = QDir(dir.path()).entryList(QDir::Files);
        files.removeAll(QStringLiteral("settings.bck"));
        files.removeAll(QStringLiteral("settings.cfg"));
        files.removeAll(QStringLiteral("mine.cfg"));
        const QString other = QString::fromLatin1(c.otherFile);
        EXPECT_EQ(files, other.isEmpty() ? QStringList{} : QStringList{other.section('=', 0, 0)});
        if (c.otherFile) {
            EXPECT_EQ(test::readBytes(dir.file(other.section('=', 0, 0))),
                      other.section('=', 1).toLatin1());
        }
    }
}

TEST(TextFiles, LinesWindows1252AndFileChecks) {
    QByteArrayList lines;
    for (QByteArrayView line : splitLines("a\rb\nc\r\n\r\nd\r\r\ne\n\rf\r\n"))
        lines << line.toByteArray();
    EXPECT_EQ(lines, (QByteArrayList{"a", "b", "c", "", "d", "", "e", "", "f"}));
    EXPECT_TRUE(splitLines("").empty());

    QByteArray all;
    for (int i = 0; i < 256; ++i)
        all.append(char(i));
    EXPECT_EQ(toAnsi(fromAnsi(all)), all);
    EXPECT_EQ(fromAnsi("\x80\x9f\xe4"), QString::fromUtf8("\u20ac\u0178\u00e4"));
    for (const char* foreign : {"\u0416", "x\u4e2d", "\u0080", "\u0100", "\U0001F600"})
        EXPECT_EQ(toAnsi(QString::fromUtf8(foreign)), std::nullopt) << foreign;
    EXPECT_EQ(toAnsi(QStringLiteral("ok")), "ok") << "a refusal leaves nothing behind";

    test::TempFolder dir;
    ASSERT_TRUE(test::writeBytes(dir.file(QStringLiteral("a")), "x"));
    EXPECT_TRUE(FileExists(dir.file(QStringLiteral("a"))));
    EXPECT_FALSE(FileExists(dir.file(QStringLiteral("missing"))));
    EXPECT_FALSE(FileExists(dir.path())) << "a folder is no file";
    EXPECT_FALSE(FileExists(QString()));
    EXPECT_EQ(joinPath(QStringLiteral("/g/"), QStringLiteral("x")), QStringLiteral("/g/x"));
    EXPECT_EQ(joinPath(QStringLiteral("/g"), QStringLiteral("x")), QStringLiteral("/g/x"));
    EXPECT_EQ(joinPath(QString(), QStringLiteral("x")), QStringLiteral("x"));
}

} // namespace
