// Files and values that are not what they should be. Every file the program reads or
// replaces may be a FIFO, a device, a folder, a broken link or huge; may be
// read-only or in a read-only folder; may be a link to another user's file.
// Reading never blocks and never reads a huge file; a save over an odd or
// read-only entry is refused and leaves the folder as it was; a save through
// a link replaces the file behind it with its owner and mode kept. A value
// with a line break would garble the settings file or a registry hive: the
// writers refuse it and name the field; any other value is written whole.

#include "accounts/account_file.h"
#include "accounts/account_store.h"
#include "io/ansi_text.h"
#include "lang/language_texts.h"
#include "registry/registry.h"
#include "registry/wine_registry.h"
#include "registry/wine_registry_file.h"
#include "scripted_dialogs.h"
#include "settings/settings_reader.h"
#include "settings/settings_writer.h"
#include "shell/backup.h"
#include "test_support.h"

#include <QFileInfo>
#include <gtest/gtest.h>

#include <functional>
#include <linux/capability.h>
#include <memory>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace quillset;

namespace {

constexpr RegistryRoot kRoot = RegistryRoot::LocalMachine;
const QLatin1String kValue = kInstallValueName;

struct Oddity {
    const char* name;
    const char* reason; // part of the writer's reason; nullptr: a regular file
    bool (*make)(const char* path, const char* other);
};

// A device is a null device of the test's own.
const Oddity kOddities[] = {
    {"FIFO", "not a regular file", [](auto p, auto) { return ::mkfifo(p, 0644) == 0; }},
    {"link to a device", "not a regular file",
     [](auto p, auto o) {
         return ::mknod(o, S_IFCHR | 0666, makedev(1, 3)) == 0 && !symlink(o, p);
     }},
    {"folder", "it is a folder", [](auto p, auto) { return ::mkdir(p, 0755) == 0; }},
    {"dangling link", "does not exist", [](auto p, auto o) { return ::symlink(o, p) == 0; }},
    {"link loop", "loop", [](auto p, auto o) { return !::symlink(o, p) && !::symlink(p, o); }},
    {"sparse 3 GiB file", nullptr, [](auto p, auto) { return ::truncate(p, 3ll << 30) == 0; }},
};

bool make(const Oddity& oddity, const QString& path) {
    if (!oddity.reason && !test::writeBytes(path, {}))
        return false;
    return oddity.make(QFile::encodeName(path).constData(),
                       QFile::encodeName(path + ".other").constData());
}

qint64 bytesRead() {
    QFile io(QStringLiteral("/proc/self/io"));
    return io.open(QIODevice::ReadOnly) ? io.readLine().mid(6).trimmed().toLongLong() : -1;
}

// Root without the capabilities that override file modes, as any user is.
bool dropFileOverride() {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct caps[2]{};
    if (::syscall(SYS_capget, &header, caps) != 0)
        return false;
    caps[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
    return ::syscall(SYS_capset, &header, caps) == 0;
}

// Runs work in a child process, killed should it block: 0 when work returned
// true having read less than a MiB, -1 when it was killed.
int inChild(const std::function<bool()>& work, bool dropOverride = false) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::alarm(5);
        const qint64 before = bytesRead();
        const bool ok = (!dropOverride || dropFileOverride()) && work();
        ::_exit(!ok ? 1 : bytesRead() - before > (1 << 20) ? 2 : 0);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Every entry of the folder: type and mode, owner, link target, bytes of a regular file.
QString shapeOf(const QString& folder) {
    QString shape;
    for (const QFileInfo& entry : QDir(folder).entryInfoList(QDir::AllEntries | QDir::System)) {
        struct stat st {};
        ::lstat(QFile::encodeName(entry.filePath()).constData(), &st);
        const bool small = S_ISREG(st.st_mode) && st.st_size < 4096;
        shape += QStringLiteral("%1 %2 %3:%4 %5 %6\n")
                     .arg(entry.fileName())
                     .arg(st.st_mode, 0, 8)
                     .arg(st.st_uid)
                     .arg(st.st_gid)
                     .arg(entry.symLinkTarget(),
                          small ? test::readBytes(entry.filePath()).toHex() : QByteArray());
    }
    return shape;
}

std::optional<QString> backUp(const QString& folder) {
    test::ScriptedDialogs dialogs;
    LanguageTable texts;
    if (copyWithNotice({dialogs, texts, folder + '/', folder}, folder + "/settings.cfg",
                       folder + "/settings.bck"))
        return std::nullopt;
    return dialogs.shown.back().text;
}

// Each file the program reads or replaces, with what reading it gets (true:
// nothing, as it should for an odd entry) and the save that replaces it.
struct File {
    const char* name;
    std::function<bool(const QString& folder)> getsNothing;
    std::function<std::optional<QString>(const QString& folder)> save;
    bool secret = false; // holds CD keys: the owner's only
};

const File kFiles[] = {
    {"settings.cfg", [](auto d) { return !loadSettingsFile(d + "/settings.cfg"); },
     [](auto d) { return writeSettingsFile(d + "/settings.cfg", readSettings("SOUND : 0")); }},
    {"settings.cfg", [](auto d) { return backUp(d).value_or("").contains("cannot be read"); }, {}},
    {"accounts.cfg", [](auto d) { return !loadAccountStore(*std::make_unique<AccountStore>(), d); },
     [](auto d) { return writeAccountFile(d, AccountLines{"Player"}); }, true},
    {"system.reg",
     [](auto d) { return !WineRegistry(d).queryValue(kRoot, kInstallKeyPath, kValue); },
     [](auto d) {
         return WineRegistry(d).setStringValue(kRoot, kInstallKeyPath, kValue, "C:\\G")
                    ? std::nullopt
                    : std::optional<QString>("(not written)");
     }},
    {"settings.bck", {}, backUp},
};

// Every file starts out as a registry hive, which each save can edit; the
// backup's source is a settings file. Returns the file's path, not yet there.
QString prepare(const test::TempFolder& dir, const File& file) {
    EXPECT_TRUE(test::writeBytes(dir.file(QStringLiteral("settings.cfg")), "SOUND : 1\r\n"));
    QFile::remove(dir.file(QLatin1String(file.name)));
    return dir.file(QLatin1String(file.name));
}
const QByteArray kOld = "WINE REGISTRY Version 2\n";

TEST(HostileFiles, OddEntriesAreNeitherReadNorReplaced) {
    for (const Oddity& oddity : kOddities) {
        for (const File& file : kFiles) {
            SCOPED_TRACE(std::string(oddity.name) + " as " + file.name);
            test::TempFolder dir;
            ASSERT_TRUE(make(oddity, prepare(dir, file)));
            ASSERT_TRUE(QLatin1String(file.name) == "settings.bck" ||
                        test::writeBytes(dir.file(QStringLiteral("settings.bck")), kOld));
            const QString before = shapeOf(dir.path());
            EXPECT_TRUE(!file.getsNothing ||
                        inChild([&] { return file.getsNothing(dir.path()); }) == 0);
            if (file.save && oddity.reason) {
                EXPECT_EQ(inChild([&] {
                              const std::optional<QString> error = file.save(dir.path());
                              // The registry copy is made silently: there is no reason to see.
                              return error && (QLatin1String(file.name) == "system.reg" ||
                                               error->contains(QLatin1String(oddity.reason)));
                          }),
                          0);
            }
            EXPECT_EQ(shapeOf(dir.path()), before);
        }
    }
}

// A file or folder without any write permission was made read-only on
// purpose: even root leaves it alone.
TEST(HostileFiles, ReadOnlyFilesAndFoldersAreRefused) {
    struct Case {
        int fileMode, folderMode;
        bool asUser;
    };
    for (const Case c : {Case{0444, 0700, false}, Case{0444, 0700, true}, Case{0644, 0500, true},
                         Case{0644, 0500, false}}) {
        for (const File& file : kFiles) {
            if (!file.save)
                continue;
            SCOPED_TRACE(std::string(file.name) + (c.asUser ? " as a user" : " as root"));
            test::TempFolder dir;
            const QString path = prepare(dir, file);
            const QByteArray folder = QFile::encodeName(dir.path());
            ASSERT_TRUE(test::writeBytes(path, kOld));
            ASSERT_TRUE(::chmod(QFile::encodeName(path).constData(), c.fileMode) == 0 &&
                        ::chmod(folder.constData(), c.folderMode) == 0);
            const QString before = shapeOf(dir.path());
            EXPECT_EQ(inChild([&] { return file.save(dir.path()).has_value(); }, c.asUser), 0);
            EXPECT_EQ(shapeOf(dir.path()), before);
            ::chmod(folder.constData(), 0700);
        }
    }
}

TEST(HostileFiles, ASaveThroughALinkKeepsTheFilesOwnerAndMode) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root can give a file to another user";
    for (const auto& [uid, gid] : {std::pair{4321u, 4322u}, {4321u, 0u}, {0u, 4322u}}) {
        for (const File& file : kFiles) {
            if (!file.save)
                continue;
            SCOPED_TRACE(std::string(file.name) + " of " + std::to_string(uid) + ":" +
                         std::to_string(gid));
            test::TempFolder dir;
            const QString link = prepare(dir, file);
            const QString real = dir.file(QStringLiteral("real"));
            const QByteArray realName = QFile::encodeName(real);
            ASSERT_TRUE(test::writeBytes(real, kOld) && QFile::link(real, link));
            ASSERT_TRUE(::chmod(realName.constData(), 0640) == 0 &&
                        ::chown(realName.constData(), uid, gid) == 0);
            const QStringList entries = QDir(dir.path()).entryList(QDir::AllEntries | QDir::System);

            EXPECT_EQ(file.save(dir.path()), std::nullopt);
            EXPECT_EQ(QFileInfo(link).symLinkTarget(), real);
            EXPECT_NE(test::readBytes(real), kOld);
            struct stat st {};
            EXPECT_EQ(::stat(realName.constData(), &st), 0);
            EXPECT_EQ(std::tuple(st.st_uid, st.st_gid, st.st_mode & 07777),
                      std::tuple(uid, gid, file.secret ? 0600u : 0640u));
            EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::System), entries);
        }
    }
}

