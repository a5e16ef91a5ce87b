#include "settings/settings_reader.h"
#include "settings_test_util.h"
#include "shell/debug_log.h"
#include "test_support.h"

#include <gtest/gtest.h>

using namespace quillset;
using quillset::test::crlf;

namespace {

const QLatin1String L(const char* s) {
    return QLatin1String(s);
}

TEST(SettingsReader, AppliesEachKindOfValue) {
    const SettingsModel m = readSettings(crlf({
        "AUTOSAVE : 1",
        "FULLSCREEN : 2",
        "CHAT_ALPHA : 1000",      // cut to three characters: 100
        "MUSICVOLUME :  99 ",     // blanks around the digits
        "SFXVOLUME : 999",        // limited to the slider's range
        "CHAT_DELAY : 0",         // below the range: its minimum
        "LANGUAGE : DEU",         // two characters only
        "NETWORK_PLAYER : Hero ", // trailing blank kept
        "DETAILLEVEL : 1",
        "PICKUPAUTO : 7", // outside the set: nothing selected
        "FONTPAGES : 12",
        "NETWORK_CDKEY : ABCDE-FGHIJ",
        "NETWORK_CDKEY2 : 12345",
        "WAITRETRACE : 0",
    }));
    EXPECT_EQ(m.number(L("AUTOSAVE")), 1);
    EXPECT_EQ(m.number(L("FULLSCREEN")), 2);
    EXPECT_EQ(m.number(L("CHAT_ALPHA")), 100);
    EXPECT_EQ(m.number(L("MUSICVOLUME")), 99);
    EXPECT_EQ(m.number(L("SFXVOLUME")), 125);
    EXPECT_EQ(m.number(L("CHAT_DELAY")), 1);
    EXPECT_EQ(m.number(L("CHAT_LINES")), 1) << "a missing slider key stays at its minimum";
    EXPECT_EQ(m.text(L("LANGUAGE")), QStringLiteral("DE"));
    EXPECT_EQ(m.text(L("NETWORK_PLAYER")), QStringLiteral("Hero "));
    EXPECT_TRUE(m.isOptionOn(L("Option2")));
    EXPECT_FALSE(m.isOptionOn(L("Option1")));
    EXPECT_EQ(m.number(L("PICKUPAUTO")), SettingsModel::kNoChoice);
    EXPECT_EQ(m.fontPagesValue, QStringLiteral("2"));
    EXPECT_EQ(m.fileCdKey, QStringLiteral("ABCDE-FGHIJ"));
    EXPECT_EQ(m.fileCdKey2, QStringLiteral("12345"));
    EXPECT_EQ(m.number(L("WAITRETRACE")), 0);
    EXPECT_EQ(m.number(L("SOUND")), 1) << "a file without SOUND means sound on";
    EXPECT_TRUE(m.unknownLines.isEmpty());
}

TEST(SettingsReader, DuplicatesApplyInFileOrderExceptTheLoginName) {
    const SettingsModel m = readSettings(crlf({
        "AUTOSAVE : 0",
        "AUTOSAVE : 1",
        "NETWORK_LOBBYLOGIN : ",
        "NETWORK_LOBBYLOGIN : first",
        "NETWORK_LOBBYLOGIN : second",
        "DETAILLEVEL : 2",
        "DETAILLEVEL : 9",
        "MYKEY : a",
        "MYKEY : a",
    }));
    EXPECT_EQ(m.number(L("AUTOSAVE")), 1);
    EXPECT_EQ(m.text(L("NETWORK_LOBBYLOGIN")), QStringLiteral("first"));
    EXPECT_TRUE(m.isOptionOn(L("Option1"))) << "a digit outside the set changes nothing";
    EXPECT_EQ(m.unknownLines, crlf({"MYKEY : a", "MYKEY : a"}));
}

TEST(SettingsReader, WaitRetraceUsesTheFirstCharacterAndDefaultsToChecked) {
    EXPECT_EQ(readSettings(crlf({"WAITRETRACE : 0 trailing"})).number(L("WAITRETRACE")), 0);
    EXPECT_EQ(readSettings(crlf({"WAITRETRACE : 2"})).number(L("WAITRETRACE")), 2);
    EXPECT_EQ(readSettings(crlf({"AUTOSAVE : 1"})).number(L("WAITRETRACE")), 1);
    // A value that is no check box value is not taken: the default stays.
    EXPECT_EQ(readSettings(crlf({"WAITRETRACE : x"})).number(L("WAITRETRACE")), 1);
}

TEST(SettingsReader, KeysAreComparedExactly) {
    const QByteArray file = crlf({"autosave : 1", "AUTOSAVE  : 1", " AUTOSAVE : 1", "AUTOSAVE: 1"});
    const SettingsModel m = readSettings(file);
    EXPECT_EQ(m.number(L("AUTOSAVE")), 0);
    EXPECT_EQ(m.unknownLines, file) << "each line is kept whole, in file order";
}

TEST(SettingsReader, FontPagesSurvivesALoadWithoutIt) {
    EXPECT_EQ(readSettings(crlf({"AUTOSAVE : 1"}), QStringLiteral("7")).fontPagesValue,
              QStringLiteral("7"));
    EXPECT_EQ(readSettings(crlf({"FONTPAGES : 3"}), QStringLiteral("7")).fontPagesValue,
              QStringLiteral("3"));
    // The line written for an empty value has nothing after the separator;
    // reading it back must not turn the separator's blank into the value.
    EXPECT_EQ(readSettings(crlf({"FONTPAGES : "}), QStringLiteral("7")).fontPagesValue, QString());
}

TEST(SettingsReader, UnusableValuesLeaveTheValueAndTheLoadGoesOn) {
    const SettingsModel m = readSettings(crlf({
        "AUTOSAVE : yes",
        "FULLSCREEN : 3",
        "CHAT_LINES : 1x",
        "CHAT_ALPHA : ",
        "SOUNDQUALITY : high",
        "NIGHT_DARKNESS : -5",
        "a line without separator",
        "   ",
        "ATE",
        "AUTOTRACKENEMY : 1",
    }));
    EXPECT_EQ(m.number(L("AUTOSAVE")), 0);
    EXPECT_EQ(m.number(L("FULLSCREEN")), 0);
    EXPECT_EQ(m.number(L("CHAT_LINES")), 1);
    EXPECT_EQ(m.number(L("CHAT_ALPHA")), 0);
    EXPECT_EQ(m.number(L("SOUNDQUALITY")), SettingsModel::kNoChoice);
    EXPECT_EQ(m.number(L("NIGHT_DARKNESS")), 0) << "a negative number is limited to the range";
    EXPECT_EQ(m.number(L("AUTOTRACKENEMY")), 1) << "lines after bad ones are still read";
    EXPECT_EQ(m.unknownLines, crlf({"a line without separator", "   ", "ATE"}));
}

TEST(SettingsReader, LineEndsOfEveryKindAndHostileBytes) {
    // Bare LF, lone CR, CR LF, and no line end at all on the last line.
    const QByteArray mixed("AUTOSAVE : 1\nFULLSCREEN : 1\rGFX32 : 1\r\n\n\r\nVIOLENCE : 1");
    const SettingsModel m = readSettings(mixed);
    for (const char* key : {"AUTOSAVE", "FULLSCREEN", "GFX32", "VIOLENCE"})
        EXPECT_EQ(m.number(L(key)), 1) << key;
    EXPECT_TRUE(m.unknownLines.isEmpty()) << "empty lines are dropped";

    QByteArray odd("X\0Y : \x81\x8d\x8f\x90\x9d\xff", 12);
    const SettingsModel n =
        readSettings(odd + "\r\n" + QByteArray("NETWORK_PLAYER : \x81\xe4\0z", 21));
    EXPECT_EQ(n.unknownLines, odd + "\r\n");
    EXPECT_EQ(n.text(L("NETWORK_PLAYER")).size(), 4);

    SettingsModel empty = SettingsModel::cleared();
    empty.setNumber(L("SOUND"), 1);
    empty.setNumber(L("WAITRETRACE"), 1);
    EXPECT_EQ(readSettings(QByteArray()), empty);
}

TEST(SettingsReader, TracesEveryNonEmptyLine) {
    test::TempFolder dir;
    DebugLog log;
    ASSERT_TRUE(log.open(dir.file(QStringLiteral("debug.log"))));
    readSettings(QByteArray("AUTOSAVE : 1\r\n\r\nMYKEY : 2\r\n : x\r\nnoseparator\r\n"), {}, &log);
    log.close();
    EXPECT_EQ(test::readBytes(dir.file(QStringLiteral("debug.log"))),
              crlf({"Quillset Debug File - v2.5.9", "opensettings() -> Loading settings.cfg",
                    "opensettings() -> Loading AUTOSAVE", "opensettings() -> Loading MYKEY",
                    "opensettings() -> Loading ", "opensettings() -> Loading noseparator"}));
}

TEST(SettingsReader, LoadsOnlyRegularFilesAndChecksTheName) {
    test::TempFolder dir;
    EXPECT_FALSE(loadSettingsFile(dir.path()).has_value()) << "a folder is refused";
    EXPECT_FALSE(loadSettingsFile(dir.file(QStringLiteral("missing.cfg"))).has_value());
    const QString path = dir.file(QStringLiteral("settings.cfg"));
    ASSERT_TRUE(test::writeBytes(path, crlf({"AUTOSAVE : 1"})));
    ASSERT_TRUE(loadSettingsFile(path).has_value());
    EXPECT_EQ(loadSettingsFile(path)->number(L("AUTOSAVE")), 1);

    EXPECT_TRUE(hasSettingsFileName(QStringLiteral("/games/korrin/settings.cfg")));
    EXPECT_TRUE(hasSettingsFileName(QStringLiteral("mysettings.cfg")));
    EXPECT_FALSE(hasSettingsFileName(QStringLiteral("/games/korrin/Settings.cfg")));
    EXPECT_FALSE(hasSettingsFileName(QStringLiteral("settings.cf")));
    EXPECT_FALSE(hasSettingsFileName(QString()));
}

} // namespace
