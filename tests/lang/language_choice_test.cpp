// Which language file start-up takes: from the program folder the user can
// write, language.lng whatever the desktop's language; from one they cannot,
// their own file first, then the desktop's language, then English.

#include "lang/language_choice.h"
#include "shell/choice_folder.h"
#include "test_support.h"

namespace quillset::test {
namespace {

// The folders, combined with |: the program folder read-only (installed for
// every user); XDG_CONFIG_HOME an absolute folder, one read-only, or a
// relative path (unset otherwise); the home's choices folder read-only.
constexpr unsigned Portable = 0, Installed = 1, Xdg = 2, XdgReadOnly = 4, XdgRelative = 8,
                   HomeReadOnly = 16;
// The language files beside the program: language.lng (German), language.en.lng.
enum Shipped { Neither = 0, German = 1, English = 2, Both = German | English };
// The choices' folder: the program's, XDG_CONFIG_HOME's, the home's.
enum Place { InProgram, InXdg, InHome };

struct ChoiceRow {
    const char* name;
    unsigned folders;
    const char* lang;
    // The user's language.lng: "lng" a language file, "empty", "binary",
    // "folder", "text" (no section); written in the folder expected, or in
    // XDG_CONFIG_HOME's for a program folder the user can write.
    const char* own;
    Shipped shipped;
    Place place;
    const char* taken;  // "own", a shipped file's name, or none
    const char* passed; // why the user's file was passed over
    const char *lcAll = "", *lcMessages = "";

    // The row's name, also in failure messages.
    friend void PrintTo(const ChoiceRow& row, std::ostream* out) { *out << row.name; }
};

// clang-format off
const ChoiceRow kRows[] = {
    {"Portable",             Xdg,                     "en_US.UTF-8", "lng",    Both,    InProgram, "language.lng",    nullptr},
    {"PortableMissing",      Xdg,                     "en_US.UTF-8", "lng",    English, InProgram, nullptr,           nullptr},
    {"InstalledEnglish",     Installed | Xdg,         "en_US.UTF-8", nullptr,  Both,    InXdg,     "language.en.lng", nullptr},
    {"InstalledGerman",      Installed | Xdg,         "de_AT@euro",  nullptr,  Both,    InXdg,     "language.lng",    nullptr},
    {"LcAllFirst",           Installed | Xdg,         "en_US.UTF-8", nullptr,  Both,    InXdg,     "language.lng",    nullptr, "de_DE.utf8", "en_GB"},
    {"LcMessagesBeforeLang", Installed | Xdg,         "de_DE.UTF-8", nullptr,  Both,    InXdg,     "language.en.lng", nullptr, "", "en_GB"},
    {"CLocaleBeforeGerman",  Installed | Xdg,         "de_DE.UTF-8", nullptr,  Both,    InXdg,     "language.en.lng", nullptr, "C", ""},
    {"NoLocale",             Installed | Xdg,         "",            nullptr,  Both,    InXdg,     "language.en.lng", nullptr},
    {"OwnFileFirst",         Installed | Xdg,         "de_DE.UTF-8", "lng",    Both,    InXdg,     "own",             nullptr},
    {"OwnEmpty",             Installed | Xdg,         "de_DE.UTF-8", "empty",  Both,    InXdg,     "language.lng",    "it is empty"},
    {"OwnBinary",            Installed | Xdg,         "en_US.UTF-8", "binary", Both,    InXdg,     "language.en.lng", "it is not text"},
    {"OwnFolder",            Installed | Xdg,         "en_US.UTF-8", "folder", Both,    InXdg,     "language.en.lng", "it is a folder"},
    {"OwnWithoutSections",   Installed | Xdg,         "en_US.UTF-8", "text",   English, InXdg,     "language.en.lng", "it has no section"},
    {"EnglishMissing",       Installed | Xdg,         "en_US.UTF-8", nullptr,  German,  InXdg,     "language.lng",    nullptr},
    {"GermanMissing",        Installed | Xdg,         "de_DE.UTF-8", "empty",  English, InXdg,     "language.en.lng", "it is empty"},
    {"NoneAtAll",            Installed | Xdg,         "de_DE.UTF-8", "binary", Neither, InXdg,     nullptr,           "it is not text"},
    {"XdgRelativeHome",      Installed | XdgRelative, "en_US.UTF-8", "lng",    Both,    InHome,    "own",             nullptr},
    {"XdgReadOnlyHome",      Installed | XdgReadOnly, "en_US.UTF-8", "lng",    Both,    InHome,    "own",             nullptr},
    {"NothingWritableHome",  Installed | XdgReadOnly |
                             HomeReadOnly,            "de_DE.UTF-8", "lng",    Both,    InHome,    "own",             nullptr},
};
// clang-format on

class LanguageChoice : public ::testing::TestWithParam<ChoiceRow> {};

TEST_P(LanguageChoice, TakesTheFileTheRowSays) {
    const ChoiceRow& r = GetParam();
    TempFolder program, home, xdg;
    if (r.shipped & German)
        writeBytes(program.file(u"language.lng"_s), "[Menu]\r\nd");
    if (r.shipped & English)
        writeBytes(program.file(u"language.en.lng"_s), "[Menu]\r\ne");
    const ChoiceEnvironment environment{home.path(), r.folders & XdgRelative           ? u"config"_s
                                                     : r.folders & (Xdg | XdgReadOnly) ? xdg.path()
                                                                                       : QString()};
    const QString userFolder =
        r.place == InHome ? home.file(u".config/quillset"_s) : xdg.file(u"quillset"_s);
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
        ReadOnlyFolder(r.folders & Installed ? program.path() : QString()),
        ReadOnlyFolder(r.folders & XdgReadOnly ? xdg.path() : QString()),
        ReadOnlyFolder(!(r.folders & HomeReadOnly)     ? QString()
                       : QFileInfo::exists(userFolder) ? userFolder
                                                       : home.path())};
    const LocaleEnvironment locale{QLatin1String(r.lcAll), QLatin1String(r.lcMessages),
                                   QLatin1String(r.lang)};

    withFolderReadOnly(r.folders & Installed ? program.path() : QString(), [&] {
        const ChoiceFolder choices = ChoiceFolder::find(program.path(), environment);
        EXPECT_EQ(choices, (r.place == InProgram ? ChoiceFolder{program.path(), false}
                                                 : ChoiceFolder{userFolder, true}));
        EXPECT_EQ(canKeepFilesIn(choices.path), !(r.folders & HomeReadOnly));
        const LanguageFileChoice choice = chooseLanguageFile(
            program.path(), choices.perUser ? std::optional(choices.path) : std::nullopt, locale);
        const QByteArray taken = r.taken;
        const QString expected = taken == "own" ? own : program.file(QLatin1String(taken));
        EXPECT_EQ(choice.path, r.taken ? std::optional(expected) : std::nullopt);
        EXPECT_EQ(choice.passedOver.join('|'),
                  r.passed ? "init_language() -> not loading " + own + ": " + r.passed : QString());
    });
}

INSTANTIATE_TEST_SUITE_P(Rows, LanguageChoice, ::testing::ValuesIn(kRows), rowName);

} // namespace
} // namespace quillset::test
