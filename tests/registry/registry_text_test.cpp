// The registry's text formats, from bytes to values and back: raw values as
// the program reads them, Wine's registry files read and edited byte for
// byte, the quick look into a big one, and Steam's library list.

#include "registry/launchers/steam_library_file.h"
#include "registry/wine_registry.h"
#include "registry/wine_registry_excerpt.h"
#include "registry/wine_registry_file.h"
#include "registry_properties.h"
#include "test_support.h"

using namespace quillset;

namespace {

// REG_SZ data with its NUL as Windows holds it, spelt out here rather than
// taken from utf16StringData.
template <std::size_t N> QByteArray sz(const char16_t (&units)[N]) {
    QByteArray data;
    for (const char16_t unit : units)
        data += char(unit & 0xff) + QByteArray(1, char(unit >> 8));
    return data;
}

constexpr auto kUtf16 = RegistryText::Utf16;

// clang-format off
struct DecodeRow { quint32 type; QByteArray data; RegistryText from; const char* expected; };
const DecodeRow kDecodeRows[] = {
    {kRegSz, sz(u"K\u00f6rrin \u4e2d"), kUtf16, "K\u00f6rrin \u4e2d"},
    {kRegSz, "a\0\0\0b\0"_ba, kUtf16, "a"}, {kRegSz, "a\0b\0"_ba, kUtf16, "ab"}, // up to a NUL
    {kRegSz, "a\0b"_ba, kUtf16, "a"}, // half a code unit
    {kRegSz, "K\xf6r\0x"_ba, RegistryText::Ansi, "K\u00f6r"}, {kRegSz, "D:\\"_ba, RegistryText::Ansi, "D:\\"},
    {kRegBinary, "\x39\x30\x01\x02"_ba, RegistryText::Ansi, "12345"}, // first two bytes only
    {kRegBinary, "\xff\xff"_ba, kUtf16, "-1"}, {kRegBinary, "\x00\x80"_ba, kUtf16, "-32768"},
    {kRegBinary, "\x39"_ba, kUtf16, ""}, {kRegDword, "\x39\x30\0\0"_ba, kUtf16, ""},
    {kRegExpandSz, sz(u"%TEMP%"), kUtf16, ""}, {kRegMultiSz, sz(u"a"), kUtf16, ""},
};
// A 32-bit program sees HKLM\Software\X at Software\Wow6432Node\X.
const std::pair<const char*, const char*> kWowRows[] = {
    {"SOFTWARE\\Maker", "SOFTWARE\\Wow6432Node\\Maker"}, {"\\Software\\\\Maker\\", "Software\\Wow6432Node\\Maker"},
    {"Software\\wow6432node\\Maker", ""}, {"System\\Maker", ""}, {"Software", ""}, {"SoftwareX\\Maker", ""}};
// clang-format on

TEST(RegistryValue, ReadsEachTypeAsTheProgramDoes) {
    for (const DecodeRow& row : kDecodeRows)
        EXPECT_EQ(registryValueText(row.type, row.data, row.from), QString::fromUtf8(row.expected))
            << row.data.toHex().toStdString();
    EXPECT_EQ(utf16StringData(u"K\u00f6\u4e2d"_s), sz(u"K\u00f6\u4e2d"));

    for (const auto& [path, redirected] : kWowRows)
        EXPECT_EQ(wow6432KeyPath(QLatin1String(path)), QLatin1String(redirected)) << path;
}

#define HEADER "WINE REGISTRY Version 2\n"
#define KEY HEADER "[Software\\\\K] 1\n"

// A registry file and the value "V" (or name) of Software\K that the machine
// root reads from it; type 0 when there is none.
// clang-format off
struct ReadRow { QByteArray file; quint32 type; QByteArray data; const char* name = "V"; };
const ReadRow kReadRows[] = {
    {KEY R"("V"="C:\\Games \"K\" [\[\]]")", kRegSz, sz(u"C:\\Games \"K\" [[]]")},
    {KEY R"(  "V" = str:"x")", kRegSz, sz(u"x")}, {KEY R"("V"=str(2):"%P%")", kRegExpandSz, sz(u"%P%")},
    {KEY R"("V"=str(7):"a\0b\0")", kRegMultiSz, sz(u"a\0b\0")}, {KEY R"("V"="")", kRegSz, sz(u"")},
    {KEY R"("V"=dword:00003039)", kRegDword, "\x39\x30\0\0"_ba}, {KEY R"("V"=dword:)", kRegDword, "\0\0\0\0"_ba},
    {KEY "#link\n\"V\"=hex(6):4b,00,ff,00", 6, "K\0\xff\0"_ba},
    {KEY "\"V\"=hex:39,\\\n   \t 30 ,\\\n  \n\"W\"=\"after\"", kRegBinary, "\x39\x30"_ba},
    {KEY "\"V\"=hex:39,\\\n   \t 30 ,\\\n  \n\"W\"=\"after\"", kRegSz, sz(u"after"), "W"},
    {KEY R"("V"="\a\b\t\n\v\f\r\e")", kRegSz, sz(u"\a\b\t\n\v\f\r\x1b")},
    {KEY R"("V"="K\xf6rrin Stra\x00dfe \x4e2d\x12345")", kRegSz, sz(u"K\u00f6rrin Stra\u00dfe \u4e2d\u12345")},
    {KEY R"("V"="\xd83d\xde00 x\xy")", kRegSz, sz(u"\xd83d\xde00 xxy")},
    {KEY R"("V"="\101\1012\08\q\9\%")", kRegSz, sz(u"AA2\0" "8q9%")},
    {KEY "\"V\"=\"K\xc3\xb6rrin \xe4\xb8\xad \\\xc3\xb6\"", kRegSz, sz(u"K\u00f6rrin \u4e2d \u00f6")},
    {KEY R"("Na\"me\\x"="v")", kRegSz, sz(u"v"), "na\"ME\\x"},
    // Sections of one key merge; a later line replaces an earlier one.
    {KEY "\"V\"=\"1\"\n\"v\"=\"2\"\n[SOFTWARE\\\\k] 2\n\"v\"=\"3\"", kRegSz, sz(u"3")},
    {KEY "garbage\n\"V\"=\"ok\"\n \t", kRegSz, sz(u"ok")},
    // The 32-bit view of a 64-bit prefix, falling back to the plain key.
    {HEADER "#arch=win64\n[Software\\\\K]\n\"V\"=\"64\"\n[Software\\\\Wow6432Node\\\\K]\n\"V\"=\"32\"", kRegSz, sz(u"32")},
    {HEADER "#arch=win64\n[Software\\\\K]\n\"V\"=\"64\"\n[Software\\\\Wow6432Node\\\\K]\n\"W\"=\"32\"", kRegSz, sz(u"64")},
    {HEADER "#arch=win32\n[Software\\\\K]\n\"V\"=\"64\"\n[Software\\\\Wow6432Node\\\\K]\n\"V\"=\"32\"", kRegSz, sz(u"64")},
    {KEY "#arch=win64\n\"V\"=\"64\"\n[Software\\\\Wow6432Node\\\\K]\n\"V\"=\"32\"", kRegSz, sz(u"64")},
    {"WINE REGISTRY Version 2\r\n#arch=win64\r\n[Software\\\\Wow6432Node\\\\K]\r\n\"V\"=\"x\"\r\n", kRegSz, sz(u"x")},
    // "#arch" counts before the first key line only, even a broken one.
    {HEADER "[Software\\\\K\n#arch=win64\n[Software\\\\Wow6432Node\\\\K]\n\"V\"=\"32\"", 0, {}},
    // Hex data ending in a backslash takes the next line, a key line too.
    {KEY "\"V\"=\"kept\"\n[Z] 1\n\"H\"=hex:01,\\\n[Software\\\\K] 2\n\"V\"=\"lost\"", kRegSz, sz(u"kept")},
    {KEY "\"H\"=hex:01,\\\n[Z] 1\n\"V\"=\"in K\"", kRegSz, sz(u"in K")},
    // What Wine rejects.
    {"\"V\"=\"orphan\"\n[Software\\\\K] 1\n", 0, {}}, {HEADER "[Software\\\\K\n\"V\"=\"lost to a broken key\"", 0, {}},
    {"WINE REGISTRY Version 1\n[Software\\\\K]\n\"V\"=\"x\"", 0, {}}, {"WINE REGISTRY Version 2 \n[Software\\\\K]\n\"V\"=\"x\"", 0, {}},
    {"\xef\xbb\xbf" KEY "\"V\"=\"x\"", 0, {}}, {"\n" KEY "\"V\"=\"x\"", 0, {}}, {KEY R"("V" "x")", 0, {}},
    {KEY R"("V"=sz:"x")", 0, {}}, {KEY R"("V"="abc)", 0, {}}, {KEY R"("V"="abc\)", 0, {}}, {KEY R"("V=1)", 0, {}},
    {KEY R"("V"=hex:100,01)", 0, {}}, {KEY R"("V"=hex:zz)", 0, {}}, {KEY R"("V"=hex(2:41,00)", 0, {}},
    {KEY "\"V\"=hex:01,\\", 0, {}},
};
// clang-format on

