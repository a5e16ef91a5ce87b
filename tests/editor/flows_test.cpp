// The editor's flows as decision tables, run without a window: one row per
// way through start-up, Open, Save and Exit, with scripted answers and the
// files each way reads and writes; and the options menu's commands.

#include "editor/editor.h"
#include "registry/registry.h"
#include "settings/settings_reader.h"
#include "settings/standard_settings.h"
#include "shell/visual_style.h"
#include "support/scripted_dialogs.h"
#include "test_support.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

#include <map>
#include <tuple>
#include <vector>

namespace quillset::test {
namespace {

// Starts as the window's design does: advanced mode, volume and style item on.
struct RecordingView : EditorView {
    void showValues(const SettingsModel& shown) override { values = shown; }
    void showTitle(const QString& shown) override { title = shown; }
    void showAdvancedMode(bool on) override { advanced = on; }
    void showVolumeControlsEnabled(bool on) override { volumeEnabled = on; }
    void showVisualStyleItem(MenuItemState state) override { visualStyleItem = state; }
    void showVisualStyleChecked(bool on) override { visualStyleChecked = on; }
    void showTexts(std::span<const TextAssignment>) override {}
    void showHeading(const QString& text) override { heading = text; }
    void showWindow() override { shown = true; }
    void closeProgram() override { closed = true; }

    SettingsModel values;
    QString title = programTitle(), heading;
    bool advanced = true, volumeEnabled = true, visualStyleChecked = true, shown{}, closed{};
    MenuItemState visualStyleItem = MenuItemState::Checked;
};

const QByteArray kSearchTrace = "Registry -> Using the prefix of a test";

// A registry held in memory: values planted by the test, writes counted or
// refused (as for a user without rights to the machine root), and a Wine
// prefix's drive C: link.
struct MemoryRegistry final : Registry {
    std::optional<RegistryValue> queryValue(RegistryRoot root, const QString& key,
                                            const QString& name) const override {
        const auto found = values.find({root, key, name});
        return found == values.end() ? std::nullopt : std::optional(found->second);
    }
    bool setStringValue(RegistryRoot root, const QString& key, const QString& name,
                        const QString& text) override {
        if (refuseWrites)
            return false;
        values[{root, key, name}] = {kRegSz, utf16StringData(text)};
        return ++acceptedWrites > 0;
    }
    // With a drive link, only paths on C: can be mapped.
    QString localPath(const QString& path) const override {
        if (driveC.isEmpty() || !path.startsWith("C:\\"_L1))
            return driveC.isEmpty() ? path : QString();
        return driveC + u'/' + path.mid(3).replace(u'\\', u'/');
    }
    QStringList searchTrace() const override { return trace; }

    std::map<std::tuple<RegistryRoot, QString, QString>, RegistryValue> values;
    bool refuseWrites = false;
    int acceptedWrites = 0;
    QString driveC;
    QStringList trace{QString::fromLatin1(kSearchTrace)};
};

using Answer = Dialogs::Answer;
using Kind = ScriptedDialogs::Shown::Kind;

// Each kept text is its section's initial and entry number ("M2" is
// [Messages] entry 2), so a row can name the questions asked.
QByteArray languageFile() {
    QByteArray file;
    for (const auto& [section, n] : {std::pair{"Captions", 5}, {"Messages", 9}, {"GUI", 15}}) {
        file += QByteArray("[") + section + "]\r\n";
        for (int i = 1; i <= n; ++i)
            file += section[0] + QByteArray::number(i) + "\r\n";
    }
    return file;
}

const QByteArray kGameFile = "SOUND : 1\r\nNETWORK_PLAYER : Aldric\r\nCAMERA_ZOOM : 3\r\n";
const QByteArray kOtherFile = "NETWORK_PLAYER : Elsewhere\r\n";
const QLatin1String kSound("SOUND");

class Flow : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(QDir::setCurrent(current.path())); // debug.log goes here
        ASSERT_TRUE(QDir().mkpath(gameDir()));
        writeBytes(program.file(u"language.lng"_s), languageFile());
        state.programDir = program.path();
        editor.setRegistry(&registry);
    }
    void TearDown() override { QDir::setCurrent(previousFolder); }

