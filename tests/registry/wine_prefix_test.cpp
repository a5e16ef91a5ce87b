// Finding the Wine prefix and mapping the game's Windows paths into it.

#include "registry/launchers/game_prefix_search.h"
#include "registry/wine_prefix.h"
#include "wine_test_prefix.h"

#include <QDir>
#include <gtest/gtest.h>

#include <unistd.h>

using namespace quillset;
using quillset::test::TempFolder;
using quillset::test::TestPrefix;

namespace {

bool makePrefixAt(const QString& folder) {
    return QDir().mkpath(folder + QStringLiteral("/drive_c")) &&
           test::writeBytes(folder + QStringLiteral("/system.reg"), "WINE REGISTRY Version 2\n");
}

TEST(FindWinePrefix, UsesWinePrefixFirstThenTheProgramsFolderThenHome) {
    TempFolder root;
    const QString outer = root.file(QStringLiteral("outer"));
    const QString inner = outer + QStringLiteral("/drive_c/Games/inner");
    const QString home = root.file(QStringLiteral("home"));
    ASSERT_TRUE(makePrefixAt(outer));
    ASSERT_TRUE(makePrefixAt(inner));
    ASSERT_TRUE(QDir().mkpath(inner + QStringLiteral("/drive_c/Korrin")));
    ASSERT_TRUE(QDir().mkpath(home + QStringLiteral("/.wine")));
    // A folder with a system.reg but no drive_c is no prefix.
    const QString lookalike = outer + QStringLiteral("/drive_c/Tools");
    ASSERT_TRUE(QDir().mkpath(lookalike + QStringLiteral("/bin")));
    ASSERT_TRUE(test::writeBytes(lookalike + QStringLiteral("/system.reg"), "x"));

    const QString env = root.file(QStringLiteral("elsewhere"));
    const auto find = [](const QString& programDir, const QString& winePrefix,
                         const QString& homeDir) {
        return chooseWinePrefix(programDir, winePrefix, SearchPlaces::underHome(homeDir)).prefix;
    };
    EXPECT_EQ(find(inner + QStringLiteral("/drive_c/Korrin"), env, home), env);
    EXPECT_EQ(find(inner + QStringLiteral("/drive_c/Korrin"), QString(), home), inner);
    EXPECT_EQ(find(inner + QStringLiteral("/drive_c/Korrin/"), QString(), home), inner);
    EXPECT_EQ(find(lookalike + QStringLiteral("/bin"), QString(), home), outer);
    EXPECT_EQ(find(outer, QString(), home), outer);
    EXPECT_EQ(find(root.file(QStringLiteral("nowhere")), QString(), home),
              home + QStringLiteral("/.wine"));
    EXPECT_EQ(find(QString(), QString(), home), home + QStringLiteral("/.wine"));
    EXPECT_EQ(find(root.path(), QString(), root.file(QStringLiteral("nohome"))), QString());
    // Wine itself refuses a relative WINEPREFIX.
    EXPECT_EQ(find(inner, QStringLiteral("relative/pfx"), home), QString());
}

class DriveMapping : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(QDir().mkpath(prefix_.file(QStringLiteral("drive_c/Games/Korrin Deepfall"))));
        ASSERT_TRUE(QDir().mkpath(prefix_.file(QStringLiteral("drive_c/Program Files"))));
        ASSERT_TRUE(QDir().mkpath(other_.file(QStringLiteral("Data/Korrin"))));
        ASSERT_EQ(
            ::symlink(QFile::encodeName(other_.path()).constData(),
                      QFile::encodeName(prefix_.file(QStringLiteral("dosdevices/d:"))).constData()),
            0);
    }
    QString map(const QString& windowsPath) const {
        return wineToLocalPath(prefix_.path(), windowsPath);
    }
    QString driveC(const QString& rest) const {
        return prefix_.file(QStringLiteral("drive_c/") + rest);
    }

    TestPrefix prefix_;
    TempFolder other_;
};

