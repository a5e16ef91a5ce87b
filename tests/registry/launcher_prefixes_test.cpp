// Finding the game among the Wine prefixes that Linux launchers make, each
// laid out in a throw-away home folder as the launcher itself lays it out.

#include "accounts/qstring_printer.h"
#include "registry/launchers/game_prefix_search.h"
#include "registry/launchers/steam_library_file.h"
#include "registry/wine_registry.h"
#include "registry/wine_registry_excerpt.h"
#include "wine_test_prefix.h"

#include <QDateTime>
#include <QFileInfo>
#include <QRandomGenerator>
#include <gtest/gtest.h>

#include <cctype>
#include <functional>
#include <string>
#include <sys/stat.h>

using namespace quillset;
using quillset::test::TempFolder;
using quillset::test::wineRegFile;

namespace {

// A home folder with launchers' files in it. Paths are relative to it.
class Home {
    TempFolder dir_; // before places, which are made from it

public:
    Home() : places(SearchPlaces::underHome(dir_.path())) {}

    QString path(const QString& rest = {}) const {
        return rest.isEmpty() ? dir_.path() : dir_.path() + QLatin1Char('/') + rest;
    }
    void put(const QString& file, const QByteArray& bytes) const {
        QDir().mkpath(QFileInfo(path(file)).path());
        ASSERT_TRUE(test::writeBytes(path(file), bytes)) << file.toStdString();
    }
    void link(const QString& target, const QString& name) const {
        QDir().mkpath(QFileInfo(path(name)).path());
        ASSERT_EQ(::symlink(QFile::encodeName(target), QFile::encodeName(path(name))), 0);
    }

    // A prefix as Wine leaves it after the game's installer ran: a 32-bit
    // installer in a 64-bit prefix writes the machine root through
    // Wow6432Node; an installer run without rights writes the per-user root.
    enum class Value { Machine64, Machine32, PerUser };
    void gamePrefix(const QString& prefix, Value where = Value::Machine64,
                    const char* installLocation = R"(C:\\Games\\Korrin)") const {
        plainPrefix(prefix);
        const QByteArray value = QByteArray(R"("InstallLocation"=")") + installLocation + '"';
        const char* key =
            where == Value::Machine64
                ? R"([Software\\Wow6432Node\\Halvane Entertainment\\Korrin Deepfall] 1700000000)"
                : R"([Software\\Halvane Entertainment\\Korrin Deepfall] 1700000000)";
        const QByteArray hive =
            wineRegFile({R"([Software\\Classes\\.txt] 1700000000)", "@=\"txtfile\"", "", key,
                         "#time=1da1d8f0a9e3c00", value.constData(), "",
                         R"([Software\\Wine] 1700000000)", R"("Version"="win10")"},
                        where == Value::Machine32 ? "win32" : "win64");
        put(prefix + (where == Value::PerUser ? "/user.reg" : "/system.reg"), hive);
        QDir().mkpath(path(prefix + "/drive_c/Games/Korrin"));
    }
    void plainPrefix(const QString& prefix) const {
        ASSERT_TRUE(test::makePrefixFolder(path(prefix)));
        put(prefix + "/system.reg",
            wineRegFile({R"([Software\\Wine] 1700000000)", R"("Version"="win10")"}, "win64"));
        put(prefix + "/user.reg", wineRegFile({R"([Software\\Wine\\Fonts] 1700000000)"}));
    }
    void settingsChangedAt(const QString& prefix, qint64 secsSinceEpoch) const {
        const QString cfg = prefix + "/drive_c/Games/Korrin/settings.cfg";
        put(cfg, "SOUND : 1\r\n");
        QFile file(path(cfg));
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(QDateTime::fromSecsSinceEpoch(secsSinceEpoch),
                                     QFileDevice::FileModificationTime));
    }

    SearchPlaces places;
};

