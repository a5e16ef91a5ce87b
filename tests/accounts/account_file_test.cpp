#include "accounts/account_file.h"
#include "qstring_printer.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <QDir>
#include <sys/stat.h>

namespace quillset {
namespace {

// Sets the process umask for one test and restores it afterwards.
class UmaskScope {
public:
    explicit UmaskScope(mode_t mask) : previous_(::umask(mask)) {}
    ~UmaskScope() { ::umask(previous_); }
    UmaskScope(const UmaskScope&) = delete;
    UmaskScope& operator=(const UmaskScope&) = delete;

private:
    mode_t previous_;
};

int fileMode(const QString& path) {
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return -1;
    return static_cast<int>(info.st_mode & 07777);
}

AccountSlotsTexts sampleSlots() {
    AccountSlotsTexts slotTexts;
    slotTexts[0] = {QString::fromUtf8("J\u00F6rg \u20AC"),
                    {"AAAAA", "BBBBB", "CCCCC", "DDDDD"},
                    {"EEEEE", "FFFFF", "GGGGG", "HHHHH"}};
    // Short boxes are joined as they are.
    slotTexts[2] = {"Carla", {"ABC", "DE", "", "F"}, {"", "", "", ""}};
    slotTexts[3] = {"", {"KKKKK", "LLLLL", "MMMMM", "NNNNN"}, {}};
    return slotTexts;
}

class WriteAccountFileTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(folder_.isValid()); }
    QString dir() const { return folder_.path(); }
    QString target() const { return folder_.file("accounts.cfg"); }

    test::TempFolder folder_;
};

TEST(AccountFileFormatTest, SlotsBecomeTwelveLinesInSlotOrder) {
    const AccountLines lines = accountLinesFromSlots(sampleSlots());
    EXPECT_EQ(lines[0], QString::fromUtf8("J\u00F6rg \u20AC"));
    EXPECT_EQ(lines[1], "AAAAABBBBBCCCCCDDDDD");
    EXPECT_EQ(lines[2], "EEEEEFFFFFGGGGGHHHHH");
    EXPECT_TRUE(lines[3].isEmpty() && lines[4].isEmpty() && lines[5].isEmpty());
    EXPECT_EQ(lines[6], "Carla");
    EXPECT_EQ(lines[7], "ABCDEF");
    EXPECT_EQ(lines[8], "");
    EXPECT_EQ(lines[10], "KKKKKLLLLLMMMMMNNNNN");

    const auto bytes = serializeAccountFile(lines);
    ASSERT_TRUE(std::holds_alternative<QByteArray>(bytes));
    EXPECT_EQ(std::get<QByteArray>(bytes),
              QByteArray("J\xF6rg \x80\r\nAAAAABBBBBCCCCCDDDDD\r\nEEEEEFFFFFGGGGGHHHHH\r\n"
                         "\r\n\r\n\r\n"
                         "Carla\r\nABCDEF\r\n\r\n"
                         "\r\nKKKKKLLLLLMMMMMNNNNN\r\n\r\n"));
}

TEST_F(WriteAccountFileTest, AllEmptyWritesTwelveEmptyLines) {
    ASSERT_EQ(WriteAccountFile(dir(), AccountLines{}), std::nullopt);
    EXPECT_EQ(test::readBytes(target()), QByteArray("\r\n").repeated(12));
}

TEST_F(WriteAccountFileTest, WrittenFileLoadsBackAndWritesBackIdentically) {
    const AccountLines lines = accountLinesFromSlots(sampleSlots());
    ASSERT_EQ(WriteAccountFile(dir(), lines), std::nullopt);
    const QByteArray first = test::readBytes(target());

    AccountStore store;
    ASSERT_TRUE(LoadAccountStore(store, dir()));
    EXPECT_EQ(store.Lines, lines);
    SplitKorrinKey(store, 1);
    SplitDeepfallKey(store, 1);
    EXPECT_EQ(store.korrinKey(1).Part3, "CCCCC");
    EXPECT_EQ(store.deepfallKey(1).Part4, "HHHHH");

    ASSERT_EQ(WriteAccountFile(dir(), store.Lines), std::nullopt);
    EXPECT_EQ(test::readBytes(target()), first);
}

TEST_F(WriteAccountFileTest, LongerFileIsReplacedByExactlyTwelveLines) {
    QByteArray old;
    for (int i = 1; i <= 20; ++i)
        old += "old line " + QByteArray::number(i) + "\r\n";
    ASSERT_TRUE(test::writeBytes(target(), old));

    AccountLines lines;
    lines[0] = "Alice";
    ASSERT_EQ(WriteAccountFile(dir(), lines), std::nullopt);
    EXPECT_EQ(test::readBytes(target()), "Alice" + QByteArray("\r\n").repeated(12));
}

TEST_F(WriteAccountFileTest, UnencodableTextIsReportedAndTheOldFileKept) {
    const QByteArray old = "Alice\r\nsecret\r\n";
    ASSERT_TRUE(test::writeBytes(target(), old));

    AccountLines lines;
    lines[nameLineIndex(2)] = QString::fromUtf8("Bob \u4E2D");
    const std::optional<QString> nameError = WriteAccountFile(dir(), lines);
    ASSERT_TRUE(nameError.has_value());
    EXPECT_TRUE(nameError->contains("name of account 2")) << nameError->toStdString();
    EXPECT_EQ(test::readBytes(target()), old);

    // A key must never be quoted back, not even in an error.
    const QString key = QString::fromUtf8("KEY\u4E2DPART");
    lines[nameLineIndex(2)] = "Bob";
    lines[deepfallLineIndex(3)] = key;
    const std::optional<QString> keyError = WriteAccountFile(dir(), lines);
    ASSERT_TRUE(keyError.has_value());
    EXPECT_TRUE(keyError->contains("Deepfall CD key of account 3")) << keyError->toStdString();
    EXPECT_FALSE(keyError->contains("KEY")) << keyError->toStdString();
    EXPECT_EQ(test::readBytes(target()), old);
    EXPECT_EQ(QDir(dir()).entryList(QDir::Files | QDir::Hidden), QStringList{"accounts.cfg"});
}

TEST_F(WriteAccountFileTest, FileIsOwnerOnlyWhateverTheUmask) {
    for (const mode_t mask : {mode_t(022), mode_t(0)}) {
        SCOPED_TRACE(mask);
        QFile::remove(target());
        {
            const UmaskScope scope(mask);
            ASSERT_EQ(WriteAccountFile(dir(), AccountLines{}), std::nullopt);
        }
        EXPECT_EQ(fileMode(target()), 0600);
    }

    // An existing, more open file loses its extra rights on the next save.
    ASSERT_EQ(::chmod(QFile::encodeName(target()).constData(), 0644), 0);
    {
        const UmaskScope scope(0);
        ASSERT_EQ(WriteAccountFile(dir(), AccountLines{}), std::nullopt);
    }
    EXPECT_EQ(fileMode(target()), 0600);
    // No temporary copy of the keys is left beside the file.
    EXPECT_EQ(QDir(dir()).entryList(QDir::Files | QDir::Hidden), QStringList{"accounts.cfg"});
}

TEST_F(WriteAccountFileTest, MissingInstallFolderIsReported) {
    const QString missing = folder_.file("gone");
    const std::optional<QString> error = WriteAccountFile(missing, AccountLines{});
    ASSERT_TRUE(error.has_value());
    EXPECT_FALSE(error->isEmpty());
    EXPECT_FALSE(QFileInfo::exists(missing));
}

} // namespace
} // namespace quillset
