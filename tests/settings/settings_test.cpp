// settings.cfg read and written back: the exact bytes of a file that holds
// every case the format knows.

#include "io/ansi_text.h"
#include "io/debug_log.h"
#include "io/file_helpers.h"
#include "settings/settings_reader.h"
#include "settings/settings_writer.h"
#include "test_support.h"

#include <numeric>

using namespace quillset;

namespace {

QByteArray write(const SettingsModel& m) {
    auto result = serializeSettings(m);
    return std::holds_alternative<QByteArray>(result) ? std::get<QByteArray>(result) : "<refused>";
}

// Every kind of line end (and none on the last line), duplicates, values out
// of range or unusable, and unknown lines with NUL and undefined bytes.
const char kInput[] =
    "AUTOSAVE : 0\r\nAUTOSAVE : 1\nAUTOTRACKENEMY : yes\rFULLSCREEN : 2\n\r"
    "GFX32 : 1\r\n\r\nCHAT_DELAY :  9 9\r\nCHAT_LINES : +99\r\nCHAT_LINES : 1x\n"
    "CHAT_LINES : \r\nNIGHT_DARKNESS : 50\r\nNIGHT_DARKNESS : -5\r\n"
    "DETAILLEVEL : 1\r\nDETAILLEVEL : 0\r\nPICKUPAUTO : 0\r\nPICKUPAUTO : 7\r\n"
    "SOUNDQUALITY : 0\r\nSOUNDQUALITY : high\r\nNETWORK_SPEEDSETTINGS : 0\r\n"
    "LANGUAGE : DEU\r\nNETWORK_LOBBYLOGIN : \r\nNETWORK_LOBBYLOGIN : first\r\n"
    "NETWORK_LOBBYLOGIN : second\r\nNETWORK_PLAYER : S\xe4ndra\x80\x81\x8d\x8f\x90\x9d\xff \r\n"
    "FONTPAGES : 12\r\nNETWORK_CDKEY : ABCDE-FGHIJ\r\nNETWORK_CDKEY2 : \x81x\r\n"
    "autosave : 1\r\nAUTOSAVE: 1\r\n AUTOSAVE : 1\r\nMYKEY : a\r\nMYKEY : a\r\n"
    "   \r\nX\0Y : \x81\x8d\x8f\x90\x9d\xff\r\nWAITRETRACE : 0 trailing\r\n# note";

// Catalogue keys in catalogue order, CR LF throughout, the unknown lines as
// read, then one empty line. Absent sliders stand at their minimum.
const char kOutput[] =
    "AUTOSAVE : 1\r\nAUTOTRACKENEMY : 0\r\nCHAT_ALPHA : 0\r\nCHAT_DELAY : 9\r\nCHAT_LINES : 32\r\n"
    "COMBINE_SLOTS : 0\r\nCOMPAT_VIDEO : 0\r\nDEFAULT_SKILLS : 0\r\nDETAILLEVEL : 0\r\n"
    "EXPLOREMAP : 0\r\nFONTAA : 0\r\nFONTFILTER : 0\r\nFONTPAGES : 2\r\nFORCE_BLACK_SHADOW : 0\r\n"
    "FSAA_FILTER : 0\r\nFULLSCREEN : 2\r\nGFX32 : 1\r\nLADDER_EXPORT : 0\r\nLANGUAGE : DE\r\n"
    "LOG : 0\r\nLOGGING : 0\r\nMINIMAP_ALPHA : 0\r\nMUSICVOLUME : 0\r\nNETLOG : 0\r\n"
    "NETWORK_CDKEY_HIDE : 0\r\nNETWORK_CDKEY : ABCDE-FGHIJ\r\nNETWORK_CDKEY2 : \x81x\r\n"
    "NETWORK_LOBBY : \r\nNETWORK_LOBBYLOGIN : first\r\nNETWORK_LOBBYPORT : \r\n"
    "NETWORK_PLAYER : S\xe4ndra\x80\x81\x8d\x8f\x90\x9d\xff \r\nNETWORK_PORT_LISTEN : \r\n"
    "NETWORK_SESSION : \r\nNIGHT_DARKNESS : 0\r\nPICKUPANIM : 0\r\nPICKUPAUTO : 0\r\n"
    "SCREEN_QUAKE : 0\r\nSFXVOLUME : 0\r\nSHOWMOVIE : 0\r\nSHOWPOTIONS : 0\r\n"
    "SHOW_ENEMYINFO : 0\r\nSHOW_HEROINFO : 0\r\nSHOWEXTRO : 0\r\nSOUND : 1\r\nSOUNDQUALITY : 0\r\n"
    "TASKBAR_ICONS : 0\r\nUNIQUE_COLOR : 0\r\nVIOLENCE : 0\r\nVOICEVOLUME : 0\r\n"
    "WARNING_LEVEL : 0\r\nWAITRETRACE : 0\r\nautosave : 1\r\nAUTOSAVE: 1\r\n AUTOSAVE : 1\r\n"
    "MYKEY : a\r\nMYKEY : a\r\n   \r\nX\0Y : \x81\x8d\x8f\x90\x9d\xff\r\n# note\r\n\r\n";

TEST(Settings, ReadAndWrittenBackGivesTheExactFile) {
    const QByteArray output(kOutput, sizeof kOutput - 1);
    const SettingsModel model = readSettings(QByteArray(kInput, sizeof kInput - 1));
    EXPECT_EQ(write(model), output);
    EXPECT_EQ(write(readSettings(output)), output) << "the written file is its own normal form";
    // SOUND and WAITRETRACE absent mean on; FONTPAGES absent keeps the held value.
    const SettingsModel empty = readSettings({}, u"7"_s);
    EXPECT_EQ(empty.numbers[rowOf("SOUND")], 1);
    EXPECT_EQ(empty.numbers[rowOf("WAITRETRACE")], 1);
    EXPECT_EQ(empty.fontPagesValue, u"7"_s);
    EXPECT_FALSE(write(empty).contains("WAITRETRACE"));
    EXPECT_EQ(readSettings("FONTPAGES : ", u"7"_s).fontPagesValue, QString());
    // Every byte is a character of its own, and back.
    QByteArray bytes(256, 0);
    std::iota(bytes.begin(), bytes.end(), char(0));
    EXPECT_EQ(toAnsi(fromAnsi(bytes)), bytes);
}

// A line break would end a value's line early and start a line the next load
// reads as a key; text Windows-1252 cannot hold would be lost. Either is
// refused naming the key; any other text, however long, is written whole on
// its key's line. A control character is refused in a value that came in
// through an edit, and a value read from the file goes back as it was.
TEST(Settings, EveryTextIsWrittenWholeOrRefusedNamingItsKey) {
    // clang-format off
    const struct { const char* key; QString text; const char* refusal; bool fromFile = false; } rows[] = {
        {"NETWORK_SESSION", "Bob\r\nFULLSCREEN : 0", "a line break"}, {"NETWORK_CDKEY", "Bob\r", "a line break"},
        {"NETWORK_CDKEY2", "Bob\nFULLSCREEN : 0", "a line break"},
        {"NETWORK_SESSION", QString::fromUtf8("Game \u0416"), "characters"},
        {"FONTPAGES", QString::fromUtf8("\u0080"), "characters"}, // \x80 is the euro sign
        {"NETWORK_PLAYER", QString(40000, QLatin1Char('k')), nullptr}, {"FONTPAGES", u"\u20ac"_s, nullptr},
        {"NETWORK_CDKEY2", QString::fromUtf8("\u00c4 \u20ac-\u00ff:\\\"#|%\u0081xyz "), nullptr},
        {"NETWORK_PLAYER", QString::fromLatin1("a\x1a" "b", 3), "a control character"},
        {"NETWORK_CDKEY", QString::fromLatin1("\tA\x7f", 3), "a control character"},
        {"NETWORK_PLAYER", QString::fromLatin1("a\x1a" "b", 3), nullptr, true},
    };
    // clang-format on
    for (const auto& row : rows) {
        SCOPED_TRACE(row.key + (": " + row.text.left(30)).toStdString());
        const QLatin1String key(row.key);
        SettingsModel model = SettingsModel::cleared(key == "FONTPAGES" ? row.text : QString());
        if (key == "NETWORK_CDKEY")
            model.fileCdKey = row.text;
        else if (key == "NETWORK_CDKEY2")
            model.fileCdKey2 = row.text;
        else if (key != "FONTPAGES")
            model.texts[findKey(key).value()] = row.text;
        std::optional<EncodeError> error = refusedText(model, row.fromFile ? &model : nullptr);
        const auto encoded = serializeSettings(model);
        if (const auto* refused = std::get_if<EncodeError>(&encoded))
            error = error.value_or(*refused);
        if (row.refusal)
            EXPECT_TRUE(error && error->message().contains(key + " holds " + row.refusal));
        else
            EXPECT_TRUE(!error && write(model).contains("\n" + QByteArray(row.key) + " : " +
                                                        *toAnsi(row.text) + "\r\n"));
    }
}

TEST(Settings, LoadsARegularFileOfThatNameAndTracesEachLine) {
    test::TempFolder dir;
    const QString path = dir.file(u"settings.cfg"_s);
    ASSERT_TRUE(test::writeBytes(path, "AUTOSAVE : 1\r\n\r\nMYKEY : 2\r\n : x\r\nnoseparator"));
    DebugLog log;
    ASSERT_TRUE(log.open(dir.file(u"debug.log"_s)));
    EXPECT_EQ(readSettingsFile(path, {}, &log).values.numbers[rowOf("AUTOSAVE")], 1);
    log.close();
    EXPECT_EQ(test::readBytes(dir.file(u"debug.log"_s)).replace("opensettings() -> Loading ", "|"),
              QByteArray(DebugLog::kHeader) +
                  "\r\n|settings.cfg\r\n|AUTOSAVE\r\n|MYKEY\r\n|\r\n|noseparator\r\n");
    EXPECT_TRUE(hasSettingsFileName(u"/games/mysettings.cfg"_s) &&
                !hasSettingsFileName(u"/games/Settings.cfg"_s));
    // A file of exactly the size limit is read, one byte over it is not.
    EXPECT_EQ(readRegularFile(path, 44).value_or("none").size(), 44);
    EXPECT_FALSE(readRegularFile(path, 43));
}

} // namespace