// libraryfolders.vdf as Steam writes it: the main library first.
QByteArray libraryFolders(const QStringList& libraries) {
    QByteArray vdf = "\"libraryfolders\"\n{\n";
    for (qsizetype i = 0; i < libraries.size(); ++i) {
        vdf += "\t\"" + QByteArray::number(i) + "\"\n\t{\n\t\t\"path\"\t\t\"" +
               libraries[i].toUtf8() + "\"\n\t\t\"label\"\t\t\"\"\n\t\t\"contentid\"\t\t\"" +
               "4133972391012133381\"\n\t\t\"apps\"\n\t\t{"
               "\n\t\t\t\"228980\"\t\t\"351237120\"\n\t\t}\n\t}\n";
    }
    return vdf + "}\n";
}

const char* const kLutrisGame = "game:\n  exe: drive_c/Games/Korrin/Korrin.exe\n  prefix: %1\n"
                                "game_slug: korrin\nname: Korrin\nrunner: wine\n"
                                "wine:\n  version: lutris-7.2-2-x86_64\n";

struct SearchRow {
    const char* name;
    std::function<void(Home&)> build;
    QStringList found; // prefixes holding the game, in search order
    QString used;      // the prefix taken; empty for none
};

const SearchRow kSearchRows[] = {
    {"wine default prefix, value per user",
     [](Home& h) { h.gamePrefix(".wine", Home::Value::PerUser); },
     {".wine"},
     ".wine"},
    {"steam main library, reached twice through the usual link",
     [](Home& h) {
         h.gamePrefix(".local/share/Steam/steamapps/compatdata/3141592653/pfx");
         h.link(h.path(".local/share/Steam"), ".steam/steam");
     },
     {".local/share/Steam/steamapps/compatdata/3141592653/pfx"},
     ".local/share/Steam/steamapps/compatdata/3141592653/pfx"},
    {"steam second library on another drive",
     [](Home& h) {
         h.put(".local/share/Steam/steamapps/libraryfolders.vdf",
               libraryFolders({h.path(".local/share/Steam"), h.path("drive2/SteamLibrary")}));
         h.plainPrefix(".local/share/Steam/steamapps/compatdata/228980/pfx");
         h.gamePrefix("drive2/SteamLibrary/steamapps/compatdata/3141592653/pfx");
     },
     {"drive2/SteamLibrary/steamapps/compatdata/3141592653/pfx"},
     "drive2/SteamLibrary/steamapps/compatdata/3141592653/pfx"},
    {"steam flatpak",
     [](Home& h) {
         h.gamePrefix(".var/app/com.valvesoftware.Steam/data/Steam/steamapps/compatdata/7/pfx");
     },
     {".var/app/com.valvesoftware.Steam/data/Steam/steamapps/compatdata/7/pfx"},
     ".var/app/com.valvesoftware.Steam/data/Steam/steamapps/compatdata/7/pfx"},
    {"lutris, prefix under ~",
     [](Home& h) {
         h.gamePrefix("Games/korrin", Home::Value::Machine32);
         h.put(".config/lutris/games/korrin-1700000000.yml",
               QByteArray(kLutrisGame).replace("%1", "~/Games/korrin"));
     },
     {"Games/korrin"},
     "Games/korrin"},
    {"lutris in the data folder, prefix at the top",
     [](Home& h) {
         h.gamePrefix("wine/korrin");
         h.put(".local/share/lutris/games/korrin.yml",
               "prefix: " + h.path("wine/korrin").toUtf8() + "\nrunner: wine\n");
     },
     {"wine/korrin"},
     "wine/korrin"},
    {"bottles, in $XDG_DATA_HOME",
     [](Home& h) {
         h.places.dataHome = h.path("xdg-data");
         h.gamePrefix(".local/share/bottles/bottles/Ignored");
         h.gamePrefix("xdg-data/bottles/bottles/Korrin");
     },
     {"xdg-data/bottles/bottles/Korrin"},
     "xdg-data/bottles/bottles/Korrin"},
    {"bottles flatpak",
     [](Home& h) { h.gamePrefix(".var/app/com.usebottles.bottles/data/bottles/bottles/Games"); },
     {".var/app/com.usebottles.bottles/data/bottles/bottles/Games"},
     ".var/app/com.usebottles.bottles/data/bottles/bottles/Games"},
    {"heroic game configuration",
     [](Home& h) {
         h.gamePrefix("Wine/heroic-korrin");
         h.put(
             ".config/heroic/GamesConfig/Kq7sD2.json",
             R"({"Kq7sD2": {"autoInstallDxvk": true, "winePrefix": ")" +
                 h.path("Wine/heroic-korrin").toUtf8() +
                 R"(", "wineVersion": {"bin": "/usr/bin/wine", "type": "wine"}}, "version": "v0"})");
     },
     {"Wine/heroic-korrin"},
     "Wine/heroic-korrin"},
    {"heroic prefixes folder",
     [](Home& h) { h.gamePrefix("Games/Heroic/Prefixes/default/Korrin"); },
     {"Games/Heroic/Prefixes/default/Korrin"},
     "Games/Heroic/Prefixes/default/Korrin"},
    {"playonlinux",
     [](Home& h) { h.gamePrefix(".PlayOnLinux/wineprefix/Korrin", Home::Value::Machine32); },
     {".PlayOnLinux/wineprefix/Korrin"},
     ".PlayOnLinux/wineprefix/Korrin"},
    {"two prefixes: the newer settings win",
     [](Home& h) {
         h.gamePrefix(".wine");
         h.settingsChangedAt(".wine", 1700000000);
         h.gamePrefix(".local/share/bottles/bottles/Korrin");
         h.settingsChangedAt(".local/share/bottles/bottles/Korrin", 1700000100);
         h.gamePrefix(".PlayOnLinux/wineprefix/Korrin"); // no settings: oldest
     },
     {".wine", ".local/share/bottles/bottles/Korrin", ".PlayOnLinux/wineprefix/Korrin"},
     ".local/share/bottles/bottles/Korrin"},
    {"two prefixes without settings: the first listed wins",
     [](Home& h) {
         h.gamePrefix(".PlayOnLinux/wineprefix/Korrin");
         h.gamePrefix(".local/share/bottles/bottles/Korrin");
     },
     {".local/share/bottles/bottles/Korrin", ".PlayOnLinux/wineprefix/Korrin"},
     ".local/share/bottles/bottles/Korrin"},
    {"a launcher names a missing prefix: ~/.wine as before",
     [](Home& h) {
         h.plainPrefix(".wine");
         h.put(".config/lutris/games/gone.yml",
               QByteArray(kLutrisGame).replace("%1", "/nonexistent/korrin"));
     },
     {},
     ".wine"},
    {"the value maps nowhere: no prefix",
     [](Home& h) {
         h.gamePrefix(".local/share/bottles/bottles/OtherDrive", Home::Value::Machine64,
                      R"(D:\\Games\\Korrin)");
         h.gamePrefix(".local/share/bottles/bottles/Uninstalled", Home::Value::Machine64,
                      R"(C:\\Korrin)");
     },
     {},
     {}},
    {"hostile launcher files are skipped",
     [](Home& h) {
         QByteArray junk(4096, '\0');
         QRandomGenerator random(42);
         for (char& c : junk)
             c = static_cast<char>(random.bounded(256));
         h.put(".local/share/Steam/steamapps/libraryfolders.vdf", junk);
         h.put(".config/lutris/games/junk.yml", junk);
         h.put(".config/lutris/games/deep.yml", QByteArray(100000, '['));
         h.put(".config/heroic/GamesConfig/junk.json", junk);
         h.put(".local/share/bottles/bottles/Junk/system.reg", junk);
         for (const char* fifo :
              {".config/lutris/games/fifo.yml", ".config/heroic/GamesConfig/fifo.json",
               ".steam/steam/steamapps/libraryfolders.vdf"}) {
             QDir().mkpath(QFileInfo(h.path(fifo)).path());
             ASSERT_EQ(::mkfifo(QFile::encodeName(h.path(fifo)).constData(), 0600), 0);
         }
         h.link("loop.json", ".config/heroic/GamesConfig/loop.json");
         h.link(h.path(".local/share/Steam/steamapps/compatdata"),
                ".local/share/Steam/steamapps/compatdata/loop");
         h.put(".config/lutris/games/huge.yml", "game:\n  prefix: ~/Games/korrin\n");
         QFile huge(h.path(".config/lutris/games/huge.yml"));
         ASSERT_TRUE(huge.resize(qint64(100) << 20)); // sparse: costs no disk
         h.gamePrefix("Games/korrin");
         h.gamePrefix(".PlayOnLinux/wineprefix/Korrin");
     },
     {".PlayOnLinux/wineprefix/Korrin"},
     ".PlayOnLinux/wineprefix/Korrin"},
};

