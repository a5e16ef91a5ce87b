// A Wine prefix on disk: its registry files read and written, left alone
// while its wineserver runs, Windows paths mapped through its drive links,
// and the prefix holding the game found among those launchers make.

#include "cli/command_line.h"
#include "registry/launchers/game_prefix_search.h"
#include "registry/wine_prefix.h"
#include "registry/wine_registry.h"
#include "test_support.h"

#include <QDateTime>
#include <QJsonDocument>
#include <QRegularExpression>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace quillset;
using namespace quillset::test;

namespace {

constexpr RegistryRoot kMachine = RegistryRoot::LocalMachine, kUser = RegistryRoot::CurrentUser;

#define HIVE(arch) "WINE REGISTRY Version 2\n#arch=" arch "\n"
#define PLAIN "[Software\\\\Halvane Entertainment\\\\Korrin Deepfall] 1700000000\n"
#define WOW "[Software\\\\Wow6432Node\\\\Halvane Entertainment\\\\Korrin Deepfall] 1700000000\n"
#define LOC(path) "\"InstallLocation\"=\"" path "\"\n"

// Makes folder a prefix folder: drive_c and the relative c: link Wine makes.
bool makePrefixFolder(const QString& folder) {
    return QDir(folder).mkpath(u"drive_c"_s) && QDir(folder).mkpath(u"dosdevices"_s) &&
           QFile::link(u"../drive_c"_s, folder + u"/dosdevices/c:"_s);
}

// A prefix's two registry files, the install value each root reads, and
// system.reg after a write of the machine root's value (new time stamps
// written as T).
#define NEW_LOC LOC(R"(D:\\K\xf6 \"x\")")
// clang-format off
// The 32-bit view's key as the write adds it.
#define NEW_WOW "\n[Software\\\\Wow6432Node\\\\Halvane Entertainment\\\\Korrin Deepfall] T\n" NEW_LOC
struct HiveRow { QByteArray system; QByteArray user; const char* machine; const char* perUser; QByteArray after; };
const HiveRow kHiveRows[] = {
    {HIVE("win64") PLAIN LOC("C:\\\\64") WOW LOC("C:\\\\32"), HIVE("win64") PLAIN LOC("E:\\\\user"),
     "C:\\32", "E:\\user", HIVE("win64") PLAIN LOC("C:\\\\64") WOW NEW_LOC},
    {HIVE("win64") PLAIN LOC("C:\\\\64"), "", "C:\\64", "", HIVE("win64") PLAIN LOC("C:\\\\64") NEW_WOW},
    {HIVE("win32") PLAIN LOC("C:\\\\plain") WOW LOC("C:\\\\wow"), "", "C:\\plain", "",
     HIVE("win32") PLAIN NEW_LOC WOW LOC("C:\\\\wow")},
};
// clang-format on

TEST(WineRegistry, ReadsBothRootsAndWritesThe32BitViewByteForByte) {
    for (const HiveRow& row : kHiveRows) {
        SCOPED_TRACE(row.system.toStdString());
        const TempFolder prefix;
        const QString system = prefix.file(u"system.reg"_s), user = prefix.file(u"user.reg"_s);
        ASSERT_TRUE(makePrefixFolder(prefix.path()) && writeBytes(system, row.system) &&
                    writeBytes(user, row.user));
        WineRegistry registry(prefix.path());
        EXPECT_EQ(registry.readString(kMachine, kInstallKeyPath, kInstallValueName), row.machine);
        EXPECT_EQ(registry.readString(kUser, kInstallKeyPath, kInstallValueName), row.perUser);
        EXPECT_TRUE(registry.setStringValue(kMachine, kInstallKeyPath, kInstallValueName,
                                            "D:\\K\u00f6 \"x\""));
        EXPECT_EQ(QString::fromLatin1(readBytes(system))
                      .replace(QRegularExpression(u"\\] \\d+\n#time=[0-9a-f]+\n"_s), "] T\n"),
                  row.after);
        EXPECT_EQ(readBytes(user), row.user);
    }
}

TEST(WineRegistry, NeverWritesWithoutAFileWineLoadsNorWhileItsServerRuns) {
    const TempFolder prefix;
    const QString system = prefix.file(u"system.reg"_s);
    WineRegistry registry(prefix.path());
    const auto set = [&registry] {
        return registry.setStringValue(kMachine, kInstallKeyPath, kInstallValueName, "C:\\new");
    };
    EXPECT_FALSE(set());
    EXPECT_FALSE(QFileInfo::exists(system));
    ASSERT_TRUE(writeBytes(system, "REGEDIT4\n"));
    EXPECT_FALSE(set());
    EXPECT_EQ(readBytes(system), "REGEDIT4\n");

    // Upstream Wine's lock is named after the prefix folder's device and
    // inode; a name recorded by Debian's Wine that leaves the temp folder is
    // not followed.
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(prefix.path()).constData(), &info), 0);
    const QString server = QString::asprintf("/server-%llx-%llx/lock", qulonglong(info.st_dev),
                                             qulonglong(info.st_ino));
    const QString upstream = u"/tmp/.wine-%1"_s.arg(::getuid()) + server;
    ASSERT_TRUE(writeBytes(prefix.file(u"wineserver"_s), "../etc"));
    EXPECT_EQ(wineServerLockPaths(prefix.path()), QStringList{upstream});
    {
        Environment relative; // a $TMPDIR that is no absolute path is not looked in
        relative.set("TMPDIR", u"tmp"_s);
        ASSERT_TRUE(writeBytes(prefix.file(u"wineserver"_s), "named"));
        EXPECT_EQ(wineServerLockPaths(prefix.path()),
                  QStringList({upstream, "/tmp/named" + server}));
    }

    // Debian's server keeps its lock in a folder of $TMPDIR named in the
    // prefix. An open-file-description lock taken here conflicts with the
    // lock the code asks about, as a lock of the server's process would.
    const TempFolder serverFolder;
    const QString lock = serverFolder.path() + server;
    ASSERT_TRUE(writeBytes(prefix.file(u"wineserver"_s),
                           QFile::encodeName(QFileInfo(serverFolder.path()).fileName())));
    ASSERT_TRUE(QDir().mkpath(QFileInfo(lock).path()) && writeBytes(lock, {}));
    const QByteArray hive = HIVE("win64") PLAIN LOC("C:\\\\old");
    ASSERT_TRUE(writeBytes(system, hive));
    const int fd = ::open(QFile::encodeName(lock).constData(), O_RDWR | O_CLOEXEC);
    struct flock held = {
        .l_type = F_WRLCK, .l_whence = SEEK_SET, .l_start = 0, .l_len = 1, .l_pid = 0};
    ASSERT_EQ(::fcntl(fd, F_OFD_SETLK, &held), 0);
    EXPECT_FALSE(set());
    EXPECT_EQ(readBytes(system), hive);
    ::close(fd);
    EXPECT_TRUE(set()) << "a lock file no server holds is stale";
    // A lock that cannot be tested (a link to itself) counts as a server.
    ASSERT_TRUE(QFile::remove(lock) && ::symlink("lock", QFile::encodeName(lock).constData()) == 0);
    EXPECT_FALSE(set());
}

