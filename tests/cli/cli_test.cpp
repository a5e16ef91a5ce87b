// The command line run in-process, as the program runs it, against a game
// folder and a home of its own: per row the command's output, its exit code
// and the settings file's bytes after it (and the backup); and the built
// program running a command without a display.

#include "cli/command_line.h"
#include "settings/settings_reader.h"
#include "settings/settings_writer.h"
#include "test_support.h"

#include <QProcess>

#include <sys/stat.h>

namespace quillset::test {
namespace {

// Windows-1252, with a CD key and a line the program does not know.
const QByteArray kGameFile =
    "AUTOSAVE : 1\r\nCHAT_ALPHA : 200\r\nDETAILLEVEL : 2\r\nNETWORK_PLAYER "
    ": Ald\xe9ric\r\nNETWORK_CDKEY : ABCDE\r\nCAMERA_ZOOM : 3\r\n";

struct Row {
    const char* name;
    QStringList arguments; // after "quillset --game-folder GAME"; "%p" is the profile
    QByteArray profile;    // the profile's bytes, for apply
    int exit;
    QByteArray out, err; // "%g" is the game folder, "%s" its settings file, "%b" the
                         // backup, "%p" the profile
    // The lines of the file as the writer writes it that the command
    // changes, old then new; none: the file keeps its bytes, and no backup.
    std::vector<std::pair<QByteArray, QByteArray>> edits = {};
};

const QByteArray kChanged = "%s: 1 value changed, after the backup %b\n";
const QByteArray kNothingSet = "; nothing was set\n";
// clang-format off
const Row kRows[] = {
    {"GetInTheOrderAsked", {"get", "NETWORK_PLAYER", "DETAILLEVEL", "SOUNDQUALITY", "MUSICVOLUME"}, {}, 0, "NETWORK_PLAYER : Ald\xc3\xa9ric\nDETAILLEVEL : 2\nMUSICVOLUME : 0\n", ""},
    {"GetJson", {"get", "--json", "CHAT_ALPHA", "NETWORK_PLAYER", "SOUNDQUALITY"}, {}, 0, "{\n  \"CHAT_ALPHA\": 200,\n  \"NETWORK_PLAYER\": \"Ald\xc3\xa9ric\",\n  \"SOUNDQUALITY\": null\n}\n", ""},
    {"WhereGivenFolder", {"where"}, {}, 0, "game folder:    %g\nsettings file:  %s\nfound by:       --game-folder\n", ""},
    {"GetHeldKey", {"get", "NETWORK_CDKEY"}, {}, 2, "", "quillset: NETWORK_CDKEY is edited in the Account window (menu Optionen \xe2\x86\x92 Account Management), not here\n"},
    {"SetWritesEachValue", {"set", "MUSICVOLUME=80", "NETWORK_PLAYER=Zo\u00eb", "DETAILLEVEL=0", "WAITRETRACE=0", "NETWORK_LOBBYPORT=12345"}, {}, 0, "%s: 5 values changed, after the backup %b\n", "", {{"DETAILLEVEL : 2", "DETAILLEVEL : 0"}, {"MUSICVOLUME : 0", "MUSICVOLUME : 80"}, {"NETWORK_LOBBYPORT : ", "NETWORK_LOBBYPORT : 12345"}, {"NETWORK_PLAYER : Ald\xe9ric", "NETWORK_PLAYER : Zo\xeb"}, {"CAMERA_ZOOM : 3", "WAITRETRACE : 0\r\nCAMERA_ZOOM : 3"}}},
    {"SetNoChangeWritesNothing", {"set", "CHAT_ALPHA=200", "AUTOSAVE=1"}, {}, 0, "%s: no value changed; not written\n", ""},
    {"UnknownKey", {"set", "SOUND=0", "CAMERA_ZOOM=1"}, {}, 2, "", "quillset: unknown key \"CAMERA_ZOOM\" (quillset get lists the keys)" + kNothingSet},
    {"NumberOutOfRange", {"set", "MUSICVOLUME=126"}, {}, 2, "", "quillset: MUSICVOLUME takes a whole number from 0 to 125, not \"126\"" + kNothingSet},
    {"NotANumber", {"set", "CHAT_ALPHA=loud"}, {}, 2, "", "quillset: CHAT_ALPHA takes a whole number from 0 to 255, not \"loud\"" + kNothingSet},
    {"FlagOutOfRange", {"set", "SOUND=3"}, {}, 2, "", "quillset: SOUND takes 0, 1 or 2, not \"3\"" + kNothingSet},
    {"BadChoiceDigit", {"set", "NETWORK_SPEEDSETTINGS=0"}, {}, 2, "", "quillset: NETWORK_SPEEDSETTINGS takes 1 or 2, not \"0\"" + kNothingSet},
    {"LineBreak", {"set", "NETWORK_PLAYER=a\nb"}, {}, 2, "", "quillset: the value of NETWORK_PLAYER holds a line break, which a settings file cannot store" + kNothingSet},
    {"NotInWindows1252", {"set", "NETWORK_PLAYER=\u03a9mega"}, {}, 2, "", "quillset: the value of NETWORK_PLAYER holds \"\xce\xa9\", a character a settings file (Windows-1252) cannot store" + kNothingSet},
    {"PastTheTypingLimit", {"set", "NETWORK_LOBBYPORT=123456"}, {}, 2, "", "quillset: NETWORK_LOBBYPORT takes at most 5 characters, as its box does, not 6" + kNothingSet},
    {"HeldKey", {"set", "FONTPAGES=1"}, {}, 2, "", "quillset: FONTPAGES is kept as the game wrote it; nothing changes it" + kNothingSet},
    {"NoEquals", {"set", "MUSICVOLUME=80", "SOUND"}, {}, 2, "", "quillset: \"SOUND\" has no \"=\": set takes KEY=VALUE" + kNothingSet},
    {"UnknownCommand", {"frob"}, {}, 2, "", "quillset: unknown command \"frob\" (see quillset --help)\n"},
    {"TwoLocations", {"--prefix", "%g", "get"}, {}, 2, "", "quillset: give --prefix or --game-folder, not both (see quillset --help)\n"},
    {"ApplyWindows1252", {"apply", "%p"}, "NETWORK_PLAYER : Zo\xeb\r\nNETWORK_CDKEY : X\r\nCAMERA_ZOOM : 1\r\nSOUND:0\r\n\r\n", 0, "%p: 3 lines ignored (not a key that set takes)\n" + kChanged, "", {{"NETWORK_PLAYER : Ald\xe9ric", "NETWORK_PLAYER : Zo\xeb"}}},
    {"ApplyGetsOutput", {"apply", "%p"}, "NETWORK_PLAYER : Zo\xc3\xab\nDETAILLEVEL : 2\n", 0, "%p: 0 lines ignored (not a key that set takes)\n" + kChanged, "", {{"NETWORK_PLAYER : Ald\xe9ric", "NETWORK_PLAYER : Zo\xeb"}}},
    {"ApplyRefusedLine", {"apply", "%p"}, "MUSICVOLUME : 80\nSOUND : 7\n", 2, "", "quillset: %p line 2: SOUND takes 0, 1 or 2, not \"7\"" + kNothingSet},
    {"ReadOnly", {"set", "SOUND=0"}, {}, 1, "", "quillset: %s could not be written: it is read-only\n"},
};
// clang-format on

// The row's name, also in the names ctest lists.
void PrintTo(const Row& row, std::ostream* out) {
    *out << row.name;
}

class CommandLine : public ::testing::TestWithParam<Row> {
protected:
    void SetUp() override {
        for (const char* name : {"HOME", "XDG_DATA_HOME", "XDG_CONFIG_HOME"})
            qputenv(name, QFile::encodeName(home.path()));
        qunsetenv("WINEPREFIX");
    }
    CurrentFolder current;
    TempFolder home, program, game;
};

TEST_P(CommandLine, PrintWriteAndRefuseAsTheRowSays) {
    const Row& row = GetParam();
    const QString settings = game.file(u"settings.cfg"_s), backup = game.file(u"settings.bck"_s);
    const QString profile = current.file(u"profile.cfg"_s);
    ASSERT_TRUE(writeBytes(settings, kGameFile) && writeBytes(profile, row.profile));
    const bool readOnly = row.name == "ReadOnly"_L1;
    ASSERT_EQ(::chmod(QFile::encodeName(settings).constData(), readOnly ? 0444 : 0640), 0);

    QStringList arguments{u"quillset"_s, u"--game-folder"_s, game.path()};
    arguments += QStringList(row.arguments).replaceInStrings(u"%p"_s, profile);
    cli::CommandOutput output;
    EXPECT_EQ(int(cli::runCommandLine(arguments, program.path(), output)), row.exit);

    const auto expand = [&](QByteArray text) {
        return text.replace("%g", game.path().toUtf8())
            .replace("%s", settings.toUtf8())
            .replace("%b", backup.toUtf8())
            .replace("%p", profile.toUtf8());
    };
    EXPECT_EQ(output.out, expand(row.out));
    EXPECT_EQ(output.err, expand(row.err));
    // A row's old line missing from the file leaves its new line out of what
    // the file must hold, so a wrong row fails here too.
    QByteArray expected = row.edits.empty()
                              ? kGameFile
                              : std::get<QByteArray>(serializeSettings(readSettings(kGameFile)));
    for (const auto& [from, to] : row.edits)
        expected.replace(from + "\r\n", to + "\r\n");
    EXPECT_EQ(readBytes(settings), expected);
    struct stat after {};
    EXPECT_EQ(::stat(QFile::encodeName(settings).constData(), &after), 0);
    EXPECT_EQ(after.st_mode & 0777, readOnly ? 0444u : 0640u) << "the mode is kept";
    EXPECT_EQ(readBytes(backup), row.edits.empty() && !readOnly ? QByteArray() : kGameFile);
}

INSTANTIATE_TEST_SUITE_P(Rows, CommandLine, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

// The window takes the location options (and Qt's own), and no command.
TEST(WindowArguments, TakeALocationButNoCommand) {
    // clang-format off
    const std::pair<QStringList, bool> runs[] = {
        {{"quillset"}, false}, {{"quillset", "-platform", "offscreen"}, false}, {{"quillset", "-platform"}, false},
        {{"quillset", "--prefix", "/p"}, false}, {{"quillset", "--prefix", "/p", "where"}, true},
        {{"quillset", "-platform", "offscreen", "get"}, true}, {{"quillset", "--json"}, true},
    };
    // clang-format on
    for (const auto& [arguments, command] : runs)
        EXPECT_EQ(cli::isCommandLineRun(arguments), command) << arguments.join(u' ').toStdString();
    const TempFolder prefix;
    const auto options =
        cli::windowLocationOptions({u"quillset"_s, u"--prefix="_s + prefix.path()});
    EXPECT_EQ(std::get<cli::LocationOptions>(options).prefix, prefix.path());
    EXPECT_EQ(std::get<QString>(cli::windowLocationOptions({u"quillset"_s, u"get"_s})),
              u"unknown command \"get\""_s);
}

// The built program, as a launcher's script runs it: a command never opens a
// display, and runs with none to open. The search for Wine prefixes looks in
// a home of the test's own, so nothing of the machine's is read or written.
TEST(BuiltProgram, RunsACommandWithoutADisplay) {
    TempFolder game, home, current;
    ASSERT_TRUE(writeBytes(game.file(u"settings.cfg"_s), "SOUND : 1\r\n"));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "WINEPREFIX"})
        environment.remove(QLatin1String(name));
    for (const char* name : {"HOME", "XDG_DATA_HOME", "XDG_CONFIG_HOME"})
        environment.insert(QLatin1String(name), home.path());
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(current.path());
    process.start(QStringLiteral(QUILLSET_EXECUTABLE),
                  {u"--game-folder"_s, game.path(), u"set"_s, u"SOUND=0"_s});
    ASSERT_TRUE(process.waitForFinished(10000));
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    EXPECT_EQ(process.readAllStandardOutput(), game.file(u"settings.cfg"_s).toUtf8() +
                                                   ": 1 value changed, after the backup " +
                                                   game.file(u"settings.bck"_s).toUtf8() + '\n');
    EXPECT_TRUE(readBytes(game.file(u"settings.cfg"_s)).startsWith("AUTOSAVE : 0\r\n"));
}

} // namespace
} // namespace quillset::test