class LauncherSearch : public ::testing::TestWithParam<SearchRow> {};

TEST_P(LauncherSearch, FindsTheGamesPrefix) {
    const SearchRow& row = GetParam();
    Home home;
    row.build(home);
    if (::testing::Test::HasFatalFailure())
        return;
    const QString nowhere = home.path("no-program-here");
    const WinePrefixChoice choice = chooseWinePrefix(nowhere, QString(), home.places);

    QStringList trace;
    for (const QString& prefix : row.found)
        trace.append("Registry -> Game found in Wine prefix " + home.path(prefix));
    if (row.found.isEmpty())
        trace.append("Registry -> No Wine prefix holds the game");
    if (!row.used.isEmpty())
        trace.append("Registry -> Using Wine prefix " + home.path(row.used));
    EXPECT_EQ(choice.prefix, row.used.isEmpty() ? QString() : home.path(row.used));
    EXPECT_EQ(choice.trace, trace);
    if (!row.used.isEmpty() && !row.found.isEmpty()) {
        EXPECT_EQ(gameFolderInPrefix(choice.prefix), home.path(row.used + "/drive_c/Games/Korrin"));
    }
}

INSTANTIATE_TEST_SUITE_P(Launchers, LauncherSearch, ::testing::ValuesIn(kSearchRows),
                         [](const auto& info) {
                             std::string name;
                             for (const char* c = info.param.name; *c; ++c)
                                 name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
                             return name;
                         });

