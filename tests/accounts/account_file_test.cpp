// accounts.cfg: reading it into the four accounts, writing them back, and the
// four groups a key is shown in.

#include "accounts/account_file.h"
#include "qstring_printer.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <QDir>
#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace quillset {
namespace {

class AccountFileTest : public ::testing::Test {
protected:
    QString target() const { return folder.file(QStringLiteral("accounts.cfg")); }
    QByteArray written() const { return test::readBytes(target()); }

    test::TempFolder folder;
};

TEST_F(AccountFileTest, LinesFillTheFieldsInFileOrder) {
    // clang-format off
    const Account old{"old", "old", "old"};
    const struct { QByteArray file; Account first, second, fourth; } rows[] = {
        {"n1\r\nk1\rd1\nn2\r\n\r\nd2", {"n1", "k1", "d1"}, {"n2", "", "d2"}, old}, // every line end counts
        {"n1\r\nk1", {"n1", "k1", "old"}, old, old}, // the rest stays as it was
        {"J\xF6rg \x80\r\n", {"J\u00F6rg \u20AC", "old", "old"}, old, old},
        {QByteArray("x\r\n").repeated(11) + "y\r\nline 13", {"x", "x", "x"}, {"x", "x", "x"}, {"x", "x", "y"}},
    };
    // clang-format on
    for (const auto& row : rows) {
        ASSERT_TRUE(test::writeBytes(target(), row.file));
        AccountStore store;
        store.accounts.fill(old);
        ASSERT_TRUE(loadAccountStore(store, folder.path() + QDir::separator()));
        EXPECT_EQ(store.account(1), row.first) << row.file.toStdString();
        EXPECT_EQ(store.account(2), row.second) << row.file.toStdString();
        EXPECT_EQ(store.account(4), row.fourth) << row.file.toStdString();
    }
}

TEST(AccountFileRefusedTest, WhatIsNoReadableFileIsNotReadAndChangesNothing) {
    // clang-format off
    const std::function<bool(const QByteArray&)> makers[] = {
        [](const QByteArray&) { return true; }, // none
        [](const QByteArray& path) { return QDir().mkdir(QFile::decodeName(path)); },
        [](const QByteArray& path) { return ::mkfifo(path.constData(), 0600) == 0; },
        [](const QByteArray& path) { return ::symlink("/dev/zero", path.constData()) == 0; },
        // Root reads any file: then there is nothing to refuse.
        [](const QByteArray& path) { return ::geteuid() != 0 && ::close(::creat(path.constData(), 0)) == 0; },
    };
    // clang-format on
    for (const auto& make : makers) {
        test::TempFolder folder;
        if (!make(QFile::encodeName(folder.file(QStringLiteral("accounts.cfg")))))
            continue;
        AccountStore store;
        store.account(3).name = QStringLiteral("old");
        EXPECT_FALSE(loadAccountStore(store, folder.path())) << &make - makers;
        EXPECT_EQ(store.account(3), (Account{"old", "", ""}));
    }
}

TEST_F(AccountFileTest, AlwaysTwelveCrLfLinesThatLoadBackWhole) {
    ASSERT_TRUE(test::writeBytes(target(), QByteArray("old line\r\n").repeated(20)));
    ASSERT_EQ(writeAccountFile(folder.path(), AccountLines{}), std::nullopt);
    EXPECT_EQ(written(), QByteArray("\r\n").repeated(12));

    Accounts accounts;
    accounts[0] = {"J\u00F6rg \u20AC", "AAAAABBBBBCCCCCDDDDD", "ABCDE-FGHIJ"};
    accounts[3] = {"", "KKKKK", ""};
    ASSERT_EQ(writeAccountFile(folder.path(), accountFileLines(accounts)), std::nullopt);
    EXPECT_EQ(written(), "J\xF6rg \x80\r\nAAAAABBBBBCCCCCDDDDD\r\nABCDE-FGHIJ\r\n" +
                             QByteArray("\r\n").repeated(7) + "KKKKK\r\n\r\n");
    AccountStore store;
    ASSERT_TRUE(loadAccountStore(store, folder.path()));
    EXPECT_EQ(store.accounts, accounts);
}

TEST_F(AccountFileTest, TextTheFileCannotHoldIsRefusedNamingTheFieldNotTheKey) {
    // clang-format off
    const struct { int line; QString text; QString error; } rows[] = {
        {nameLineIndex(2), "Bob \u4E2D", "the name of account 2 holds characters that this file cannot store"},
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

TEST_F(AccountFileTest, TheFileIsTheOwnersOnlyWhateverTheUmask) {
    ASSERT_TRUE(test::writeBytes(target(), "old\r\n"));
    ASSERT_EQ(::chmod(QFile::encodeName(target()).constData(), 0644), 0);
    for (const mode_t mask : {mode_t(0), mode_t(022), mode_t(077)}) {
        const mode_t previous = ::umask(mask);
        const std::optional<QString> error = writeAccountFile(folder.path(), AccountLines{});
        ::umask(previous);
        ASSERT_EQ(error, std::nullopt);
        EXPECT_EQ(QFile::permissions(target()),
                  QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser)
            << mask;
        ASSERT_TRUE(QFile::remove(target())); // the next round creates it
    }
    EXPECT_TRUE(writeAccountFile(folder.file(QStringLiteral("gone")), {}).has_value());
}

TEST(KeyGroupsTest, ThreeGroupsOfFiveAndTheRestJoinBackToTheKey) {
    // clang-format off
    const struct { QString key; KeyGroups groups; } rows[] = {
        {"", {"", "", "", ""}},
        {"ABCDEFGHIJKLMNOPQRS", {"ABCDE", "FGHIJ", "KLMNO", "PQRS"}},
        {"ABCDEFGHIJKLMNOPQRST", {"ABCDE", "FGHIJ", "KLMNO", "PQRST"}},
        {"ABCDEFGHIJKLMNOPQRSTU", {"ABCDE", "FGHIJ", "KLMNO", "PQRSTU"}},
        {"ABCDE-FGHIJ-KLMNO-PQR", {"ABCDE", "-FGHI", "J-KLM", "NO-PQR"}},
        {"ABCDEFGHIJKLMNOPQRSTUVW", {"ABCDE", "FGHIJ", "KLMNO", "PQRSTUVW"}},
        {"ABCDE-FGHIJ-KLMNO-PQRST", {"ABCDE", "-FGHI", "J-KLM", "NO-PQRST"}},
        {"ABCDEFGHIJKLMNOPQRSTUVWXY", {"ABCDE", "FGHIJ", "KLMNO", "PQRSTUVWXY"}},
        {"ABCDE-FGHIJ-KLMNO-PQRST-U", {"ABCDE", "-FGHI", "J-KLM", "NO-PQRST-U"}},
    };
    // clang-format on
    for (const auto& row : rows) {
        EXPECT_EQ(keyGroups(row.key), row.groups) << row.key.toStdString();
        EXPECT_EQ(joinKeyGroups(row.groups), row.key);
    }
}

} // namespace
} // namespace quillset
