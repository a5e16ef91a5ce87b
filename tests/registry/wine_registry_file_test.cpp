// Wine's registry file format: reading it the way Wine's server does, and
// editing one value without disturbing any other byte.

#include "registry/registry.h"
#include "registry/wine_registry_file.h"
#include "wine_test_prefix.h"

#include <gtest/gtest.h>

#include <random>

using namespace quillset;
using quillset::test::wineRegFile;

namespace {

const QString kKey = QStringLiteral("Software\\Halvane Entertainment\\Korrin Deepfall");

// The text Wine would hand a program for the value, or "<missing>".
QString textOf(const WineRegFile& file, const QString& key, const QString& name) {
    const WineRegValue* value = file.findValue(key, name);
    if (!value)
        return QStringLiteral("<missing>");
    return RegQueryString(value->type, value->data, RegistryText::Utf16);
}

QString stringOf(QByteArrayView data) {
    return RegQueryString(kRegSz, data, RegistryText::Utf16);
}

// A file in the layout Wine writes, with one key of every value form.
const QByteArray kSample = wineRegFile(
    {
        R"([Software\\Halvane Entertainment\\Korrin Deepfall] 1700000000)",
        "#time=1da1747c66d0000",
        R"("Binary"=hex:39,30)",
        R"("Dword"=dword:00003039)",
        R"("Expand"=str(2):"%ProgramFiles%\\Korrin")",
        R"("InstallLocation"="C:\\Games\\Korrin Deepfall")",
        R"("Multi"=str(7):"a\0b\0")",
        R"(@="default text")",
        "",
        R"([Software\\Other] 1700000001)",
        "#time=1da1747c7f3c300",
        R"#(#class="Class \"name\"")#",
        R"("Wide"=hex(1):4b,00,f6,00,00,00)",
        R"("Longer"=hex:01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,15,\)",
        R"(  16,17,18,19)",
        "",
        R"([Software\\Classes\\Link] 1700000002)",
        "#time=1da1747c7f3c300",
        "#link",
        R"("SymbolicLinkValue"=hex(6):5c,00,52,00)",
    },
    "win64");

TEST(WineRegistryRead, ReadsEveryValueFormWineWrites) {
    const WineRegFile file = parseWineRegistry(kSample);
    ASSERT_TRUE(file.valid);
    EXPECT_TRUE(file.win64);
    ASSERT_EQ(file.keys.size(), 3);
    EXPECT_EQ(file.keys[0].path, kKey);

    EXPECT_EQ(textOf(file, kKey, QStringLiteral("InstallLocation")),
              QStringLiteral("C:\\Games\\Korrin Deepfall"));
    EXPECT_EQ(textOf(file, kKey, QStringLiteral("Binary")), QStringLiteral("12345"));
    EXPECT_EQ(textOf(file, kKey, QStringLiteral("Dword")), QString());
    EXPECT_EQ(textOf(file, kKey, QStringLiteral("Expand")), QString());
    EXPECT_EQ(textOf(file, kKey, QStringLiteral("Multi")), QString());
    EXPECT_EQ(textOf(file, kKey, QString()), QStringLiteral("default text"));

    const WineRegValue* dword = file.findValue(kKey, QStringLiteral("Dword"));
    ASSERT_NE(dword, nullptr);
    EXPECT_EQ(dword->type, kRegDword);
    EXPECT_EQ(dword->data, QByteArray("\x39\x30\x00\x00", 4));
    const WineRegValue* expand = file.findValue(kKey, QStringLiteral("Expand"));
    ASSERT_NE(expand, nullptr);
    EXPECT_EQ(expand->type, kRegExpandSz);
    EXPECT_EQ(stringOf(expand->data), QStringLiteral("%ProgramFiles%\\Korrin"));
    const WineRegValue* multi = file.findValue(kKey, QStringLiteral("Multi"));
    ASSERT_NE(multi, nullptr);
    EXPECT_EQ(multi->type, kRegMultiSz);
    EXPECT_EQ(multi->data, utf16StringData(QStringView(u"a\0b\0", 4).toString()));

    // hex(1) holds a raw UTF-16LE string; the options lines belong to their key.
    EXPECT_EQ(textOf(file, QStringLiteral("Software\\Other"), QStringLiteral("Wide")),
              QStringLiteral("K\u00f6"));
    const WineRegValue* link = file.findValue(QStringLiteral("Software\\Classes\\Link"),
                                              QStringLiteral("SymbolicLinkValue"));
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->type, 6u);
}

