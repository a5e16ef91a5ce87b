// The command line run in-process, as the program runs it, against a game
// folder and a home of its own: per row the command's output, its exit code
// and the settings file's bytes after it (and the backup); and the built
// program running a command without a display.

#include "cli/command_line.h"
#include "cli/commands.h"
#include "settings/settings_reader.h"
#include "test_support.h"

#include <QDeadlineTimer>
#include <QProcess>

#include <sys/stat.h>

namespace quillset::test {
namespace {

// Windows-1252, with a CD key and a line the program does not know.
const QByteArray kGameFile =
    "AUTOSAVE : 1\r\nCHAT_ALPHA : 200\r\nDETAILLEVEL : 2\r\nFONTPAGES : 3\r\nNETWORK_PLAYER "
    ": Ald\xe9ric\r\nNETWORK_CDKEY : ABCDE\r\nCAMERA_ZOOM : 3\r\n";

struct Row {
    const char* name;
    QStringList arguments; // after "quillset --game-folder GAME"; "%p" is the profile, "%g" GAME
    QByteArray profile;    // the profile's bytes, for apply; standard input for apply -
    int exit;
    QByteArray out, err; // "%g" is the game folder, "%s" its settings file, "%b" the
                         // backup, "%p" the profile
    // What the command changes in the file, as replacements of bytes; none:
    // the file keeps its bytes, and no backup is made.
    std::vector<std::pair<QByteArray, QByteArray>> edits = {};
    QByteArray before = kGameFile; // the settings file; null: there is none