TEST(WinePrefix, MapsWindowsPathsThroughTheDriveLinksIgnoringCase) {
    const TempFolder prefix, other;
    ASSERT_TRUE(makePrefixFolder(prefix.path()));
    for (const QString& folder : {prefix.file(u"drive_c/Games/Korrin Deepfall"_s),
                                  prefix.file(u"drive_c/games"_s), other.file(u"Data/Korrin"_s)})
        ASSERT_TRUE(QDir().mkpath(folder));
    for (const char* drive : {"dosdevices/a:", "dosdevices/z:"})
        ASSERT_TRUE(QFile::link(other.path(), prefix.file(QLatin1String(drive))));
    // "C" stands for the prefix's drive_c, "Z" for the folder a: and z: link to.
    // clang-format off
    const std::pair<const char*, const char*> rows[] = {
        {"C:\\Games\\Korrin Deepfall", "C/Games/Korrin Deepfall"}, {"C:\\", "C"}, {"C:", "C"},
        {"c:\\GAMES\\korrin DEEPFALL\\", "C/Games/Korrin Deepfall"}, // first in name order
        {"C:/games/korrin deepfall", "C/games/korrin deepfall"},     // the exact name first
        {"C:\\Games\\.\\Other\\..\\korrin deepfall\\Not\\Yet", "C/Games/Korrin Deepfall/Not/Yet"},
        {"z:\\DATA\\korrin", "Z/Data/Korrin"}, {"\\\\?\\Z:\\data\\KORRIN", "Z/Data/Korrin"},
        {"\\??\\a:\\Data\\Korrin", "Z/Data/Korrin"}, {"A:\\data", "Z/Data"},
        {"E:\\Games", ""}, {"c\\Games", ""}, {"\\\\server\\share", ""}, {"1:\\Games", ""}, {"", ""},
    };
    // clang-format on
    for (const auto& [windows, local] : rows) {
        const QString drive = *local == 'C' ? prefix.file(u"drive_c"_s) : other.path();
        EXPECT_EQ(wineToLocalPath(prefix.path(), QLatin1String(windows)),
                  *local ? drive + QLatin1String(local + 1) : QString())
            << windows;
    }
}

