// Files that are not what they should be. Every file the program reads or
// replaces may be a FIFO, a device, a folder, a broken link or huge; may be
// read-only or in a read-only folder; may be a link to another user's file.
// Reading never blocks and never reads a huge file whole; a save over an odd
// entry or a read-only one is refused and leaves the folder as it was; a save
// through a link replaces the file behind it with its owner and mode kept.

#include "accounts/account_file.h"
#include "accounts/account_store.h"
#include "lang/file_line.h"
#include "lang/language_loader.h"
#include "lang/language_texts.h"
#include "registry/registry.h"
#include "registry/wine_registry.h"
#include "scripted_dialogs.h"
#include "settings/settings_reader.h"
#include "settings/settings_writer.h"
#include "shell/backup.h"
#include "test_support.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <functional>
#include <linux/capability.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace quillset;

namespace {

enum class Kind { Fifo, Device, DeviceLink, Folder, Dangling, Loop, Huge };

struct Oddity {
    Kind kind;
    const char* name;
    const char* reason; // part of the writer's reason, as the user reads it
};

// clang-format off
const Oddity kOddities[] = {
    {Kind::Fifo, "FIFO", "not a regular file"},       {Kind::Device, "device", "not a regular file"},
    {Kind::DeviceLink, "link to a device", "not a regular file"},
    {Kind::Folder, "folder", "it is a folder"},        {Kind::Dangling, "dangling link", "does not exist"},
    {Kind::Loop, "link loop", "loop"},                 {Kind::Huge, "sparse 3 GiB file", nullptr},
};
// clang-format on

// Turns path into the odd entry; a device is a null device of the test's own.
bool make(Kind kind, const QString& path) {
    const QByteArray nameBytes = QFile::encodeName(path);
    const QByteArray otherBytes = nameBytes + ".other";
    const char* name = nameBytes.constData();
    const char* other = otherBytes.constData();
    QFile file(path);
    switch (kind) {
    case Kind::Fifo:
        return ::mkfifo(name, 0644) == 0;
    case Kind::Device:
        return ::mknod(name, S_IFCHR | 0666, makedev(1, 3)) == 0;
    case Kind::DeviceLink:
        return make(Kind::Device, path + ".other") && ::symlink(other, name) == 0;
    case Kind::Folder:
        return ::mkdir(name, 0755) == 0;
    case Kind::Dangling:
        return ::symlink(other, name) == 0;
    case Kind::Loop:
        return ::symlink(other, name) == 0 && ::symlink(name, other) == 0;
    case Kind::Huge:
        return file.open(QIODevice::WriteOnly) && file.resize(qint64(3) << 30);
    }
    return false;
}

qint64 procValue(const char* file, const char* field) {
    QFile proc(QLatin1String("/proc/self/") + QLatin1String(file));
    if (!proc.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : proc.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(qstrlen(field)).trimmed().split(' ').front().toLongLong();
    }
    return -1;
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

// Runs work in a child process, killed should it block. 0 when work returned
// true having read at most maxRead bytes, -1 when it was killed.
int inChild(const std::function<bool()>& work, bool dropOverride = false,
            qint64 maxRead = 1 << 20) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::alarm(20);
        if (dropOverride && !dropFileOverride())
            ::_exit(3);
        const qint64 readBefore = procValue("io", "rchar:");
        const bool ok = work();
        ::_exit(!ok ? 1 : procValue("io", "rchar:") - readBefore > maxRead ? 2 : 0);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Every entry of the folder: type, mode, owner, link target and the bytes of a regular file.
QString shapeOf(const QString& folder) {
    QString shape;
    for (const QFileInfo& entry : QDir(folder).entryInfoList(QDir::AllEntries | QDir::System |
                                                             QDir::Hidden | QDir::NoDotAndDotDot)) {
        struct stat st {};
        ::lstat(QFile::encodeName(entry.filePath()).constData(), &st);
        shape += QStringLiteral("%1 %2 %3:%4 %5 %6\n")
                     .arg(entry.fileName())
                     .arg(st.st_mode, 0, 8)
                     .arg(st.st_uid)
                     .arg(st.st_gid)
                     .arg(entry.symLinkTarget(),
                          QString::fromLatin1(S_ISREG(st.st_mode)
                                                  ? test::readBytes(entry.filePath()).toHex()
                                                  : QByteArray()));
    }
    return shape;
}

std::optional<QString> backUp(const QString& folder) {
    test::ScriptedDialogs dialogs;
    LanguageTable texts;
    if (copy_with_notice({dialogs, texts, folder + '/', folder}, folder + "/settings.cfg",
                         folder + "/settings.bck"))
        return std::nullopt;
    return dialogs.shown.back().text;
}

struct SavePath {
    const char* target;
    QByteArray old;
    std::function<std::optional<QString>(const QString& folder)> save;
    bool secret = false; // holds CD keys: the owner's only
};

const SavePath kSavePaths[] = {
    {"settings.cfg", "AUTOSAVE : 1\r\n",
     [](const QString& folder) {
         return writeSettingsFile(folder + "/settings.cfg", readSettings("AUTOSAVE : 0"));
     }},
    {"accounts.cfg", "Old\r\n",
     [](const QString& folder) { return WriteAccountFile(folder, AccountLines{"Player"}); }, true},
    {"settings.bck", "old", backUp},
    {"system.reg", "WINE REGISTRY Version 2\n",
     [](const QString& folder) -> std::optional<QString> {
         if (WineRegistry(folder).setStringValue(RegistryRoot::LocalMachine, kInstallKeyPath,
                                                 kInstallValueName, QStringLiteral("C:\\G")))
             return std::nullopt;
         return QStringLiteral("the registry value was not written");
     }},
};

// The backup's source, then the target path (not yet there).
QString prepare(const test::TempFolder& dir, const SavePath& path) {
    EXPECT_TRUE(test::writeBytes(dir.file(QStringLiteral("settings.cfg")), "AUTOSAVE : 1\r\n"));
    const QString target = dir.file(QLatin1String(path.target));
    QFile::remove(target);
    return target;
}

struct Reader {
    const char* file;
    std::function<bool(const QString& folder)> getsNothing;
};

const Reader kReaders[] = {
    {"settings.cfg",
     [](const QString& folder) { return !loadSettingsFile(folder + "/settings.cfg"); }},
    {"language.lng",
     [](const QString& folder) {
         const auto load = loadLanguageFile(folder + "/language.lng");
         return (!load || load->texts.empty()) &&
                GetFileLine(folder + "/language.lng", 1).isEmpty();
     }},
    {"accounts.cfg",
     [](const QString& folder) {
         AccountStore store;
         store.Lines[0] = QStringLiteral("kept");
         return !LoadAccountStore(store, folder + '/') && store.Lines[0] == "kept";
     }},
    {"system.reg",
     [](const QString& folder) {
         return !WineRegistry(folder).queryValue(RegistryRoot::LocalMachine, kInstallKeyPath,
                                                 kInstallValueName);
     }},
    {"settings.cfg",
     [](const QString& folder) {
         const std::optional<QString> error = backUp(folder);
         return error && error->contains(QLatin1String("cannot be read"));
     }},
};

TEST(HostileFiles, ReadingNeitherBlocksNorReadsAHugeFile) {
    for (const Oddity& oddity : kOddities) {
        for (const Reader& reader : kReaders) {
            SCOPED_TRACE(std::string(oddity.name) + " as " + reader.file);
            test::TempFolder dir;
            ASSERT_TRUE(test::writeBytes(dir.file(QStringLiteral("settings.bck")), "old"));
            ASSERT_TRUE(make(oddity.kind, dir.file(QLatin1String(reader.file))));
            EXPECT_EQ(inChild([&] { return reader.getsNothing(dir.path()); }), 0);
            EXPECT_EQ(test::readBytes(dir.file(QStringLiteral("settings.bck"))), "old");
        }
    }
}

TEST(HostileFiles, ASaveOverAnOddEntryIsRefusedAndChangesNothing) {
    for (const Oddity& oddity : kOddities) {
        for (const SavePath& path : kSavePaths) {
            if (!oddity.reason)
                continue;
            SCOPED_TRACE(std::string(oddity.name) + " as " + path.target);
            test::TempFolder dir;
            ASSERT_TRUE(make(oddity.kind, prepare(dir, path)));
            const QString before = shapeOf(dir.path());
            EXPECT_EQ(inChild([&] {
                          const std::optional<QString> error = path.save(dir.path());
                          // The registry copy is made silently: no reason to check.
                          return error && (QLatin1String(path.target) == "system.reg" ||
                                           error->contains(QLatin1String(oddity.reason)));
                      }),
                      0);
            EXPECT_EQ(shapeOf(dir.path()), before);
        }
    }
}

// A file without any write permission was made read-only on purpose: even
// root leaves it alone. A read-only folder stops any user but root.
TEST(HostileFiles, ReadOnlyFilesAndFoldersAreRefused) {
    struct Case {
        int fileMode, folderMode;
        bool asUser;
    };
    for (const Case c : {Case{0444, 0700, false}, Case{0444, 0700, true}, Case{0644, 0500, true}}) {
        for (const SavePath& path : kSavePaths) {
            SCOPED_TRACE(std::string(path.target) + (c.asUser ? " as user" : " as root"));
            test::TempFolder dir;
            const QString target = prepare(dir, path);
            ASSERT_TRUE(test::writeBytes(target, path.old));
            const QByteArray folder = QFile::encodeName(dir.path());
            ASSERT_EQ(::chmod(QFile::encodeName(target).constData(), c.fileMode), 0);
            ASSERT_EQ(::chmod(folder.constData(), c.folderMode), 0);
            const QString before = shapeOf(dir.path());
            EXPECT_EQ(inChild([&] { return path.save(dir.path()).has_value(); }, c.asUser), 0);
            EXPECT_EQ(shapeOf(dir.path()), before);
            ::chmod(folder.constData(), 0700);
        }
    }
}

TEST(HostileFiles, ASaveThroughALinkKeepsTheFilesOwnerAndMode) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root can give a file to another user";
    for (const auto& [uid, gid] : {std::pair{4321u, 4322u}, {4321u, 0u}, {0u, 4322u}}) {
        for (const SavePath& path : kSavePaths) {
            SCOPED_TRACE(std::string(path.target) + " of " + std::to_string(uid) + ":" +
                         std::to_string(gid));
            test::TempFolder dir;
            const QString target = prepare(dir, path);
            const QString real = dir.file(QStringLiteral("real"));
            ASSERT_TRUE(test::writeBytes(real, path.old));
            const QByteArray realName = QFile::encodeName(real);
            ASSERT_EQ(::chmod(realName.constData(), 0640), 0);
            ASSERT_EQ(::chown(realName.constData(), uid, gid), 0);
            ASSERT_TRUE(QFile::link(real, target));
            const QStringList entries = QDir(dir.path()).entryList(QDir::AllEntries | QDir::System);

            EXPECT_EQ(path.save(dir.path()), std::nullopt);
            EXPECT_EQ(QFileInfo(target).symLinkTarget(), real);
            EXPECT_NE(test::readBytes(real), path.old);
            struct stat st {};
            ASSERT_EQ(::stat(realName.constData(), &st), 0);
            EXPECT_EQ(st.st_uid, uid);
            EXPECT_EQ(st.st_gid, gid);
            EXPECT_EQ(st.st_mode & 07777, path.secret ? 0600u : 0640u);
            EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::System), entries);
        }
    }
}