// The quick look into the file (an excerpt for the key) reads the same.
TEST(WineRegistryFile, ReadsValuesAsWinesServerLoadsThemAlsoFromAnExcerpt) {
    const QString key = u"Software\\K"_s;
    for (const ReadRow& row : kReadRows) {
        for (const QByteArray& file : {row.file, wineRegistryExcerpt(row.file, key)}) {
            const auto value =
                wineHiveValue(file, RegistryRoot::LocalMachine, key, QString::fromUtf8(row.name));
            EXPECT_EQ(value ? value->type : 0, row.type) << file.constData();
            EXPECT_EQ(value ? value->data : QByteArray(), row.data) << file.constData();
        }
    }
    // The per-user root has no 32-bit view.
    EXPECT_EQ(wineHiveValue(kReadRows[18].file, RegistryRoot::CurrentUser, key, "V")->data,
              sz(u"64"));
}

// A file as Wine writes it, with an options line and a continued value.
const QByteArray kSample = KEY "#time=1da1747c66d0000\n\"Loc\"=\"C:\\\\Games\"\n@=\"default\"\n\n"
                               "[Software\\\\Other] 1700000001\n#class=\"Class\"\n"
                               "\"Long\"=hex:01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,\\\n"
                               "  11,12\n";

#define NEW_K "[Software\\\\K] 1700000000\n#time=1da1747c66d0000\n\"V\"=\"x\"\n"

