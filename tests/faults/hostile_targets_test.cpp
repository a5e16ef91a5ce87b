// Files that are not files: every file the program reads or replaces may be a
// FIFO, a device, a folder or a broken link instead. Reading must neither
// block nor crash, and a save must be refused with a reason while the odd
// entry stays exactly as it was.

#include "accounts/account_store.h"
#include "registry/registry.h"
#include "registry/wine_registry.h"
#include "save_paths.h"
#include "settings/settings_reader.h"
#include "test_support.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <chrono>
#include <fcntl.h>
#include <functional>
#include <future>
#include <ostream>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

using namespace quillset;

namespace {

enum class Oddity { Fifo, DeviceLink, DeviceNode, Folder, DanglingLink, LinkLoop };

struct OddityCase {
    Oddity oddity;
    const char* name;
    // Part of the writer's reason, as the user reads it.
    const char* reason;
};

const OddityCase kOddities[] = {
    {Oddity::Fifo, "Fifo", "not a regular file"},
    {Oddity::DeviceLink, "LinkToDevice", "not a regular file"},
    {Oddity::DeviceNode, "DeviceNode", "not a regular file"},
    {Oddity::Folder, "Folder", "it is a folder"},
    {Oddity::DanglingLink, "DanglingLink", "a file that does not exist"},
    {Oddity::LinkLoop, "LinkLoop", "loop"},
};

void PrintTo(const OddityCase& oddity, std::ostream* out) {
    *out << oddity.name;
}

// What the entry is, so a test can tell that nothing replaced it.
struct EntryShape {
    mode_t type = 0;
    QString linkTarget;
    bool operator==(const EntryShape&) const = default;
};

EntryShape shapeOf(const QString& path) {
    struct stat st {};
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
        return {};
    return {static_cast<mode_t>(st.st_mode & S_IFMT), QFileInfo(path).symLinkTarget()};
}

// A null device node of the test's own (root only): a save that wrongly
// replaced it, or the target of a link to it, harms no file of the machine.
bool makeNullDevice(const QByteArray& name) {
    return ::mknod(name.constData(), S_IFCHR | 0666, makedev(1, 3)) == 0;
}

// Turns path into the odd entry; false when this system does not allow it.
bool makeOddity(Oddity oddity, const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    switch (oddity) {
    case Oddity::Fifo:
        return ::mkfifo(name.constData(), 0644) == 0;
    case Oddity::DeviceLink: {
        const QByteArray device = name + ".device";
        return makeNullDevice(device) && ::symlink(device.constData(), name.constData()) == 0;
    }
    case Oddity::DeviceNode:
        return makeNullDevice(name);
    case Oddity::Folder:
        return ::mkdir(name.constData(), 0755) == 0;
    case Oddity::DanglingLink:
        return ::symlink("nowhere.cfg", name.constData()) == 0;
    case Oddity::LinkLoop: {
        const QByteArray other = name + ".loop";
        return ::symlink(other.constData(), name.constData()) == 0 &&
               ::symlink(name.constData(), other.constData()) == 0;
    }
    }
    return false;
}

// Runs work on a thread and waits a few seconds for it. Should it block on
// the FIFO, opening the FIFO for reading and writing releases it, so the
// test fails instead of hanging.
template <typename Result>
std::optional<Result> withinSeconds(const QString& fifo, std::function<Result()> work) {
    auto future = std::async(std::launch::async, std::move(work));
    if (future.wait_for(std::chrono::seconds(5)) == std::future_status::ready)
        return future.get();
    const int fd = ::open(QFile::encodeName(fifo).constData(), O_RDWR | O_NONBLOCK);
    future.wait();
    if (fd >= 0)
        ::close(fd);
    return std::nullopt;
}

class HostileTarget : public ::testing::TestWithParam<OddityCase> {
protected:
    // The save is refused with the expected reason and the entry is unchanged.
    void expectRefusedSave(const char* pathName) {
        const fault::SavePath& path = *fault::findSavePath(QLatin1String(pathName));
        test::TempFolder dir;
        const QString target = dir.file(path.target);
        ASSERT_TRUE(fault::prepareFolder(path, dir.path()));
        QFile::remove(target);
        ASSERT_TRUE(makeOddity(GetParam().oddity, target));
        const EntryShape before = shapeOf(target);
        const QStringList entriesBefore =
            QDir(dir.path()).entryList(QDir::AllEntries | QDir::System);
        const auto error =
            withinSeconds<std::optional<QString>>(target, [&] { return path.save(dir.path()); });
        ASSERT_TRUE(error.has_value()) << pathName << ": the save blocked";
        ASSERT_TRUE(error->has_value()) << pathName << ": the save reported success";
        if (QLatin1String(pathName).startsWith(QLatin1String("registry")))
            EXPECT_FALSE((*error)->isEmpty());
        else
            EXPECT_TRUE((*error)->contains(QLatin1String(GetParam().reason)))
                << pathName << ": " << (*error)->toStdString();
        EXPECT_EQ(shapeOf(target), before) << pathName;
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::System), entriesBefore)
            << pathName << ": nothing created beside it or behind a link";
    }

    test::TempFolder folder;
};