TEST(WineRegistryRead, ContinuedHexLinesFormOneValue) {
    const WineRegFile file = parseWineRegistry(kSample);
    const WineRegValue* longer =
        file.findValue(QStringLiteral("Software\\Other"), QStringLiteral("Longer"));
    ASSERT_NE(longer, nullptr);
    EXPECT_EQ(longer->type, kRegBinary);
    ASSERT_EQ(longer->data.size(), 25);
    for (int i = 0; i < 25; ++i)
        EXPECT_EQ(static_cast<uchar>(longer->data[i]), i + 1);

    const WineRegFile split = parseWineRegistry(wineRegFile({
        "[Software\\\\Split]",
        "\"Number\"=hex:39,\\",
        "   \t 30 ,\\",
        "  ",
        "\"After\"=\"still read\"",
    }));
    EXPECT_EQ(textOf(split, QStringLiteral("Software\\Split"), QStringLiteral("Number")),
              QStringLiteral("12345"));
    EXPECT_EQ(textOf(split, QStringLiteral("Software\\Split"), QStringLiteral("After")),
              QStringLiteral("still read"));
}

TEST(WineRegistryRead, UnescapesEveryEscapeForm) {
    struct Case {
        const char* escaped;
        QString text;
    };
    const Case cases[] = {
        {R"(C:\\Games\\Korrin)", QStringLiteral("C:\\Games\\Korrin")},
        {R"(say \"hi\" [\[\]])", QStringLiteral("say \"hi\" [[]]")},
        {R"(\a\b\t\n\v\f\r\e)", QStringLiteral("\a\b\t\n\v\f\r\x1b")},
        {R"(K\xf6rrin)", QStringLiteral("K\u00f6rrin")},
        {R"(Stra\x00dfe)", QStringLiteral("Stra\u00dfe")},
        {R"(\x4e2d\x6587)", QStringLiteral("\u4e2d\u6587")},
        {R"(\x12345)", QStringLiteral("\u12345")},
        {R"(\xd83d\xde00)", QString::fromUtf8("\xf0\x9f\x98\x80")},
        {R"(x\xy)", QStringLiteral("xxy")},
        {R"(\101\1012\08)", QString(QStringLiteral("AA2")) + QChar(0) + QLatin1Char('8')},
        {R"(\q\9\%)", QStringLiteral("q9%")},
        {"K\xc3\xb6rrin \xe4\xb8\xad", QStringLiteral("K\u00f6rrin \u4e2d")},
        {"\\\xc3\xb6", QStringLiteral("\u00f6")},
    };
    for (const Case& c : cases) {
        const QByteArray file =
            wineRegFile({"[Software\\\\Escapes]", ""}) + "\"Value\"=\"" + c.escaped + "\"\n";
        const WineRegFile parsed = parseWineRegistry(file);
        const WineRegValue* value =
            parsed.findValue(QStringLiteral("Software\\Escapes"), QStringLiteral("Value"));
        ASSERT_NE(value, nullptr) << c.escaped;
        // Compare the raw data: a NUL in the text would end a RegQueryString read.
        EXPECT_EQ(value->data, utf16StringData(c.text)) << c.escaped;
    }

    const WineRegFile names = parseWineRegistry(wineRegFile({
        R"([Software\\Odd \[Key\] \xe4])",
        R"("Na\"me\\x"="v")",
    }));
    EXPECT_EQ(
        textOf(names, QStringLiteral("Software\\Odd [Key] \u00e4"), QStringLiteral("Na\"me\\x")),
        QStringLiteral("v"));
}

TEST(WineRegistryRead, NamesCompareIgnoringCaseAndLaterLinesWin) {
    // Wine merges sections of the same key; a later value line replaces an
    // earlier one of the same name.
    const WineRegFile file = parseWineRegistry(wineRegFile({
        R"([Software\\Halvane Entertainment\\Korrin Deepfall] 1)",
        R"("InstallLocation"="first")",
        R"("installlocation"="second")",
        R"("Kept"="kept")",
        "",
        R"([SOFTWARE\\halvane entertainment\\KORRIN DEEPFALL] 2)",
        R"("INSTALLLOCATION"="third")",
    }));
    EXPECT_EQ(textOf(file, kKey, QStringLiteral("InstallLocation")), QStringLiteral("third"));
    EXPECT_EQ(textOf(file, QStringLiteral("software\\HALVANE Entertainment\\korrin deepfall"),
                     QStringLiteral("KEPT")),
              QStringLiteral("kept"));
    EXPECT_EQ(textOf(file, QStringLiteral("Software\\Halvane Entertainment"),
                     QStringLiteral("InstallLocation")),
              QStringLiteral("<missing>"));
}