// Lays out a launcher's files in a home folder, one command at a time: a
// prefix ("game" with the value in the 32-bit view, "game32" in a 32-bit
// prefix, "user" per user, "plain" without it; an InstallLocation may
// follow), "file" with its text ("%h" is home), "link" to a target, "fifo",
// "junk" (deeply nested YAML and binary bytes), "huge" (grown sparse),
// "settings" changed at a time, "xdg" as $XDG_DATA_HOME.
void lay(const QString& command, const QString& home, SearchPlaces& places) {
    const auto is = [verb = command.section(' ', 0, 0)](const char* name) { return verb == name; };
    const QString target = home + '/' + command.section(' ', 1, 1);
    const QByteArray rest = command.section(' ', 2).replace("%h", home).toUtf8();
    QDir().mkpath(QFileInfo(target).path());
    if (is("file") || is("junk")) {
        ASSERT_TRUE(writeBytes(target, is("file") ? rest : QByteArray(100000, '[') + "\xff\0{:"));
    } else if (is("link")) {
        ASSERT_EQ(::symlink(rest, QFile::encodeName(target)), 0);
    } else if (is("fifo")) {
        ASSERT_EQ(::mkfifo(QFile::encodeName(target), 0600), 0);
    } else if (is("huge")) {
        ASSERT_TRUE(QFile(target).resize(qint64(100) << 20)); // sparse: costs no disk
    } else if (is("settings")) {
        QFile cfg(target + "/drive_c/Games/Korrin/settings.cfg");
        ASSERT_TRUE(cfg.open(QIODevice::WriteOnly) &&
                    cfg.setFileTime(QDateTime::fromSecsSinceEpoch(rest.toLongLong()),
                                    QFileDevice::FileModificationTime));
    } else if (is("xdg")) {
        places.dataHome = target;
    } else {
        ASSERT_TRUE(makePrefixFolder(target) && QDir(target).mkpath("drive_c/Games/Korrin"));
        const QByteArray value =
            rest.isEmpty() ? LOC("C:\\\\Games\\\\Korrin") : "\"InstallLocation\"=\"" + rest + '"';
        const QByteArray hive = (is("game32") ? HIVE("win32") : HIVE("win64")) +
                                QByteArray(is("game") ? WOW : PLAIN) + (is("plain") ? "" : value);
        ASSERT_TRUE(writeBytes(target + "/system.reg", is("user") ? HIVE("win64") : hive) &&
                    writeBytes(target + "/user.reg", is("user") ? hive : HIVE("win64")));
    }
}

#define STEAM ".local/share/Steam/steamapps/compatdata/"
#define BOTTLES ".local/share/bottles/bottles/"
#define POL ".PlayOnLinux/wineprefix/"
#define LUTRIS_YML "game:\n  exe: drive_c/Korrin.exe\n  prefix: "
// clang-format off
#define VDF(path) "\"libraryfolders\"\n{\n\t\"contentstatsid\"\t\t\"-4012876513962184545\"\n\t\"0\"\n\t{\n" \
    "\t\t\"path\"\t\t\"" path "\"\n\t\t\"label\"\t\t\"\"\n\t\t\"totalsize\"\t\t\"0\"\n\t\t\"apps\"\n" \
    "\t\t{\n\t\t\t\"2200\"\t\t\"52428800\"\n\t\t}\n\t}\n}\n"

