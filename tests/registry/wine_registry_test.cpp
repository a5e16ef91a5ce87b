// The registry of a Wine prefix as the program sees it: both roots, the
// 32-bit view of a 64-bit prefix, and writes that never fight a running
// wineserver and never disturb the rest of the file.

#include "registry/wine_prefix.h"
#include "registry/wine_registry.h"
#include "wine_test_prefix.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using namespace quillset;
using quillset::test::LockHolder;
using quillset::test::TestPrefix;
using quillset::test::wineRegFile;

namespace {

constexpr RegistryRoot kMachine = RegistryRoot::LocalMachine;
constexpr RegistryRoot kUser = RegistryRoot::CurrentUser;

QString installValue(const Registry& registry, RegistryRoot root) {
    return registry.RegGetString(root, kInstallKeyPath, kInstallValueName);
}

const char* const kInstallKeyLine =
    R"([Software\\Halvane Entertainment\\Korrin Deepfall] 1700000000)";
const char* const kWowKeyLine =
    R"([Software\\Wow6432Node\\Halvane Entertainment\\Korrin Deepfall] 1700000000)";

TEST(WineRegistry, ValueOnlyPerUserIsCopiedIntoTheMachineRoot) {
    TestPrefix prefix;
    const QByteArray system =
        wineRegFile({R"([Software\\Wine] 1700000000)", R"("Version"="win10")"});
    const QByteArray user =
        wineRegFile({kInstallKeyLine, R"("InstallLocation"="C:\\Games\\Korrin Deepfall")"});
    ASSERT_TRUE(prefix.writeSystem(system));
    ASSERT_TRUE(prefix.writeUser(user));
    WineRegistry registry(prefix.path());

    EXPECT_EQ(installValue(registry, kMachine), QString());
    const QString perUser = installValue(registry, kUser);
    EXPECT_EQ(perUser, QStringLiteral("C:\\Games\\Korrin Deepfall"));

    registry.RegSetString(kMachine, kInstallKeyPath, kInstallValueName, perUser);
    EXPECT_EQ(installValue(registry, kMachine), perUser);
    const std::optional<RegistryValue> copied =
        registry.queryValue(kMachine, kInstallKeyPath, kInstallValueName);
    ASSERT_TRUE(copied.has_value());
    EXPECT_EQ(copied->type, kRegSz);
    EXPECT_EQ(copied->data, utf16StringData(perUser));
    // The existing content stays in front, byte for byte; the per-user file is untouched.
    EXPECT_TRUE(test::readBytes(prefix.systemReg()).startsWith(system));
    EXPECT_EQ(test::readBytes(prefix.userReg()), user);
}

TEST(WineRegistry, EachRootReadsItsOwnFile) {
    TestPrefix prefix;
    ASSERT_TRUE(
        prefix.writeSystem(wineRegFile({kInstallKeyLine, R"("InstallLocation"="D:\\Machine")"})));
    ASSERT_TRUE(
        prefix.writeUser(wineRegFile({kInstallKeyLine, R"("InstallLocation"="E:\\User")"})));
    const WineRegistry registry(prefix.path());
    EXPECT_EQ(installValue(registry, kMachine), QStringLiteral("D:\\Machine"));
    EXPECT_EQ(installValue(registry, kUser), QStringLiteral("E:\\User"));
}

TEST(WineRegistry, ValueTypesReadAsTheProgramExpects) {
    TestPrefix prefix;
    ASSERT_TRUE(prefix.writeSystem(wineRegFile({
        kInstallKeyLine,
        R"("Binary"=hex:39,30)",
        R"("Dword"=dword:00003039)",
        R"("Expand"=str(2):"C:\\Games")",
        R"("Prefixed"=str:"C:\\Str")",
        R"("Raw"=hex(1):43,00,3a,00,00,00,41,00)",
    })));
    const WineRegistry registry(prefix.path());
    const auto read = [&](const char* name) {
        return registry.RegGetString(kMachine, kInstallKeyPath, QString::fromLatin1(name));
    };
    EXPECT_EQ(read("Binary"), QStringLiteral("12345"));
    EXPECT_EQ(read("Dword"), QString());
    EXPECT_EQ(read("Expand"), QString());
    EXPECT_EQ(read("Prefixed"), QStringLiteral("C:\\Str"));
    EXPECT_EQ(read("Raw"), QStringLiteral("C:"));
    EXPECT_EQ(read("Missing"), QString());
}

TEST(WineRegistry, SixtyFourBitPrefixShowsTheMachineRootAsA32BitProgramSeesIt) {
    TestPrefix prefix;
    ASSERT_TRUE(prefix.writeSystem(wineRegFile(
        {
            kInstallKeyLine,
            R"("InstallLocation"="C:\\64-bit view")",
            R"("OnlyPlain"="plain")",
            "",
            kWowKeyLine,
            R"("InstallLocation"="C:\\32-bit view")",
        },
        "win64")));
    ASSERT_TRUE(prefix.writeUser(wineRegFile(
        {
            kInstallKeyLine,
            R"("InstallLocation"="C:\\user plain")",
            "",
            kWowKeyLine,
            R"("InstallLocation"="C:\\user wow")",
        },
        "win64")));
    const WineRegistry registry(prefix.path());
    EXPECT_EQ(installValue(registry, kMachine), QStringLiteral("C:\\32-bit view"));
    // A value missing from the 32-bit view falls back to the plain key.
    EXPECT_EQ(registry.RegGetString(kMachine, kInstallKeyPath, QStringLiteral("OnlyPlain")),
              QStringLiteral("plain"));
    EXPECT_EQ(installValue(registry, kUser), QStringLiteral("C:\\user plain"));
}

TEST(WineRegistry, ThirtyTwoBitPrefixHasNoRedirection) {
    TestPrefix prefix;
    ASSERT_TRUE(prefix.writeSystem(wineRegFile({kInstallKeyLine, R"("InstallLocation"="C:\\plain")",
                                                "", kWowKeyLine, R"("InstallLocation"="C:\\wow")"},
                                               "win32")));
    WineRegistry registry(prefix.path());
    EXPECT_EQ(installValue(registry, kMachine), QStringLiteral("C:\\plain"));

    registry.RegSetString(kMachine, kInstallKeyPath, kInstallValueName, QStringLiteral("C:\\new"));
    EXPECT_EQ(installValue(registry, kMachine), QStringLiteral("C:\\new"));
    EXPECT_TRUE(test::readBytes(prefix.systemReg()).contains(R"("InstallLocation"="C:\\wow")"));
}

TEST(WineRegistry, WriteInA64BitPrefixGoesToThe32BitViewAndKeepsEveryOtherByte) {
    TestPrefix prefix;
    const QByteArray system = wineRegFile(
        {
            R"([Software\\Wine\\Drives] 1700000000)",
            "#time=1da1747c66d0000",
            R"("c:"="hd")",
            "",
            kInstallKeyLine,
            "#time=1da1747c66d0000",
            R"("InstallLocation"="C:\\64")",
            R"("Big"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,15,16,\)",
            "  17,18",
        },
        "win64");
    ASSERT_TRUE(prefix.writeSystem(system));
    ASSERT_EQ(::chmod(QFile::encodeName(prefix.systemReg()).constData(), 0640), 0);
    WineRegistry registry(prefix.path());

    const QString text = QStringLiteral("C:\\Program Files (x86)\\K\u00f6rrin \"DF\"");
    registry.RegSetString(kMachine, kInstallKeyPath, kInstallValueName, text);
    const QByteArray written = test::readBytes(prefix.systemReg());
    ASSERT_TRUE(written.startsWith(system)) << written.toStdString();
    const QByteArray added = written.mid(system.size());
    EXPECT_TRUE(added.startsWith("\n" + QByteArray(kWowKeyLine).replace(" 1700000000", " ")))
        << added.toStdString();
    EXPECT_TRUE(added.endsWith(
        "\n\"InstallLocation\"=\"C:\\\\Program Files (x86)\\\\K\\xf6rrin \\\"DF\\\"\"\n"))
        << added.toStdString();
    EXPECT_EQ(installValue(registry, kMachine), text);
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(prefix.systemReg()).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);