TEST(WineRegistryRead, FileWithoutExactHeaderIsIgnoredWhole) {
    const QByteArray body = "\n[Software\\\\Key]\n\"V\"=\"x\"\n";
    for (const QByteArray& header :
         {QByteArray("WINE REGISTRY Version 1"), QByteArray("WINE REGISTRY Version 2 "),
          QByteArray("\xef\xbb\xbfWINE REGISTRY Version 2"), QByteArray("REGEDIT4"),
          QByteArray()}) {
        const WineRegFile file = parseWineRegistry(header + body);
        EXPECT_FALSE(file.valid) << header.constData();
        EXPECT_TRUE(file.keys.isEmpty()) << header.constData();
    }
    EXPECT_TRUE(parseWineRegistry("WINE REGISTRY Version 2\r\n[K]\r\n\"V\"=\"x\"\r\n").valid);
}

TEST(WineRegistryRead, SkipsWhatWineRejectsAndKeepsReadingAfterIt) {
    const WineRegFile file = parseWineRegistry(wineRegFile({
        R"("Orphan"="value before any key")",
        "garbage line",
        R"([Software\\Unterminated key)",
        R"("LostToBrokenKey"="x")",
        R"([Software\\Good] 17 trailing words)",
        R"("NoEquals" "x")",
        R"("Unterminated"="abc)",
        R"("BadType"=sz:"abc")",
        R"("TooBig"=hex:100,01)",
        R"("NotHex"=hex:zz)",
        R"("BadHexType"=hex(2:41,00)",
        R"("EndsInEscape"="abc\)",
        R"("UnclosedName=1)",
        R"("Empty"="")",
        R"("DwordNoDigits"=dword:)",
        "   \"Indented\" = \"spaces around\"",
        R"("Ok"="fine")",
        R"("ContinuedAtEnd"=hex:01,\)",
    }));
    ASSERT_TRUE(file.valid);
    const QString good = QStringLiteral("Software\\Good");
    EXPECT_EQ(textOf(file, good, QStringLiteral("Ok")), QStringLiteral("fine"));
    EXPECT_EQ(textOf(file, good, QStringLiteral("Empty")), QString());
    EXPECT_EQ(textOf(file, good, QStringLiteral("Indented")), QStringLiteral("spaces around"));
    EXPECT_EQ(textOf(file, good, QStringLiteral("DwordNoDigits")), QString());
    for (const char* rejected : {"NoEquals", "Unterminated", "BadType", "TooBig", "NotHex",
                                 "BadHexType", "EndsInEscape", "ContinuedAtEnd"})
        EXPECT_EQ(file.findValue(good, QString::fromLatin1(rejected)), nullptr) << rejected;
    EXPECT_EQ(file.findValue(QStringLiteral("Software\\Unterminated key"),
                             QStringLiteral("LostToBrokenKey")),
              nullptr);
    EXPECT_EQ(file.keys.size(), 1);
}

TEST(WineRegistryRead, DamagedFilesNeverCrashTheReader) {
    // Every truncation of a real-looking file, and many random corruptions of
    // it, must parse without touching memory outside the input.
    for (qsizetype length = 0; length <= kSample.size(); ++length)
        static_cast<void>(parseWineRegistry(kSample.first(length)));

    std::mt19937 random(20240607);
    const char interesting[] = "\\\"[]@#=:,(\n\r\0x7";
    for (int round = 0; round < 3000; ++round) {
        QByteArray damaged = kSample;
        const int edits = 1 + static_cast<int>(random() % 8);
        for (int e = 0; e < edits; ++e) {
            const auto at = static_cast<qsizetype>(random() % damaged.size());
            if (random() % 2)
                damaged[at] = interesting[random() % (sizeof(interesting) - 1)];
            else
                damaged[at] = static_cast<char>(random() % 256);
        }
        const WineRegFile file = parseWineRegistry(damaged);
        for (const WineRegKey& key : file.keys) {
            for (const WineRegValue& value : key.values) {
                ASSERT_LE(0, value.begin);
                ASSERT_LE(value.begin, value.end);
                ASSERT_LE(value.end, damaged.size());
                static_cast<void>(RegQueryString(value.type, value.data, RegistryText::Utf16));
            }
        }
        // An edit of a damaged file must keep the damage outside the edit.
        if (std::optional<QByteArray> edited = setWineRegistryString(
                damaged, kKey, QStringLiteral("InstallLocation"), QStringLiteral("X"), 1)) {
            EXPECT_EQ(textOf(parseWineRegistry(*edited), kKey, QStringLiteral("InstallLocation")),
                      QStringLiteral("X"))
                << damaged.toStdString();
        }
    }
}

