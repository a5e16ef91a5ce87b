// Contents nobody should write but someone will: huge files, a line of
// megabytes, NUL and undefined Windows-1252 bytes, every kind of line end,
// and a file that disappears between load and save. Nothing is lost, and a
// load stays linear in time and bounded in memory.

#include "accounts/account_file.h"
#include "accounts/account_store.h"
#include "io/text_lines.h"
#include "lang/file_line.h"
#include "lang/language_loader.h"
#include "settings/settings_reader.h"
#include "settings/settings_writer.h"
#include "test_support.h"

#include <QFileInfo>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace quillset;

namespace {

QByteArray write(const SettingsModel& model) {
    auto result = serializeSettings(model);
    return std::holds_alternative<QByteArray>(result) ? std::get<QByteArray>(result)
                                                      : QByteArray("<encode error>");
}

int fileMode(const QString& path) {
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? int(st.st_mode & 07777) : -1;
}

long statusKiB(const char* field) {
    std::FILE* status = std::fopen("/proc/self/status", "r");
    if (!status)
        return -1;
    char line[256];
    long value = -1;
    const size_t length = std::strlen(field);
    while (std::fgets(line, sizeof line, status)) {
        if (std::strncmp(line, field, length) == 0)
            value = std::strtol(line + length, nullptr, 10);
    }
    std::fclose(status);
    return value;
}

struct Measured {
    bool ok = false;
    double seconds = 0;
    long growthKiB = 0; // peak resident memory above what the process held before
};

// Runs work in a child process, so its peak memory is its own to measure.
Measured measureInChild(const std::function<bool()>& work) {
    int pipeFds[2];
    if (::pipe(pipeFds) != 0)
        return {};
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(pipeFds[0]);
        const long before = statusKiB("VmRSS:");
        const auto start = std::chrono::steady_clock::now();
        const bool ok = work();
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        const Measured m{ok, elapsed.count(), statusKiB("VmHWM:") - before};
        [[maybe_unused]] auto sent = ::write(pipeFds[1], &m, sizeof m);
        ::_exit(0);
    }
    ::close(pipeFds[1]);
    Measured m;
    if (::read(pipeFds[0], &m, sizeof m) != sizeof m)
        m.ok = false;
    ::close(pipeFds[0]);
    ::waitpid(pid, nullptr, 0);
    return m;
}

constexpr qsizetype kMiB = 1 << 20;

// AddressSanitizer keeps freed memory in quarantine and pads every block, so
// peaks under it say nothing about the program's own; the bounds hold for
// ordinary builds.
#if defined(__SANITIZE_ADDRESS__)
constexpr long kSanitizerSlack = 4;
#else
constexpr long kSanitizerSlack = 1;
#endif

// The time bound only catches a load gone quadratic or stuck (this may be a
// debug build on a busy machine); the published figures come from an
// optimised build, printed here.
void expectBounded(const Measured& m, const char* what, long maxGrowthKiB) {
    EXPECT_TRUE(m.ok) << what;
    EXPECT_LT(m.seconds, 30.0) << what;
    EXPECT_LT(m.growthKiB, maxGrowthKiB * kSanitizerSlack) << what;
    std::printf("%s: %.2f s, memory +%ld MiB\n", what, m.seconds, m.growthKiB / 1024);
}

// A file in the writer's normal form: every catalogue key, then unknown
// lines up to the size, then the closing empty line.
QByteArray bigSettingsFile(qsizetype size) {
    QByteArray keys;
    for (const KeyDef& def : keyCatalogue())
        keys.append(def.key).append(" : 1\r\n");
    SettingsModel model = readSettings(keys);
    model.unknownLines.reserve(size + 64);
    for (int i = 0; model.unknownLines.size() < size; ++i)
        model.unknownLines.append("UNKNOWN_KEY_")
            .append(QByteArray::number(i))
            .append(" : some value here\r\n");
    return write(model);
}

class HostileInput : public ::testing::Test {
protected:
    QString settingsPath() const { return folder.file(QStringLiteral("settings.cfg")); }
    test::TempFolder folder;
};

