// The write transaction's own steps, under another writer: a write that
// lands while a save runs is never replaced by a stale copy, a file that
// keeps changing is given up, and Quillset's processes take turns.

#include "io/folder_lock.h"
#include "save_paths.h"

#include <csignal>
#include <sys/resource.h>

using namespace quillset;
using namespace quillset::test;

namespace {

// Another program writes the file after the change was made and before it
// lands: the change is made again on what it wrote.
TEST(SettingsFileWrite, MakesTheChangeAgainOnAWriteMeanwhile) {
    const TempFolder dir;
    ASSERT_TRUE(writeBytes(dir.file(u"settings.cfg"_s), "AUTOSAVE : 0\r\n"));
    EXPECT_EQ(saveOverAWriteMeanwhile(dir.path()), std::nullopt);
    EXPECT_EQ(readBytes(dir.file(u"settings.cfg"_s)),
              QByteArray(SetAutosave::kMeanwhileFile + "AUTOSAVE : 1\r\n"));
    // The backup holds the file as it was just before the save replaced it.
    EXPECT_EQ(readBytes(dir.file(u"settings.bck"_s)), SetAutosave::kMeanwhileFile);
}

// A write the system refuses every time (here: past the process's file size
// limit, as on a full disk) fails with its reason and leaves the file as it was.
TEST(SettingsFileWrite, AFailingWriteSaysWhy) {
    const TempFolder dir;
    ASSERT_TRUE(writeBytes(dir.file(u"settings.cfg"_s), "AUTOSAVE : 0\r\n") &&
                writeBytes(dir.file(u"settings.bck"_s), "old"));
    rlimit was{}, tiny{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &was), 0);
    tiny = {4, was.rlim_max};
    const auto handler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &tiny), 0);
    const std::optional<QString> failure = saveSettings(dir.path());
    ::setrlimit(RLIMIT_FSIZE, &was);
    std::signal(SIGXFSZ, handler);
    EXPECT_EQ(failure.value_or(u"saved"_s), u"File too large"_s);
    EXPECT_EQ(readBytes(dir.file(u"settings.cfg"_s)), "AUTOSAVE : 0\r\n");
}

// A file another program writes again before each attempt lands: given up,
// with that program's last version in place and no copy of ours left.
TEST(SettingsFileWrite, GivesUpOnAFileThatKeepsChanging) {
    struct Busy final : WriteDecisions {
        bool writeWhileGameRuns(const RunningProcess&) override { return false; }
        bool asksUser() const override { return false; }
        std::optional<SettingsContent> contentFor(const SettingsFileRead&,
                                                  const SettingsContent*) override {
            writeBytes(path, "THEIRS : " + QByteArray::number(++writes) + "\r\n");
            return SettingsContent{"OURS : 1\r\n", {}};
        }
        QString path;
        int writes = 0;
    } busy;
    const TempFolder dir;
    busy.path = dir.file(u"settings.cfg"_s);
    const WriteResult result = SettingsFile(busy.path).write({dir.path(), {}}, nullptr, busy);
    EXPECT_EQ(result.outcome, WriteResult::Outcome::KeepsChanging);
    EXPECT_EQ(busy.writes, SettingsFile::kRounds);
    EXPECT_EQ(readBytes(busy.path), "THEIRS : 5\r\n");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList({u"settings.bck"_s, u"settings.cfg"_s}));
}

// Only one process holds a folder's lock; the next one gets it once it is free.
TEST(FolderLock, OneHolderAtATime) {
    using namespace std::chrono_literals;
    const TempFolder dir;
    FolderLock first(dir.path(), 0ms);
    EXPECT_EQ(first.state(), FolderLock::State::Held);
    EXPECT_EQ(FolderLock(dir.path(), 30ms).state(), FolderLock::State::Busy);
    first.release();
    EXPECT_EQ(FolderLock(dir.path(), 0ms).state(), FolderLock::State::Held);
    EXPECT_EQ(FolderLock(dir.file(u"none"_s), 0ms).state(), FolderLock::State::Unsupported);
}

} // namespace
