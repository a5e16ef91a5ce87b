// settings.cfg holds the CD keys. A user who made it readable by the owner
// only must not find a copy of the keys beside it that everyone can read.

#include "lang/language_texts.h"
#include "scripted_dialogs.h"
#include "shell/backup.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace quillset;

namespace {

int fileMode(const QString& path) {
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? int(st.st_mode & 07777) : -1;
}

class BackupRights : public ::testing::Test {
protected:
    BackupRights() : previousMask_(::umask(022)) {}
    ~BackupRights() override { ::umask(previousMask_); }

    // Backs settings.cfg (with the given mode) up into settings.bck.
    bool backUp(int sourceMode) {
        const QString source = folder.file(QStringLiteral("settings.cfg"));
        if (!test::writeBytes(source, "NETWORK_CDKEY : AAAAABBBBBCCCCCDDDDD\r\n") ||
            ::chmod(QFile::encodeName(source).constData(), static_cast<mode_t>(sourceMode)) != 0)
            return false;
        test::ScriptedDialogs dialogs;
        const BackupContext context{dialogs, texts, folder.path() + QLatin1Char('/'),
                                    folder.path()};
        return copy_with_notice(context, source, backup());
    }
    QString backup() const { return folder.file(QStringLiteral("settings.bck")); }

    test::TempFolder folder;
    LanguageTable texts;

private:
    mode_t previousMask_;
};

TEST_F(BackupRights, APrivateSettingsFileGivesAPrivateBackup) {
    ASSERT_TRUE(backUp(0600));
    EXPECT_EQ(fileMode(backup()), 0600);
}

TEST_F(BackupRights, AnOldBackupThatEveryoneCouldReadBecomesPrivate) {
    ASSERT_TRUE(test::writeBytes(backup(), "old"));
    ASSERT_EQ(::chmod(QFile::encodeName(backup()).constData(), 0644), 0);
    ASSERT_TRUE(backUp(0640));
    EXPECT_EQ(fileMode(backup()), 0600);
    EXPECT_EQ(test::readBytes(backup()), "NETWORK_CDKEY : AAAAABBBBBCCCCCDDDDD\r\n");
}

TEST_F(BackupRights, AnOpenSettingsFileGivesTheUsualMode) {
    ASSERT_TRUE(backUp(0644));
    EXPECT_EQ(fileMode(backup()), 0644);
}

} // namespace
