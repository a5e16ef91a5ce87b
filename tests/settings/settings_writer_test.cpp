#include "settings/settings_reader.h"
#include "settings/settings_writer.h"
#include "settings_test_util.h"

#include <gtest/gtest.h>

using namespace quillset;
using quillset::test::crlf;
using quillset::test::linesOf;

namespace {

const QLatin1String L(const char* s) {
    return QLatin1String(s);
}

QByteArray bytesOf(const SettingsModel& m, const std::optional<AccountCdKeys>& keys = {}) {
    auto result = serializeSettings(m, keys);
    EXPECT_TRUE(std::holds_alternative<QByteArray>(result));
    return std::holds_alternative<QByteArray>(result) ? std::get<QByteArray>(result) : QByteArray();
}

TEST(SettingsWriter, ClearedModelGivesEveryKeyInCatalogueOrder) {
    const QList<QByteArray> lines = linesOf(bytesOf(SettingsModel::cleared()));
    // 52 keys less four Choice groups without a selection; WAITRETRACE 0 is
    // written because the box is unchecked. Then the final empty line.
    ASSERT_EQ(lines.size(), 48 + 2);
    EXPECT_EQ(lines.front(), "AUTOSAVE : 0");
    EXPECT_EQ(lines[3], "CHAT_DELAY : 1");
    EXPECT_EQ(lines[11], "FONTPAGES : ");
    EXPECT_EQ(lines[47], "WAITRETRACE : 0");
    EXPECT_EQ(lines[48], "");
    EXPECT_EQ(lines[49], "") << "the file ends with CR LF after the empty line";
    int previous = -1;
    for (int i = 0; i < 48; ++i) {
        const QByteArray key = lines[i].left(lines[i].indexOf(" : "));
        const std::optional<int> row = findKey(key);
        ASSERT_TRUE(row) << key.constData();
        EXPECT_GT(*row, previous) << "catalogue order";
        previous = *row;
    }
}

TEST(SettingsWriter, ChoiceAndWaitRetraceLinesAreWrittenOnlyWhenTheyCarryAValue) {
    SettingsModel m = SettingsModel::cleared();
    m.setNumber(L("WAITRETRACE"), 1);
    m.setNumber(L("PICKUPAUTO"), 2);
    m.setNumber(L("NETWORK_SPEEDSETTINGS"), 1);
    const QByteArray file = bytesOf(m);
    EXPECT_FALSE(file.contains("WAITRETRACE"));
    EXPECT_FALSE(file.contains("DETAILLEVEL"));
    EXPECT_FALSE(file.contains("SOUNDQUALITY"));
    EXPECT_TRUE(file.contains("\r\nPICKUPAUTO : 2\r\n"));
    EXPECT_TRUE(file.contains("\r\nNETWORK_SPEEDSETTINGS : 1\r\n"));
    m.setNumber(L("WAITRETRACE"), 2);
    EXPECT_FALSE(bytesOf(m).contains("WAITRETRACE")) << "any value but 0 is stored as absence";
}

TEST(SettingsWriter, CdKeysComeFromTheSelectedAccountOrFromTheFile) {
    SettingsModel m = SettingsModel::cleared();
    EXPECT_TRUE(bytesOf(m).contains("\r\nNETWORK_CDKEY : \r\nNETWORK_CDKEY2 : \r\n"));
    m.fileCdKey = QStringLiteral("FILE1");
    m.fileCdKey2 = QStringLiteral("FILE2");
    EXPECT_TRUE(bytesOf(m).contains("\r\nNETWORK_CDKEY : FILE1\r\nNETWORK_CDKEY2 : FILE2\r\n"));
    const AccountCdKeys keys{QStringLiteral("AAAAABBBBBCCCCCDDDDD"), QStringLiteral("EEE")};
    EXPECT_TRUE(bytesOf(m, keys).contains(
        "\r\nNETWORK_CDKEY : AAAAABBBBBCCCCCDDDDD\r\nNETWORK_CDKEY2 : EEE\r\n"));
}

TEST(SettingsWriter, TextsAreWrittenUnchangedAndUnknownLinesGoLast) {
    SettingsModel m = SettingsModel::cleared();
    m.setText(L("NETWORK_PLAYER"), QStringLiteral("Jörg "));
    m.setText(L("LANGUAGE"), QStringLiteral("DEU"));
    m.unknownLines = crlf({"ZETA : 1", "ALPHA : \x81"});
    const QByteArray file = bytesOf(m);
    EXPECT_TRUE(file.contains("\r\nNETWORK_PLAYER : J\xf6rg \r\n"));
    EXPECT_TRUE(file.contains("\r\nNETWORK_SESSION : \r\n"));
    EXPECT_TRUE(file.contains("\r\nLANGUAGE : DEU\r\n")) << "the whole box text is written";
    EXPECT_TRUE(file.endsWith("WAITRETRACE : 0\r\nZETA : 1\r\nALPHA : \x81\r\n\r\n"));
}

TEST(SettingsWriter, RefusesTextThatTheFileCannotHold) {
    SettingsModel m = SettingsModel::cleared();
    m.setText(L("NETWORK_SESSION"), QStringLiteral("Game \u0416"));
    auto result = serializeSettings(m);
    ASSERT_TRUE(std::holds_alternative<EncodeError>(result));
    EXPECT_TRUE(std::get<EncodeError>(result).message.contains(QLatin1String("NETWORK_SESSION")));

    SettingsModel k = SettingsModel::cleared();
    EXPECT_TRUE(std::holds_alternative<EncodeError>(
        serializeSettings(k, AccountCdKeys{QStringLiteral("\u20ac\u4e00"), {}})));
}

} // namespace
