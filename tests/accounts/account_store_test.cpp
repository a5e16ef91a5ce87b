#include "accounts/account_store.h"
#include "qstring_printer.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <QDir>
#include <sys/stat.h>

namespace quillset {
namespace {

const QString kKeyA = QStringLiteral("AAAAABBBBBCCCCCDDDDD");
const QString kKeyB = QStringLiteral("EEEEEFFFFFGGGGGHHHHH");
const QString kKeyC = QStringLiteral("KKKKKLLLLLMMMMMNNNNN");

// A store whose every line and record holds recognisable text, so tests can
// tell "kept" from "overwritten".
AccountStore filledStore() {
    AccountStore store;
    for (int slot = 1; slot <= kAccountSlotCount; ++slot) {
        const QString n = QString::number(slot);
        setAccountSlot(store, slot, "old name " + n, "old korrin " + n, "old deepfall " + n);
    }
    return store;
}

void expectKeyCopiesAgree(const AccountStore& store) {
    for (int slot = 1; slot <= kAccountSlotCount; ++slot) {
        EXPECT_EQ(store.korrinKey(slot).Full, store.Lines[korrinLineIndex(slot)]) << slot;
        EXPECT_EQ(store.deepfallKey(slot).Full, store.Lines[deepfallLineIndex(slot)]) << slot;
    }
}

void expectSameStore(const AccountStore& a, const AccountStore& b) {
    EXPECT_EQ(a.Lines, b.Lines);
    for (int i = 0; i < kAccountSlotCount; ++i) {
        EXPECT_EQ(a.KorrinKeys[i].Full, b.KorrinKeys[i].Full);
        EXPECT_EQ(a.DeepfallKeys[i].Full, b.DeepfallKeys[i].Full);
    }
}

class LoadAccountStoreTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(folder_.isValid()); }
    void writeFile(const QByteArray& bytes) {
        ASSERT_TRUE(test::writeBytes(folder_.file("accounts.cfg"), bytes));
    }
    QString dir() const { return folder_.path(); }

    test::TempFolder folder_;
};

TEST_F(LoadAccountStoreTest, FiveLinesFillSlotOneAndPartOfSlotTwo) {
    writeFile("Alice\r\n" + kKeyA.toLatin1() + "\r\n" + kKeyB.toLatin1() + "\r\nBob\r\n" +
              kKeyC.toLatin1() + "\r\n");
    AccountStore store;
    ASSERT_TRUE(LoadAccountStore(store, dir()));

    EXPECT_EQ(store.name(1), "Alice");
    EXPECT_EQ(store.korrinKey(1).Full, kKeyA);
    EXPECT_EQ(store.deepfallKey(1).Full, kKeyB);
    EXPECT_EQ(store.name(2), "Bob");
    EXPECT_EQ(store.korrinKey(2).Full, kKeyC);
    EXPECT_TRUE(store.deepfallKey(2).Full.isEmpty());
    for (int slot = 3; slot <= 4; ++slot) {
        EXPECT_TRUE(store.name(slot).isEmpty());
        EXPECT_TRUE(store.korrinKey(slot).Full.isEmpty());
        EXPECT_TRUE(store.deepfallKey(slot).Full.isEmpty());
    }
    // Loading only fills Full; the groups come from an explicit split.
    EXPECT_TRUE(store.korrinKey(1).Part1.isEmpty());
}

TEST_F(LoadAccountStoreTest, TwelveEmptyLinesEmptyEverySlot) {
    writeFile(QByteArray("\r\n").repeated(12));
    AccountStore store = filledStore();
    ASSERT_TRUE(LoadAccountStore(store, dir()));
    for (const QString& line : store.Lines)
        EXPECT_TRUE(line.isEmpty());
    expectKeyCopiesAgree(store);
}

TEST_F(LoadAccountStoreTest, LinesAfterTheTwelfthAreIgnored) {
    QByteArray bytes;
    for (int i = 1; i <= 15; ++i)
        bytes += "line " + QByteArray::number(i) + "\r\n";
    writeFile(bytes);
    AccountStore store;
    ASSERT_TRUE(LoadAccountStore(store, dir()));
    for (int i = 0; i < kAccountLineCount; ++i)
        EXPECT_EQ(store.Lines[i], QStringLiteral("line %1").arg(i + 1));
    EXPECT_EQ(store.deepfallKey(4).Full, "line 12");
}

TEST_F(LoadAccountStoreTest, ShortFileKeepsTheTextOfLinesNotRead) {
    writeFile("new name\r\nnew key");
    AccountStore store = filledStore();
    ASSERT_TRUE(LoadAccountStore(store, dir()));
    EXPECT_EQ(store.name(1), "new name");
    EXPECT_EQ(store.korrinKey(1).Full, "new key");
    EXPECT_EQ(store.deepfallKey(1).Full, "old deepfall 1");
    EXPECT_EQ(store.name(4), "old name 4");
    EXPECT_EQ(store.korrinKey(3).Full, "old korrin 3");
    expectKeyCopiesAgree(store);
}

TEST_F(LoadAccountStoreTest, EveryLineEndCountsAndEmptyLinesKeepTheirPlace) {
    // CR LF, lone CR, lone LF, an empty line, and no terminator at the end.
    writeFile("n1\r\nk1\rd1\nn2\r\n\r\nd2");
    AccountStore store;
    ASSERT_TRUE(LoadAccountStore(store, dir()));
    EXPECT_EQ(store.Lines[0], "n1");
    EXPECT_EQ(store.Lines[1], "k1");
    EXPECT_EQ(store.Lines[2], "d1");
    EXPECT_EQ(store.Lines[3], "n2");
    EXPECT_EQ(store.Lines[4], "");
    EXPECT_EQ(store.Lines[5], "d2");
    EXPECT_EQ(store.deepfallKey(2).Full, "d2");
    EXPECT_TRUE(store.Lines[6].isEmpty());
}