TEST_F(DriveMapping, FollowsDriveLinksAndMatchesPartsIgnoringCase) {
    EXPECT_EQ(map(QStringLiteral("C:\\Games\\Korrin Deepfall")),
              driveC(QStringLiteral("Games/Korrin Deepfall")));
    EXPECT_EQ(map(QStringLiteral("c:\\GAMES\\korrin DEEPFALL\\")),
              driveC(QStringLiteral("Games/Korrin Deepfall")));
    EXPECT_EQ(map(QStringLiteral("C:/games/korrin deepfall")),
              driveC(QStringLiteral("Games/Korrin Deepfall")));
    EXPECT_EQ(map(QStringLiteral("C:\\")), prefix_.file(QStringLiteral("drive_c")));
    // Absolute link targets, and the device-path forms of the same path.
    EXPECT_EQ(map(QStringLiteral("d:\\DATA\\korrin")), other_.file(QStringLiteral("Data/Korrin")));
    EXPECT_EQ(map(QStringLiteral("\\\\?\\D:\\data\\KORRIN")),
              other_.file(QStringLiteral("Data/Korrin")));
    EXPECT_EQ(map(QStringLiteral("\\??\\d:\\Data\\Korrin")),
              other_.file(QStringLiteral("Data/Korrin")));
    EXPECT_EQ(map(QStringLiteral("C:\\Games\\.\\Other\\..\\korrin deepfall")),
              driveC(QStringLiteral("Games/Korrin Deepfall")));
}

TEST_F(DriveMapping, PrefersTheExactNameWhenSeveralMatch) {
    ASSERT_TRUE(QDir().mkpath(driveC(QStringLiteral("games"))));
    EXPECT_EQ(map(QStringLiteral("C:\\games")), driveC(QStringLiteral("games")));
    EXPECT_EQ(map(QStringLiteral("C:\\Games")), driveC(QStringLiteral("Games")));
    // Neither matches exactly: the first in name order.
    EXPECT_EQ(map(QStringLiteral("C:\\GAMES")), driveC(QStringLiteral("Games")));
}

TEST_F(DriveMapping, KeepsMissingPartsAsWrittenAndRefusesUnknownDrives) {
    EXPECT_EQ(map(QStringLiteral("C:\\GAMES\\Not Installed\\Yet")),
              driveC(QStringLiteral("Games/Not Installed/Yet")));
    EXPECT_EQ(map(QStringLiteral("E:\\Games")), QString());
    EXPECT_EQ(map(QStringLiteral("Games\\Korrin")), QString());
    EXPECT_EQ(map(QStringLiteral("\\\\server\\share")), QString());
    EXPECT_EQ(map(QStringLiteral("1:\\Games")), QString());
    EXPECT_EQ(map(QString()), QString());
    EXPECT_EQ(wineToLocalPath(QString(), QStringLiteral("C:\\Games")), QString());
}

TEST(WineServerLock, LockPathIsNamedAfterThePrefixFolder) {
    TestPrefix prefix;
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(prefix.path()).constData(), &info), 0);
    const QStringList paths = wineServerLockPaths(prefix.path());
    ASSERT_EQ(paths.size(), 1) << "no Debian server folder is recorded in a fresh prefix";
    EXPECT_EQ(paths.front(), QString::asprintf("/tmp/.wine-%u/server-%llx-%llx/lock", ::getuid(),
                                               static_cast<unsigned long long>(info.st_dev),
                                               static_cast<unsigned long long>(info.st_ino)));
    EXPECT_FALSE(wineServerRunning(prefix.path()));

    // A recorded name that could leave the temp folder is not followed.
    ASSERT_TRUE(test::writeBytes(prefix.file(QStringLiteral("wineserver")), "../etc"));
    EXPECT_EQ(wineServerLockPaths(prefix.path()).size(), 1);
    EXPECT_TRUE(wineServerLockPaths(prefix.file(QStringLiteral("missing"))).isEmpty());
}

} // namespace
