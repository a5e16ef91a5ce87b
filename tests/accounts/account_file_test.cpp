// accounts.cfg: reading it into the four accounts and writing them back.

#include "accounts/account_file.h"
#include "test_support.h"

#include <sys/stat.h>

namespace quillset {
namespace {

struct AccountFileTest : ::testing::Test {
    QString target() const { return folder.file(u"accounts.cfg"_s); }
    QByteArray written() const { return test::readBytes(target()); }

    test::TempFolder folder;
};

TEST_F(AccountFileTest, LinesFillTheFieldsInFileOrder) {
    // clang-format off
    const Account old{"old", "old", "old"};
    const struct { QByteArray file; Accounts accounts; } rows[] = {
        {"n1\r\nk1\rd1\nn2\n\rd2", {{{"n1", "k1", "d1"}, {"n2", "", "d2"}, old, old}}}, // every line end counts
        {"n1\r\nk1", {{{"n1", "k1", "old"}, old, old, old}}}, // the rest stays as it was
        {QByteArray("x\r\n").repeated(11) + "y\r\nline 13", {{{"x", "x", "x"}, {"x", "x", "x"}, {"x", "x", "x"}, {"x", "x", "y"}}}},
    };
    // clang-format on
    AccountStore none;
    EXPECT_FALSE(loadAccountStore(none, folder.path())) << "there is no file yet";
    for (const auto& row : rows) {
        ASSERT_TRUE(test::writeBytes(target(), row.file));
        AccountStore store;
        store.accounts.fill(old);
        ASSERT_TRUE(loadAccountStore(store, folder.path() + QDir::separator()));
        EXPECT_EQ(store.accounts, row.accounts) << row.file.toStdString();
    }
}

// Twelve CR LF lines whatever the file held before, the owner's only
// whatever the umask (the file holds CD keys), and read back whole.
TEST_F(AccountFileTest, TwelveCrLfLinesForTheOwnerOnlyThatLoadBackWhole) {
    const Accounts accounts{
        {{"J\u00F6rg \u20AC", "AAAAABBBBBCCCCCDDDDD", "ABCDE-FGHIJ"}, {}, {}, {"", "KKKKK", ""}}};
    for (const mode_t mask : {mode_t(0), mode_t(022), mode_t(077)}) {
        // The first round replaces a longer file everyone may read; the others create it.
        ASSERT_TRUE(mask || (test::writeBytes(target(), QByteArray("old line\r\n").repeated(20)) &&
                             ::chmod(QFile::encodeName(target()).constData(), 0644) == 0));
        const mode_t previous = ::umask(mask);
        const auto error = writeAccountFile(folder.path(), accountFileLines(accounts));
        ::umask(previous);
        ASSERT_EQ(error, std::nullopt);
        EXPECT_EQ(written(), "J\xF6rg \x80\r\nAAAAABBBBBCCCCCDDDDD\r\nABCDE-FGHIJ\r\n" +
                                 QByteArray("\r\n").repeated(7) + "KKKKK\r\n\r\n");
        EXPECT_EQ(QFile::permissions(target()),
                  QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser)
            << mask;
        AccountStore store;
        ASSERT_TRUE(loadAccountStore(store, folder.path()));
        EXPECT_EQ(store.accounts, accounts);
        ASSERT_TRUE(QFile::remove(target()));
    }
}

TEST_F(AccountFileTest, TextTheFileCannotHoldIsRefusedNamingTheFieldNotTheKey) {
    // clang-format off
    const struct { int line; QString text; QString error; } rows[] = {
        {deepfallLineIndex(3), "SECRET\u4E2D", "the Deepfall CD key of account 3 holds characters that this file cannot store"},
        {nameLineIndex(1), "Ann\nEve", "the name of account 1 holds a line break, which this file cannot store"},
        {korrinLineIndex(4), "SECRET\rKEY", "the Korrin CD key of account 4 holds a line break, which this file cannot store"},
    };
    // clang-format on
    ASSERT_TRUE(test::writeBytes(target(), "old\r\n"));
    for (const auto& row : rows) {
        AccountLines lines;
        lines[row.line] = row.text;
        EXPECT_EQ(writeAccountFile(folder.path(), lines), row.error);
        EXPECT_EQ(written(), "old\r\n");
    }
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{"accounts.cfg"});
}

} // namespace
} // namespace quillset