// Setting the value `name` of `key` to text in `before` must give `before`
// with `from` replaced by `to` (appended when `from` is empty), or be
// refused when `to` is null.
// clang-format off
struct WriteRow { QByteArray before; const char* key; const char* name; const char* text; QByteArray from; const char* to; };
const WriteRow kWriteRows[] = {
    // Existing values keep their name's spelling; continued lines go whole.
    {kSample, "software\\k", "loc", "E:\\\"\u00f6\"", "\"Loc\"=\"C:\\\\Games\"", R"("Loc"="E:\\\"\xf6\"")"},
    {kSample, "Software\\Other", "LONG", "t", "\"Long\"=hex:01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,\\\n  11,12", R"("Long"="t")"},
    {kSample, "Software\\K", "", "d", "@=\"default\"", R"(@="d")"},
    {kSample, "Software\\K", "New", "", "@=\"default\"\n", "@=\"default\"\n\"New\"=\"\"\n"},
    {HEADER "[Software\\\\K] 5\n#time=1\n\n[Z] 5\n", "Software\\K", "V", "v", "#time=1\n", "#time=1\n\"V\"=\"v\"\n"},
    {kSample, "\\Software\\Odd [Key]\\", "V", "x", "", "\n[Software\\\\Odd \\[Key\\]] 1700000000\n#time=1da1747c66d0000\n\"V\"=\"x\"\n"},
    // Escapes as Wine writes them: a hex digit after \x or an octal digit
    // after a short escape would be read as part of it.
    {kSample, "Software\\K", "Loc", "Stra\u00dfe \u00e4\u00e4 \u00e40 \u4e2d\u6587 \U0001F600", "C:\\\\Games",
     R"(Stra\x00dfe \xe4\xe4 \x00e40 \x4e2d\x6587 \xd83d\xde00)"},
    {kSample, "Software\\K", "Loc", "a\tb\x1b\x01" "7\x01" "8\x03" "0\x02\x7f", "C:\\\\Games", R"(a\tb\e\0017\18\0030\2)" "\x7f"},
    // Line breaks and unfinished last lines read as before.
    {"WINE REGISTRY Version 2\r\n\r\n[Software\\\\K] 1\r\n\"A\"=\"b\"\r\n", "Software\\K", "C", "d", "", "\"C\"=\"d\"\r\n"},
    {HEADER "[Software\\\\K] 1\n\"A\"=\"b\"", "Software\\K", "A", "z", "\"b\"", "\"z\""},
    {HEADER "[Software\\\\K] 1\n\"A\"=\"b\"", "Software\\K", "C", "d", "", "\n\"C\"=\"d\"\n"},
    {HEADER "[Software\\\\K] 1\n\"A\"=\"b\"\r\r\n[Z] 1\n", "Software\\K", "C", "d", "[Z]", "\"C\"=\"d\"\n[Z]"},
    {HEADER "[Software\\\\K] 1\n\"A\"=\"b\"\r", "Software\\K", "C", "d", "", "\r\n\"C\"=\"d\"\n"},
    {HEADER "[Z] 1\n\"A\"=\"b\"\r", "Software\\K", "V", "x", "", "\r\n\n" NEW_K},
    // Hex data waiting for its rest, or an open string, stays rejected.
    {HEADER "[Z] 1\n\"H\"=hex:01,\\", "Software\\K", "V", "x", "", "\n;\n\n" NEW_K},
    {HEADER "[Z] 1\n\"H\"=hex:01 \\ 02\r\n", "Software\\K", "V", "x", "", ";\n\n" NEW_K},
    {HEADER "[Software\\\\K] 1\n\"H\"=hex:01,\\\n", "Software\\K", "V", "x", "1\n", "1\n\"V\"=\"x\"\n"},
    {HEADER "[Software\\\\K] 1\n\"V\"=\"open\n", "Software\\K", "V", "x", "1\n", "1\n\"V\"=\"x\"\n"},
    // Refused: no registry file, no key, a line break in the value.
    {"REGEDIT4\n", "Software\\K", "V", "x", "", nullptr}, {"", "Software\\K", "V", "x", "", nullptr},
    {kSample, "\\\\", "V", "x", "", nullptr}, {kSample, "Software\\K", "V", "C:\\a\nb", "", nullptr},
    {kSample, "Software\\K", "Loc", "C:\\a\r", "", nullptr},
};
// clang-format on

