// Every save path in the two situations a test process cannot put itself in:
// a read-only file or folder that root may not override (file-override
// capabilities dropped with setpriv), and a full disk (a tiny tmpfs in a user
// and mount namespace). Each save must fail with a reason, and leave the old
// file byte-identical with nothing beside it.

#include "save_paths.h"
#include "test_support.h"

#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using namespace quillset;

namespace {

// The paths that replace a file first, then one that creates it.
const char* const kSavePaths[] = {"settings/replace", "accounts/replace", "backup/replace",
                                  "registry/replace-value", "accounts/create"};

struct ProcessRun {
    bool started = false;
    QString out;
};

ProcessRun run(const QString& program, const QStringList& args) {
    QProcess process;
    process.start(program, args);
    if (!process.waitForFinished(30000))
        return {};
    return {
        process.exitStatus() == QProcess::NormalExit,
        QString::fromLocal8Bit(process.readAllStandardOutput() + process.readAllStandardError())};
}

// The driver's save, as root without the override capabilities.
ProcessRun saveRestricted(const char* path, const QString& folder) {
    QStringList args{QStringLiteral("--bounding-set=-dac_override,-dac_read_search"),
                     QStringLiteral("--inh-caps=-dac_override,-dac_read_search"),
                     QStringLiteral(FAULT_DRIVER),
                     QStringLiteral("save"),
                     QLatin1String(path),
                     folder};
    if (::geteuid() != 0)
        return run(QStringLiteral(FAULT_DRIVER), args.mid(2));
    return run(QStringLiteral("setpriv"), args);
}

QString stateOf(const char* path, const QString& folder) {
    return run(QStringLiteral(FAULT_DRIVER), {QStringLiteral("state"), QLatin1String(path), folder})
        .out;
}

class RestrictedSave : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        if (::geteuid() == 0 && QStandardPaths::findExecutable(QStringLiteral("setpriv")).isEmpty())
            GTEST_SKIP() << "setpriv is needed to drop root's override capabilities";
    }
    const fault::SavePath& path() const { return *fault::findSavePath(QLatin1String(GetParam())); }
    QString expectedState() const {
        return path().oldBytes ? QStringLiteral("old\n") : QStringLiteral("missing\n");
    }
};

// Only the paths that replace an existing file.
class RestrictedReplace : public RestrictedSave {};

TEST_P(RestrictedReplace, AReadOnlyFileStaysAsItWas) {
    test::TempFolder dir;
    ASSERT_TRUE(fault::prepareFolder(path(), dir.path()));
    ASSERT_EQ(::chmod(QFile::encodeName(dir.file(path().target)).constData(), 0444), 0);
    const ProcessRun save = saveRestricted(GetParam(), dir.path());
    EXPECT_TRUE(save.out.startsWith(QLatin1String("error: "))) << save.out.toStdString();
    EXPECT_EQ(stateOf(GetParam(), dir.path()), expectedState());
}

TEST_P(RestrictedSave, AReadOnlyFolderStaysAsItWas) {
    test::TempFolder dir;
    ASSERT_TRUE(fault::prepareFolder(path(), dir.path()));
    const QByteArray folder = QFile::encodeName(dir.path());
    ASSERT_EQ(::chmod(folder.constData(), 0555), 0);
    const ProcessRun save = saveRestricted(GetParam(), dir.path());
    ::chmod(folder.constData(), 0755);
    EXPECT_TRUE(save.out.startsWith(QLatin1String("error: "))) << save.out.toStdString();
    EXPECT_EQ(stateOf(GetParam(), dir.path()), expectedState());
}

TEST_P(RestrictedSave, AFullDiskKeepsTheOldFileAndSaysWhy) {
    // Inside the namespace: mount, prepare, fill the disk, save, then report
    // the target's state while the mount still exists.
    test::TempFolder dir;
    const QString script = QStringLiteral(
        "set -e; mount -t tmpfs -o size=64k none \"$1\"; \"$2\" prepare \"$3\" \"$1\"; "
        "dd if=/dev/zero of=\"$1/.fill\" bs=1k count=200 2>/dev/null || true; set +e; "
        "\"$2\" save \"$3\" \"$1\"; echo \"exit=$?\"; rm -f \"$1/.fill\"; \"$2\" state \"$3\" "
        "\"$1\"");
    const ProcessRun result = run(QStringLiteral("unshare"),
                                  {QStringLiteral("-rm"), QStringLiteral("sh"),
                                   QStringLiteral("-c"), script, QStringLiteral("sh"), dir.path(),
                                   QStringLiteral(FAULT_DRIVER), QLatin1String(GetParam())});
    if (!result.out.contains(QLatin1String("exit=")))
        GTEST_SKIP() << "no user and mount namespace here: " << result.out.toStdString();
    EXPECT_TRUE(result.out.contains(QLatin1String("exit=1"))) << result.out.toStdString();
    // The registry copy is made silently at start-up; the others tell the user.
    if (!QLatin1String(GetParam()).startsWith(QLatin1String("registry"))) {
        EXPECT_TRUE(result.out.contains(QLatin1String("No space left on device")))
            << "the reason reaches the user: " << result.out.toStdString();
    }
    EXPECT_TRUE(result.out.endsWith(QLatin1String("exit=1\n") + expectedState()))
        << "old file kept, nothing beside it: " << result.out.toStdString();
}

std::string testName(const ::testing::TestParamInfo<const char*>& info) {
    std::string name = info.param;
    for (char& c : name) {
        if (c == '/' || c == '-')
            c = '_';
    }
    return name;
}

INSTANTIATE_TEST_SUITE_P(SavePaths, RestrictedSave, ::testing::ValuesIn(kSavePaths), testName);
INSTANTIATE_TEST_SUITE_P(SavePaths, RestrictedReplace,
                         ::testing::ValuesIn(kSavePaths, kSavePaths + 4), testName);

} // namespace