TEST_P(HostileTarget, LoadingNeitherBlocksNorReadsAnything) {
    const QString settings = folder.file(QStringLiteral("settings.cfg"));
    const QString accounts = folder.file(QStringLiteral("accounts.cfg"));
    const QString hive = folder.file(QStringLiteral("system.reg"));
    for (const QString& path : {settings, accounts, hive}) {
        if (!makeOddity(GetParam().oddity, path))
            GTEST_SKIP() << "this system does not allow a " << GetParam().name;
    }

    const auto loaded =
        withinSeconds<bool>(settings, [&] { return loadSettingsFile(settings).has_value(); });
    ASSERT_TRUE(loaded.has_value()) << "loading settings.cfg blocked";
    EXPECT_FALSE(*loaded);

    AccountStore store;
    store.account(1).name = QStringLiteral("kept");
    const auto accountsRead = withinSeconds<bool>(
        accounts, [&] { return loadAccountStore(store, folder.path() + QLatin1Char('/')); });
    ASSERT_TRUE(accountsRead.has_value()) << "loading accounts.cfg blocked";
    EXPECT_FALSE(*accountsRead);
    EXPECT_EQ(store.account(1).name, QStringLiteral("kept"));

    const WineRegistry registry(folder.path());
    const auto value = withinSeconds<bool>(hive, [&] {
        return registry.queryValue(RegistryRoot::LocalMachine, kInstallKeyPath, kInstallValueName)
            .has_value();
    });
    ASSERT_TRUE(value.has_value()) << "reading system.reg blocked";
    EXPECT_FALSE(*value);
}

TEST_P(HostileTarget, EverySaveIsRefusedAndLeavesTheEntryAlone) {
    if (!makeOddity(GetParam().oddity, folder.file(QStringLiteral("probe"))))
        GTEST_SKIP() << "this system does not allow a " << GetParam().name;
    for (const char* path :
         {"settings/replace", "accounts/replace", "backup/replace", "registry/replace-value"})
        expectRefusedSave(path);
}

TEST_P(HostileTarget, ABackupFromAnOddSourceIsRefused) {
    const fault::SavePath& path = *fault::findSavePath(QStringLiteral("backup/replace"));
    ASSERT_TRUE(fault::prepareFolder(path, folder.path()));
    const QString source = folder.file(QStringLiteral("settings.cfg"));
    QFile::remove(source);
    if (!makeOddity(GetParam().oddity, source))
        GTEST_SKIP() << "this system does not allow a " << GetParam().name;
    const auto error =
        withinSeconds<std::optional<QString>>(source, [&] { return path.save(folder.path()); });
    ASSERT_TRUE(error.has_value()) << "the backup blocked on its source";
    ASSERT_TRUE(error->has_value());
    EXPECT_TRUE((*error)->contains(QLatin1String("cannot be read"))) << (*error)->toStdString();
    EXPECT_EQ(test::readBytes(folder.file(path.target)), *path.oldBytes) << "the old backup stays";
}

INSTANTIATE_TEST_SUITE_P(Oddities, HostileTarget, ::testing::ValuesIn(kOddities),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