TEST(WineRegistryFile, ASetChangesOnlyTheValuesBytesAndReadsBack) {
    for (const WriteRow& row : kWriteRows) {
        SCOPED_TRACE(row.before.toStdString() + " <- " + row.text);
        const auto after =
            setWineRegistryString(row.before, row.key, row.name, row.text, 1700000000);
        ASSERT_EQ(after.has_value(), row.to != nullptr);
        if (!after)
            continue;
        EXPECT_EQ(after->toStdString(),
                  (row.from.isEmpty() ? row.before + row.to
                                      : QByteArray(row.before).replace(row.from, row.to))
                      .toStdString());
        EXPECT_TRUE(fuzz::registryEditHolds(row.before, row.key, row.name, row.text));
    }
}

// The quick look into a registry file for a key: the header, "#arch=win64"
// from before the first key and the sections whose key line names the key's
// last part, ignoring case. (The scan for that name, taken in pieces, is
// checked against a plain search by the key_scan corpus.)
TEST(WineRegistryFile, AnExcerptHoldsTheHeaderAndTheKeysSections) {
    const QByteArray wow = "[Software\\\\Wow6432Node\\\\Halvane Entertainment\\\\korrin "
                           "DEEPFALL] 1\n\"InstallLocation\"=\"x\"\n";
    const QByteArray file =
        HEADER "#arch=win64\n#x\n[A] 1\n\"Korrin Deepfall\"=\"\"\n" + wow + "[Z] 1\n";
    EXPECT_EQ(wineRegistryExcerpt(file, kInstallKeyPath), HEADER "#arch=win64\n" + wow);
    // The key's section last, its last line holding a backslash (no continuation).
    const QByteArray last = wow + "\"Path\"=\"C:\\\\x\"\n";
    EXPECT_EQ(wineRegistryExcerpt(HEADER "[A] 1\n" + last, kInstallKeyPath), HEADER + last);
}

// clang-format off
const std::pair<QByteArray, QStringList> kVdfRows[] = {
    {"\xEF\xBB\xBF\"libraryfolders\"\n{\n\t\"0\"\n\t{\n\t\t\"path\"\t\t\"/home/a/Steam\"\n\t\t\"apps\"\n"
     "\t\t{\n\t\t\t\"228980\"\t\t\"351237120\"\n\t\t}\n\t}\n\t\"1\" { \"path\" \"/mnt/Steam Library\" }\n}\n",
     {"/home/a/Steam", "/mnt/Steam Library"}},
    {"// by hand\n\"LibraryFolders\" { 0 { path \"/mnt/My \\\"G\\\"\\\\x\" [$LINUX] label x }\n"
     "  \"1\" { // \"path\" \"/commented\"\n \"PATH\" \"/mnt/b\\n\" } }",
     {"/mnt/My \"G\"\\x", "/mnt/b\\n"}},
    {"\"LibraryFolders\" { \"TimeNextStatsReport\" \"17\" \"ContentStatsID\" \"-1\" \"10\" \"/mnt/old\" }", {"/mnt/old"}},
    {"\"other\" { \"0\" { \"path\" \"/no\" } } \"libraryfolders\" { \"path\" \"/no\" "
     "\"0\" { \"apps\" { \"path\" \"/no\" } \"path\" \"/yes\" } }", {"/yes"}},
    {"} } \"libraryfolders\" { \"0\" { \"path\" \"/kept\" } \"1\" { \"path\" \"/cut", {"/kept"}},
    // A byte order mark inside a path is part of a folder's name, and a
    // broken UTF-8 tail still gives its replacement character.
    {"libraryfolders { 0 { path \"\xEF\xBB\xBF\" } 1 { path \"/mnt/a\xC3\" } 2 { path \"\" } }",
     {QString(QChar(0xfeff)), "/mnt/a\ufffd"}},
    {"\xff\xfe{\0\"path\"}}{"_ba, {}}, {"libraryfolders { 0 { \"x\" } \"1\" \"/b\" }", {"/b"}},
};
// clang-format on

TEST(SteamLibraryFile, ReadsThePathsSteamListed) {
    for (const auto& [text, paths] : kVdfRows)
        EXPECT_EQ(steamLibraryPaths(text), paths) << text.constData();
}

} // namespace