TEST_F(HostileInput, AHundredMegabyteFileLoadsAndComesBackWhole) {
    const QByteArray file = bigSettingsFile(100 * kMiB);
    ASSERT_TRUE(test::writeBytes(settingsPath(), file));
    const Measured m = measureInChild([&] {
        const std::optional<SettingsModel> model = loadSettingsFile(settingsPath());
        return model && write(*model) == file;
    });
    // The bytes read, the unknown lines kept and the file written: three
    // copies, plus slack.
    expectBounded(m, "100 MiB file", 4 * 100 * 1024 + 64 * 1024);
}

TEST_F(HostileInput, MillionsOfEmptyLinesNeedNoMoreMemoryThanTheFile) {
    ASSERT_TRUE(test::writeBytes(settingsPath(), QByteArray(64 * kMiB, '\n')));
    const Measured m = measureInChild([&] {
        const std::optional<SettingsModel> model = loadSettingsFile(settingsPath());
        return model && model->unknownLines.isEmpty();
    });
    // 64 Mi lines held as a list of views at once would take 1 GiB.
    expectBounded(m, "64 MiB of empty lines", 2 * 64 * 1024 + 64 * 1024);
}

TEST_F(HostileInput, AnAccountFileOfMillionsOfLinesReadsOnlyItsTwelve) {
    QByteArray file = "Player\r\nAAAAABBBBBCCCCCDDDDD\r\n";
    file.append(QByteArray(64 * kMiB, '\n'));
    ASSERT_TRUE(test::writeBytes(folder.file(QStringLiteral("accounts.cfg")), file));
    const Measured m = measureInChild([&] {
        AccountStore store;
        return loadAccountStore(store, folder.path() + QLatin1Char('/')) &&
               store.account(1).name == QStringLiteral("Player") &&
               store.account(1).korrinKey == QStringLiteral("AAAAABBBBBCCCCCDDDDD") &&
               store.account(4).deepfallKey.isEmpty();
    });
    expectBounded(m, "64 MiB accounts.cfg", 2 * 64 * 1024 + 64 * 1024);
}

// Headers are looked for in the first 32767 lines only, so the millions of
// lines after them must cost neither a list of lines nor their decoding.
TEST_F(HostileInput, ALanguageFileOfMillionsOfLinesNeedsNoListOfThem) {
    QByteArray file = "[Captions]\r\nQuillset\r\n";
    file.append(QByteArray(64 * kMiB, '\n'));
    const QString path = folder.file(QStringLiteral("language.lng"));
    ASSERT_TRUE(test::writeBytes(path, file));
    const Measured m = measureInChild([&] {
        const std::optional<LanguageLoad> load = loadLanguageFile(path);
        return load && !load->texts.empty() &&
               load->texts.front().text.startsWith(QStringLiteral("Quillset")) &&
               GetFileLine(path, 2) == QStringLiteral("Quillset") &&
               GetFileLine(path, 60 * 1000 * 1000).isEmpty();
    });
    expectBounded(m, "64 MiB language.lng", 2 * 64 * 1024 + 64 * 1024);
}

TEST_F(HostileInput, ATenMegabyteLineSurvivesAsUnknownLineAndAsValue) {
    const QByteArray huge(10 * kMiB, 'x');
    const QByteArray file = "NETWORK_CDKEY : " + huge + "\r\n" + huge + "\r\n";
    ASSERT_TRUE(test::writeBytes(settingsPath(), file));
    const Measured m = measureInChild([&] {
        const std::optional<SettingsModel> model = loadSettingsFile(settingsPath());
        if (!model || model->fileCdKey.size() != huge.size() ||
            model->unknownLines != huge + "\r\n")
            return false;
        const QByteArray written = write(*model);
        return written.contains("\r\nNETWORK_CDKEY : " + huge + "\r\n") &&
               written.endsWith("\r\n" + huge + "\r\n\r\n");
    });
    expectBounded(m, "10 MiB line", 16 * 10 * 1024);
}

