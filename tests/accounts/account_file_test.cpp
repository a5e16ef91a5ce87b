// accounts.cfg: reading it into the four accounts, writing them back, and the
// four groups a key is shown in.

#include "accounts/account_file.h"
#include "qstring_printer.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <QDir>
#include <functional>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace quillset {
namespace {

const QByteArray kTwelveEmpty = QByteArray("\r\n").repeated(kAccountLineCount);

class AccountFileTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(folder.isValid()); }
    QString dir() const { return folder.path(); }
    QString target() const { return folder.file(QStringLiteral("accounts.cfg")); }
    QByteArray written() const { return test::readBytes(target()); }
    int mode() const {
        struct stat info {};
        return ::stat(QFile::encodeName(target()).constData(), &info) == 0
                   ? int(info.st_mode & 07777)
                   : -1;
    }
    // Loads into a store whose every field already holds text.
    bool load(AccountStore& store) {
        for (Account& account : store.accounts)
            account = {QStringLiteral("old"), QStringLiteral("old"), QStringLiteral("old")};
        return loadAccountStore(store, dir());
    }

    test::TempFolder folder;
};

TEST_F(AccountFileTest, LinesFillTheFieldsInFileOrder) {
    const struct {
        QByteArray file;
        Account first;
        Account second;
    } rows[] = {
        // Every line end counts; an empty line keeps its place.
        {"n1\r\nk1\rd1\nn2\r\n\r\nd2", {"n1", "k1", "d1"}, {"n2", "", "d2"}},
        // A short file leaves the fields it does not reach as they were.
        {"n1\r\nk1", {"n1", "k1", "old"}, {"old", "old", "old"}},
        {"J\xF6rg \x80\r\n",
         {QString::fromUtf8("J\u00F6rg \u20AC"), "old", "old"},
         {"old", "old", "old"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.file.toStdString());
        ASSERT_TRUE(test::writeBytes(target(), row.file));
        AccountStore store;
        ASSERT_TRUE(load(store));
        EXPECT_EQ(store.account(1), row.first);
        EXPECT_EQ(store.account(2), row.second);
    }
    // Lines after the twelfth are ignored.
    QByteArray fifteen;
    for (int i = 1; i <= 15; ++i)
        fifteen += "line " + QByteArray::number(i) + "\r\n";
    ASSERT_TRUE(test::writeBytes(target(), fifteen));
    AccountStore store;
    ASSERT_TRUE(loadAccountStore(store, dir() + QDir::separator()));
    EXPECT_EQ(store.account(4), (Account{"line 10", "line 11", "line 12"}));
}

TEST(AccountFileRefusedTest, WhatIsNoReadableFileIsNotReadAndChangesNothing) {
    const struct {
        const char* what;
        std::function<bool(const QString&)> make;
    } rows[] = {
        {"none", [](const QString&) { return true; }},
        {"folder", [](const QString& path) { return QDir().mkdir(path); }},
        {"FIFO",
         [](const QString& path) {
             return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
         }},
        {"device",
         [](const QString& path) { return QFile::link(QStringLiteral("/dev/zero"), path); }},
        {"unreadable",
         [](const QString& path) {
             return test::writeBytes(path, "new\r\n") &&
                    ::chmod(QFile::encodeName(path).constData(), 0) == 0;
         }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        // Root reads any file: then there is nothing to refuse.
        if (row.what == std::string_view("unreadable") && ::geteuid() == 0)
            continue;
        test::TempFolder folder;
        ASSERT_TRUE(row.make(folder.file(QStringLiteral("accounts.cfg"))));
        AccountStore store;
        store.account(3).name = QStringLiteral("old");
        EXPECT_FALSE(loadAccountStore(store, folder.path()));
        EXPECT_EQ(store.account(3), (Account{"old", "", ""}));
    }
}

TEST_F(AccountFileTest, AlwaysTwelveCrLfLinesThatLoadBackWhole) {
    ASSERT_TRUE(test::writeBytes(target(), QByteArray("old line\r\n").repeated(20)));
    ASSERT_EQ(writeAccountFile(dir(), AccountLines{}), std::nullopt);
    EXPECT_EQ(written(), kTwelveEmpty);

    Accounts accounts;
    accounts[0] = {QString::fromUtf8("J\u00F6rg \u20AC"), "AAAAABBBBBCCCCCDDDDD", "ABCDE-FGHIJ"};
    accounts[3] = {"", "KKKKK", ""};
    ASSERT_EQ(writeAccountFile(dir(), accountFileLines(accounts)), std::nullopt);
    EXPECT_EQ(written(), "J\xF6rg \x80\r\nAAAAABBBBBCCCCCDDDDD\r\nABCDE-FGHIJ\r\n" +
                             QByteArray("\r\n").repeated(7) + "KKKKK\r\n\r\n");
    AccountStore store;
    ASSERT_TRUE(loadAccountStore(store, dir()));
    EXPECT_EQ(store.accounts, accounts);
}

TEST_F(AccountFileTest, TextTheFileCannotHoldIsRefusedNamingTheFieldNotTheKey) {
    const struct {
        int line;
        QString text;
        const char* named;
    } rows[] = {
        {nameLineIndex(2), QString::fromUtf8("Bob \u4E2D"),
         "the name of account 2 holds characters"},
        {deepfallLineIndex(3), QString::fromUtf8("SECRET\u4E2D"),
         "the Deepfall CD key of account 3 holds characters"},
        {nameLineIndex(1), "Ann\nEve", "the name of account 1 holds a line break"},
        {korrinLineIndex(4), "SECRET\rKEY", "the Korrin CD key of account 4 holds a line break"},
    };
    ASSERT_TRUE(test::writeBytes(target(), "old\r\n"));
    for (const auto& row : rows) {
        SCOPED_TRACE(row.named);
        AccountLines lines;
        lines[row.line] = row.text;
        const std::optional<QString> error = writeAccountFile(dir(), lines);
        ASSERT_TRUE(error.has_value());
        EXPECT_TRUE(error->startsWith(QLatin1String(row.named))) << error->toStdString();
        EXPECT_FALSE(error->contains(QLatin1String("SECRET")));
        EXPECT_EQ(written(), "old\r\n");
    }
    EXPECT_EQ(QDir(dir()).entryList(QDir::Files | QDir::Hidden), QStringList{"accounts.cfg"});
}

TEST_F(AccountFileTest, TheFileIsTheOwnersOnlyWhateverTheUmask) {
    ASSERT_TRUE(test::writeBytes(target(), "old\r\n"));
    ASSERT_EQ(::chmod(QFile::encodeName(target()).constData(), 0644), 0);
    for (const mode_t mask : {mode_t(0), mode_t(022), mode_t(077)}) {
        SCOPED_TRACE(mask);
        const mode_t previous = ::umask(mask);
        const std::optional<QString> error = writeAccountFile(dir(), AccountLines{});
        ::umask(previous);
        ASSERT_EQ(error, std::nullopt);
        EXPECT_EQ(mode(), 0600);
        ASSERT_TRUE(QFile::remove(target())); // the next round creates it
    }
    EXPECT_TRUE(writeAccountFile(folder.file(QStringLiteral("gone")), {}).has_value());
}

TEST(KeyGroupsTest, ThreeGroupsOfFiveAndTheRestJoinBackToTheKey) {
    const struct {
        QString key;
        KeyGroups groups;
    } rows[] = {
        {"", {"", "", "", ""}},
        {"ABCDEFGHIJKLMNOPQRS", {"ABCDE", "FGHIJ", "KLMNO", "PQRS"}},
        {"ABCDEFGHIJKLMNOPQRST", {"ABCDE", "FGHIJ", "KLMNO", "PQRST"}},
        {"ABCDEFGHIJKLMNOPQRSTU", {"ABCDE", "FGHIJ", "KLMNO", "PQRSTU"}},
        {"ABCDE-FGHIJ-KLMNO-PQR", {"ABCDE", "-FGHI", "J-KLM", "NO-PQR"}},
        {"ABCDE-FGHIJ-KLMNO-PQRST", {"ABCDE", "-FGHI", "J-KLM", "NO-PQRST"}},
        {"ABCDEFGHIJKLMNOPQRSTUVWXY", {"ABCDE", "FGHIJ", "KLMNO", "PQRSTUVWXY"}},
        {"ABCDE-FGHIJ-KLMNO-PQRST-U", {"ABCDE", "-FGHI", "J-KLM", "NO-PQRST-U"}},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(keyGroups(row.key), row.groups) << row.key.toStdString();
        EXPECT_EQ(joinKeyGroups(row.groups), row.key);
    }
}

} // namespace
} // namespace quillset