// A home's launcher files; the prefix taken (empty for none) and how it was
// found ("%h" is home); the prefixes holding the game in search order (by
// default the one taken), and each one's verdict: t taken, o older settings,
// n no settings, l listed later (by default "t" for one); for a program
// folder, a WINEPREFIX and a STEAM_COMPAT_DATA_PATH.
struct SearchRow {
    const char* name; QStringList commands; QString used; const char* source; QStringList found = {used};
    const char* verdicts = ""; const char* program = "nowhere"; const char* winePrefix = ""; const char* steam = "";
};
const SearchRow kSearchRows[] = {
    {"wine default, value per user", {"user .wine"}, ".wine", "Wine default ~/.wine"},
    {"steam main library, met twice", {"game " STEAM "31/pfx", "link .steam/steam %h/.local/share/Steam"},
     STEAM "31/pfx", "Steam library %h/.local/share/Steam/steamapps (compatdata 31)"},
    {"steam libraries spelt SteamApps",
     {"file .local/share/Steam/SteamApps/libraryfolders.vdf " VDF("%h/disk2/SteamLibrary"),
      "game disk2/SteamLibrary/SteamApps/compatdata/2200/pfx"}, "disk2/SteamLibrary/SteamApps/compatdata/2200/pfx",
     "Steam library %h/disk2/SteamLibrary/SteamApps (compatdata 2200)"},
    {"steam library list only in config/",
     {"file .steam/steam/config/libraryfolders.vdf " VDF("%h/games/SteamLibrary"),
      "game games/SteamLibrary/steamapps/compatdata/2200/pfx"}, "games/SteamLibrary/steamapps/compatdata/2200/pfx",
     "Steam library %h/games/SteamLibrary/steamapps (compatdata 2200)"},
    {"lutris, prefix under ~",
     {"game32 Games/korrin", "file .config/lutris/games/korrin-17.yml " LUTRIS_YML "~/Games/korrin\nrunner: wine\n"},
     "Games/korrin", "Lutris game file %h/.config/lutris/games/korrin-17.yml"},
    {"lutris data folder, prefix at the top",
     {"game w/korrin", "file .local/share/lutris/games/k.yml prefix: %h/w/korrin\n"}, "w/korrin",
     "Lutris game file %h/.local/share/lutris/games/k.yml"},
    {"lutris game file naming only its exe",
     {"game Games/korrin/pfx", "file .local/share/lutris/games/korrin-1700000000.yml game:\n"
      "  exe: %h/Games/korrin/Korrin Deepfall/Korrin.exe\ngame_slug: korrin\nname: Korrin\nrunner: wine\n"
      "slug: korrin-1700000000\nsystem: {}\nwine:\n  version: lutris-7.2-2-x86_64\n"},
     "Games/korrin/pfx", "Lutris game file %h/.local/share/lutris/games/korrin-1700000000.yml (above its exe)"},
    {"bottles in $XDG_DATA_HOME", {"xdg xdg-data", "game " BOTTLES "Ignored", "game xdg-data/bottles/bottles/K"},
     "xdg-data/bottles/bottles/K", "Bottles folder %h/xdg-data/bottles/bottles"},
    {"bottle made at a custom path", {"file " BOTTLES "Korrin/placeholder.yml Path: %h/mnt/Bottles/Korrin\n",
      "game mnt/Bottles/Korrin"}, "mnt/Bottles/Korrin", "Bottles placeholder %h/" BOTTLES "Korrin/placeholder.yml"},
    {"custom bottles folder",
     {"file .var/app/com.usebottles.bottles/data/bottles/data.yml custom_bottles_path: %h/mnt/bottles\n"
      "funding_dialog_dismissed: true\n", "game mnt/bottles/Korrin"}, "mnt/bottles/Korrin",
     "Bottles folder %h/mnt/bottles (custom_bottles_path in %h/.var/app/com.usebottles.bottles/data/bottles/data.yml)"},
    {"heroic game file", {"game W/heroic",
      "file .config/heroic/GamesConfig/Kq7.json {\"Kq7\": {\"winePrefix\": \"%h/W/heroic\"}, \"version\": \"v0\"}"},
     "W/heroic", "Heroic game file %h/.config/heroic/GamesConfig/Kq7.json"},
    {"heroic with proton",
     {"game Proton/Korrin/pfx", "file .config/heroic/GamesConfig/Kq7.json "
      R"({"Kq7": {"autoInstallDxvk": true, "winePrefix": "%h/Proton/Korrin", "wineVersion": {"bin": )"
      R"("%h/.steam/steam/steamapps/common/Proton - Experimental/proton", "name": "proton 8", )"
      R"("type": "proton"}}, "version": "v0", "explicit": true})"},
     "Proton/Korrin/pfx", "Heroic game file %h/.config/heroic/GamesConfig/Kq7.json"},
    {"newest settings win", {"game .wine", "settings .wine 1700000000", "game " BOTTLES "K",
      "settings " BOTTLES "K 1700000100", "game32 " POL "K"},
     BOTTLES "K", "Bottles folder %h/.local/share/bottles/bottles", {".wine", BOTTLES "K", POL "K"}, "otn"},
    {"no settings: first listed wins", {"game " POL "K", "game " BOTTLES "K"},
     BOTTLES "K", "Bottles folder %h/.local/share/bottles/bottles", {BOTTLES "K", POL "K"}, "tl"},
    {"a missing prefix named: ~/.wine",
     {"plain .wine", "file .config/lutris/games/gone.yml " LUTRIS_YML "/nonexistent\n"}, ".wine",
     "Wine default ~/.wine (no prefix holds the game)", {}},
    {"the value maps nowhere", {"game " BOTTLES "D D:\\\\Games\\\\Korrin", "game " BOTTLES "U C:\\\\Korrin"},
     {}, "", {}},
    // Launcher files that are binary, deeply nested, a FIFO, a link loop or
    // huge (one of each per way a file is found: listed in a folder, or
    // named); a placeholder naming no folder, a custom bottles folder that is
    // a file, and a program with no prefix above it up to "/".
    {"hostile launcher files skipped",
     {"junk .local/share/Steam/steamapps/libraryfolders.vdf", "junk .config/lutris/games/junk.yml",
      "junk .config/heroic/GamesConfig/junk.json", "junk " BOTTLES "Junk/system.reg",
      "fifo .config/lutris/games/fifo.yml", "fifo .steam/steam/steamapps/libraryfolders.vdf",
      "link .config/heroic/GamesConfig/loop.json loop.json", "link " STEAM "loop %h/" STEAM,
      "link " BOTTLES "Loop/placeholder.yml placeholder.yml",
      "file .config/lutris/games/huge.yml " LUTRIS_YML "~/Games/korrin\n", "huge .config/lutris/games/huge.yml",
      "file " BOTTLES "Gone/placeholder.yml Path: %h/nonexistent\n", "file afile x",
      "file .local/share/bottles/data.yml custom_bottles_path: %h/afile\n",
      "file .config/lutris/games/lost.yml game:\n  exe: %h/nowhere/bin/Korrin.exe\n",
      "game Games/korrin", "game " POL "K"},
     POL "K", "PlayOnLinux folder %h/.PlayOnLinux/wineprefix"},
    // The user's WINEPREFIX, else the prefix around the program, come first.
    {"WINEPREFIX", {"game .wine"}, "elsewhere", "$WINEPREFIX", {}, "", "p/drive_c/Games/Korrin", "%h/elsewhere"},
    {"relative WINEPREFIX: none", {"game .wine"}, {}, "$WINEPREFIX, not an absolute path: no prefix", {}, "",
     "nowhere", "relative/pfx"},
    {"WINEPREFIX naming a Qt resource: none", {"game .wine"}, {}, "$WINEPREFIX, not an absolute path: no prefix",
     {}, "", "nowhere", ":/pfx"},
    {"STEAM_COMPAT_DATA_PATH over a newer ~/.wine", {"game compat/pfx", "game .wine", "settings .wine 1900000000"},
     "compat/pfx", "$STEAM_COMPAT_DATA_PATH (its pfx folder)", {}, "", "nowhere", "", "%h/compat"},
    {"WINEPREFIX before STEAM_COMPAT_DATA_PATH", {"game compat/pfx", "game p"},
     "p", "$WINEPREFIX", {}, "", "nowhere", "%h/p", "%h/compat"},
    {"inner prefix around the program", {"plain p", "game p/drive_c/q"},
     "p/drive_c/q", "the prefix around the program folder %h/p/drive_c/q/drive_c/Games/Korrin", {}, "",
     "p/drive_c/q/drive_c/Games/Korrin/"},
    {"no drive_c: no prefix", {"plain p", "file p/drive_c/T/system.reg x"},
     "p", "the prefix around the program folder %h/p/drive_c/T/bin", {}, "", "p/drive_c/T/bin"},
};
// clang-format on