// A read judges the file once, the same for the window and the commands: the
// game's settings, a file that holds none, or nothing to read.
TEST(Settings, AReadTellsSettingsFromOtherFiles) {
    using State = SettingsFileRead::State;
    // clang-format off
    const struct { const char* name; QByteArray bytes; State state; int autosave = 0; } rows[] = {
        {"a known key", "X\r\nAUTOSAVE : 1\r\n", State::Settings, 1}, {"empty", "", State::NotSettings},
        {"unknown lines only", "CAMERA : 3\r\n", State::NotSettings}, {"nothing", {}, State::Missing},
        {"a NUL byte", QByteArray("AUTOSAVE : 1\r\nX : \0\r\n", 21), State::NotSettings, 1},
        {"over a MiB", "AUTOSAVE : 1\r\n" + QByteArray(1 << 20, 'x'), State::Unreadable},
    };
    // clang-format on
    test::TempFolder dir;
    const QString path = dir.file(u"settings.cfg"_s);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        QFile::remove(path);
        ASSERT_TRUE(row.bytes.isNull() || test::writeBytes(path, row.bytes));
        const SettingsFileRead read = readSettingsFile(path);
        EXPECT_EQ(read.state, row.state);
        EXPECT_EQ(read.bytes, read.hasBytes() ? row.bytes : QByteArray());
        EXPECT_EQ(read.values.numbers[rowOf("AUTOSAVE")], row.autosave);
    }
}
