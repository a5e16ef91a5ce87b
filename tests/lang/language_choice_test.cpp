// Which language file start-up takes: from the program folder the user can
// write, language.lng whatever the desktop's language; from one they cannot,
// their own file first, then the desktop's language, then English.

#include "lang/language_choice.h"
#include "shell/choice_folder.h"
#include "test_support.h"

namespace quillset::test {
namespace {

struct ChoiceRow {
    const char* name;
    // 'r' the program folder read-only; XDG_CONFIG_HOME 'x' absolute, 'X'
    // absolute and read-only, 'v' relative, unset otherwise; 'H' the home's
    // choices folder read-only.
    const char* folders;
    const char *lcAll, *lcMessages, *lang;
    // The user's language.lng: "lng" a language file, "empty", "binary",
    // "folder", "text" (no section); written in the folder expected, or in
    // XDG_CONFIG_HOME's for a program folder the user can write.
    const char* own;
    const char* shipped; // beside the program: 'd' language.lng, 'e' language.en.lng
    char place;          // the choices' folder: 'p' the program's, 'x' XDG's, 'h' home's
    const char* taken;   // "own", a shipped file's name, or none
    const char* passed;  // why the user's file was passed over

    // The row's name, also in failure messages.
    friend void PrintTo(const ChoiceRow& row, std::ostream* out) { *out << row.name; }
};

// clang-format off
const ChoiceRow kRows[] = {
    {"PortableGerman",        "x",   "",           "",      "de_DE.UTF-8", "lng",    "de", 'p', "language.lng",    nullptr},
    {"PortableEnglish",       "",    "",           "",      "en_US.UTF-8", nullptr,  "de", 'p', "language.lng",    nullptr},
    {"PortableMissing",       "x",   "",           "",      "en_US.UTF-8", "lng",    "e",  'p', nullptr,           nullptr},
    {"InstalledEnglish",      "rx",  "",           "",      "en_US.UTF-8", nullptr,  "de", 'x', "language.en.lng", nullptr},
    {"InstalledGerman",       "rx",  "",           "",      "de_AT@euro",  nullptr,  "de", 'x', "language.lng",    nullptr},
    {"LcAllFirst",            "rx",  "de_DE.utf8", "en_GB", "en_US.UTF-8", nullptr,  "de", 'x', "language.lng",    nullptr},
    {"LcMessagesBeforeLang",  "rx",  "",           "en_GB", "de_DE.UTF-8", nullptr,  "de", 'x', "language.en.lng", nullptr},
    {"JunkLocale",            "rx",  "",           "",      "xx",          nullptr,  "de", 'x', "language.en.lng", nullptr},
    {"CLocaleBeforeGerman",   "rx",  "C",          "",      "de_DE.UTF-8", nullptr,  "de", 'x', "language.en.lng", nullptr},
    {"NoLocale",              "rx",  "",           "",      "",            nullptr,  "de", 'x', "language.en.lng", nullptr},
    {"OwnFileFirst",          "rx",  "",           "",      "de_DE.UTF-8", "lng",    "de", 'x', "own",             nullptr},
    {"OwnEmpty",              "rx",  "",           "",      "de_DE.UTF-8", "empty",  "de", 'x', "language.lng",    "it is empty"},
    {"OwnBinary",             "rx",  "",           "",      "en_US.UTF-8", "binary", "de", 'x', "language.en.lng", "it is not text"},
    {"OwnFolder",             "rx",  "",           "",      "en_US.UTF-8", "folder", "de", 'x', "language.en.lng", "it is a folder"},
    {"OwnWithoutSections",    "rx",  "",           "",      "en_US.UTF-8", "text",   "e",  'x', "language.en.lng", "it has no section"},
    {"OwnWithoutShipped",     "rx",  "",           "",      "en_US.UTF-8", "lng",    "",   'x', "own",             nullptr},
    {"EnglishMissing",        "rx",  "",           "",      "en_US.UTF-8", nullptr,  "d",  'x', "language.lng",    nullptr},
    {"GermanMissing",         "rx",  "",           "",      "de_DE.UTF-8", "empty",  "e",  'x', "language.en.lng", "it is empty"},
    {"NoneAtAll",             "rx",  "",           "",      "de_DE.UTF-8", "binary", "",   'x', nullptr,           "it is not text"},
    {"XdgUnsetHome",          "r",   "",           "",      "en_US.UTF-8", "lng",    "de", 'h', "own",             nullptr},
    {"XdgRelativeHome",       "rv",  "",           "",      "en_US.UTF-8", "lng",    "de", 'h', "own",             nullptr},
    {"XdgReadOnlyHome",       "rX",  "",           "",      "en_US.UTF-8", "lng",    "de", 'h', "own",             nullptr},
    {"NothingWritableHome",   "rXH", "",           "",      "de_DE.UTF-8", "lng",    "de", 'h', "own",             nullptr},
};
// clang-format on

class LanguageChoice : public ::testing::TestWithParam<ChoiceRow> {};

TEST_P(LanguageChoice, TakesTheFileTheRowSays) {
    const ChoiceRow& r = GetParam();
    const QByteArray folders = r.folders;
    TempFolder program, home, xdg;
    for (const char c : QByteArray(r.shipped))
        writeBytes(program.file(c == 'd' ? u"language.lng"_s : u"language.en.lng"_s),
                   QByteArray("[Menu]\r\n") + c);
    const ChoiceEnvironment environment{
        home.path(), folders.contains('v')                            ? u"config"_s
                     : folders.contains('x') || folders.contains('X') ? xdg.path()
                                                                      : QString()};
    const QString userFolder =
        r.place == 'h' ? home.file(u".config/quillset"_s) : xdg.file(u"quillset"_s);
    const QString own = userFolder + u"/language.lng"_s;
    const QByteArray kind = r.own;
    const QByteArray content = kind == "lng"      ? QByteArray("# mine\r\n[Menu]\r\nFile")
                               : kind == "binary" ? QByteArray("[Menu]\0\x01\x02", 9)
                               : kind == "text"   ? QByteArray("Datei\r\nMenu\r\n")
                                                  : QByteArray();
    ASSERT_TRUE(!r.own ||
                (kind == "folder" ? QDir().mkpath(own)
                                  : QDir().mkpath(userFolder) && writeBytes(own, content)));
    const ReadOnlyFolder readOnly[] = {
        ReadOnlyFolder(folders.contains('r') ? program.path() : QString()),
        ReadOnlyFolder(folders.contains('X') ? xdg.path() : QString()),
        ReadOnlyFolder(!folders.contains('H')          ? QString()
                       : QFileInfo::exists(userFolder) ? userFolder
                                                       : home.path())};
    const LocaleEnvironment locale{QLatin1String(r.lcAll), QLatin1String(r.lcMessages),
                                   QLatin1String(r.lang)};

    withFolderReadOnly(folders.contains('r') ? program.path() : QString(), [&] {
        const ChoiceFolder choices = ChoiceFolder::find(program.path(), environment);
        EXPECT_EQ(choices, (r.place == 'p' ? ChoiceFolder{program.path(), false}
                                           : ChoiceFolder{userFolder, true}));
        EXPECT_EQ(canKeepFilesIn(choices.path), !folders.contains('H'));
        const LanguageFileChoice choice = chooseLanguageFile(
            program.path(), choices.perUser ? std::optional(choices.path) : std::nullopt, locale);
        const QByteArray taken = r.taken;
        EXPECT_EQ(choice.path, !r.taken ? std::nullopt
                               : taken == "own"
                                   ? std::optional(own)
                                   : std::optional(program.file(QLatin1String(taken))));
        EXPECT_EQ(choice.passedOver.join('|'),
                  r.passed ? "init_language() -> not loading " + own + ": " + r.passed : QString());
    });
}

INSTANTIATE_TEST_SUITE_P(Rows, LanguageChoice, ::testing::ValuesIn(kRows), rowName);

} // namespace
} // namespace quillset::test