TEST(WineRegistryEscape, WritesAsciiOnlyAsWineDoes) {
    EXPECT_EQ(escapeWineText(u"C:\\Games\\\"Korrin\"", '"', '"'),
              QByteArray(R"(C:\\Games\\\"Korrin\")"));
    EXPECT_EQ(escapeWineText(u"K\u00f6rrin", '"', '"'), QByteArray(R"(K\xf6rrin)"));
    // A hex digit after the escape would be read as part of it: long form.
    EXPECT_EQ(escapeWineText(u"Stra\u00dfe", '"', '"'), QByteArray(R"(Stra\x00dfe)"));
    EXPECT_EQ(escapeWineText(u"\u00e41", '"', '"'), QByteArray(R"(\x00e41)"));
    EXPECT_EQ(escapeWineText(u"\u00e4\u00e4", '"', '"'), QByteArray(R"(\xe4\xe4)"));
    EXPECT_EQ(escapeWineText(u"\u4e2d\u6587", '"', '"'), QByteArray(R"(\x4e2d\x6587)"));
    EXPECT_EQ(escapeWineText(u"a\tb\x1b\x01"
                             u"7\x02",
                             '"', '"'),
              QByteArray(R"(a\tb\e\0017\2)"));
    EXPECT_EQ(escapeWineText(u"[Key] \"q\"", '[', ']'), QByteArray(R"(\[Key\] "q")"));
}

TEST(WineRegistryEscape, WrittenStringsReadBackUnchanged) {
    const QString texts[] = {
        QStringLiteral("C:\\Games\\Korrin Deepfall"),
        QStringLiteral("D:\\\"quoted\"\\ \\\\server\\share"),
        QStringLiteral("Stra\u00dfe\u00e4 \u00e4b \u00e4g K\u00f6rrin \u4e2d\u6587"),
        QString::fromUtf8("emoji \xf0\x9f\x98\x80 after"),
        QStringLiteral("\\x41 is not an escape, nor \\101"),
        QStringLiteral("tab\tform\fbell\a esc\x1b \x01"
                       "7 \x7f"),
        QStringLiteral("[brackets] @= # ; , hex:"),
        QString(),
    };
    const QByteArray base = wineRegFile({R"([Software\\K] 1)", R"("Other"="x")"});
    for (const QString& text : texts) {
        const std::optional<QByteArray> written = setWineRegistryString(
            base, QStringLiteral("Software\\K"), QStringLiteral("V"), text, 1);
        ASSERT_TRUE(written.has_value());
        for (const char c : *written)
            ASSERT_LT(static_cast<uchar>(c), 0x80) << text.toStdString();
        const WineRegFile parsed = parseWineRegistry(*written);
        const WineRegValue* value =
            parsed.findValue(QStringLiteral("Software\\K"), QStringLiteral("V"));
        ASSERT_NE(value, nullptr) << text.toStdString();
        EXPECT_EQ(value->type, kRegSz);
        EXPECT_EQ(value->data, utf16StringData(text)) << text.toStdString();
    }
}

TEST(WineRegistryWrite, ReplacingAValueChangesOnlyItsLine) {
    const QByteArray oldLine = R"("InstallLocation"="C:\\Games\\Korrin Deepfall")";
    const QByteArray newLine = R"("InstallLocation"="E:\\K\xf6rrin")";
    const std::optional<QByteArray> written = setWineRegistryString(
        kSample, kKey, QStringLiteral("installlocation"), QStringLiteral("E:\\K\u00f6rrin"), 1);
    ASSERT_TRUE(written.has_value());
    QByteArray expected = kSample;
    ASSERT_EQ(expected.count(oldLine), 1);
    expected.replace(oldLine, newLine);
    EXPECT_EQ(*written, expected);
}