TEST_F(LoadAccountStoreTest, TextIsReadAsWindows1252) {
    writeFile("J\xF6rg \x80\r\n");
    AccountStore store;
    ASSERT_TRUE(LoadAccountStore(store, dir()));
    EXPECT_EQ(store.name(1), QString::fromUtf8("J\u00F6rg \u20AC"));
}

TEST_F(LoadAccountStoreTest, FolderWithOrWithoutTrailingSeparatorFindsTheFile) {
    writeFile("Alice\r\n");
    AccountStore withSeparator;
    AccountStore without;
    EXPECT_TRUE(LoadAccountStore(withSeparator, dir() + QDir::separator()));
    EXPECT_TRUE(LoadAccountStore(without, dir()));
    EXPECT_EQ(withSeparator.name(1), "Alice");
    EXPECT_EQ(without.name(1), "Alice");
}

TEST_F(LoadAccountStoreTest, MissingOrUnreadableFileLeavesTheStoreUnchanged) {
    const AccountStore before = filledStore();
    AccountStore store = before;
    EXPECT_FALSE(LoadAccountStore(store, dir()));
    EXPECT_FALSE(LoadAccountStore(store, folder_.file("no such folder")));
    expectSameStore(store, before);

    // A folder by that name is no file.
    ASSERT_TRUE(QDir(dir()).mkdir("accounts.cfg"));
    EXPECT_FALSE(LoadAccountStore(store, dir()));
    expectSameStore(store, before);
}

TEST_F(LoadAccountStoreTest, FifoIsRefusedWithoutBlocking) {
    ASSERT_EQ(::mkfifo(QFile::encodeName(folder_.file("accounts.cfg")).constData(), 0600), 0);
    const AccountStore before = filledStore();
    AccountStore store = before;
    EXPECT_FALSE(LoadAccountStore(store, dir()));
    expectSameStore(store, before);
}

TEST(SplitCdKeyTest, TwentyCharacterKeyGivesFourGroupsOfFive) {
    CdKeyRecord record;
    record.Full = kKeyA;
    splitCdKey(record);
    EXPECT_EQ(record.Part1, "AAAAA");
    EXPECT_EQ(record.Part2, "BBBBB");
    EXPECT_EQ(record.Part3, "CCCCC");
    EXPECT_EQ(record.Part4, "DDDDD");
    EXPECT_EQ(record.Full, kKeyA);
}

TEST(SplitCdKeyTest, ShortAndLongKeys) {
    CdKeyRecord record;
    record.Full = "ABCDEFG";
    record.Part3 = record.Part4 = "stale"; // an earlier, longer key's groups
    splitCdKey(record);
    EXPECT_EQ(record.Part1, "ABCDE");
    EXPECT_EQ(record.Part2, "FG");
    EXPECT_TRUE(record.Part3.isEmpty());
    EXPECT_TRUE(record.Part4.isEmpty());

    record.Full = "";
    splitCdKey(record);
    EXPECT_TRUE(record.Part1.isEmpty() && record.Part2.isEmpty());

    // Past twenty characters the last group takes the rest.
    record.Full = kKeyA + "XYZ";
    splitCdKey(record);
    EXPECT_EQ(record.Part3, "CCCCC");
    EXPECT_EQ(record.Part4, "DDDDDXYZ");
    EXPECT_EQ(record.Full, kKeyA + "XYZ");
}

TEST(SplitCdKeyTest, EachProcedureSplitsOnlyItsOwnRecord) {
    AccountStore store;
    setAccountSlot(store, 3, "name", kKeyA, kKeyB);
    setAccountSlot(store, 2, "other", kKeyC, kKeyC);

    SplitKorrinKey(store, 3);
    EXPECT_EQ(store.korrinKey(3).Part1, "AAAAA");
    EXPECT_TRUE(store.deepfallKey(3).Part1.isEmpty());
    EXPECT_TRUE(store.korrinKey(2).Part1.isEmpty());

    SplitDeepfallKey(store, 3);
    EXPECT_EQ(store.deepfallKey(3).Part4, "HHHHH");
    EXPECT_TRUE(store.deepfallKey(2).Part1.isEmpty());

    // Out-of-range slots change nothing.
    SplitKorrinKey(store, 0);
    SplitDeepfallKey(store, 5);
    EXPECT_TRUE(store.korrinKey(2).Part1.isEmpty());
}

TEST(AccountStoreTest, SetSlotAndSavedLinesKeepBothKeyCopiesInStep) {
    AccountStore store;
    setAccountSlot(store, 2, "Bob", kKeyA, kKeyB);
    EXPECT_EQ(store.Lines[3], "Bob");
    EXPECT_EQ(store.Lines[4], kKeyA);
    EXPECT_EQ(store.Lines[5], kKeyB);
    expectKeyCopiesAgree(store);

    AccountLines saved;
    saved[nameLineIndex(4)] = "Dora";
    saved[korrinLineIndex(4)] = kKeyC;
    storeSavedLines(store, saved);
    EXPECT_EQ(store.Lines, saved);
    EXPECT_TRUE(store.name(2).isEmpty());
    EXPECT_TRUE(store.korrinKey(2).Full.isEmpty());
    EXPECT_EQ(store.korrinKey(4).Part3, "MMMMM");
    expectKeyCopiesAgree(store);
}

} // namespace
} // namespace quillset