    // The row's name, also in the names ctest lists.
    friend void PrintTo(const Row& row, std::ostream* out) { *out << row.name; }
};

const QByteArray kChanged = "%s: 1 line changed, after the backup %b\n";
// Refusals of a command that sets nothing, one line each.
QByteArray refused(std::initializer_list<QByteArray> texts) {
    QByteArray err;
    for (const QByteArray& text : texts)
        err += "quillset: " + text + "; nothing was set\n";
    return err;
}
const QByteArray kPage = "<html><body>AUTOSAVE</body></html>";
// clang-format off
const Row kRows[] = {
    {"GetWhatTheFileHolds", {"get"}, {}, 0, "AUTOSAVE : 1\nCHAT_ALPHA : 200\nDETAILLEVEL : 2\nFONTPAGES : 3\n"
     "NETWORK_PLAYER : Ald\xc3\xa9ric\nWAITRETRACE : 1\n", ""},
    {"GetInTheOrderAsked", {"get", "NETWORK_PLAYER", "DETAILLEVEL", "SOUNDQUALITY", "NETWORK_CDKEY", "MUSICVOLUME"},
     {}, 1, "NETWORK_PLAYER : Ald\xc3\xa9ric\nDETAILLEVEL : 2\nNETWORK_CDKEY : ABCDE\n",
     "quillset: SOUNDQUALITY: %s holds no value for it\nquillset: MUSICVOLUME: %s holds no value for it\n"},
    {"GetJson", {"get", "--json", "CHAT_ALPHA", "NETWORK_PLAYER", "SOUNDQUALITY"}, {}, 1,
     "{\n  \"CHAT_ALPHA\": 200,\n  \"NETWORK_PLAYER\": \"Ald\xc3\xa9ric\",\n  \"SOUNDQUALITY\": null\n}\n",
     "quillset: SOUNDQUALITY: %s holds no value for it\n"},
    {"GetFromAnEmptyFile", {"get"}, {}, 1, "", "quillset: %s: it is empty, not a settings file\n", {}, ""},
    {"WhereGivenFolder", {"where"}, {}, 0, "game folder:    %g\nsettings file:  %s\nfound by:       --game-folder\n", ""},
    {"GetUnknownKey", {"get", "CAMERA_ZOOM"}, {}, 2, "", "quillset: unknown key \"CAMERA_ZOOM\" (quillset get lists the keys)\n"},
    {"SetChangesOnlyItsLines",
     {"set", "MUSICVOLUME=80", "NETWORK_PLAYER=Zo\u00eb", "DETAILLEVEL=0", "WAITRETRACE=0", "NETWORK_LOBBYPORT=12345"},
     {}, 0, "%s: 5 lines changed, after the backup %b\n", "", {{"DETAILLEVEL : 2", "DETAILLEVEL : 0"}, {"Ald\xe9ric", "Zo\xeb"},
      {"ZOOM : 3\r\n", "ZOOM : 3\r\nMUSICVOLUME : 80\r\nNETWORK_LOBBYPORT : 12345\r\nWAITRETRACE : 0\r\n"}}},
    {"SetNoChangeWritesNothing", {"set", "CHAT_ALPHA=200", "AUTOSAVE=1"}, {}, 0, "%s: no value changed; not written\n", ""},
    // set changes the lines of the keys it names, in place, and no other byte.
    {"SetKeepsCommentsBlanksAndOthersOutOfRange", {"set", "MUSICVOLUME=80"}, {}, 0, kChanged, "", {{"50 \r", "80\r"}},
     "# mine\r\n\r\nCHAT_ALPHA : 999\r\nMUSICVOLUME : 50 \r\n\r\n"},
    {"SetDuplicateLinesBecomeOne", {"set", "AUTOSAVE=1"}, {}, 0, "%s: 2 lines changed, after the backup %b\n", "",
     {{"X : 1\r\nAUTOSAVE : 1\r\n", "X : 1\r\n"}, {"AUTOSAVE : 0", "AUTOSAVE : 1"}}, "AUTOSAVE : 0\r\nX : 1\r\nAUTOSAVE : 1\r\n"},
    {"SetNewKeyBeforeTheBlanksLf", {"set", "VIOLENCE=1"}, {}, 0, kChanged, "", {{"X : 2\n", "X : 2\nVIOLENCE : 1\n"}},
     "SOUND : 1\nX : 2\n\n"},
    {"SetCrLastLineUnended", {"set", "VIOLENCE=1", "SOUND=0"}, {}, 0, "%s: 2 lines changed, after the backup %b\n", "",
     {{"SOUND : 1", "SOUND : 0"}, {"X : 2", "X : 2\rVIOLENCE : 1\r"}}, "SOUND : 1\rX : 2"},
    {"SetWaitRetraceOnLosesItsLine", {"set", "WAITRETRACE=1"}, {}, 0, kChanged, "", {{"WAITRETRACE : 0\r\n", ""}},
     "WAITRETRACE : 0\r\nSOUND : 1\r\n"},
    {"SetWaitRetraceOnWithoutALine", {"set", "WAITRETRACE=1"}, {}, 0, "%s: no value changed; not written\n", "", {},
     "SOUND : 1\r\n"},
    {"SetAfterAByteOrderMark", {"set", "AUTOSAVE=0"}, {}, 0, kChanged, "", {{"AUTOSAVE : 1", "AUTOSAVE : 0"}},
     "\xEF\xBB\xBF" "AUTOSAVE : 1\r\nSOUND : 1\r\n"},
    {"SetRefusesKeys", {"set", "NETWORK_CDKEY=X", "FONTPAGES=1", "SOUND", "CAMERA_ZOOM=1", "=1"}, {}, 2, "", refused({
     "NETWORK_CDKEY is edited in the Account window (menu Options \xe2\x86\x92 Account management), not here",
     "FONTPAGES is kept as the game wrote it; nothing changes it", "\"SOUND\" has no \"=\": set takes KEY=VALUE",
     "unknown key \"CAMERA_ZOOM\" (quillset get lists the keys)", "unknown key \"\" (quillset get lists the keys)"})},
    {"SetNamedTwice", {"set", "SOUND=0", "SOUND=1"}, {}, 2, "", refused({"SOUND is named twice"})},
    {"SetRefusesNumbers", {"set", "WAITRETRACE=2", "SOUND=3", "NETWORK_SPEEDSETTINGS=0", "PICKUPAUTO=-1",
     "MUSICVOLUME=126", "MUSICVOLUME=080"}, {}, 2, "", refused({"WAITRETRACE takes 0 or 1, not \"2\"",
     "SOUND takes 0, 1 or 2, not \"3\"", "NETWORK_SPEEDSETTINGS takes 1 or 2, not \"0\"",
     "PICKUPAUTO takes 0, 1 or 2, not \"-1\"", "MUSICVOLUME takes a whole number from 0 to 125, not \"126\"",
     "MUSICVOLUME takes a whole number from 0 to 125 in plain digits (no sign, no leading zero), not \"080\""})},
    {"SetRefusesTexts", {"set", "LANGUAGE=ENG", "NETWORK_LOBBYPORT=123456", "NETWORK_PLAYER=a\u2028b",
     "NETWORK_PLAYER=a\nb", "NETWORK_PLAYER=a\x1b" "b", "NETWORK_PLAYER=\u03a9mega"}, {}, 2, "", refused({
     "LANGUAGE takes at most 2 characters, as the game reads them back, not 3",
     "NETWORK_LOBBYPORT takes at most 5 characters, as its box does, not 6",
     "the value of NETWORK_PLAYER holds U+2028, a character a settings file (Windows-1252) cannot store",
     "the value of NETWORK_PLAYER holds a line break, which a settings file cannot store",
     "the value of NETWORK_PLAYER holds U+001B, a control character, which a settings file cannot store",
     "the value of NETWORK_PLAYER holds \"\xce\xa9\", a character a settings file (Windows-1252) cannot store"})},
    {"SingleDashOption", {"get", "-json"}, {}, 2, "", "quillset: unknown option \"-json\" (see quillset --help)\n"},
    {"EmptyGameFolder", {"--game-folder=", "get"}, {}, 2, "", "quillset: --game-folder needs a folder (see quillset --help)\n"},
    {"UnknownCommand", {"frob"}, {}, 2, "", "quillset: unknown command \"frob\" (see quillset --help)\n"},
    {"TwoLocations", {"--prefix", "%g", "get"}, {}, 2, "", "quillset: give --prefix or --game-folder, not both (see quillset --help)\n"},
    {"ForceWithGet", {"get", "--force"}, {}, 2, "", "quillset: --force goes with set and apply only (see quillset --help)\n"},
    {"ApplyWindows1252", {"apply", "%p"},
     "NETWORK_PLAYER : Zo\xeb\r\nNETWORK_CDKEY : X\r\nCAMERA_ZOOM : 1\r\nMUSICVOLUME :  50 \r\n\r\n", 0,
     "%p: 2 lines ignored (not a key that set takes)\n%s: 2 lines changed, after the backup %b\n", "",
     {{"Ald\xe9ric", "Zo\xeb"}, {"ZOOM : 3\r\n", "ZOOM : 3\r\nMUSICVOLUME : 50\r\n"}}},
    {"ApplyStandardInput", {"apply", "-"}, "DETAILLEVEL : 0\n", 0,
     "standard input: 0 lines ignored (not a key that set takes)\n" + kChanged, "",
     {{"DETAILLEVEL : 2", "DETAILLEVEL : 0"}}},
    {"ApplyJson", {"apply", "%p"},
     "{\"CHAT_ALPHA\": 200, \"NETWORK_PLAYER\": \"Zo\xc3\xab\", \"SOUNDQUALITY\": null, \"NETWORK_CDKEY\": \"X\"}", 0,
     "%p: 2 keys ignored (not a key that set takes)\n" + kChanged, "", {{"Ald\xe9ric", "Zo\xeb"}}},
    {"ApplyRefusedLines", {"apply", "%p"}, QByteArray("# mine\nmusicvolume : 55\nMUSICVOLUME : 80\nSOUND : 7\n"
     "NETWORK_PLAYER : a\0b\n", 72), 2, "", refused({
     "%p line 2: \"musicvolume : 55\" looks like MUSICVOLUME, which is written \"MUSICVOLUME : value\"",
     "%p line 4: SOUND takes 0, 1 or 2, not \"7\"",
     "%p line 5: the value of NETWORK_PLAYER holds U+0000, a control character, which a settings file cannot store"})},
    {"ApplyAFolder", {"apply", "%g"}, {}, 1, "", "quillset: %g: it is a folder\n"},
    {"ApplyGetsOutput", {"apply", "%p"}, "NETWORK_PLAYER : Zo\xc3\xab\nDETAILLEVEL : 2\n", 0,
     "%p: 0 lines ignored (not a key that set takes)\n" + kChanged, "", {{"Ald\xe9ric", "Zo\xeb"}}},
    {"ApplyCutUtf8IsWindows1252", {"apply", "%p"}, "NETWORK_PLAYER : Zo\xc3\xab\xc3", 0,
     "%p: 0 lines ignored (not a key that set takes)\n" + kChanged, "", {{"Ald\xe9ric", "Zo\xc3\xab\xc3"}}},
    {"ReadOnlyNoBackup", {"set", "SOUND=0"}, {}, 1, "", "quillset: %s could not be written: it is read-only\n"},
    {"NoFile", {"set", "SOUND=0"}, {}, 1, "", refused({"%s: there is no such file"}), {}, {}},
    {"NotSettingsRefused", {"set", "SOUND=0"}, {}, 1, "", refused({"%s: no line of it names a key of the game's "
     "settings: it is not a settings file; --force writes the values to it all the same"}), {}, kPage},
    {"NotSettingsForced", {"set", "--force", "SOUND=0"}, {}, 0, kChanged, "", {{"</html>", "</html>\r\nSOUND : 0\r\n"}}, kPage},
};
// clang-format on

struct CommandLine : ::testing::TestWithParam<Row> {
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
    ASSERT_TRUE((row.before.isNull() || writeBytes(settings, row.before)) &&
                writeBytes(profile, row.profile));
    const mode_t mode = row.before.isNull() ? 0 : row.name == "ReadOnlyNoBackup"_L1 ? 0444 : 0640;
    ASSERT_TRUE(!mode || ::chmod(QFile::encodeName(settings).constData(), mode) == 0);

