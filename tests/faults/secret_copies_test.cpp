// settings.cfg holds the CD keys. A user who made it readable by the owner
// only must not find a copy of the keys beside it that everyone can read.

#include "lang/language_texts.h"
#include "scripted_dialogs.h"
#include "shell/backup.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace quillset;

TEST(BackupRights, TheBackupIsPrivateWhenTheSettingsFileIs) {
    // Modes of settings.cfg, of an older backup (0: none) and of the backup.
    const int rows[][3] = {{0600, 0, 0600}, {0640, 0644, 0600}, {0644, 0, 0644}};
    const mode_t previousMask = ::umask(022);
    for (const auto& [sourceMode, oldMode, backupMode] : rows) {
        test::TempFolder folder;
        const QString source = folder.file(QStringLiteral("settings.cfg"));
        const QString backup = folder.file(QStringLiteral("settings.bck"));
        const QByteArray keys = "NETWORK_CDKEY : AAAAABBBBBCCCCCDDDDD\r\n";
        ASSERT_TRUE(test::writeBytes(source, keys) &&
                    (!oldMode || test::writeBytes(backup, "old")));
        ::chmod(QFile::encodeName(source).constData(), mode_t(sourceMode));
        ::chmod(QFile::encodeName(backup).constData(), mode_t(oldMode));
        test::ScriptedDialogs dialogs;
        const LanguageTable texts;
        EXPECT_TRUE(
            copyWithNotice({dialogs, texts, folder.path() + '/', folder.path()}, source, backup));
        struct stat st {};
        ASSERT_EQ(::stat(QFile::encodeName(backup).constData(), &st), 0);
        EXPECT_EQ(int(st.st_mode & 07777), backupMode) << sourceMode;
        EXPECT_EQ(test::readBytes(backup), keys);
    }
    ::umask(previousMask);
}
