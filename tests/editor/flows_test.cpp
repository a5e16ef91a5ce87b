// The editor's flows as decision tables, run without a window: one row per
// way through start-up, Open, Save and Exit, with scripted answers and the
// files each way reads and writes; and the options menu's commands.

#include "editor_fixture.h"
#include "settings/standard_settings.h"
#include "shell/visual_style.h"

namespace quillset::test {
namespace {

const QByteArray kOtherFile = "NETWORK_PLAYER : Elsewhere\r\n";

// What a row sets up, combined with |. Before start-up: the game's settings
// beside the program (a portable copy), an old backup beside it or in the
// game's folder, a registry that refuses writes or maps drive C: as a Wine
// prefix does, no language file. Before a command: advanced mode, the install
// folder's settings.cfg loaded at start-up or one that appears only later (so
// none is loaded), an edit (of the sound switch, which the volume controls
// follow).
constexpr unsigned Nothing = 0, PortableCopy = 1, BackupBeside = 2, BackupInGame = 4,
                   ReadOnlyRegistry = 8, WineDriveC = 16, NoLanguage = 32, Advanced = 64,
                   GameFile = 128, GameFileLater = 256, Edited = 512;

// ---- Start-up: the game's folder, settled once, and its first backup ---------

// The install folder start-up settles on; the backups after it: the old one
// kept, or a fresh copy, beside the program or in the game's folder.
enum InstallFolder { ProgramDir, GameDir, NoDir };
enum Backups { NoBackup, KeptBeside, MadeBeside, KeptInGame, MadeInGame };

// The game's folder as a Windows path, as an installer under Wine writes it.
const char* const kOnDriveC = "C:\\Games\\Korrin";

struct StartCase {
    // The row's name; the installer's value in the machine root and in the
    // per-user root: "game" or a Windows path.
    const char *name, *machine, *user;
    unsigned setup;
    InstallFolder folder;
    QStringList shown;
    Backups backups;
    const char* machineAfter; // the machine root's value after
};

// clang-format off
const StartCase kStartCases[] = {
    {"PortableFirstStart",  "game",       nullptr,    PortableCopy,                             ProgramDir, {"M4"},      MadeBeside, "game"},
    {"RegistryFirstStart",  "game",       nullptr,    Nothing,                                  GameDir,    {"M4"},      MadeInGame, "game"},
    {"PerUserValueCopied",  nullptr,      "game",     BackupInGame,                             GameDir,    {},          KeptInGame, "game"},
    {"PerUserCopyRefused",  nullptr,      "game",     BackupInGame | ReadOnlyRegistry,          ProgramDir, {"open:C4"}, KeptInGame, nullptr},
    {"MachineBeforeUser",   "game",       "/nowhere", BackupInGame,                             GameDir,    {},          KeptInGame, "game"},
    {"WinePrefix",          kOnDriveC,    nullptr,    BackupInGame | WineDriveC,                GameDir,    {},          KeptInGame, kOnDriveC},
    {"WineUnmappedDrive",   "D:\\Korrin", nullptr,    BackupInGame | WineDriveC,                ProgramDir, {"open:C4"}, KeptInGame, "D:\\Korrin"},
    {"NoRegistryValue",     nullptr,      nullptr,    Nothing,                                  ProgramDir, {"open:C4"}, NoBackup,   nullptr},
    {"LanguageFileMissing", "game",       nullptr,    PortableCopy | BackupBeside | NoLanguage, NoDir,      {"!"},       KeptBeside, "game"},
};
// clang-format on

class StartFlow : public Flow, public ::testing::WithParamInterface<StartCase> {};

TEST_P(StartFlow, SettlesTheFolderAndBacksUpAsTheRowSays) {
    const StartCase& c = GetParam();
    const auto value = [this](const char* v) { return v == "game"_L1 ? gameDir() : v; };
    writeBytes(c.setup & PortableCopy ? settings() : QString(), kGameFile);
    writeBytes(c.setup & BackupBeside ? program.file(u"settings.bck"_s) : QString(), "b");
    writeBytes(gameDir() + u"/settings.cfg"_s, kOtherFile);
    writeBytes(c.setup & BackupInGame ? gameDir() + u"/settings.bck"_s : QString(), "g");
    for (const auto& [root, v] : {std::pair{RegistryRoot::LocalMachine, c.machine},
                                  std::pair{RegistryRoot::CurrentUser, c.user}})
        if (v)
            registry.setStringValue(root, kInstallKeyPath, kInstallValueName, value(v));
    registry.refuseWrites = c.setup & ReadOnlyRegistry;
    registry.driveC = c.setup & WineDriveC ? game.path() : QString();
    const bool language = !(c.setup & NoLanguage);
    QFile::remove(language ? QString() : program.file(u"language.lng"_s));
    if (c.shown.contains(u"open:C4"_s))
        dialogs.choose(QString());

    EXPECT_EQ(startEditor() == Startup::Result::Running, language);

    EXPECT_EQ(shown(), c.shown); // so the one scripted file dialog, if any, was used
    const QString folder = c.folder == ProgramDir ? program.path() : gameDir();
    EXPECT_EQ(editor.context().installDir(),
              c.folder == NoDir ? QString() : QDir::toNativeSeparators(folder) + QDir::separator());
    // A backup is made once and never replaced.
    for (const auto& [dir, old, kept, made] :
         {std::tuple{program.path(), "b", KeptBeside, MadeBeside},
          {gameDir(), "g", KeptInGame, MadeInGame}}) {
        const QByteArray fresh = c.backups == made ? readBytes(dir + u"/settings.cfg"_s) : "";
        EXPECT_EQ(readBytes(dir + u"/settings.bck"_s), c.backups == kept ? QByteArray(old) : fresh);
    }
    EXPECT_EQ(registry.readString(RegistryRoot::LocalMachine, kInstallKeyPath, kInstallValueName),
              value(c.machineAfter));
    // Besides the planted values, one write: the machine value copied.
    EXPECT_EQ(registry.acceptedWrites, !!c.machine + !!c.user + (!c.machine && c.machineAfter));
    EXPECT_TRUE(readBytes(current.file(u"debug.log"_s)).contains(kSearchTrace));
    const auto running = std::tuple(editor.context().isStartupComplete(), view.shown, !view.closed,
                                    editor.context().debugLog().isOpen(), !view.heading.isEmpty(),
                                    view.advanced, panel.texts);
    EXPECT_EQ(running,
              std::tuple(language, language, language, language, language, !language, language));
    // The window shows the folder's settings, if any, unmarked, in normal mode.
    const QString cfg = language ? folder + u"/settings.cfg"_s : QString();
    EXPECT_EQ(values(), loadSettings(cfg).value_or(SettingsModel::cleared()));
    EXPECT_EQ(editor.settingsFile().path(), QFileInfo::exists(cfg) ? cfg : QString());
    expectMark(false);
    EXPECT_TRUE(!language || view.values == values()) << "the window shows them";
}

INSTANTIATE_TEST_SUITE_P(Rows, StartFlow, ::testing::ValuesIn(kStartCases), rowName);

// ---- Open, Save and Exit -------------------------------------------------------

struct CommandCase {
    const char* name;
    void (FileCommands::*command)();
    unsigned setup;
    std::vector<Answer> answers;
    const char* chosen; // the file dialog's answer in another folder: "" cancels, a
                        // name ending in '/' is a folder there
    QStringList shown;
    const char *written, *loaded; // "game", a name in the other folder, or none
    bool marked;
};

const auto kOpen = &FileCommands::open, kSave = &FileCommands::save, kExit = &FileCommands::exit;
const Answer kOk = Answer::Ok, kCancel = Answer::Cancel, kYes = Answer::Yes, kNo = Answer::No;

// clang-format off
const CommandCase kCommandCases[] = {
    {"OpenDropsTheEdits",       kOpen, GameFile | Edited, {kCancel}, nullptr, {"M2"}, nullptr, "game", false},
    {"OpenSavesFirst",          kOpen, GameFile | Edited, {kOk, kOk}, nullptr, {"M2", "M9"}, "game", "game", false},
    {"OpenNoGameFileRefused",   kOpen, Nothing, {kCancel}, nullptr, {"M1"}, nullptr, nullptr, false},
    {"OpenNoGameFileWrongName", kOpen, Edited, {kCancel, kOk}, "Settings.cfg", {"M2", "M1", "open:C2", "M3"}, nullptr, nullptr, true},
    {"OpenNoGameFileChosen",    kOpen, Edited, {kCancel, kOk}, "settings.cfg", {"M2", "M1", "open:C2"}, nullptr, "settings.cfg", false},
    {"OpenAdvancedCancelled",   kOpen, Advanced | GameFile | Edited, {kCancel}, "", {"M2", "open:C2"}, nullptr, nullptr, true},
    {"OpenAdvancedChosen",      kOpen, Advanced | GameFile | Edited, {kCancel}, "settings.cfg", {"M2", "open:C2"}, nullptr, "settings.cfg", false},
    {"OpenAdvancedUnreadable",  kOpen, Advanced | GameFile | Edited, {kCancel}, "settings.cfg/", {"M2", "open:C2", "M18"}, nullptr, nullptr, true},
    {"SaveUnchanged",           kSave, GameFile, {}, nullptr, {}, nullptr, nullptr, false},
    {"SaveOverTheCurrentFile",  kSave, GameFile | Edited, {kOk}, nullptr, {"M9"}, "game", nullptr, false},
    {"SaveElsewhereCancelled",  kSave, GameFile | Edited, {kCancel}, "", {"M9", "save:C1"}, nullptr, nullptr, true},
    {"SaveElsewhere",           kSave, GameFile | Edited, {kCancel}, "copy.cfg", {"M9", "save:C1"}, "copy.cfg", nullptr, false},
    {"SaveElsewhereFails",      kSave, GameFile | Edited, {kCancel}, "settings.cfg/", {"M9", "save:C1", "M16"}, nullptr, nullptr, true},
    {"SaveNoGameFileRefused",   kSave, Edited, {kCancel}, nullptr, {"M1"}, nullptr, nullptr, true},
    {"SaveNoGameFileElsewhere", kSave, Edited, {kOk}, "settings.cfg", {"M1", "save:C1"}, "settings.cfg", nullptr, false},
    {"SaveUnloadedGameFile",    kSave, GameFileLater | Edited, {}, nullptr, {}, "game", nullptr, false},
    {"SaveAdvancedNoFile",      kSave, Advanced | Edited, {}, "settings.cfg", {"save:C1"}, "settings.cfg", nullptr, false},
    {"SaveAdvancedOverCurrent", kSave, Advanced | GameFile | Edited, {kOk}, nullptr, {"M9"}, "game", nullptr, false},
    {"ExitUnchanged",           kExit, GameFile, {}, nullptr, {}, nullptr, nullptr, false},
    {"ExitDiscardsTheEdits",    kExit, GameFile | Edited, {kNo}, nullptr, {"C3 |M2"}, nullptr, nullptr, true},
    {"ExitSavesTheEdits",       kExit, GameFile | Edited, {kYes, kOk}, nullptr, {"C3 |M2", "M9"}, "game", nullptr, false},
};
// clang-format on

class CommandFlow : public Flow, public ::testing::WithParamInterface<CommandCase> {};

TEST_P(CommandFlow, AsksWritesLoadsAndMarksAsTheRowSays) {
    const CommandCase& c = GetParam();
    const auto path = [this](const QByteArray& name) {
        const QString there = elsewhere.file(QString::fromLatin1(name.chopped(name.endsWith('/'))));
        return name.isEmpty() ? QString() : name == "game" ? settings() : there;
    };
    start(c.setup & GameFile ? kGameFile : QByteArray());
    writeBytes(c.setup & GameFileLater ? settings() : QString(), "OLD : 1\r\n");
    if (c.setup & Advanced)
        editor.menu().toggleAdvancedMode();
    // What Open finds on disk differs from what start-up loaded, so a load
    // shows (unless Open saves first: that would merge the change).
    if (c.command == kOpen && c.setup & GameFile && !c.written)
        writeBytes(settings(), "NETWORK_PLAYER : Reloaded\r\n");
    // A folder chosen is made first, so no file can be written in its place.
    QDir().mkpath(QByteArray(c.chosen).endsWith('/') ? path(c.chosen) : QString());
    writeBytes(c.command == kOpen ? path(c.chosen) : QString(), kOtherFile);
    if (c.setup & Edited)
        editor.settings().setNumber(kSoundRow, !values().numbers[kSoundRow]);
    for (Answer a : c.answers)
        dialogs.answer(a);
    if (c.chosen)
        dialogs.choose(path(c.chosen));
    const SettingsModel before = values();
    const QByteArray gameBefore = readBytes(settings());
    const QString currentBefore = editor.settingsFile().path();

    (editor.files().*c.command)();

    EXPECT_EQ(shown(), c.shown);
    EXPECT_TRUE(dialogs.exhausted()) << "every scripted answer was asked for";
    // A file dialog starts at the current file; a failed save or load names the file.
    for (const auto& s : dialogs.shown) {
        const bool failed = s.text.startsWith(u"M16"_s) || s.text.startsWith(u"M18"_s);
        EXPECT_TRUE(s.kind != Kind::Message
                        ? s.initialFolder == currentBefore
                        : !failed || s.text.contains(QDir::toNativeSeparators(path(c.chosen))));
    }
    // Written with the values as they were; the game's file otherwise stays.
    EXPECT_EQ(loadSettings(path(c.written), before.fontPagesValue),
              c.written ? std::optional(before) : std::nullopt);
    EXPECT_TRUE(path(c.written) == settings() || readBytes(settings()) == gameBefore);
    EXPECT_EQ(values(), c.loaded ? loadSettings(path(c.loaded), before.fontPagesValue) : before);
    EXPECT_EQ(editor.settingsFile().path(), c.loaded ? path(c.loaded) : currentBefore);
    expectMark(c.marked);
    EXPECT_EQ(view.volumeEnabled, values().numbers[kSoundRow] == 1);
    EXPECT_EQ(std::pair(view.closed, editor.context().debugLog().isOpen()),
              std::pair(c.command == kExit, c.command != kExit));
}

INSTANTIATE_TEST_SUITE_P(Rows, CommandFlow, ::testing::ValuesIn(kCommandCases), rowName);

// ---- The options menu ----------------------------------------------------------

// Every value cleared, the held ones too but the font pages, then each value
// of the standard set: a number, a fixed text, or a [GUI] entry of the
// language file ("G14" is entry 14).
TEST_F(Flow, StandardSettingsSetEachStandardValueAsAnEditWhenConfirmed) {
    start("FONTPAGES : 7\r\nNETWORK_CDKEY : KEY\r\nWAITRETRACE : 0\r\n" + kGameFile);
    SettingsModel standard = SettingsModel::cleared(u"7"_s);
    for (const StandardValue& v : standardSettings()) {
        standard.numbers[v.row] = v.number;
        if (v.guiEntry || v.text)
            standard.texts[v.row] = v.text ? QString::fromLatin1(v.text) : u"G%1"_s.arg(v.guiEntry);
    }
    for (const Answer answer : {kCancel, kOk}) {
        const SettingsModel expected = answer == kOk ? standard : values();
        dialogs.shown.clear();
        dialogs.answer(answer);
        editor.menu().applyStandardSettings();
        EXPECT_EQ(shown(), QStringList{u"M5"_s});
        EXPECT_EQ(std::pair(values(), view.values), std::pair(expected, expected));
        expectMark(answer == kOk);
    }
}

// Where the user cannot write the program folder, the switch renames nothing:
// it keeps the user's choice in their folder, and the next start shows it.
// Where that folder cannot be written either, it says so and changes nothing.
TEST_F(Flow, TheStyleSwitchKeepsTheUsersOwnChoiceWhereTheProgramFolderIsNotTheirs) {
    const ManifestPaths paths = ManifestPaths::in(program.path());
    for (const char* name : {"Quillset.exe.Manifest", "settings.cfg", "settings.bck"})
        writeBytes(program.file(QLatin1String(name)), kGameFile);
    TempFolder home;
    Environment environment;
    environment.set("HOME", home.path());
    environment.set("XDG_CONFIG_HOME", u"relative"_s); // ignored: ~/.config
    const QString kept = home.file(u".config/quillset/visual_style.cfg"_s);
    const ReadOnlyFolder locked(program.path());
    withFolderReadOnly(program.path(), [&] {
        ASSERT_EQ(startEditor(), Startup::Result::Running);
        EXPECT_EQ(view.visualStyleItem, MenuItemState::Checked) << "as the manifest is";
        for (const bool checked : {false, true}) {
            dialogs.shown.clear();
            editor.menu().switchVisualStyle();
            EXPECT_EQ(shown(), QStringList{u"!"_s}); // "Please restart the program!"
            EXPECT_EQ(view.visualStyleChecked, checked);
            EXPECT_EQ(readBytes(kept), "USE_XP_STYLE : " + QByteArray::number(checked) + "\r\n");
            EXPECT_TRUE(QFileInfo::exists(paths.active) && !QFileInfo::exists(paths.parked));
            Editor next{dialogs, program.path()};
            RecordingView nextView;
            next.setView(nextView, panel);
            ASSERT_EQ(startEditor(next), Startup::Result::Running);
            EXPECT_EQ(nextView.visualStyleItem,
                      checked ? MenuItemState::Checked : MenuItemState::Unchecked);
        }
        const ReadOnlyFolder lockedToo(QFileInfo(kept).path());
        dialogs.shown.clear();
        editor.menu().switchVisualStyle();
        EXPECT_EQ(shown(), QStringList{u"M26"_s});
        EXPECT_TRUE(view.visualStyleChecked);
        EXPECT_EQ(readBytes(kept), "USE_XP_STYLE : 1\r\n");
    });
}

} // namespace
} // namespace quillset::test