    QStringList arguments{u"quillset"_s, u"--game-folder"_s, game.path()};
    arguments += QStringList(row.arguments)
                     .replaceInStrings(u"%p"_s, profile)
                     .replaceInStrings(u"%g"_s, game.path());
    cli::CommandOutput output;
    const auto input = [&row] { return std::variant<QByteArray, ReadFailure>(row.profile); };
    EXPECT_EQ(int(cli::runCommandLine(arguments, program.path(), output, input)), row.exit);

    const auto expand = [&](QByteArray text) {
        return text.replace("%g", game.path().toUtf8())
            .replace("%s", settings.toUtf8())
            .replace("%b", backup.toUtf8())
            .replace("%p", profile.toUtf8());
    };
    EXPECT_EQ(output.out, expand(row.out));
    EXPECT_EQ(output.err, expand(row.err));
    // A row's old bytes missing from the file leave its new ones out, so a
    // wrong row fails here too.
    QByteArray expected = row.before;
    for (const auto& [from, to] : row.edits)
        expected.replace(from, to);
    EXPECT_EQ(readBytes(settings), expected);
    struct stat after {};
    EXPECT_EQ(::stat(QFile::encodeName(settings).constData(), &after), mode ? 0 : -1);
    EXPECT_EQ(after.st_mode & 0777, mode) << "the mode is kept";
    EXPECT_EQ(readBytes(backup), row.edits.empty() ? QByteArray() : row.before);
}

INSTANTIATE_TEST_SUITE_P(Rows, CommandLine, ::testing::ValuesIn(kRows), rowName);

// quillset --game-folder GAME WORDS, run in-process there: what it printed.
QByteArray run(const QString& game, const QStringList& words,
               cli::ExitCode expected = cli::ExitCode::Done) {
    cli::CommandOutput output;
    const QStringList arguments = QStringList{u"quillset"_s, u"--game-folder"_s, game} + words;
    EXPECT_EQ(cli::runCommandLine(arguments, game, output), expected)
        << words.join(u' ').toStdString() << output.err.data();
    return output.out;
}

// Every key set takes, on the demo file: setting what get printed writes
// nothing, a value set takes is what get prints afterwards, and one the file
// would not give back as typed is refused.
TEST(SetInPlace, EveryKeyReadsBackWhatItWasSet) {
    const TempFolder game;
    const QString settings = game.file(u"settings.cfg"_s);
    ASSERT_TRUE(QFile::copy(QStringLiteral(QUILLSET_SOURCE_DIR "/resources/demo/settings.cfg"),
                            settings));
    for (int row = 0; row < kKeyCount; ++row) {
        const KeyDef& def = keyCatalogue()[row];
        if (def.isHeld())
            continue;
        const QString key = def.name();
        const auto get = [&] {
            const QByteArray line = run(game.path(), {u"get"_s, key});
            return QString::fromUtf8(line).mid(key.size() + 3).chopped(1);
        };
        const QByteArray before = readBytes(settings);
        EXPECT_TRUE(run(game.path(), {u"set"_s, key + u'=' + get()}).contains("no value"));
        EXPECT_EQ(readBytes(settings), before) << def.key;
        // A text's limit: what its box takes, or what the game reads back.
        const int limit = def.width ? def.width : def.typingLimit;
        QStringList taken{u"1"_s}, refused{u"3"_s, u"-1"_s, u"-0"_s, u"01"_s, u"x"_s};
        if (def.kind == KeyKind::Number)
            taken = {QString::number(def.min), QString::number(def.max)},
            refused = {QString::number(def.max + 1), u"0"_s + QString::number(def.max)};
        else if (def.kind == KeyKind::Choice)
            taken = {QString(QLatin1Char(def.choices().front()))};
        else if (def.kind == KeyKind::WaitRetrace)
            refused << u"2"_s;
        else if (def.kind == KeyKind::Text)
            taken = {QString(), u"\u00c9t\u00e9 "_s.left(limit ? limit : 5)},
            refused = limit ? QStringList{QString(limit + 1, u'e')} : QStringList();
        for (const QString& value : taken) {
            run(game.path(), {u"set"_s, key + u'=' + value});
            EXPECT_EQ(get(), value) << def.key;
        }
        for (const QString& value : refused)
            run(game.path(), {u"set"_s, key + u'=' + value}, cli::ExitCode::Usage);
    }
}

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

// The built program, as a launcher's script runs it: with no display to
// open, the search for Wine prefixes in a home of the test's own, so nothing
// of the machine's is read or written.
struct BuiltProgram : ::testing::Test {
    void SetUp() override {
        ASSERT_TRUE(writeBytes(game.file(u"settings.cfg"_s), "X\r\nSOUND : 1\r\n"));
        environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "WINEPREFIX"})
            environment.remove(QLatin1String(name));
        for (const char* name : {"HOME", "XDG_DATA_HOME", "XDG_CONFIG_HOME"})
            environment.insert(QLatin1String(name), home.path());
    }
    // Starts quillset --game-folder GAME with the arguments.
    void start(QProcess& process, const QStringList& arguments) {
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(home.path());
        process.start(QStringLiteral(QUILLSET_EXECUTABLE),
                      QStringList{u"--game-folder"_s, game.path()} + arguments);
    }
    // Runs it to its end: the exit code, and what it printed as errors.
    std::pair<int, QByteArray> run(const QStringList& arguments) {
        QProcess process;
        start(process, arguments);
        process.waitForFinished(10000);
        return {process.exitCode(), process.readAllStandardError()};
    }
    QByteArray settings() const { return readBytes(game.file(u"settings.cfg"_s)); }

