#include "lang/language_texts.h"
#include "scripted_dialogs.h"
#include "shell/backup.h"
#include "test_support.h"

#include <QFileInfo>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using namespace quillset;
using Answer = Dialogs::Answer;
using Kind = test::ScriptedDialogs::Shown::Kind;

namespace {

class BackupTest : public ::testing::Test {
protected:
    BackupTest() {
        texts.setText(QStringLiteral("Messages"), 4, QStringLiteral("notice"));
        texts.setText(QStringLiteral("Messages"), 6, QStringLiteral("replace?"));
        texts.setText(QStringLiteral("Messages"), 7, QStringLiteral("nothing to back up"));
        texts.setText(QStringLiteral("Captions"), 4, QStringLiteral("pick source"));
        texts.setText(QStringLiteral("Captions"), 5, QStringLiteral("pick target"));
    }
    BackupContext context() {
        return {dialogs, texts, dir.path() + QLatin1Char('/'),
                QStringLiteral("/somewhere/settings.cfg")};
    }
    QString path(const char* name) const { return dir.file(QLatin1String(name)); }
    void put(const char* name, const QByteArray& bytes) {
        ASSERT_TRUE(test::writeBytes(path(name), bytes));
    }
    QByteArray get(const char* name) const { return test::readBytes(path(name)); }
    std::vector<QString> texts_shown() const {
        std::vector<QString> out;
        for (const auto& s : dialogs.shown)
            out.push_back(s.kind == Kind::Message ? s.text : s.title);
        return out;
    }

    test::TempFolder dir;
    test::ScriptedDialogs dialogs;
    LanguageTable texts;
};

TEST_F(BackupTest, NormalModeReplacesTheBackupWithAFreshCopy) {
    put("settings.cfg", "new");
    put("settings.bck", "old");
    create_backup(context(), false);
    EXPECT_EQ(get("settings.bck"), "new");
    EXPECT_EQ(texts_shown(), std::vector<QString>{QStringLiteral("notice")});
}

TEST_F(BackupTest, NormalModeWithNeitherFileOnlyTellsTheUser) {
    create_backup(context(), false);
    EXPECT_EQ(texts_shown(), std::vector<QString>{QStringLiteral("nothing to back up")});
    EXPECT_FALSE(QFileInfo::exists(path("settings.bck")));
}

TEST_F(BackupTest, AnExistingBackupIsNeverLostWithoutASettingsFile) {
    put("settings.bck", "precious");
    create_backup(context(), false);
    dialogs.answer(Answer::Yes);
    create_backup(context(), true);
    EXPECT_EQ(get("settings.bck"), "precious");
    ASSERT_EQ(dialogs.shown.size(), 3u);
    EXPECT_TRUE(dialogs.shown[0].text.contains(QLatin1String("existing backup is kept")));
    EXPECT_EQ(dialogs.shown[1].text, QStringLiteral("replace?"));
}

TEST_F(BackupTest, AdvancedModeAsksBeforeReplacing) {
    put("settings.cfg", "new");
    put("settings.bck", "old");
    dialogs.answer(Answer::Yes);
    create_backup(context(), true);
    EXPECT_EQ(get("settings.bck"), "new");

    // No, then the save dialog cancelled: nothing changes.
    put("settings.bck", "old");
    dialogs.answer(Answer::No);
    dialogs.choose(QString());
    create_backup(context(), true);
    EXPECT_EQ(get("settings.bck"), "old");
    EXPECT_EQ(dialogs.shown.back().kind, Kind::Save);
    EXPECT_EQ(dialogs.shown.back().title, QStringLiteral("Backup"));
    EXPECT_EQ(dialogs.shown.back().initialFolder, context().installDir);

    // No, then another file chosen: it receives the copy, the backup stays.
    dialogs.answer(Answer::No);
    dialogs.choose(path("elsewhere.bck"));
    create_backup(context(), true);
    EXPECT_EQ(get("elsewhere.bck"), "new");
    EXPECT_EQ(get("settings.bck"), "old");
}

TEST_F(BackupTest, AdvancedModeWithNeitherFileLetsTheUserPickBoth) {
    put("mine.cfg", "chosen");
    dialogs.choose(path("mine.cfg"));
    dialogs.choose(path("copy.cfg"));
    create_backup(context(), true);
    EXPECT_EQ(get("copy.cfg"), "chosen");
    EXPECT_EQ(texts_shown(),
              (std::vector<QString>{QStringLiteral("pick source"), QStringLiteral("pick target"),
                                    QStringLiteral("notice")}));
    EXPECT_EQ(dialogs.shown[0].initialFolder, QStringLiteral("/somewhere/settings.cfg"));

    dialogs.choose(QString());
    create_backup(context(), true);
    EXPECT_EQ(dialogs.shown.size(), 4u) << "cancelling the first dialog ends the command";
}

TEST_F(BackupTest, AFailedCopyIsReportedAndLeavesTheTarget) {
    put("settings.cfg", "new");
    const QString target = path("sub");
    ASSERT_TRUE(QDir().mkdir(target));
    EXPECT_FALSE(copy_with_notice(context(), path("settings.cfg"), target));
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_TRUE(dialogs.shown[1].text.contains(QLatin1String("could not be copied")));
    EXPECT_TRUE(QFileInfo(target).isDir());
}

} // namespace