TEST(LauncherSearch, FindsTheGamesPrefix) {
    for (const SearchRow& row : kSearchRows) {
        SCOPED_TRACE(row.name);
        const TempFolder dir;
        SearchPlaces places = SearchPlaces::underHome(dir.path());
        for (const QString& command : row.commands)
            ASSERT_NO_FATAL_FAILURE(lay(command, dir.path(), places)) << command.toStdString();
        QDir().mkpath(dir.file(row.program));
        const PrefixVariables env{QString::fromLatin1(row.winePrefix).replace("%h", dir.path()),
                                  QString::fromLatin1(row.steam).replace("%h", dir.path())};
        const WinePrefixChoice choice = chooseWinePrefix(dir.file(row.program), env, places);
        EXPECT_EQ(choice.prefix, row.used.isEmpty() ? QString() : dir.file(row.used));
        EXPECT_EQ(choice.source, QString::fromUtf8(row.source).replace("%h", dir.path()));

        // Each prefix holding the game is a candidate, with its game folder
        // and verdict. The launchers are searched only for want of a prefix
        // named or around.
        QStringList trace, games, candidates;
        for (const QString& prefix : row.found) {
            trace << "Registry -> Game found in Wine prefix " + dir.file(prefix);
            games << dir.file(prefix) + "/drive_c/Games/Korrin " +
                         (*row.verdicts ? row.verdicts[games.size()] : 't');
        }
        if (row.found.isEmpty())
            trace << "Registry -> No Wine prefix holds the game";
        if (!row.used.isEmpty())
            trace << "Registry -> Using Wine prefix " + dir.file(row.used);
        const bool searched = !*row.winePrefix && !*row.steam && !qstrcmp(row.program, "nowhere");
        EXPECT_EQ(choice.trace, searched ? trace : QStringList());
        for (const PrefixCandidate& candidate : choice.candidates)
            candidates << candidate.gameFolder + ' ' + "tonl"[int(candidate.verdict)];
        EXPECT_EQ(candidates, games);
    }
}

