#include "io/ansi_text.h"
#include "io/file_helpers.h"
#include "io/text_lines.h"
#include "test_support.h"

#include <gtest/gtest.h>

using namespace quillset;

namespace {

QList<QByteArray> split(const QByteArray& data) {
    QList<QByteArray> out;
    for (QByteArrayView line : splitLines(data))
        out.append(line.toByteArray());
    return out;
}

TEST(TextLines, EveryLineEndEndsOneLine) {
    using L = QList<QByteArray>;
    EXPECT_EQ(split(""), L{});
    EXPECT_EQ(split("a"), L{"a"});
    EXPECT_EQ(split("a\r\n"), L{"a"});
    EXPECT_EQ(split("a\r\nb"), (L{"a", "b"}));
    EXPECT_EQ(split("a\rb\nc\r\nd"), (L{"a", "b", "c", "d"}));
    EXPECT_EQ(split("\r\n\r\n"), (L{"", ""}));
    EXPECT_EQ(split("a\r\r\nb"), (L{"a", "", "b"})) << "CR then CR LF: an empty line between";
    EXPECT_EQ(split("a\n\rb"), (L{"a", "", "b"})) << "LF CR is two line ends";
}

TEST(AnsiText, EveryByteSurvivesAndForeignTextIsRefused) {
    QByteArray all;
    for (int i = 0; i < 256; ++i)
        all.append(char(i));
    EXPECT_EQ(toAnsi(fromAnsi(all)), all);
    EXPECT_EQ(fromAnsi("\x80\xe4"), QString::fromUtf8("\u20ac\u00e4"));
    EXPECT_FALSE(toAnsi(QString::fromUtf8("\u0416")).has_value());
    // A refused text must not make the next conversions fail.
    EXPECT_EQ(toAnsi(QString()), QByteArray());
    EXPECT_EQ(toAnsi(QStringLiteral("ok")), QByteArray("ok"));
    EXPECT_FALSE(toAnsi(QString::fromUtf8("x\u4e2d")).has_value()) << "also as the last character";
    EXPECT_FALSE(toAnsi(QString::fromUtf8("\U0001F600")).has_value()) << "surrogate pairs";
}

TEST(FileHelpers, ExistenceAndJoining) {
    test::TempFolder dir;
    const QString file = dir.file(QStringLiteral("a.txt"));
    ASSERT_TRUE(test::writeBytes(file, "x"));
    EXPECT_TRUE(FileExists(file));
    EXPECT_FALSE(FileExists(dir.path())) << "a folder is not a file";
    EXPECT_FALSE(FileExists(dir.file(QStringLiteral("missing"))));
    EXPECT_FALSE(FileExists(QString()));
    EXPECT_EQ(joinPath(QStringLiteral("/g/"), QStringLiteral("x")), QStringLiteral("/g/x"));
    EXPECT_EQ(joinPath(QStringLiteral("/g"), QStringLiteral("x")),
              QStringLiteral("/g") + QDir::separator() + QStringLiteral("x"));
}

} // namespace