    // Start-up with the game's settings and backup beside the program, or
    // without (its backup step then asks for a file to copy: cancelled).
    void start(bool gameFile) {
        for (const char* name : {"settings.cfg", "settings.bck"})
            writeBytes(gameFile ? program.file(QLatin1String(name)) : QString(), kGameFile);
        if (!gameFile)
            dialogs.choose(QString());
        ASSERT_EQ(editor.start(), Editor::StartupResult::Running);
        dialogs.shown.clear();
    }
    QString settings() const { return program.file(u"settings.cfg"_s); }
    // The game's folder as the registry names it (drive C: of the prefix rows).
    QString gameDir() const { return game.file(u"Games/Korrin"_s); }
    void expectMark(bool marked) const {
        const QString path = QDir::toNativeSeparators(state.currentSettingsPath);
        const QString base = programTitle() + (path.isEmpty() ? QString() : " : " + path);
        EXPECT_EQ(view.title, marked ? base + u" - Changed!"_s : base);
        EXPECT_EQ(state.changedFlag, marked);
    }
    // The dialogs shown: a kept text as itself, a message of the program's
    // own as "!", a title other than the program's before a '|', and a file
    // dialog as "open:" or "save:" with its title.
    QStringList shown() const {
        static const QRegularExpression kept(u"^[CMG]\\d+$"_s);
        QStringList out;
        for (const auto& s : dialogs.shown) {
            const QString first = s.text.section(QLatin1Char(' '), 0, 0);
            out << (s.kind != Kind::Message ? (s.kind == Kind::Open ? "open:" : "save:") + s.title
                    : s.title != programTitle()    ? s.title + QLatin1Char('|') + first
                    : kept.match(first).hasMatch() ? first
                                                   : u"!"_s);
        }
        return out;
    }

    const QString previousFolder = QDir::currentPath();
    TempFolder current, program, game, elsewhere;
    MemoryRegistry registry;
    // An editor as the program builds it, before start-up has run.
    AppState state;
    ScriptedDialogs dialogs;
    RecordingView view;
    Editor editor{state, dialogs, view};
};

// A table row's name is its test's.
constexpr auto rowName = [](const auto& info) { return std::string(info.param.name); };

// ---- Start-up: the game's folder, settled once, and its first backup ---------

struct StartCase {
    // The row's name; the installer's value in the machine root and in the
    // per-user root: "game" or a Windows path.
    const char *name, *machine, *user;
    // Before: 'c' the game's settings beside the program (a portable copy),
    // 'b' an old backup beside it, 'g' one in the game's folder; 'r' the
    // registry refuses writes, 'w' it maps drive C: as a Wine prefix does,
    // 'l' no language file.
    const char* setup;
    char folder; // the install folder: 'p' the program's, 'g' the game's, '-' none
    QStringList shown;
    // After: backups 'b', 'g' old ones kept, 'B', 'G' fresh copies; the
    // machine root's value.
    const char *backups, *machineAfter;
};

// clang-format off
const StartCase kStartCases[] = {
    {"PortableFirstStart",   "game",              nullptr, "c",   'p', {"M4"},      "B", "game"},
    {"PortableLaterStart",   "game",              nullptr, "cb",  'p', {},          "b", "game"},
    {"RegistryFirstStart",   "game",              nullptr, "",    'g', {"M4"},      "G", "game"},
    {"RegistryLaterStart",   "game",              nullptr, "g",   'g', {},          "g", "game"},
    {"PerUserValueCopied",   nullptr,             "game",  "g",   'g', {},          "g", "game"},
    {"PerUserCopyRefused",   nullptr,             "game",  "gr",  'p', {"open:C4"}, "g", nullptr},
    {"MachineBeforeUser",    "game",              "/nowhere", "g",   'g', {},          "g", "game"},
    {"WinePrefix",           "C:\\Games\\Korrin", nullptr, "gw",  'g', {},          "g", "C:\\Games\\Korrin"},
    {"WineUnmappedDrive",    "D:\\Korrin",        nullptr, "gw",  'p', {"open:C4"}, "g", "D:\\Korrin"},
    {"NoRegistryValue",      nullptr,             nullptr, "",    'p', {"open:C4"}, "",  nullptr},
    {"LanguageFileMissing",  "game",              nullptr, "cbl", '-', {"!"},       "b", "game"},
};
// clang-format on

class StartFlow : public Flow, public ::testing::WithParamInterface<StartCase> {};