// where shows the prefix in use, named by --prefix or $WINEPREFIX, with its
// value (here the user's own), and beside it each prefix holding the game
// with its settings.cfg and when it changed.
TEST(LauncherSearch, WhereShowsEachCandidatesSettingsFile) {
    const TempFolder dir;
    SearchPlaces places = SearchPlaces::underHome(dir.path());
    for (const char* command : {"game .wine", "settings .wine 1700000000", "user p"})
        ASSERT_NO_FATAL_FAILURE(lay(QLatin1String(command), dir.path(), places));
    Environment env;
    env.set("HOME", dir.path());
    const auto run = [&dir](const QStringList& arguments, cli::CommandOutput& output) {
        return cli::runCommandLine(QStringList{u"quillset"_s} + arguments, dir.path(), output);
    };
    const QString p = dir.file(u"p"_s), wine = dir.file(u".wine"_s);
    cli::CommandOutput text, json, missing;
    ASSERT_EQ(run({u"--prefix"_s, p, u"where"_s}, text), cli::ExitCode::Done);
    env.set("WINEPREFIX", p);
    ASSERT_EQ(run({u"where"_s, u"--json"_s}, json), cli::ExitCode::Done);
    const QJsonDocument shown = QJsonDocument::fromJson(json.out);
    EXPECT_EQ(QStringList({shown["gameFolder"].toString(), shown["prefix"].toString(),
                           shown["prefixFrom"].toString()}),
              QStringList({p + u"/drive_c/Games/Korrin"_s, p, u"$WINEPREFIX"_s}));
    EXPECT_EQ(QString::fromUtf8(text.out.mid(text.out.indexOf("prefix from:"))),
              u"prefix from:    --prefix\n"
              "install value:  C:\\Games\\Korrin (set for the user only)\n"
              "candidate:      %1 (Wine default ~/.wine): "
              "not searched for: the prefix in use was named\n"
              "                %1/drive_c/Games/Korrin/settings.cfg, "
              "changed 2023-11-14 22:13:20 UTC\n"_s.arg(wine));
    const QJsonValue candidate = shown["candidates"][0];
    EXPECT_EQ(candidate["settingsFile"].toString(), wine + u"/drive_c/Games/Korrin/settings.cfg"_s);
    EXPECT_EQ(candidate["modified"].toString(), u"2023-11-14T22:13:20Z"_s);
    // A variable naming a prefix that is not there says so.
    env.set("WINEPREFIX", dir.file(u"gone"_s));
    EXPECT_EQ(run({u"get"_s}, missing), cli::ExitCode::Failed);
    EXPECT_EQ(missing.err, "quillset: no game found: $WINEPREFIX names the Wine prefix " +
                               QFile::encodeName(dir.file(u"gone"_s)) +
                               ", which does not exist (quillset where tells more)\n");
}

} // namespace