const std::pair<QString, bool> kValues[] = {
    {QStringLiteral("Bob\r\nFULLSCREEN : 0"), true},
    {QStringLiteral("Bob\nFULLSCREEN : 0"), true},
    {QStringLiteral("Bob\r"), true},
    {QString(40000, QLatin1Char('k')), false},
    {QStringLiteral("ABCDE-FGHIJ-KLMNO-PQRST-U"), false},
    {QString::fromUtf8("\u00c4 \u20ac-\u00ff:\\\"#|%\u0081xyzABCDEF "), false},
};

TEST(HostileValues, EveryWriterTakesAValueWholeOrRefusesIt) {
    const QByteArray hive = kOld + "\n[Software\\\\Other] 1\n\"A\"=\"1\"\n";
    for (const auto& [text, refused] : kValues) {
        SCOPED_TRACE(text.left(30).toStdString());
        test::TempFolder dir;
        const QString settings = dir.file(QStringLiteral("settings.cfg"));
        ASSERT_TRUE(test::writeBytes(settings, kOld));
        SettingsModel model = SettingsModel::cleared();
        model.setText(QLatin1String("NETWORK_PLAYER"), text);
        const std::optional<QString> error = writeSettingsFile(settings, model);
        model = SettingsModel::cleared();
        model.fileCdKey2 = text;
        const auto fileKey = serializeSettings(model);
        const auto accountKey = serializeSettings(model, AccountCdKeys{text, {}});
        const auto edited = setWineRegistryString(hive, kInstallKeyPath, kValue, text, 1);
        if (refused) {
            EXPECT_TRUE(error.value_or("").contains("NETWORK_PLAYER holds a line break"));
            EXPECT_EQ(test::readBytes(settings), kOld);
            EXPECT_TRUE(std::get<EncodeError>(fileKey).message.contains("CDKEY2 holds a line"));
            EXPECT_TRUE(std::get<EncodeError>(accountKey).message.contains("CDKEY holds a line"));
            EXPECT_EQ(edited, std::nullopt);
            continue;
        }
        const QByteArray ansi = *toAnsi(text);
        EXPECT_EQ(error, std::nullopt);
        EXPECT_EQ(loadSettingsFile(settings)->text(QLatin1String("NETWORK_PLAYER")), text);
        EXPECT_TRUE(std::get<QByteArray>(fileKey).contains("\nNETWORK_CDKEY2 : " + ansi + "\r\n"));
        EXPECT_TRUE(
            std::get<QByteArray>(accountKey).contains("\nNETWORK_CDKEY : " + ansi + "\r\n"));
        ASSERT_TRUE(edited && edited->startsWith(hive));
        const WineRegFile file = parseWineRegistry(*edited);
        const WineRegValue* value = file.findValue(kInstallKeyPath, kValue);
        ASSERT_NE(value, nullptr);
        EXPECT_EQ(registryValueText(value->type, value->data, RegistryText::Utf16), text);
    }
}

} // namespace