TEST_P(StartFlow, SettlesTheFolderAndBacksUpAsTheRowSays) {
    const StartCase& c = GetParam();
    const QByteArray setup = c.setup;
    const QByteArray backups = c.backups;
    const auto value = [this](const char* v) { return v == "game"_L1 ? gameDir() : v; };
    writeBytes(setup.contains('c') ? settings() : QString(), kGameFile);
    writeBytes(setup.contains('b') ? program.file(u"settings.bck"_s) : QString(), "b");
    writeBytes(gameDir() + u"/settings.cfg"_s, kOtherFile);
    writeBytes(setup.contains('g') ? gameDir() + u"/settings.bck"_s : QString(), "g");
    for (const auto& [root, v] : {std::pair{RegistryRoot::LocalMachine, c.machine},
                                  std::pair{RegistryRoot::CurrentUser, c.user}})
        if (v)
            registry.setStringValue(root, kInstallKeyPath, kInstallValueName, value(v));
    registry.refuseWrites = setup.contains('r');
    registry.driveC = setup.contains('w') ? game.path() : QString();
    const bool language = !setup.contains('l');
    QFile::remove(language ? QString() : program.file(u"language.lng"_s));
    if (c.shown.contains(u"open:C4"_s))
        dialogs.choose(QString());

    EXPECT_EQ(editor.start() == Editor::StartupResult::Running, language);

    EXPECT_EQ(shown(), c.shown); // so the one scripted file dialog, if any, was used
    const QString folder = c.folder == 'p' ? program.path() : gameDir();
    EXPECT_EQ(state.installDir,
              c.folder == '-' ? QString() : QDir::toNativeSeparators(folder) + QDir::separator());
    // A backup is made once and never replaced.
    for (const auto& [dir, old] : {std::pair{program.path(), 'b'}, std::pair{gameDir(), 'g'}}) {
        const QByteArray made =
            backups.contains(char(old - 32)) ? readBytes(dir + u"/settings.cfg"_s) : "";
        EXPECT_EQ(readBytes(dir + u"/settings.bck"_s),
                  backups.contains(old) ? QByteArray(1, old) : made);
    }
    EXPECT_EQ(registry.readString(RegistryRoot::LocalMachine, kInstallKeyPath, kInstallValueName),
              value(c.machineAfter));
    // Besides the planted values, one write: the machine value copied.
    EXPECT_EQ(registry.acceptedWrites, !!c.machine + !!c.user + (!c.machine && c.machineAfter));
    EXPECT_TRUE(readBytes(current.file(u"debug.log"_s)).contains(kSearchTrace));
    const auto running =
        std::tuple(state.startupComplete, view.shown, !view.closed, editor.debugLog().isOpen(),
                   !view.heading.isEmpty(), view.advanced);
    EXPECT_EQ(running, std::tuple(language, language, language, language, language, !language));
    // The window shows the folder's settings, if any, unmarked, in normal mode.
    const QString cfg = language ? folder + u"/settings.cfg"_s : QString();
    EXPECT_EQ(editor.values(), loadSettingsFile(cfg).value_or(SettingsModel::cleared()));
    EXPECT_EQ(state.currentSettingsPath, QFileInfo::exists(cfg) ? cfg : QString());
    expectMark(false);
    EXPECT_TRUE(!language || view.values == editor.values()) << "the window shows them";
}

INSTANTIATE_TEST_SUITE_P(Rows, StartFlow, ::testing::ValuesIn(kStartCases), rowName);

// ---- Open, Save and Exit -------------------------------------------------------

struct CommandCase {
    const char* name;
    void (Editor::*command)();
    // 'a' advanced mode, 'g' the install folder's settings.cfg loaded at
    // start-up, 'l' one that appears later (so none is loaded), 'e' an edit (of the
    // sound switch, which the volume controls follow).
    const char* setup;
    std::vector<Answer> answers;
    const char* chosen; // the file dialog's answer in another folder: "" cancels, a
                        // name ending in '/' is a folder there
    QStringList shown;
    const char *written, *loaded; // "game", a name in the other folder, or none
    bool marked;
};

const auto kOpen = &Editor::open, kSave = &Editor::save, kExit = &Editor::exit;
const Answer kOk = Answer::Ok, kCancel = Answer::Cancel;