    // Setting it again replaces that one line only.
    registry.RegSetString(kMachine, kInstallKeyPath, kInstallValueName, QStringLiteral("D:\\K"));
    QByteArray expected = written;
    expected.replace("\"InstallLocation\"=\"C:\\\\Program Files (x86)\\\\K\\xf6rrin \\\"DF\\\"\"",
                     "\"InstallLocation\"=\"D:\\\\K\"");
    EXPECT_EQ(test::readBytes(prefix.systemReg()), expected);
}

TEST(WineRegistry, WritesAreRefusedWithoutAFileWineWouldLoad) {
    TestPrefix prefix;
    WineRegistry registry(prefix.path());
    // No system.reg: nothing is created.
    EXPECT_FALSE(
        registry.setStringValue(kMachine, kInstallKeyPath, kInstallValueName, QStringLiteral("x")));
    EXPECT_FALSE(QFileInfo::exists(prefix.systemReg()));

    const QByteArray notRegistry = "REGEDIT4\n\n[Software]\n";
    ASSERT_TRUE(prefix.writeSystem(notRegistry));
    EXPECT_FALSE(
        registry.setStringValue(kMachine, kInstallKeyPath, kInstallValueName, QStringLiteral("x")));
    EXPECT_EQ(test::readBytes(prefix.systemReg()), notRegistry);

    WineRegistry none{QString()};
    EXPECT_EQ(installValue(none, kMachine), QString());
    EXPECT_FALSE(
        none.setStringValue(kMachine, kInstallKeyPath, kInstallValueName, QStringLiteral("x")));
    EXPECT_EQ(none.localPath(QStringLiteral("C:\\Games")), QString());
}