    TempFolder game, home;
    QProcessEnvironment environment;
};

// Without a display, what used to take the window's way and abort says one
// line; output that cannot be written fails the command.
TEST_F(BuiltProgram, NeverAbortsNorHidesAFailureToPrint) {
    const std::pair<QStringList, int> rows[] = {
        {{}, 1}, {{u"-help"_s}, 2}, {{u"-V"_s}, 2}, {{u"-hv"_s}, 2}};
    for (const auto& [arguments, code] : rows) {
        const auto [exit, err] = run(arguments);
        EXPECT_EQ(std::pair(exit, int(err.count('\n'))), std::pair(code, 1)) << err.data();
    }
    // Standard output closed, as a launcher might leave it.
    QProcess closed;
    closed.setChildProcessModifier([] { ::close(STDOUT_FILENO); });
    start(closed, {u"get"_s});
    ASSERT_TRUE(closed.waitForFinished(10000));
    EXPECT_EQ(closed.exitCode(), 1);
    EXPECT_TRUE(closed.readAllStandardError().startsWith("quillset: standard output could not"));
}

// Two commands started together, each setting its own key, round after
// round, without a display to open: no change is ever lost.
TEST_F(BuiltProgram, TwoCommandsAtOnceLoseNothing) {
    for (int round = 1; round <= 25; ++round) {
        QProcess music, effects;
        start(music, {u"set"_s, u"MUSICVOLUME=%1"_s.arg(round)});
        start(effects, {u"set"_s, u"SFXVOLUME=%1"_s.arg(round)});
        ASSERT_TRUE(music.waitForFinished(10000) && effects.waitForFinished(10000));
        ASSERT_EQ(music.exitCode() | effects.exitCode(), 0) << effects.readAllStandardError().data();
        const SettingsModel values = readSettings(settings());
        ASSERT_EQ(std::pair(values.numbers[rowOf("MUSICVOLUME")], values.numbers[rowOf("SFXVOLUME")]),
                  std::pair(round, round)) << "round " << round;
    }
}