// clang-format off
const CommandCase kCommandCases[] = {
    {"OpenUnchanged",           kOpen, "g",   {},                nullptr,         {},                            nullptr,        "game",         false},
    {"OpenDropsTheEdits",       kOpen, "ge",  {kCancel},         nullptr,         {"M2"},                        nullptr,        "game",         false},
    {"OpenSavesFirst",          kOpen, "ge",  {kOk, kOk},        nullptr,         {"M2", "M9"},                  "game",         "game",         false},
    {"OpenNoGameFileRefused",   kOpen, "",    {kCancel},         nullptr,         {"M1"},                        nullptr,        nullptr,        false},
    {"OpenNoGameFileWrongName", kOpen, "e",   {kCancel, kOk},    "Settings.cfg",  {"M2", "M1", "open:C2", "M3"}, nullptr,        nullptr,        true},
    {"OpenNoGameFileChosen",    kOpen, "e",   {kCancel, kOk},    "settings.cfg",  {"M2", "M1", "open:C2"},       nullptr,        "settings.cfg", false},
    {"OpenAdvancedCancelled",   kOpen, "age", {kCancel},         "",              {"M2", "open:C2"},             nullptr,        nullptr,        true},
    {"OpenAdvancedChosen",      kOpen, "age", {kCancel},         "settings.cfg",  {"M2", "open:C2"},             nullptr,        "settings.cfg", false},
    {"OpenAdvancedUnreadable",  kOpen, "age", {kCancel},         "settings.cfg/", {"M2", "open:C2", "!"},        nullptr,        nullptr,        true},
    {"SaveUnchanged",           kSave, "g",   {},                nullptr,         {},                            nullptr,        nullptr,        false},
    {"SaveOverTheCurrentFile",  kSave, "ge",  {kOk},             nullptr,         {"M9"},                        "game",         nullptr,        false},
    {"SaveElsewhereCancelled",  kSave, "ge",  {kCancel},         "",              {"M9", "save:C1"},             nullptr,        nullptr,        true},
    {"SaveElsewhere",           kSave, "ge",  {kCancel},         "copy.cfg",      {"M9", "save:C1"},             "copy.cfg",     nullptr,        false},
    {"SaveElsewhereFails",      kSave, "ge",  {kCancel},         "settings.cfg/", {"M9", "save:C1", "!"},        nullptr,        nullptr,        true},
    {"SaveNoGameFileRefused",   kSave, "e",   {kCancel},         nullptr,         {"M1"},                        nullptr,        nullptr,        true},
    {"SaveNoGameFileElsewhere", kSave, "e",   {kOk},             "settings.cfg",  {"M1", "save:C1"},             "settings.cfg", nullptr,        false},
    {"SaveUnloadedGameFile",    kSave, "le",  {},                nullptr,         {},                            "game",         nullptr,        false},
    {"SaveAdvancedNoFile",      kSave, "ae",  {},                "settings.cfg",  {"save:C1"},                   "settings.cfg", nullptr,        false},
    {"SaveAdvancedOverCurrent", kSave, "age", {kOk},             nullptr,         {"M9"},                        "game",         nullptr,        false},
    {"ExitUnchanged",           kExit, "g",   {},                nullptr,         {},                            nullptr,        nullptr,        false},
    {"ExitDiscardsTheEdits",    kExit, "ge",  {Answer::No},      nullptr,         {"C3 |M2"},                    nullptr,        nullptr,        true},
    {"ExitSavesTheEdits",       kExit, "ge",  {Answer::Yes, kOk}, nullptr,        {"C3 |M2", "M9"},              "game",         nullptr,        false},
};
// clang-format on

class CommandFlow : public Flow, public ::testing::WithParamInterface<CommandCase> {};