// Headers are looked for in the first 32767 lines only: the millions of
// lines after them cost no list of lines (which would take 256 MiB here).
TEST(HostileFiles, MillionsOfLinesCostNoListOfThem) {
#if defined(__SANITIZE_ADDRESS__)
    constexpr qint64 kSlack = 4; // freed memory is held in quarantine
#else
    constexpr qint64 kSlack = 1;
#endif
    test::TempFolder dir;
    const QString path = dir.file(QStringLiteral("language.lng"));
    ASSERT_TRUE(test::writeBytes(path, "[Captions]\r\nQuillset\r\n" + QByteArray(16 << 20, '\n')));
    const auto work = [&] {
        const qint64 before = procValue("status", "VmRSS:");
        const std::optional<LanguageLoad> load = loadLanguageFile(path);
        const std::optional<SettingsModel> settings = loadSettingsFile(path);
        return load && !load->texts.empty() && load->texts.front().text == "Quillset" &&
               GetFileLine(path, 60000000).isEmpty() && settings &&
               settings->unknownLines == "[Captions]\r\nQuillset\r\n" &&
               procValue("status", "VmHWM:") - before < kSlack * (128 << 10);
    };
    EXPECT_EQ(inChild(work, false, qint64(64) << 20), 0);
}

} // namespace