TEST_F(HostileInput, LongFilesSplitExactlyAsAWholeAcrossEveryLineEnd) {
    // Several MiB, so the reader works through it piece by piece, with every
    // kind of line end at every offset.
    QByteArray file;
    const char* const ends[] = {"\r\n", "\n", "\r", "\r\r\n", "\n\r"};
    for (int i = 0; file.size() < 5 * kMiB; ++i)
        file.append("K").append(QByteArray::number(i)).append(ends[i % 5]);
    QByteArray expected;
    for (QByteArrayView line : splitLines(file)) {
        if (!line.isEmpty())
            expected.append(line.data(), line.size()).append("\r\n");
    }
    EXPECT_EQ(readSettings(file).unknownLines, expected);
}

TEST_F(HostileInput, NulAndUndefinedBytesSurviveInValuesAndUnknownLines) {
    const QByteArray odd("A\0B\x81\x8d\x8f\x90\x9d\xff", 9);
    const QByteArray file = "NETWORK_PLAYER : " + odd + "\r\nNETWORK_CDKEY : " + odd + "\r\n" +
                            "MYKEY : " + odd + "\r\n" + odd + "\r\n";
    const SettingsModel model = readSettings(file);
    EXPECT_EQ(model.text(QLatin1String("NETWORK_PLAYER")).size(), odd.size());
    const QByteArray written = write(model);
    EXPECT_TRUE(written.contains("\r\nNETWORK_PLAYER : " + odd + "\r\n"));
    EXPECT_TRUE(written.contains("\r\nNETWORK_CDKEY : " + odd + "\r\n"));
    EXPECT_TRUE(written.endsWith("MYKEY : " + odd + "\r\n" + odd + "\r\n\r\n"));
    EXPECT_EQ(write(readSettings(written)), written) << "the written file is stable";

    // The account file keeps them too.
    AccountLines lines;
    lines[0] = readSettings("NETWORK_PLAYER : " + odd).text(QLatin1String("NETWORK_PLAYER"));
    lines[1] = lines[0];
    ASSERT_FALSE(writeAccountFile(folder.path() + QLatin1Char('/'), lines));
    EXPECT_TRUE(test::readBytes(folder.file(QStringLiteral("accounts.cfg")))
                    .startsWith(odd + "\r\n" + odd + "\r\n"));
    AccountStore store;
    ASSERT_TRUE(loadAccountStore(store, folder.path() + QLatin1Char('/')));
    EXPECT_EQ(accountFileLines(store.accounts), lines);
}

TEST_F(HostileInput, MixedLineEndsKeepEveryLineAndBecomeCrLf) {
    const QByteArray file = "AUTOSAVE : 0\nFULLSCREEN : 0\rMYKEY : a\r\nOTHER : b\n\rLAST : c";
    const QByteArray written = write(readSettings(file));
    EXPECT_TRUE(written.startsWith("AUTOSAVE : 0\r\n"));
    EXPECT_TRUE(written.contains("\r\nFULLSCREEN : 0\r\n"));
    EXPECT_TRUE(written.endsWith("\r\nMYKEY : a\r\nOTHER : b\r\nLAST : c\r\n\r\n"));
    EXPECT_EQ(written.count('\n'), written.count("\r\n")) << "no lone LF left";
    EXPECT_EQ(written.count('\r'), written.count("\r\n")) << "no lone CR left";
}