TEST_P(CommandFlow, AsksWritesLoadsAndMarksAsTheRowSays) {
    const CommandCase& c = GetParam();
    const QByteArray setup = c.setup;
    const auto path = [this](const QByteArray& name) {
        return name.isEmpty() ? QString()
               : name == "game"
                   ? settings()
                   : elsewhere.file(QString::fromLatin1(name.chopped(name.endsWith('/'))));
    };
    start(setup.contains('g'));
    writeBytes(setup.contains('l') ? settings() : QString(), "OLD : 1\r\n");
    if (setup.contains('a'))
        editor.toggleAdvancedMode();
    // What Open finds on disk differs from what start-up loaded, so a load shows.
    if (c.command == kOpen && setup.contains('g'))
        writeBytes(settings(), "NETWORK_PLAYER : Reloaded\r\n");
    // A folder chosen is made first, so no file can be written in its place.
    QDir().mkpath(QByteArray(c.chosen).endsWith('/') ? path(c.chosen) : QString());
    writeBytes(c.command == kOpen ? path(c.chosen) : QString(), kOtherFile);
    if (setup.contains('e'))
        editor.setNumber(keyIndex(kSound), !editor.values().number(kSound));
    for (Answer a : c.answers)
        dialogs.answer(a);
    if (c.chosen)
        dialogs.choose(path(c.chosen));
    const SettingsModel before = editor.values();
    const QByteArray gameBefore = readBytes(settings());
    const QString currentBefore = state.currentSettingsPath;

    (editor.*c.command)();

    EXPECT_EQ(shown(), c.shown);
    EXPECT_TRUE(dialogs.exhausted()) << "every scripted answer was asked for";
    // A file dialog starts at the current file; a failure notice names the file.
    for (const auto& s : dialogs.shown)
        EXPECT_TRUE(s.kind != Kind::Message
                        ? s.initialFolder == currentBefore
                        : s.text.startsWith(QLatin1Char('M')) || s.title != programTitle() ||
                              s.text.contains(QDir::toNativeSeparators(path(c.chosen))));
    // Written with the values as they were; the game's file otherwise stays.
    EXPECT_EQ(loadSettingsFile(path(c.written), before.fontPagesValue),
              c.written ? std::optional(before) : std::nullopt);
    EXPECT_TRUE(path(c.written) == settings() || readBytes(settings()) == gameBefore);
    EXPECT_EQ(editor.values(),
              c.loaded ? loadSettingsFile(path(c.loaded), before.fontPagesValue) : before);
    EXPECT_EQ(state.currentSettingsPath, c.loaded ? path(c.loaded) : currentBefore);
    expectMark(c.marked);
    EXPECT_EQ(view.volumeEnabled, editor.values().number(kSound) == 1);
    EXPECT_EQ(std::pair(view.closed, editor.debugLog().isOpen()),
              std::pair(c.command == kExit, c.command != kExit));
}

INSTANTIATE_TEST_SUITE_P(Rows, CommandFlow, ::testing::ValuesIn(kCommandCases), rowName);

// ---- The options menu ----------------------------------------------------------

TEST_F(Flow, StandardSettingsSetEachStandardValueAsAnEditWhenConfirmed) {
    start(true);
    // Everything cleared but the font pages and the wait-retrace box, then
    // the standard values, texts from the language file's [GUI].
    SettingsModel standard = SettingsModel::cleared(editor.values().fontPagesValue);
    standard.setNumber("WAITRETRACE"_L1, editor.values().number("WAITRETRACE"_L1));
    for (const StandardValue& v : standardSettings()) {
        if (v.guiEntry > 0 || v.text)
            standard.setText(QLatin1String(v.key),
                             v.text ? QString::fromLatin1(v.text) : u"G%1"_s.arg(v.guiEntry));
        else
            standard.setNumber(QLatin1String(v.key), v.number);
    }
    for (const Answer answer : {kCancel, kOk}) {
        const SettingsModel expected = answer == kOk ? standard : editor.values();
        dialogs.shown.clear();
        dialogs.answer(answer);
        editor.applyStandardSettings();
        EXPECT_EQ(shown(), QStringList{u"M5"_s});
        EXPECT_EQ(std::pair(editor.values(), view.values), std::pair(expected, expected));
        expectMark(answer == kOk);
    }
}

// The style switch renames the manifest each way, asks for a restart and
// shows the new state.
TEST_F(Flow, TheVisualStyleSwitchRenamesTheManifestAndShowsTheNewState) {
    const ManifestPaths paths = ManifestPaths::in(program.path());
    writeBytes(paths.active, "manifest");
    start(true);
    EXPECT_EQ(view.visualStyleItem, MenuItemState::Checked);
    for (const bool checked : {false, true}) {
        dialogs.shown.clear();
        editor.switchVisualStyle();
        EXPECT_EQ(shown(), QStringList{u"!"_s});
        EXPECT_EQ(std::tuple(view.visualStyleChecked, QFileInfo::exists(paths.active),
                             QFileInfo::exists(paths.parked)),
                  std::tuple(checked, checked, !checked));
    }
}

} // namespace
} // namespace quillset::test
