// Field values that would garble a file: every file the program writes holds
// one value per line, so a value with a line break is refused with a reason
// that names the field, and the old file stays. Any other value, however long,
// is written as it is and reads back the same. A CD key is opaque text: the
// four groups the Account window shows always join back to the whole key.

#include "accounts/account_file.h"
#include "accounts/account_store.h"
#include "io/ansi_text.h"
#include "registry/registry.h"
#include "registry/wine_registry_file.h"
#include "settings/settings_reader.h"
#include "settings/settings_writer.h"
#include "test_support.h"

#include <QFileInfo>
#include <gtest/gtest.h>

using namespace quillset;

namespace {

struct HostileValue {
    QString text;
    bool refused; // holds a line break
};

const HostileValue kValues[] = {
    {QStringLiteral("Bob\r\nFULLSCREEN : 0"), true},
    {QStringLiteral("Bob\nFULLSCREEN : 0"), true},
    {QStringLiteral("Bob\r"), true},
    {QStringLiteral("\n"), true},
    {QString(40000, QLatin1Char('k')), false},
    {QString(), false},
    {QStringLiteral("ABCDEFGHIJKLMNOPQRS"), false},
    {QStringLiteral("ABCDEFGHIJKLMNOPQRSTU"), false},
    {QStringLiteral("ABCDE-FGHIJ-KLMNO-PQRST-U"), false},
    {QString::fromUtf8("\u00c4 \u20ac-\u00ff:\\\"#|%\u0081xyzABCDEF "), false},
};

QString refusal(const std::variant<QByteArray, EncodeError>& result) {
    return std::holds_alternative<EncodeError>(result) ? std::get<EncodeError>(result).message
                                                       : QString();
}

TEST(HostileValues, EveryWriterTakesAValueWholeOrRefusesIt) {
    const QByteArray hive = "WINE REGISTRY Version 2\n\n[Software\\\\Other] 1\n\"A\"=\"1\"\n";
    for (const HostileValue& v : kValues) {
        SCOPED_TRACE(v.text.left(30).toStdString());
        test::TempFolder dir;
        const QString settings = dir.file(QStringLiteral("settings.cfg"));
        ASSERT_TRUE(test::writeBytes(settings, "OLD\r\n"));
        SettingsModel model = SettingsModel::cleared();
        model.setText(QLatin1String("NETWORK_PLAYER"), v.text);
        const std::optional<QString> error = writeSettingsFile(settings, model);
        SettingsModel keyModel = SettingsModel::cleared();
        keyModel.fileCdKey2 = v.text;
        const auto fileKey = serializeSettings(keyModel);
        const auto accountKey = serializeSettings(keyModel, AccountCdKeys{v.text, {}});
        AccountLines lines;
        lines[nameLineIndex(2)] = lines[korrinLineIndex(3)] = lines[deepfallLineIndex(4)] = v.text;
        const std::optional<QString> accountError = WriteAccountFile(dir.path(), lines);
        const auto edited =
            setWineRegistryString(hive, kInstallKeyPath, kInstallValueName, v.text, 1);

        if (v.refused) {
            ASSERT_TRUE(error);
            EXPECT_TRUE(error->contains(QLatin1String("NETWORK_PLAYER holds a line break")));
            EXPECT_EQ(test::readBytes(settings), "OLD\r\n");
            EXPECT_TRUE(refusal(fileKey).contains(QLatin1String("NETWORK_CDKEY2 holds a line")));
            EXPECT_TRUE(refusal(accountKey).contains(QLatin1String("NETWORK_CDKEY holds a line")));
            ASSERT_TRUE(accountError);
            EXPECT_TRUE(accountError->contains(QLatin1String("line break")));
            EXPECT_FALSE(QFileInfo::exists(dir.file(QStringLiteral("accounts.cfg"))));
            EXPECT_EQ(edited, std::nullopt);
            continue;
        }
        const QByteArray ansi = *toAnsi(v.text);
        EXPECT_EQ(error, std::nullopt);
        EXPECT_TRUE(test::readBytes(settings).contains("\r\nNETWORK_PLAYER : " + ansi + "\r\n"));
        EXPECT_EQ(loadSettingsFile(settings)->text(QLatin1String("NETWORK_PLAYER")), v.text);
        EXPECT_TRUE(
            std::get<QByteArray>(fileKey).contains("\r\nNETWORK_CDKEY2 : " + ansi + "\r\n"));
        EXPECT_TRUE(
            std::get<QByteArray>(accountKey).contains("\nNETWORK_CDKEY : " + ansi + "\r\n"));

        EXPECT_EQ(accountError, std::nullopt);
        QByteArray accountBytes;
        for (const QString& line : lines)
            accountBytes += *toAnsi(line) + "\r\n";
        EXPECT_EQ(test::readBytes(dir.file(QStringLiteral("accounts.cfg"))), accountBytes);
        AccountStore store;
        ASSERT_TRUE(LoadAccountStore(store, dir.path()));
        EXPECT_EQ(store.Lines, lines);
        CdKeyRecord record;
        record.Full = v.text;
        splitCdKey(record);
        EXPECT_EQ(joinKeyGroups({record.Part1, record.Part2, record.Part3, record.Part4}), v.text);
        EXPECT_EQ(record.Part1, v.text.left(kKeyGroupLength));

        ASSERT_TRUE(edited);
        EXPECT_TRUE(edited->startsWith(hive));
        const WineRegFile file = parseWineRegistry(*edited);
        const WineRegValue* value = file.findValue(kInstallKeyPath, kInstallValueName);
        ASSERT_NE(value, nullptr);
        EXPECT_EQ(RegQueryString(value->type, value->data, RegistryText::Utf16), v.text);
    }
}

} // namespace