// While the game runs from its folder (here under a name relative to it, as
// "wine Korrin.exe" started there shows), set refuses and names it; --force
// writes and warns.
TEST_F(BuiltProgram, SetWaitsForTheGameUnlessForced) {
    ASSERT_TRUE(writeBytes(game.file(u"Korrin.exe"_s), "MZ"));
    QProcess korrin;
    korrin.setWorkingDirectory(game.path());
    korrin.start(u"bash"_s, {u"-c"_s, u"exec -a Korrin.exe sleep 30"_s});
    ASSERT_TRUE(korrin.waitForStarted(5000));
    const QByteArray before = settings();
    QDeadlineTimer deadline(10000); // until the process shows its new name
    auto [code, err] = run({u"set"_s, u"SOUND=0"_s});
    while (code == 0 && !deadline.hasExpired()) {
        ASSERT_TRUE(writeBytes(game.file(u"settings.cfg"_s), before));
        std::tie(code, err) = run({u"set"_s, u"SOUND=0"_s});
    }
    EXPECT_EQ(code, 1);
    EXPECT_TRUE(err.contains("the game is running (process " +
                             QByteArray::number(korrin.processId()) + ", Korrin.exe)"))
        << err.data();
    EXPECT_EQ(settings(), before);
    EXPECT_FALSE(QFile::exists(game.file(u"settings.bck"_s))) << "nothing made before a refusal";
    std::tie(code, err) = run({u"set"_s, u"--force"_s, u"SOUND=0"_s});
    EXPECT_EQ(std::pair(code, settings()), std::pair(0, QByteArray("X\r\nSOUND : 0\r\n")));
    EXPECT_TRUE(err.contains("it may write its own settings when it quits"));
    korrin.kill();
    korrin.waitForFinished(5000);
}

} // namespace
} // namespace quillset::test