TEST(WineRegistryWrite, ReplacingAContinuedValueReplacesAllItsLines) {
    const std::optional<QByteArray> written =
        setWineRegistryString(kSample, QStringLiteral("software\\other"), QStringLiteral("Longer"),
                              QStringLiteral("t"), 1);
    ASSERT_TRUE(written.has_value());
    const qsizetype from = kSample.indexOf("\"Longer\"");
    const qsizetype to = kSample.indexOf("16,17,18,19") + 11;
    QByteArray expected = kSample;
    expected.replace(from, to - from, R"("Longer"="t")");
    EXPECT_EQ(*written, expected);
}

TEST(WineRegistryWrite, NewValueGoesAtTheEndOfItsKeysSection) {
    const QByteArray file = wineRegFile({
        R"([Software\\Halvane Entertainment\\Korrin Deepfall] 1700000000)",
        "#time=1da1747c66d0000",
        R"("Version"="1.0")",
        "",
        ";; a comment Wine would not write, kept anyway",
        R"([Software\\Zeta] 1700000000)",
    });
    const std::optional<QByteArray> written = setWineRegistryString(
        file, kKey, QStringLiteral("InstallLocation"), QStringLiteral("C:\\Korrin"), 1);
    ASSERT_TRUE(written.has_value());
    QByteArray expected = file;
    expected.replace("\"Version\"=\"1.0\"\n",
                     "\"Version\"=\"1.0\"\n\"InstallLocation\"=\"C:\\\\Korrin\"\n");
    EXPECT_EQ(*written, expected);

    // A key line with no values yet takes the value right after its options.
    const QByteArray bare = wineRegFile({R"([Software\\Halvane Entertainment\\Korrin Deepfall] 5)",
                                         "#time=1", "", R"([Software\\Zeta] 5)"});
    const std::optional<QByteArray> intoBare =
        setWineRegistryString(bare, kKey, QString(), QStringLiteral("d"), 1);
    ASSERT_TRUE(intoBare.has_value());
    QByteArray expectedBare = bare;
    expectedBare.replace("#time=1\n", "#time=1\n@=\"d\"\n");
    EXPECT_EQ(*intoBare, expectedBare);
}

TEST(WineRegistryWrite, MissingKeyIsAddedAsANewSectionInWinesStyle) {
    const QByteArray file = wineRegFile({R"([Software\\Zeta] 1)", R"("A"="b")"}, "win64");
    const std::optional<QByteArray> written = setWineRegistryString(
        file, QStringLiteral("\\Software\\Wow6432Node\\Halvane Entertainment\\Korrin Deepfall\\"),
        kInstallValueName, QStringLiteral("C:\\Games"), 1700000000);
    ASSERT_TRUE(written.has_value());
    EXPECT_EQ(*written,
              file + "\n[Software\\\\Wow6432Node\\\\Halvane Entertainment\\\\Korrin Deepfall] "
                     "1700000000\n#time=1da1747c66d0000\n\"InstallLocation\"=\"C:\\\\Games\"\n");
    EXPECT_EQ(
        textOf(parseWineRegistry(*written),
               QStringLiteral("Software\\Wow6432Node\\Halvane Entertainment\\Korrin Deepfall"),
               kInstallValueName),
        QStringLiteral("C:\\Games"));
}

TEST(WineRegistryWrite, KeepsTheFilesLineBreaksAndMissingLastBreak) {
    const QByteArray crlf = "WINE REGISTRY Version 2\r\n\r\n[Software\\\\K] 1\r\n\"A\"=\"b\"\r\n";
    const std::optional<QByteArray> added = setWineRegistryString(
        crlf, QStringLiteral("Software\\K"), QStringLiteral("C"), QStringLiteral("d"), 1);
    ASSERT_TRUE(added.has_value());
    EXPECT_EQ(*added, "WINE REGISTRY Version 2\r\n\r\n[Software\\\\K] 1\r\n\"A\"=\"b\"\r\n"
                      "\"C\"=\"d\"\r\n");

    const QByteArray noLastBreak = "WINE REGISTRY Version 2\n\n[Software\\\\K] 1\n\"A\"=\"b\"";
    const std::optional<QByteArray> replaced = setWineRegistryString(
        noLastBreak, QStringLiteral("Software\\K"), QStringLiteral("A"), QStringLiteral("z"), 1);
    ASSERT_TRUE(replaced.has_value());
    EXPECT_EQ(*replaced, "WINE REGISTRY Version 2\n\n[Software\\\\K] 1\n\"A\"=\"z\"");

    const std::optional<QByteArray> newKey = setWineRegistryString(
        noLastBreak, QStringLiteral("Software\\New"), QStringLiteral("A"), QStringLiteral("z"), 0);
    ASSERT_TRUE(newKey.has_value());
    EXPECT_TRUE(newKey->startsWith(noLastBreak + "\n\n[Software\\\\New] 0\n#time="));
    EXPECT_EQ(
        textOf(parseWineRegistry(*newKey), QStringLiteral("Software\\K"), QStringLiteral("A")),
        QStringLiteral("b"));
}