TEST(WinePrefixOrder, TheUsersPrefixAndTheProgramsPrefixComeFirstAndAreNotTraced) {
    Home home;
    home.gamePrefix(".wine");
    home.gamePrefix("portable");
    const QString program = home.path("portable/drive_c/Games/Korrin");
    const WinePrefixChoice chosen = chooseWinePrefix(program, home.path("elsewhere"), home.places);
    EXPECT_EQ(chosen.prefix, home.path("elsewhere"));
    const WinePrefixChoice around = chooseWinePrefix(program, QString(), home.places);
    EXPECT_EQ(around.prefix, home.path("portable"));
    EXPECT_TRUE(chosen.trace.isEmpty());
    EXPECT_TRUE(around.trace.isEmpty());
}

struct VdfRow {
    const char* name;
    QByteArray text;
    QStringList paths;
};

const VdfRow kVdfRows[] = {
    {"steam's layout",
     libraryFolders({"/home/ann/.local/share/Steam", "/mnt/games/Steam Library"}),
     {"/home/ann/.local/share/Steam", "/mnt/games/Steam Library"}},
    {"escapes, comments, bare words, conditions",
     "// written by hand\n\"LibraryFolders\" { 0 { path \"/mnt/My \\\"Games\\\"\\\\x\" [$LINUX] "
     "label x }\n"
     "  \"1\" { // \"path\" \"/commented\"\n \"PATH\" \"/mnt/b\\n\" } }",
     {"/mnt/My \"Games\"\\x", "/mnt/b\\n"}},
    {"older steam: numbered paths at the top",
     "\"LibraryFolders\"\n{\n\t\"TimeNextStatsReport\"\t\t\"1700000000\"\n"
     "\t\"ContentStatsID\"\t\t\"-1\"\n\t\"1\"\t\t\"/mnt/old\"\n}\n",
     {"/mnt/old"}},
    {"paths at other depths or in other objects",
     "\"other\" { \"0\" { \"path\" \"/no\" } } \"libraryfolders\" { \"path\" \"/no\" "
     "\"0\" { \"apps\" { \"path\" \"/no\" } \"path\" \"/yes\" } }",
     {"/yes"}},
    {"unclosed string, stray braces",
     "} } \"libraryfolders\" { \"0\" { \"path\" \"/kept\" } \"1\" { \"path\" \"/cut",
     {"/kept"}},
    {"not a library file", QByteArray("\xff\xfe{\0\"path\"}}{", 13), {}},
};

