// Field values that would garble a file: every file the program writes holds
// one value per line, so a value with a line break is refused with a reason
// that names the field, and the old file stays. Any other value, however long,
// is written as it is and reads back the same. A CD key is opaque text: the
// four groups the Account window shows always join back to the whole key.

#include "accounts/account_file.h"
#include "io/ansi_text.h"
#include "registry/registry.h"
#include "registry/wine_registry_file.h"
#include "settings/settings_reader.h"
#include "settings/settings_writer.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <ostream>

using namespace quillset;

namespace {

struct HostileValue {
    const char* name;
    QString text;
    bool refused; // holds a line break
};

void PrintTo(const HostileValue& value, std::ostream* out) {
    *out << value.name;
}

const HostileValue kValues[] = {
    {"CrLf", QStringLiteral("Bob\r\nFULLSCREEN : 0"), true},
    {"Lf", QStringLiteral("Bob\nFULLSCREEN : 0"), true},
    {"Cr", QStringLiteral("Bob\rFULLSCREEN : 0"), true},
    {"LoneCrAtTheEnd", QStringLiteral("Bob\r"), true},
    {"LineBreakOnly", QStringLiteral("\n"), true},
    {"FortyThousand", QString(40000, QLatin1Char('k')), false},
    {"Key0", QString(), false},
    {"Key19", QStringLiteral("ABCDEFGHIJKLMNOPQRS"), false},
    {"Key20", QStringLiteral("ABCDEFGHIJKLMNOPQRST"), false},
    {"Key21", QStringLiteral("ABCDEFGHIJKLMNOPQRSTU"), false},
    {"Key23Dashed", QStringLiteral("ABCDE-FGHIJ-KLMNO-PQRS"), false},
    {"Key23", QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVW"), false},
    {"Key25", QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXY"), false},
    {"Key25Dashed", QStringLiteral("ABCDE-FGHIJ-KLMNO-PQRST-U"), false},
    {"Key21Symbols", QString::fromUtf8("\u00c4 \u20ac-\u00ff:\\\"#|%\u0081xyzABCDEF "), false},
};

class HostileValueTest : public ::testing::TestWithParam<HostileValue> {
protected:
    const QString& text() const { return GetParam().text; }
    QByteArray ansi() const { return *toAnsi(text()); }

    test::TempFolder folder;
};

TEST_P(HostileValueTest, SettingsFileTakesItWholeOrRefusesIt) {
    const QString path = folder.file(QStringLiteral("settings.cfg"));
    const QByteArray old = "NETWORK_PLAYER : Old\r\n";
    ASSERT_TRUE(test::writeBytes(path, old));
    SettingsModel model = SettingsModel::cleared();
    model.setText(QLatin1String("NETWORK_PLAYER"), text());

    // The same value as a text box's, as the file's CD key and as an account's.
    const std::optional<QString> asText = writeSettingsFile(path, model);
    SettingsModel keyModel = SettingsModel::cleared();
    keyModel.fileCdKey2 = text();
    const auto asFileKey = serializeSettings(keyModel);
    const auto asAccountKey = serializeSettings(keyModel, AccountCdKeys{text(), {}});

    if (GetParam().refused) {
        ASSERT_TRUE(asText.has_value());
        EXPECT_TRUE(asText->contains(QLatin1String("NETWORK_PLAYER"))) << asText->toStdString();
        EXPECT_TRUE(asText->contains(QLatin1String("line break"))) << asText->toStdString();
        EXPECT_EQ(test::readBytes(path), old);
        ASSERT_TRUE(std::holds_alternative<EncodeError>(asFileKey));
        EXPECT_TRUE(std::get<EncodeError>(asFileKey).message.contains(QLatin1String("CDKEY2")));
        ASSERT_TRUE(std::holds_alternative<EncodeError>(asAccountKey));
        EXPECT_TRUE(std::get<EncodeError>(asAccountKey).message.contains(QLatin1String("CDKEY ")));
        return;
    }
    ASSERT_EQ(asText, std::nullopt);
    EXPECT_TRUE(test::readBytes(path).contains("\r\nNETWORK_PLAYER : " + ansi() + "\r\n"));
    const std::optional<SettingsModel> back = loadSettingsFile(path);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->text(QLatin1String("NETWORK_PLAYER")), text());
    ASSERT_TRUE(std::holds_alternative<QByteArray>(asFileKey));
    EXPECT_TRUE(
        std::get<QByteArray>(asFileKey).contains("\r\nNETWORK_CDKEY2 : " + ansi() + "\r\n"));
    ASSERT_TRUE(std::holds_alternative<QByteArray>(asAccountKey));
    EXPECT_TRUE(
        std::get<QByteArray>(asAccountKey).contains("\r\nNETWORK_CDKEY : " + ansi() + "\r\n"));
}

TEST_P(HostileValueTest, AccountFileTakesItWholeOrRefusesIt) {
    const QString path = folder.file(QStringLiteral("accounts.cfg"));
    const QByteArray old = "Alice\r\n";
    ASSERT_TRUE(test::writeBytes(path, old));
    for (const int line : {nameLineIndex(2), korrinLineIndex(3), deepfallLineIndex(4)}) {
        AccountLines lines;
        lines[line] = text();
        const std::optional<QString> error = writeAccountFile(folder.path(), lines);
        if (GetParam().refused) {
            ASSERT_TRUE(error.has_value());
            EXPECT_TRUE(error->contains(QLatin1String("line break"))) << error->toStdString();
            EXPECT_TRUE(error->contains(QLatin1String("account"))) << error->toStdString();
            EXPECT_EQ(test::readBytes(path), old);
            continue;
        }
        ASSERT_EQ(error, std::nullopt);
        QByteArray expected = QByteArray("\r\n").repeated(line) + ansi() + "\r\n";
        expected += QByteArray("\r\n").repeated(kAccountLineCount - line - 1);
        EXPECT_EQ(test::readBytes(path), expected);
        AccountStore store;
        ASSERT_TRUE(loadAccountStore(store, folder.path()));
        EXPECT_EQ(accountFileLines(store.accounts), lines);
    }
    if (GetParam().refused)
        return;
    // The Account window's four groups join back to any key: the last group
    // takes what the first three leave.
    const KeyGroups groups = keyGroups(text());
    EXPECT_EQ(joinKeyGroups(groups), text());
    EXPECT_EQ(groups[0], text().left(kKeyGroupLength));
    EXPECT_LE(groups[2].size(), kKeyGroupLength);
}

TEST_P(HostileValueTest, WineRegistryTakesItWholeOrRefusesIt) {
    const QByteArray hive = "WINE REGISTRY Version 2\n\n[Software\\\\Other] 1\n\"A\"=\"1\"\n";
    const std::optional<QByteArray> edited =
        setWineRegistryString(hive, kInstallKeyPath, kInstallValueName, text(), 1);
    if (GetParam().refused) {
        EXPECT_EQ(edited, std::nullopt);
        return;
    }
    ASSERT_TRUE(edited);
    EXPECT_TRUE(edited->startsWith(hive));
    const WineRegFile file = parseWineRegistry(*edited);
    const WineRegValue* value = file.findValue(kInstallKeyPath, kInstallValueName);
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(RegQueryString(value->type, value->data, RegistryText::Utf16), text());
}

INSTANTIATE_TEST_SUITE_P(Values, HostileValueTest, ::testing::ValuesIn(kValues),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
