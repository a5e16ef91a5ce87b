#include "lang/file_line.h"
#include "language_test_support.h"

#include <gtest/gtest.h>

#include <QFile>

namespace quillset {
namespace {

using test::TempFolder;
using test::writeBytes;

class FileLineTest : public ::testing::Test {
protected:
    QString write(const QByteArray& bytes) {
        const QString path = folder.file(QStringLiteral("lines.txt"));
        EXPECT_TRUE(writeBytes(path, bytes));
        return path;
    }
    TempFolder folder;
};

TEST_F(FileLineTest, LastLineIsFoundAndOnePastIsEmpty) {
    for (const QByteArray& bytes :
         {QByteArray("one\r\ntwo\r\nthree\r\n"), QByteArray("one\r\ntwo\r\nthree")}) {
        const QString path = write(bytes);
        EXPECT_EQ(GetFileLine(path, 1), "one");
        EXPECT_EQ(GetFileLine(path, 3), "three");
        EXPECT_EQ(GetFileLine(path, 4), "");
        EXPECT_EQ(GetFileLine(path, 1000), "");
    }
}

TEST_F(FileLineTest, ZeroAndNegativeLineNumbersAreEmpty) {
    const QString path = write("first\r\nsecond\r\n");
    EXPECT_EQ(GetFileLine(path, 0), "");
    EXPECT_EQ(GetFileLine(path, -1), "");
    EXPECT_EQ(GetFileLine(path, std::numeric_limits<int>::min()), "");
}

TEST_F(FileLineTest, MissingFileAndFolderAreEmpty) {
    EXPECT_EQ(GetFileLine(folder.file(QStringLiteral("absent.lng")), 1), "");
    EXPECT_EQ(GetFileLine(folder.path(), 1), "");
    EXPECT_EQ(GetFileLine(QString(), 1), "");
}

TEST_F(FileLineTest, LinesAreUntrimmedAndDecodedAsWindows1252) {
    // 0xD6 is 'Ö' and 0x80 the euro sign; blanks and tabs stay as they are.
    const QString path = write("  \xD6l \x80\t \r\n\r\nlast");
    EXPECT_EQ(GetFileLine(path, 1), QString::fromUtf8("  \u00D6l \u20AC\t "));
    // An empty line and a line past the end look the same.
    EXPECT_EQ(GetFileLine(path, 2), "");
    EXPECT_EQ(GetFileLine(path, 3), "last");
}

TEST_F(FileLineTest, EveryLineEndCountsOnce) {
    const QString path = write("a\nb\rc\r\nd\n\re");
    const QStringList expected = {"a", "b", "c", "d", "", "e"};
    for (int n = 1; n <= expected.size(); ++n)
        EXPECT_EQ(GetFileLine(path, n), expected[n - 1]) << "line " << n;
    EXPECT_EQ(GetFileLine(path, expected.size() + 1), "");
}

TEST_F(FileLineTest, SameLineWhileTheCallerHoldsTheFileOpen) {
    const QString path = write("[Menu]\r\nDatei\r\n");
    QFile held(path);
    ASSERT_TRUE(held.open(QIODevice::ReadOnly));
    held.readLine();
    EXPECT_EQ(GetFileLine(path, 2), "Datei");
}

} // namespace
} // namespace quillset