class SteamLibraryFile : public ::testing::TestWithParam<VdfRow> {};

TEST_P(SteamLibraryFile, ReadsThePaths) {
    EXPECT_EQ(steamLibraryPaths(GetParam().text), GetParam().paths) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(Rows, SteamLibraryFile, ::testing::ValuesIn(kVdfRows));

// The quick look into a registry file must find what reading it whole finds.
struct ExcerptRow {
    const char* name;
    QByteArray file;
};

const ExcerptRow kExcerptRows[] = {
    {"as wine writes it",
     wineRegFile({"[Software\\\\A] 1", "\"X\"=\"1\"", "",
                  "[Software\\\\Wow6432Node\\\\Halvane Entertainment\\\\korrin DEEPFALL] 1",
                  "\"InstallLocation\"=\"C:\\\\Games\"", "", "[Software\\\\Z] 1", "\"Y\"=dword:1"},
                 "win64")},
    {"a key in two sections, the later value wins",
     wineRegFile({"[Software\\\\Halvane Entertainment\\\\Korrin Deepfall] 1",
                  "\"InstallLocation\"=\"C:\\\\One\"", "[Software\\\\B] 1",
                  "\"Korrin Deepfall\"=\"no key\"",
                  "[Software\\\\Halvane Entertainment\\\\Korrin Deepfall] 2",
                  "\"InstallLocation\"=\"C:\\\\Two\""})},
    {"architecture line after the first key counts not",
     "WINE REGISTRY Version 2\r\n[Software\\\\A]\r\n#arch=win64\r\n"
     "[Software\\\\Wow6432Node\\\\Halvane Entertainment\\\\Korrin "
     "Deepfall]\r\n\"InstallLocation\"=\"C:\\\\Wow\"\r\n"
     "[Software\\\\Halvane Entertainment\\\\Korrin "
     "Deepfall]\r\n\"InstallLocation\"=\"C:\\\\Plain\"\r"},
    {"a key line taken as the rest of hex data",
     wineRegFile({"[Software\\\\Halvane Entertainment\\\\Korrin Deepfall] 1",
                  "\"InstallLocation\"=\"C:\\\\Kept\"", "[Software\\\\H] 1",
                  "\"Data\"=hex:01,02,\\",
                  "  [Software\\\\Halvane Entertainment\\\\Korrin Deepfall] 2",
                  "\"InstallLocation\"=\"C:\\\\Lost\""})},
    {"no such key", wineRegFile({"[Software\\\\A] 1", "\"Korrin Deepfall\"=\"C:\\\\x\""}, "win64")},
};

class RegistryExcerpt : public ::testing::TestWithParam<ExcerptRow> {};

TEST_P(RegistryExcerpt, FindsWhatTheWholeFileHolds) {
    const QByteArray& file = GetParam().file;
    const QByteArray excerpt = wineRegistryExcerpt(file, kInstallKeyPath);
    EXPECT_LE(excerpt.size(), file.size());
    for (const RegistryRoot root : {RegistryRoot::LocalMachine, RegistryRoot::CurrentUser}) {
        const auto whole = wineHiveValue(file, root, kInstallKeyPath, kInstallValueName);
        const auto quick = wineHiveValue(excerpt, root, kInstallKeyPath, kInstallValueName);
        ASSERT_EQ(quick.has_value(), whole.has_value()) << GetParam().name;
        if (whole) {
            EXPECT_EQ(quick->data, whole->data) << GetParam().name;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, RegistryExcerpt, ::testing::ValuesIn(kExcerptRows));

} // namespace