// A server's lock file with its folders. Afterwards the server folder and
// the folder holding it are removed when empty: rmdir never takes a folder
// that another test or a real server still uses.
class LockFile {
public:
    explicit LockFile(const QString& path) : path_(path) {
        QDir().mkpath(QFileInfo(path).absolutePath());
        test::writeBytes(path, QByteArray());
    }
    ~LockFile() {
        QFile::remove(path_);
        const QString serverFolder = QFileInfo(path_).absolutePath();
        QDir().rmdir(serverFolder);
        QDir().rmdir(QFileInfo(serverFolder).absolutePath());
    }

private:
    QString path_;
};

QString upstreamLockPath(const QString& prefix) {
    struct stat info {};
    if (::stat(QFile::encodeName(prefix).constData(), &info) != 0)
        return {};
    return QString::asprintf("/tmp/.wine-%u/server-%llx-%llx/lock", ::getuid(),
                             static_cast<unsigned long long>(info.st_dev),
                             static_cast<unsigned long long>(info.st_ino));
}

void expectWriteRefusedWhileLocked(const TestPrefix& prefix, const QString& lockPath) {
    WineRegistry registry(prefix.path());
    const QByteArray system = wineRegFile({kInstallKeyLine, R"("InstallLocation"="C:\\old")"});
    ASSERT_TRUE(prefix.writeSystem(system));

    LockFile lockFile(lockPath);
    {
        // A stale lock file of a server that has ended does not block.
        EXPECT_FALSE(wineServerRunning(prefix.path()));
        LockHolder server(lockPath);
        ASSERT_TRUE(server.locked());
        EXPECT_TRUE(wineServerRunning(prefix.path()));
        EXPECT_FALSE(registry.setStringValue(kMachine, kInstallKeyPath, kInstallValueName,
                                             QStringLiteral("C:\\new")));
        EXPECT_EQ(test::readBytes(prefix.systemReg()), system);
    }
    EXPECT_FALSE(wineServerRunning(prefix.path()));
    EXPECT_TRUE(registry.setStringValue(kMachine, kInstallKeyPath, kInstallValueName,
                                        QStringLiteral("C:\\new")));
    EXPECT_EQ(installValue(registry, kMachine), QStringLiteral("C:\\new"));
}

