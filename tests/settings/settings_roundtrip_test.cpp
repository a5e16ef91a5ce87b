// Properties of reading and writing together: writing is a normal form that
// reading and writing again keeps byte for byte.

#include "settings/settings_reader.h"
#include "settings/settings_writer.h"
#include "settings_test_util.h"

#include <gtest/gtest.h>

#include <random>

using namespace quillset;
using quillset::test::crlf;

namespace {

QByteArray write(const SettingsModel& m) {
    auto result = serializeSettings(m);
    EXPECT_TRUE(std::holds_alternative<QByteArray>(result));
    return std::holds_alternative<QByteArray>(result) ? std::get<QByteArray>(result) : QByteArray();
}

// A settings file as the game and users leave it: keys in their own order,
// unknown keys, empty lines, odd bytes.
QByteArray typicalFile() {
    return crlf({
        "SOUND : 1",
        "MUSICVOLUME : 80",
        "SFXVOLUME : 110",
        "VOICEVOLUME : 90",
        "FULLSCREEN : 1",
        "GFX32 : 1",
        "DETAILLEVEL : 2",
        "",
        "NETWORK_LOBBY : lobby.example.net",
        "NETWORK_LOBBYPORT : 7065",
        "NETWORK_PORT_LISTEN : 2005",
        "NETWORK_PLAYER : S\xe4ndra",
        "NETWORK_CDKEY : ABCDEFGHIJKLMNOPQRST",
        "NETWORK_CDKEY2 : UVWXYZ0123456789ABCD",
        "NETWORK_SPEEDSETTINGS : 2",
        "RESOLUTION_X : 1024",
        "RESOLUTION_Y : 768",
        "CHAT_LINES : 8",
        "CHAT_DELAY : 8",
        "FONTPAGES : 4",
        "# hand-written note",
        "PICKUPAUTO : 1",
        "SOUNDQUALITY : 2",
        "WARNING_LEVEL : 25",
        "LANGUAGE : DE",
        "GAMMA : 1.2",
        "WAITRETRACE : 0",
    });
}

TEST(SettingsRoundTrip, WritingIsANormalFormThatComesBackByteIdentical) {
    const QByteArray first = write(readSettings(typicalFile()));
    const QByteArray second = write(readSettings(first));
    EXPECT_EQ(first, second);
    EXPECT_TRUE(first.endsWith("RESOLUTION_X : 1024\r\nRESOLUTION_Y : 768\r\n"
                               "# hand-written note\r\nGAMMA : 1.2\r\n\r\n"))
        << "unknown lines keep their order at the end";
    EXPECT_TRUE(first.contains("\r\nNETWORK_PLAYER : S\xe4ndra\r\n"));
}

TEST(SettingsRoundTrip, EveryKeyComesBackAtItsLimitsAndValues) {
    const auto catalogue = keyCatalogue();
    for (int pass = 0; pass < 3; ++pass) {
        SettingsModel m = SettingsModel::cleared();
        for (int i = 0; i < kKeyCount; ++i) {
            const KeyDef& def = catalogue[i];
            switch (def.kind) {
            case KeyKind::Flag:
                m.numbers[i] = pass; // 0, 1 and 2
                break;
            case KeyKind::WaitRetrace:
                m.numbers[i] = pass == 0 ? 0 : 1; // 2 is stored as absence, reads back 1
                break;
            case KeyKind::Number:
                m.numbers[i] = pass == 0 ? def.min : pass == 1 ? def.max : (def.min + def.max) / 2;
                break;
            case KeyKind::Choice:
                m.numbers[i] = def.choices()[std::min(pass, def.buttonCount - 1)].digit - '0';
                break;
            case KeyKind::Text:
                m.texts[i] = pass == 0 ? QString() : QStringLiteral("Zz \u00e9\u20ac :");
                if (def.width > 0)
                    m.texts[i].truncate(def.width);
                break;
            default:
                break;
            }
        }
        m.fontPagesValue = QStringLiteral("9");
        m.fileCdKey = QStringLiteral("KEY-%1").arg(pass);
        m.fileCdKey2 = QStringLiteral("KEY2");
        m.unknownLines = crlf({"OTHER : x"});
        EXPECT_EQ(readSettings(write(m)), m) << "pass " << pass;
    }
}

// Random files built from catalogue keys with good and bad values, unknown
// lines with any byte but a line end, and every kind of line end.
QByteArray randomFile(std::mt19937& rng) {
    const auto catalogue = keyCatalogue();
    const char* values[] = {"0", "1", "2", "7", "", " ", "12", "-3", "999999", "abc", "1 "};
    const char* ends[] = {"\r\n", "\n", "\r", "\r\n\r\n"};
    QByteArray out;
    const int lines = std::uniform_int_distribution(0, 80)(rng);
    for (int i = 0; i < lines; ++i) {
        if (rng() % 3 == 0) {
            const int length = std::uniform_int_distribution(0, 40)(rng);
            for (int c = 0; c < length; ++c) {
                char byte = char(rng() % 256);
                out.append(byte == '\r' || byte == '\n' ? 'x' : byte);
            }
        } else {
            out.append(catalogue[rng() % kKeyCount].key);
            out.append(rng() % 5 == 0 ? " :" : " : ");
            out.append(values[rng() % std::size(values)]);
        }
        out.append(ends[rng() % std::size(ends)]);
    }
    return out;
}

TEST(SettingsRoundTrip, RandomFilesReachTheNormalFormInOneWrite) {
    std::mt19937 rng(20261206);
    for (int i = 0; i < 400; ++i) {
        const QByteArray input = randomFile(rng);
        const SettingsModel model = readSettings(input);
        const QByteArray first = write(model);
        const QByteArray second = write(readSettings(first));
        ASSERT_EQ(first, second) << "input #" << i << ": " << input.toHex().constData();
        ASSERT_TRUE(first.endsWith(model.unknownLines + "\r\n"));
    }
}

} // namespace
