// Writes that must fail honestly: the error is reported and the old file is
// byte-identical afterwards. Root ignores file modes, so the read-only cases
// run the writer with the override capabilities dropped.

#include "settings/settings_reader.h"
#include "settings/settings_writer.h"
#include "settings_test_util.h"
#include "test_support.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using namespace quillset;
using quillset::test::crlf;

namespace {

const QByteArray kOldFile = crlf({"AUTOSAVE : 1", "MYKEY : keep me"});

struct ToolRun {
    int exitCode = -1;
    QString output;
};

// Runs the write tool, with the file-override capabilities dropped when we are root.
ToolRun runToolRestricted(const QString& path) {
    QStringList args;
    QString program = QStringLiteral(SETTINGS_WRITE_TOOL);
    if (::geteuid() == 0) {
        args << QStringLiteral("--bounding-set=-dac_override,-dac_read_search")
             << QStringLiteral("--inh-caps=-dac_override,-dac_read_search") << program;
        program = QStringLiteral("setpriv");
    }
    args << path << QStringLiteral("100");
    QProcess process;
    process.start(program, args);
    process.waitForFinished(30000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromLocal8Bit(process.readAll())};
}

bool haveSetpriv() {
    return ::geteuid() != 0 || !QStandardPaths::findExecutable(QStringLiteral("setpriv")).isEmpty();
}

TEST(SettingsWriteFailure, ReadOnlyFileIsNotReplaced) {
    if (!haveSetpriv())
        GTEST_SKIP() << "setpriv is needed to drop root's override capabilities";
    test::TempFolder dir;
    const QString path = dir.file(QStringLiteral("settings.cfg"));
    ASSERT_TRUE(test::writeBytes(path, kOldFile));
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0444), 0);
    const ToolRun run = runToolRestricted(path);
    EXPECT_EQ(run.exitCode, 1) << run.output.toStdString();
    EXPECT_TRUE(run.output.startsWith(QLatin1String("error: "))) << run.output.toStdString();
    EXPECT_EQ(test::readBytes(path), kOldFile);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1) << "no temporary file left";
}

TEST(SettingsWriteFailure, ReadOnlyFolderKeepsTheFile) {
    if (!haveSetpriv())
        GTEST_SKIP() << "setpriv is needed to drop root's override capabilities";
    test::TempFolder dir;
    const QString path = dir.file(QStringLiteral("settings.cfg"));
    ASSERT_TRUE(test::writeBytes(path, kOldFile));
    const QByteArray folder = QFile::encodeName(dir.path());
    ASSERT_EQ(::chmod(folder.constData(), 0555), 0);
    const ToolRun run = runToolRestricted(path);
    ::chmod(folder.constData(), 0755);
    EXPECT_EQ(run.exitCode, 1) << run.output.toStdString();
    EXPECT_EQ(test::readBytes(path), kOldFile);
}

TEST(SettingsWriteFailure, FullDiskKeepsTheOldFile) {
    // A 64 KiB tmpfs of our own in a user and mount namespace, filled up
    // before the write; the check runs inside, where the mount exists.
    test::TempFolder dir;
    const QString script =
        QStringLiteral("set -e; mount -t tmpfs -o size=64k none \"$1\"; "
                       "printf 'AUTOSAVE : 1\\r\\nMYKEY : keep me\\r\\n' > \"$1/settings.cfg\"; "
                       "cp \"$1/settings.cfg\" \"$1/expected\"; "
                       "dd if=/dev/zero of=\"$1/fill\" bs=1k count=200 2>/dev/null || true; "
                       "set +e; \"$2\" \"$1/settings.cfg\" 300000; echo \"exit=$?\"; "
                       "cmp -s \"$1/settings.cfg\" \"$1/expected\" && echo same || echo changed; "
                       "ls \"$1\" | wc -l");
    QProcess process;
    process.start(QStringLiteral("unshare"),
                  {QStringLiteral("-rm"), QStringLiteral("sh"), QStringLiteral("-c"), script,
                   QStringLiteral("sh"), dir.path(), QStringLiteral(SETTINGS_WRITE_TOOL)});
    process.waitForFinished(30000);
    const QString out = QString::fromLocal8Bit(process.readAllStandardOutput());
    if (!out.contains(QLatin1String("exit=")))
        GTEST_SKIP() << "no user and mount namespace here: "
                     << process.readAllStandardError().toStdString();
    EXPECT_TRUE(out.contains(QLatin1String("error: "))) << out.toStdString();
    EXPECT_TRUE(out.contains(QLatin1String("exit=1"))) << out.toStdString();
    EXPECT_TRUE(out.contains(QLatin1String("same\n"))) << out.toStdString();
    EXPECT_TRUE(out.endsWith(QLatin1String("3\n")))
        << "no temporary file left: " << out.toStdString();
}

TEST(SettingsWriteFailure, TargetsThatAreNotRegularFilesAreRefused) {
    test::TempFolder dir;
    const SettingsModel model = SettingsModel::cleared();

    const QString folder = dir.file(QStringLiteral("settings.cfg"));
    ASSERT_TRUE(QDir().mkdir(folder));
    auto error = writeSettingsFile(folder, model);
    ASSERT_TRUE(error);
    EXPECT_TRUE(QFileInfo(folder).isDir());

    const QString fifo = dir.file(QStringLiteral("fifo.cfg"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0644), 0);
    EXPECT_TRUE(writeSettingsFile(fifo, model));
    EXPECT_FALSE(loadSettingsFile(fifo)) << "reading a FIFO must not block";

    const QString dangling = dir.file(QStringLiteral("dangling.cfg"));
    ASSERT_TRUE(QFile::link(dir.file(QStringLiteral("nowhere")), dangling));
    EXPECT_TRUE(writeSettingsFile(dangling, model));
    EXPECT_FALSE(QFileInfo::exists(dir.file(QStringLiteral("nowhere"))));

    EXPECT_TRUE(writeSettingsFile(dir.file(QStringLiteral("missing/settings.cfg")), model));
    EXPECT_TRUE(writeSettingsFile(QString(), model));
}

TEST(SettingsWriteFailure, SuccessfulWriteKeepsModeAndFollowsLinks) {
    test::TempFolder dir;
    const QString real = dir.file(QStringLiteral("real.cfg"));
    ASSERT_TRUE(test::writeBytes(real, kOldFile));
    ASSERT_EQ(::chmod(QFile::encodeName(real).constData(), 0640), 0);
    const QString link = dir.file(QStringLiteral("settings.cfg"));
    ASSERT_TRUE(QFile::link(real, link));

    SettingsModel model = *loadSettingsFile(link);
    model.setNumber(QLatin1String("AUTOSAVE"), 0);
    ASSERT_FALSE(writeSettingsFile(link, model));
    EXPECT_TRUE(QFileInfo(link).isSymLink()) << "the link stays a link";
    EXPECT_TRUE(test::readBytes(real).startsWith("AUTOSAVE : 0\r\n"));
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(real).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2) << "no temporary file left";
}

} // namespace