// Wine drops only the one CR right before an LF, so a line whose text ends
// in a CR must keep a CR LF after it; and a last line of hex data ending in a
// backslash is a value Wine rejects, which added lines must not complete.
TEST(WineRegistryWrite, UnfinishedLinesReadAsBeforeWhenAValueIsAdded) {
    const QString k = QStringLiteral("Software\\K");
    const QString c = QStringLiteral("C");
    const auto add = [](const QByteArray& file, const QString& key, const QString& name) {
        const std::optional<QByteArray> out =
            setWineRegistryString(file, key, name, QStringLiteral("d"), 7);
        return out.value_or(QByteArray("(refused)"));
    };

    // A value line ending CR CR LF in the key's section: the new value goes
    // after its whole line break.
    const QByteArray crcrlf =
        "WINE REGISTRY Version 2\n[Software\\\\K] 1\n\"A\"=\"b\"\r\r\n[Z] 1\n";
    EXPECT_EQ(add(crcrlf, k, c),
              "WINE REGISTRY Version 2\n[Software\\\\K] 1\n\"A\"=\"b\"\r\r\n\"C\"=\"d\"\n[Z] 1\n");

    // A lone CR ending the file stays part of the last line's text.
    const QByteArray loneCr = "WINE REGISTRY Version 2\n[Software\\\\K] 1\n\"A\"=\"b\"\r";
    EXPECT_EQ(add(loneCr, k, c),
              "WINE REGISTRY Version 2\n[Software\\\\K] 1\n\"A\"=\"b\"\r\r\n\"C\"=\"d\"\n");
    EXPECT_TRUE(add(loneCr, QStringLiteral("New"), c)
                    .startsWith("WINE REGISTRY Version 2\n[Software\\\\K] 1\n\"A\"=\"b\"\r\r\n\n"
                                "[New] 7\n"));

    // Hex data waiting for its continuation line at the end of the file.
    for (const QByteArray& tail :
         {QByteArray("\"H\"=hex:01,02,\\"), QByteArray("\"H\"=hex:01,\\\n"),
          QByteArray("\"H\"=hex:01 \\ 02\r\n")}) {
        SCOPED_TRACE(tail.toStdString());
        const QByteArray file = "WINE REGISTRY Version 2\n[Software\\\\K] 1\n" + tail;
        const WineRegFile before = parseWineRegistry(file);
        ASSERT_TRUE(before.endsInContinuation);
        ASSERT_EQ(before.findValue(k, QStringLiteral("H")), nullptr);
        const QByteArray newKey = add(file, QStringLiteral("New"), c);
        const WineRegFile after = parseWineRegistry(newKey);
        EXPECT_EQ(after.findValue(k, QStringLiteral("H")), nullptr);
        EXPECT_EQ(textOf(after, QStringLiteral("New"), c), QStringLiteral("d"));
        EXPECT_TRUE(newKey.startsWith(file));

        // Added to the key itself, the value goes before the waiting line.
        const WineRegFile sameKey = parseWineRegistry(add(file, k, c));
        EXPECT_EQ(sameKey.findValue(k, QStringLiteral("H")), nullptr);
        EXPECT_EQ(textOf(sameKey, k, c), QStringLiteral("d"));
    }
}

TEST(WineRegistryWrite, RefusesFilesWineWouldNotLoadAndEmptyKeys) {
    EXPECT_FALSE(
        setWineRegistryString("REGEDIT4\n", kKey, kInstallValueName, QStringLiteral("x"), 1));
    EXPECT_FALSE(
        setWineRegistryString(QByteArray(), kKey, kInstallValueName, QStringLiteral("x"), 1));
    EXPECT_FALSE(setWineRegistryString(kSample, QStringLiteral("\\\\"), kInstallValueName,
                                       QStringLiteral("x"), 1));
}

} // namespace