TEST(WineRegistry, RunningServerRefusesTheWrite) {
    TestPrefix prefix;
    const QString lockPath = upstreamLockPath(prefix.path());
    ASSERT_FALSE(lockPath.isEmpty());
    ASSERT_FALSE(QFileInfo::exists(lockPath)) << "a server for a fresh folder cannot exist";
    EXPECT_EQ(wineServerLockPaths(prefix.path()).value(0), lockPath);
    expectWriteRefusedWhileLocked(prefix, lockPath);
    EXPECT_FALSE(QFileInfo::exists(QFileInfo(lockPath).absolutePath()));
}

TEST(WineRegistry, RunningServerInDebiansRecordedTempFolderRefusesTheWrite) {
    // Debian's Wine makes the server's folder with a random name in $TMPDIR
    // and records that name in the prefix.
    TestPrefix prefix;
    QTemporaryDir serverRoot(QDir::tempPath() + QStringLiteral("/wine-XXXXXX"));
    ASSERT_TRUE(serverRoot.isValid());
    ASSERT_TRUE(test::writeBytes(prefix.file(QStringLiteral("wineserver")),
                                 QFile::encodeName(QFileInfo(serverRoot.path()).fileName())));
    const QString upstream = upstreamLockPath(prefix.path());
    const QString lockPath = serverRoot.path() + QLatin1Char('/') +
                             QFileInfo(QFileInfo(upstream).absolutePath()).fileName() +
                             QStringLiteral("/lock");
    EXPECT_TRUE(wineServerLockPaths(prefix.path()).contains(lockPath));
    expectWriteRefusedWhileLocked(prefix, lockPath);
}

TEST(WineRegistry, LockThatCannotBeTestedCountsAsARunningServer) {
    // A lock path that exists but cannot be opened (here a link to itself)
    // must not be taken for "no server".
    TestPrefix prefix;
    const QString lockPath = upstreamLockPath(prefix.path());
    LockFile lockFile(lockPath);
    ASSERT_TRUE(QFile::remove(lockPath));
    ASSERT_EQ(::symlink("lock", QFile::encodeName(lockPath).constData()), 0);
    EXPECT_TRUE(wineServerRunning(prefix.path()));
    WineRegistry registry(prefix.path());
    ASSERT_TRUE(prefix.writeSystem(wineRegFile({})));
    EXPECT_FALSE(
        registry.setStringValue(kMachine, kInstallKeyPath, kInstallValueName, QStringLiteral("x")));
}

TEST(WineRegistry, PlatformRegistryUsesThePrefixAroundTheProgram) {
    TestPrefix prefix;
    ASSERT_TRUE(prefix.writeSystem(
        wineRegFile({kInstallKeyLine, R"("InstallLocation"="C:\\Games\\Korrin")"})));
    const QString programDir = prefix.file(QStringLiteral("drive_c/Games/Korrin"));
    ASSERT_TRUE(QDir().mkpath(programDir));
    if (!qEnvironmentVariableIsEmpty("WINEPREFIX"))
        GTEST_SKIP() << "WINEPREFIX is set and names the prefix to use";
    const std::unique_ptr<Registry> registry = makePlatformRegistry(programDir);
    const QString value = installValue(*registry, kMachine);
    EXPECT_EQ(value, QStringLiteral("C:\\Games\\Korrin"));
    EXPECT_EQ(registry->localPath(value),
              QDir(prefix.path()).filePath(QStringLiteral("drive_c/Games/Korrin")));
}

} // namespace
