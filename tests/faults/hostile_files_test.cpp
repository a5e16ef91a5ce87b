// Files that are not what they should be. Every file the program reads or
// replaces may be a FIFO, a device, a folder, a broken link or huge; may be
// read-only or in a read-only folder; may be a link to another user's file.
// Reading never blocks and never reads a huge file; a save over an odd or
// read-only entry is refused and leaves the folder as it was; a save through
// a link replaces the file behind it with its owner and mode kept.

#include "accounts/account_store.h"
#include "save_paths.h"
#include "test_support.h"

#include <cstring>
#include <functional>
#include <memory>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace quillset;
using namespace quillset::test;

namespace {

const QByteArray kOld = "WINE REGISTRY Version 2\n";

bool hive(const char* path, mode_t mode) {
    return writeBytes(QFile::decodeName(path), kOld) && ::chmod(path, mode) == 0;
}

struct Oddity {
    const char* name;
    const char* reason; // part of the writer's reason; nullptr: not saved
    bool (*make)(const char* path, const char* other);
    bool readable = false; // only saving is refused
    bool inReadOnlyFolder = false;
};

// A device is a null device of the test's own. Nobody may write to a
// read-only file or folder: it was made so on purpose, and even root (as the
// tests may run) leaves it alone.
// clang-format off
const Oddity kOddities[] = {
    {"FIFO", "not a regular file", [](auto p, auto) { return ::mkfifo(p, 0644) == 0; }},
    {"link to a device", "not a regular file",
     [](auto p, auto o) { return ::mknod(o, S_IFCHR | 0666, makedev(1, 3)) == 0 && !symlink(o, p); }},
    {"folder", "it is a folder", [](auto p, auto) { return ::mkdir(p, 0755) == 0; }},
    {"dangling link", "does not exist", [](auto p, auto o) { return ::symlink(o, p) == 0; }},
    {"link loop", "loop", [](auto p, auto o) { return !::symlink(o, p) && !::symlink(p, o); }},
    {"sparse 3 GiB file", nullptr, [](auto p, auto) { return hive(p, 0644) && !::truncate(p, 3ll << 30); }},
    {"read-only file", "read-only", [](auto p, auto) { return hive(p, 0444); }, true},
    {"read-only folder", "read-only", [](auto p, auto) { return hive(p, 0644); }, true, true},
};
// clang-format on

qint64 bytesRead() {
    QFile io(u"/proc/self/io"_s);
    return io.open(QIODevice::ReadOnly) ? io.readLine().mid(6).trimmed().toLongLong() : -1;
}

// Runs work in a child process, killed should it block: 0 when work returned
// true having read less than a MiB, -1 when it was killed.
int inChild(const std::function<bool()>& work) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::alarm(5);
        const qint64 before = bytesRead();
        ::_exit(!work() ? 1 : bytesRead() - before > (1 << 20) ? 2 : 0);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Every entry of the folder: type and mode, owner, link target, and (withBytes) a small file's
// bytes.
QString shapeOf(const QString& folder, bool withBytes = true) {
    QString shape;
    for (const QFileInfo& entry : QDir(folder).entryInfoList(QDir::AllEntries | QDir::System)) {
        struct stat st {};
        ::lstat(QFile::encodeName(entry.filePath()).constData(), &st);
        const bool small = withBytes && S_ISREG(st.st_mode) && st.st_size < 4096;
        shape += QString::asprintf("%s %o %u:%u %s %s\n", qPrintable(entry.fileName()), st.st_mode,
                                   st.st_uid, st.st_gid, qPrintable(entry.symLinkTarget()),
                                   small ? readBytes(entry.filePath()).toHex().constData() : "");
    }
    return shape;
}

// Each file the program reads or replaces, with what reading it gets (true:
// nothing, as it should for an odd entry) and the save that replaces it.
struct File {
    const char* name;
    std::function<bool(const QString& folder)> getsNothing;
    std::function<std::optional<QString>(const QString& folder)> save;
    bool secret = false; // holds CD keys: the owner's only
};

// clang-format off
const File kFiles[] = {
    {"settings.cfg", [](auto d) { return !readSettingsFile(d + "/settings.cfg").hasBytes(); }, saveSettings},
    {"settings.cfg", [](auto d) { return saveBackup(d).value_or("").contains("cannot be read"); }, {}},
    {"accounts.cfg", [](auto d) { return !loadAccountStore(*std::make_unique<AccountStore>(), d); }, saveAccounts, true},
    {"system.reg", [](auto d) { return !WineRegistry(d).queryValue(RegistryRoot::LocalMachine, kInstallKeyPath, kInstallValueName); }, saveRegistry},
    {"settings.bck", {}, saveBackup},
};
// clang-format on

// Every file starts out as a registry hive, which each save can edit; the
// backup's source is a settings file. Returns the file's path, not yet there.
QString prepare(const TempFolder& dir, const File& file) {
    EXPECT_TRUE(writeBytes(dir.file(u"settings.cfg"_s), "SOUND : 1\r\n") &&
                writeBytes(dir.file(u"settings.bck"_s), kOld));
    QFile::remove(dir.file(QLatin1String(file.name)));
    return dir.file(QLatin1String(file.name));
}

TEST(HostileFiles, OddAndReadOnlyEntriesAreNeitherReadNorReplaced) {
    for (const Oddity& oddity : kOddities) {
        for (const File& file : kFiles) {
            SCOPED_TRACE(std::string(oddity.name) + " as " + file.name);
            TempFolder dir;
            const QString path = prepare(dir, file);
            ASSERT_TRUE(oddity.make(QFile::encodeName(path).constData(),
                                    QFile::encodeName(path + ".other").constData()));
            const ReadOnlyFolder readOnly(oddity.inReadOnlyFolder ? dir.path() : QString());
            const QString before = shapeOf(dir.path());
            if (file.getsNothing && !oddity.readable) {
                EXPECT_EQ(inChild([&] { return file.getsNothing(dir.path()); }), 0);
            }
            // The registry copy is made silently: there is no reason to see.
            const auto refused = [&] {
                const std::optional<QString> error = file.save(dir.path());
                return error &&
                       (!strcmp(file.name, "system.reg") || error->contains(oddity.reason));
            };
            if (file.save && oddity.reason) {
                EXPECT_EQ(inChild(refused), 0);
            }
            EXPECT_EQ(shapeOf(dir.path()), before);
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
            SCOPED_TRACE(testing::Message() << file.name << " of " << uid << ':' << gid);
            TempFolder dir;
            const QString link = prepare(dir, file);
            const QString real = dir.file(u"real"_s);
            const QByteArray realName = QFile::encodeName(real);
            ASSERT_TRUE(hive(realName.constData(), 0640) && QFile::link(real, link) &&
                        ::chown(realName.constData(), uid, gid) == 0);
            // Only the file behind the link changes: its bytes, and its mode when it holds CD keys.
            QString shape = shapeOf(dir.path(), false);
            EXPECT_EQ(file.save(dir.path()), std::nullopt);
            EXPECT_NE(readBytes(real), kOld);
            EXPECT_EQ(shapeOf(dir.path(), false),
                      file.secret ? shape.replace("real 100640", "real 100600") : shape);
        }
    }
}

} // namespace