// The game or the user deleted the file while the window showed it: the save
// creates it again, with the program's usual mode for a new file.
TEST_F(HostileInput, AFileDeletedBetweenLoadAndSaveIsCreatedAgain) {
    const QByteArray file = "AUTOSAVE : 1\r\nMYKEY : mine\r\n";
    ASSERT_TRUE(test::writeBytes(settingsPath(), file));
    SettingsModel model = *loadSettingsFile(settingsPath());
    ASSERT_TRUE(QFile::remove(settingsPath()));
    model.setNumber(QLatin1String("AUTOSAVE"), 0);
    const mode_t mask = ::umask(022);
    const auto error = writeSettingsFile(settingsPath(), model);
    ::umask(mask);
    ASSERT_FALSE(error) << error->toStdString();
    const QByteArray written = test::readBytes(settingsPath());
    EXPECT_TRUE(written.startsWith("AUTOSAVE : 0\r\n"));
    EXPECT_TRUE(written.endsWith("MYKEY : mine\r\n\r\n"));
    EXPECT_EQ(fileMode(settingsPath()), 0644);

    const QString accounts = folder.file(QStringLiteral("accounts.cfg"));
    AccountLines lines;
    lines[1] = QStringLiteral("AAAAABBBBBCCCCCDDDDD");
    ASSERT_FALSE(writeAccountFile(folder.path() + QLatin1Char('/'), lines));
    ASSERT_TRUE(QFile::remove(accounts));
    ASSERT_FALSE(writeAccountFile(folder.path() + QLatin1Char('/'), lines));
    EXPECT_EQ(fileMode(accounts), 0600) << "a recreated account file is the owner's only";
}

// Root may write anywhere, but a file without any write permission was made
// read-only on purpose (the game's own installer does so to lock a setup):
// even root's save leaves it alone and says why.
TEST_F(HostileInput, AReadOnlyFileIsNotReplacedEvenByRoot) {
    const QByteArray file = "AUTOSAVE : 1\r\n";
    ASSERT_TRUE(test::writeBytes(settingsPath(), file));
    ASSERT_EQ(::chmod(QFile::encodeName(settingsPath()).constData(), 0444), 0);
    SettingsModel model = *loadSettingsFile(settingsPath());
    model.setNumber(QLatin1String("AUTOSAVE"), 0);
    const auto error = writeSettingsFile(settingsPath(), model);
    ASSERT_TRUE(error);
    EXPECT_TRUE(error->contains(QLatin1String("read-only"))) << error->toStdString();
    EXPECT_EQ(test::readBytes(settingsPath()), file);
    EXPECT_EQ(fileMode(settingsPath()), 0444);

    const QString accounts = folder.file(QStringLiteral("accounts.cfg"));
    ASSERT_TRUE(test::writeBytes(accounts, "old\r\n"));
    ASSERT_EQ(::chmod(QFile::encodeName(accounts).constData(), 0400), 0);
    const auto accountError = writeAccountFile(folder.path() + QLatin1Char('/'), AccountLines{});
    ASSERT_TRUE(accountError);
    EXPECT_TRUE(accountError->contains(QLatin1String("read-only")));
    EXPECT_EQ(test::readBytes(accounts), "old\r\n");
}

// Root saving a user's file (sudo, or a game folder set up by an
// administrator) keeps it the user's: otherwise the game, run by the user,
// could no longer write its own settings or accounts.
TEST_F(HostileInput, ASaveByRootKeepsTheFilesOwner) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root can give a file to another user";
    const uid_t user = 4321;
    const gid_t group = 4322;
    ASSERT_TRUE(test::writeBytes(settingsPath(), "AUTOSAVE : 1\r\n"));
    ASSERT_EQ(::chown(QFile::encodeName(settingsPath()).constData(), user, group), 0);
    const QString accounts = folder.file(QStringLiteral("accounts.cfg"));
    ASSERT_TRUE(test::writeBytes(accounts, "old\r\n"));
    ASSERT_EQ(::chown(QFile::encodeName(accounts).constData(), user, group), 0);

    ASSERT_FALSE(writeSettingsFile(settingsPath(), SettingsModel::cleared()));
    ASSERT_FALSE(writeAccountFile(folder.path() + QLatin1Char('/'), AccountLines{}));
    for (const QString& path : {settingsPath(), accounts}) {
        struct stat st {};
        ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &st), 0);
        EXPECT_EQ(st.st_uid, user) << path.toStdString();
        EXPECT_EQ(st.st_gid, group) << path.toStdString();
    }
    EXPECT_EQ(fileMode(accounts), 0600);
}

} // namespace
