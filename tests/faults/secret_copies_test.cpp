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

bool setMode(const QString& path, int mode) {
    return ::chmod(QFile::encodeName(path).constData(), static_cast<mode_t>(mode)) == 0;
}

TEST(BackupRights, TheBackupIsPrivateWhenTheSettingsFileIs) {
    const struct {
        int sourceMode;
        int oldBackupMode; // 0: no backup yet
        int backupMode;
    } rows[] = {{0600, 0, 0600}, {0640, 0644, 0600}, {0644, 0, 0644}};
    const mode_t previousMask = ::umask(022);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.sourceMode);
        test::TempFolder folder;
        const QString source = folder.file(QStringLiteral("settings.cfg"));
        const QString backup = folder.file(QStringLiteral("settings.bck"));
        const QByteArray keys = "NETWORK_CDKEY : AAAAABBBBBCCCCCDDDDD\r\n";
        ASSERT_TRUE(test::writeBytes(source, keys) && setMode(source, row.sourceMode));
        if (row.oldBackupMode) {
            ASSERT_TRUE(test::writeBytes(backup, "old") && setMode(backup, row.oldBackupMode));
        }
        test::ScriptedDialogs dialogs;
        const LanguageTable texts;
        const BackupContext context{dialogs, texts, folder.path() + QLatin1Char('/'),
                                    folder.path()};
        EXPECT_TRUE(copy_with_notice(context, source, backup));
        EXPECT_EQ(fileMode(backup), row.backupMode);
        EXPECT_EQ(test::readBytes(backup), keys);
    }
    ::umask(previousMask);
}

} // namespace
