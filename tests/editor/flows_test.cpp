// The editor's flows as decision tables, run without a window: one row per
// way through start-up, Open, Save, Exit and the options menu, with scripted
// answers, and the files each way reads and writes.

#include "accounts/qstring_printer.h"
#include "settings/settings_reader.h"
#include "settings/standard_settings.h"
#include "shell/visual_style.h"
#include "support/editor_harness.h"
#include "support/memory_registry.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <vector>

namespace quillset::test {
namespace {

using Answer = Dialogs::Answer;
using Kind = ScriptedDialogs::Shown::Kind;
using Result = Editor::StartupResult;

// Each kept text is its section's initial and entry number ("M2" is
// [Messages] entry 2), so a row can name the questions asked.
QByteArray languageFile() {
    const std::pair<const char*, int> sections[] = {{"Captions", 5}, {"Messages", 9}, {"GUI", 15}};
    QStringList lines;
    for (const auto& [section, entries] : sections) {
        lines << QStringLiteral("[%1]").arg(QLatin1String(section));
        for (int i = 1; i <= entries; ++i)
            lines << QLatin1Char(section[0]) + QString::number(i);
    }
    return crlfLines(lines);
}

const QByteArray kGameFile = "SOUND : 1\r\nFULLSCREEN : 1\r\nNETWORK_PLAYER : Aldric\r\n"
                             "CAMERA_ZOOM : 3\r\n";
const QByteArray kOtherFile = "NETWORK_PLAYER : Elsewhere\r\n";
// Failures name the row.
template <class Case> void PrintTo(const Case& c, std::ostream* out) requires requires {
    c.name;
}
{ *out << c.name; }

const QString kSearchTrace = QStringLiteral("Registry -> Using the prefix of a test");

class Flow : public ::testing::Test {
protected:
    void SetUp() override {
        previousFolder = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(current.path())); // debug.log goes here
        ASSERT_TRUE(QDir().mkpath(gameDir()));
        writeBytes(program.file(QStringLiteral("language.lng")), languageFile());
        w.state.programDir = program.path();
        w.editor.setRegistry(&registry);
        registry.setSearchTrace({kSearchTrace});
    }
    void TearDown() override { QDir::setCurrent(previousFolder); }

    // Start-up with the game's settings and backup beside the program, or
    // without (its backup step then asks for a file to copy: cancelled).
    void start(bool gameFile) {
        if (gameFile) {
            writeBytes(settings(), kGameFile);
            writeBytes(program.file(QStringLiteral("settings.bck")), kGameFile);
        } else {
            w.dialogs.choose(QString());
        }
        ASSERT_EQ(w.editor.start(), Result::Running);
        w.dialogs.shown.clear();
    }
    QString settings() const { return program.file(QStringLiteral("settings.cfg")); }
    // The game's folder as the registry names it (drive C: of the prefix rows).
    QString gameDir() const { return game.file(QStringLiteral("Games/Korrin")); }
    QString machineValue() const {
        return registry.RegGetString(RegistryRoot::LocalMachine, kInstallKeyPath,
                                     kInstallValueName);
    }
    QString baseTitle() const {
        const QString path = w.state.currentSettingsPath;
        return path.isEmpty() ? QStringLiteral("Quillset") : nativeSettingsTitle(path);
    }
    void expectTitle(bool marked) const {
        EXPECT_EQ(w.state.changedFlag, marked);
        EXPECT_EQ(w.view.title, marked ? baseTitle() + QStringLiteral(" - Changed!") : baseTitle());
    }

    // The dialogs shown: a kept text as itself, a message of the program's
    // own as "!", a title other than the program's before a '|', and a file
    // dialog as "open:" or "save:" with its title.
    QStringList shown() const {
        static const QRegularExpression kept(QStringLiteral("^[CMG]\\d+$"));
        QStringList out;
        for (const auto& s : w.dialogs.shown) {
            const QString first = s.text.section(QLatin1Char(' '), 0, 0);
            out << (s.kind == Kind::Open           ? QStringLiteral("open:") + s.title
                    : s.kind == Kind::Save         ? QStringLiteral("save:") + s.title
                    : s.title != programTitle()    ? s.title + QLatin1Char('|') + first
                    : kept.match(first).hasMatch() ? first
                                                   : QStringLiteral("!"));
        }
        return out;
    }

    QString previousFolder;
    TempFolder current;
    TempFolder program;
    TempFolder game;
    TempFolder elsewhere;
    MemoryRegistry registry;
    EditorHarness w;
};

// ---- Start-up: the game's folder, settled once, and its first backup ----------

struct StartCase {
    const char* name;
    bool besideCfg;      // the game's settings.cfg beside the program: a portable copy
    bool besideBck;      // an earlier backup beside the program
    const char* machine; // the installer's value in the machine root: "game" or a Windows path
    const char* user;    // the same in the per-user root
    bool refuseWrites;
    bool driveC;  // the registry maps drive C: to the game's prefix
    bool gameBck; // an earlier backup in the game's folder
    bool language;
    char folder; // 'p' the program's, 'g' the game's, '-' not settled
    QStringList shown;
    const char* programBck; // settings.bck afterwards: "old", "cfg" (a copy), none
    const char* gameBckAfter;
    const char* machineAfter;
};

// clang-format off
const StartCase kStartCases[] = {
 // name                   cfg    bck    machine           user    refuse drive gbck   lang   dir shown          bck    gbck   machine
    {"PortableFirstStart", true,  false, "game",           nullptr, false, false, false, true, 'p', {"M4"},         "cfg", nullptr, "game"},
    {"PortableLaterStart", true,  true,  "game",           nullptr, false, false, false, true, 'p', {},             "old", nullptr, "game"},
    {"RegistryFirstStart", false, false, "game",           nullptr, false, false, false, true, 'g', {"M4"},         nullptr, "cfg", "game"},
    {"RegistryLaterStart", false, false, "game",           nullptr, false, false, true,  true, 'g', {},             nullptr, "old", "game"},
    {"PerUserValueCopied", false, false, nullptr,          "game",  false, false, true,  true, 'g', {},             nullptr, "old", "game"},
    {"PerUserCopyRefused", false, false, nullptr,          "game",  true,  false, true,  true, 'p', {"open:C4"},    nullptr, "old", nullptr},
    {"MachineBeforeUser",  false, false, "game",           "other", false, false, true,  true, 'g', {},             nullptr, "old", "game"},
    {"WinePrefix",         false, false, "C:\\Games\\Korrin", nullptr, false, true, true, true, 'g', {},            nullptr, "old", "C:\\Games\\Korrin"},
    {"WineUnmappedDrive",  false, false, "D:\\Korrin",     nullptr, false, true,  true,  true, 'p', {"open:C4"},    nullptr, "old", "D:\\Korrin"},
    {"NoRegistryValue",    false, false, nullptr,          nullptr, false, false, false, true, 'p', {"open:C4"},    nullptr, nullptr, nullptr},
    {"LanguageFileMissing", true, true,  "game",           nullptr, false, false, false, false, '-', {"!"},         "old", nullptr, "game"},
};
// clang-format on

class StartFlow : public Flow, public ::testing::WithParamInterface<StartCase> {};

TEST_P(StartFlow, SettlesTheFolderAndBacksUpAsTheRowSays) {
    const StartCase& c = GetParam();
    const auto value = [this](const char* v) {
        return !v                                           ? QString()
               : QLatin1String(v) == QLatin1String("game")  ? gameDir()
               : QLatin1String(v) == QLatin1String("other") ? elsewhere.path()
                                                            : QString::fromLatin1(v);
    };
    if (c.besideCfg)
        writeBytes(settings(), kGameFile);
    if (c.besideBck)
        writeBytes(program.file(QStringLiteral("settings.bck")), "old");
    writeBytes(gameDir() + QStringLiteral("/settings.cfg"), kOtherFile);
    if (c.gameBck)
        writeBytes(gameDir() + QStringLiteral("/settings.bck"), "old");
    for (const auto& [root, v] : {std::pair{RegistryRoot::LocalMachine, c.machine},
                                  std::pair{RegistryRoot::CurrentUser, c.user}}) {
        if (v)
            registry.setRawValue(root, kInstallKeyPath, kInstallValueName, kRegSz,
                                 utf16StringData(value(v)));
    }
    registry.setRefuseWrites(c.refuseWrites);
    if (c.driveC)
        registry.setDriveC(game.path());
    if (!c.language)
        QFile::remove(program.file(QStringLiteral("language.lng")));
    if (c.shown.contains(QStringLiteral("open:C4")))
        w.dialogs.choose(QString());

    EXPECT_EQ(w.editor.start(), c.language ? Result::Running : Result::LanguageFileMissing);

    EXPECT_EQ(shown(), c.shown);
    EXPECT_TRUE(w.dialogs.exhausted());
    const QString folder = c.folder == 'p' ? program.path() : gameDir();
    EXPECT_EQ(w.state.installDir,
              c.folder == '-' ? QString() : QDir::toNativeSeparators(folder) + QDir::separator());
    for (const auto& [dir, expected] :
         {std::pair{program.path(), c.programBck}, std::pair{gameDir(), c.gameBckAfter}}) {
        const QString bck = dir + QStringLiteral("/settings.bck");
        EXPECT_EQ(QFileInfo::exists(bck), expected != nullptr) << bck.toStdString();
        if (expected) {
            EXPECT_EQ(readBytes(bck), QByteArray(expected) == "old"
                                          ? QByteArray("old")
                                          : readBytes(dir + QStringLiteral("/settings.cfg")));
        }
    }
    EXPECT_EQ(machineValue(), value(c.machineAfter));
    EXPECT_EQ(registry.acceptedWrites(), !c.machine && c.machineAfter ? 1 : 0);
    EXPECT_TRUE(readBytes(current.file(QStringLiteral("debug.log")))
                    .contains(kSearchTrace.toLatin1() + "\r\n"));
    EXPECT_EQ(w.state.startupComplete, c.language);
    EXPECT_EQ(w.view.shown, c.language);
    EXPECT_EQ(w.view.closed, !c.language);
    EXPECT_EQ(w.editor.debugLog().isOpen(), c.language);
    if (!c.language)
        return;
    // The window shows the folder's settings, unmarked, in normal mode.
    const QString cfg = folder + QStringLiteral("/settings.cfg");
    EXPECT_EQ(w.editor.values().text(QLatin1String("NETWORK_PLAYER")),
              QFileInfo::exists(cfg) ? loadSettingsFile(cfg)->text(QLatin1String("NETWORK_PLAYER"))
                                     : QString());
    EXPECT_EQ(w.state.currentSettingsPath, QFileInfo::exists(cfg) ? cfg : QString());
    expectTitle(false);
    EXPECT_FALSE(w.view.advanced);
    EXPECT_FALSE(w.view.heading.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Rows, StartFlow, ::testing::ValuesIn(kStartCases),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- Open, Save and Exit -----------------------------------------------------

struct CommandCase {
    const char* name;
    void (Editor::*command)();
    bool advanced;
    bool gameFile;      // settings.cfg in the install folder at start-up
    bool laterGameFile; // one appears after start-up, so none is loaded
    bool edited;
    std::vector<Answer> answers;
    const char* chosen; // the file dialog's answer in another folder: "" cancels, a
                        // name ending in '/' is a folder there
    QStringList shown;
    const char* written; // "game", a name in the other folder, or none
    const char* loaded;  // likewise
    bool marked;
};

const auto kOpen = &Editor::open;
const auto kSave = &Editor::save;
const auto kExit = &Editor::exit;
const Answer kOk = Answer::Ok;
const Answer kCancel = Answer::Cancel;

// clang-format off
const CommandCase kCommandCases[] = {
 // name                       cmd    adv    game   later  edit   answers          chosen            shown                          written         loaded          marked
    {"OpenUnchanged",          kOpen, false, true,  false, false, {},              nullptr,          {},                            nullptr,        "game",         false},
    {"OpenDropsTheEdits",      kOpen, false, true,  false, true,  {kCancel},       nullptr,          {"M2"},                        nullptr,        "game",         false},
    {"OpenSavesFirst",         kOpen, false, true,  false, true,  {kOk, kOk},      nullptr,          {"M2", "M9"},                  "game",         "game",         false},
    {"OpenNoGameFileRefused",  kOpen, false, false, false, false, {kCancel},       nullptr,          {"M1"},                        nullptr,        nullptr,        false},
    {"OpenNoGameFileWrongName", kOpen, false, false, false, true, {kCancel, kOk},  "Settings.cfg",   {"M2", "M1", "open:C2", "M3"}, nullptr,        nullptr,        true},
    {"OpenNoGameFileChosen",   kOpen, false, false, false, true,  {kCancel, kOk},  "settings.cfg",   {"M2", "M1", "open:C2"},       nullptr,        "settings.cfg", false},
    {"OpenAdvancedCancelled",  kOpen, true,  true,  false, true,  {kCancel},       "",               {"M2", "open:C2"},             nullptr,        nullptr,        true},
    {"OpenAdvancedChosen",     kOpen, true,  true,  false, true,  {kCancel},       "settings.cfg",   {"M2", "open:C2"},             nullptr,        "settings.cfg", false},
    {"OpenAdvancedUnreadable", kOpen, true,  true,  false, true,  {kCancel},       "settings.cfg/",  {"M2", "open:C2", "!"},        nullptr,        nullptr,        true},
    {"SaveUnchanged",          kSave, false, true,  false, false, {},              nullptr,          {},                            nullptr,        nullptr,        false},
    {"SaveOverTheCurrentFile", kSave, false, true,  false, true,  {kOk},           nullptr,          {"M9"},                        "game",         nullptr,        false},
    {"SaveElsewhereCancelled", kSave, false, true,  false, true,  {kCancel},       "",               {"M9", "save:C1"},             nullptr,        nullptr,        true},
    {"SaveElsewhere",          kSave, false, true,  false, true,  {kCancel},       "copy.cfg",       {"M9", "save:C1"},             "copy.cfg",     nullptr,        false},
    {"SaveElsewhereFails",     kSave, false, true,  false, true,  {kCancel},       "settings.cfg/",  {"M9", "save:C1", "!"},        nullptr,        nullptr,        true},
    {"SaveNoGameFileRefused",  kSave, false, false, false, true,  {kCancel},       nullptr,          {"M1"},                        nullptr,        nullptr,        true},
    {"SaveNoGameFileElsewhere", kSave, false, false, false, true, {kOk},           "settings.cfg",   {"M1", "save:C1"},             "settings.cfg", nullptr,        false},
    {"SaveUnloadedGameFile",   kSave, false, false, true,  true,  {},              nullptr,          {},                            "game",         nullptr,        false},
    {"SaveAdvancedNoFile",     kSave, true,  false, false, true,  {},              "settings.cfg",   {"save:C1"},                   "settings.cfg", nullptr,        false},
    {"SaveAdvancedOverCurrent", kSave, true, true,  false, true,  {kOk},           nullptr,          {"M9"},                        "game",         nullptr,        false},
    {"SaveAdvancedCancelled",  kSave, true,  true,  false, true,  {kCancel},       "",               {"M9", "save:C1"},             nullptr,        nullptr,        true},
    {"ExitUnchanged",          kExit, false, true,  false, false, {},              nullptr,          {},                            nullptr,        nullptr,        false},
    {"ExitDiscardsTheEdits",   kExit, false, true,  false, true,  {Answer::No},    nullptr,          {"C3 |M2"},                     nullptr,        nullptr,        true},
    {"ExitSavesTheEdits",      kExit, false, true,  false, true,  {Answer::Yes, kOk}, nullptr,       {"C3 |M2", "M9"},               "game",         nullptr,        false},
};
// clang-format on

class CommandFlow : public Flow, public ::testing::WithParamInterface<CommandCase> {};

TEST_P(CommandFlow, AsksWritesLoadsAndMarksAsTheRowSays) {
    const CommandCase& c = GetParam();
    start(c.gameFile);
    if (c.laterGameFile)
        writeBytes(settings(), "OLD : 1\r\n");
    if (c.advanced)
        w.editor.toggleAdvancedMode();
    const auto path = [this](const char* name) {
        return !name || !*name ? QString()
               : QLatin1String(name) == QLatin1String("game")
                   ? settings()
                   : elsewhere.file(
                         QString::fromLatin1(name).chopped(name[strlen(name) - 1] == '/'));
    };
    // What Open finds on disk differs from what start-up loaded, so a load shows.
    if (c.command == kOpen && c.gameFile)
        writeBytes(settings(), "NETWORK_PLAYER : Reloaded\r\n");
    if (c.chosen && QByteArray(c.chosen).endsWith('/'))
        QDir().mkpath(path(c.chosen));
    else if (c.chosen && *c.chosen && c.command == kOpen)
        writeBytes(path(c.chosen), kOtherFile);
    if (c.edited)
        w.editor.setNumber(keyIndex(QLatin1String("FULLSCREEN")),
                           !w.editor.values().number(QLatin1String("FULLSCREEN")));
    for (Answer a : c.answers)
        w.dialogs.answer(a);
    if (c.chosen)
        w.dialogs.choose(path(c.chosen));
    const SettingsModel before = w.editor.values();
    const QByteArray gameBefore = readBytes(settings());
    const QString currentBefore = w.state.currentSettingsPath;

    (w.editor.*c.command)();

    EXPECT_EQ(shown(), c.shown);
    EXPECT_TRUE(w.dialogs.exhausted()) << "every scripted answer was asked for";
    for (const auto& s : w.dialogs.shown) {
        if (s.kind != Kind::Message) {
            EXPECT_EQ(s.initialFolder, currentBefore);
        }
    }
    if (c.written) { // the values as they were when saved
        EXPECT_EQ(loadSettingsFile(path(c.written), before.fontPagesValue), before);
    }
    if (path(c.written) != settings()) {
        EXPECT_EQ(readBytes(settings()), gameBefore) << "the game's file stays";
    }
    if (c.loaded) {
        EXPECT_EQ(w.editor.values(), loadSettingsFile(path(c.loaded), before.fontPagesValue));
        EXPECT_EQ(w.state.currentSettingsPath, path(c.loaded));
    } else {
        EXPECT_EQ(w.editor.values(), before);
        EXPECT_EQ(w.state.currentSettingsPath, currentBefore);
    }
    expectTitle(c.marked);
    EXPECT_EQ(w.view.closed, c.command == kExit);
    EXPECT_EQ(w.editor.debugLog().isOpen(), c.command != kExit);
}

INSTANTIATE_TEST_SUITE_P(Rows, CommandFlow, ::testing::ValuesIn(kCommandCases),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- The options menu --------------------------------------------------------

TEST_F(Flow, StandardSettingsSetEachStandardValueAsAnEditWhenConfirmed) {
    start(true);
    for (const Answer answer : {kCancel, kOk}) {
        SettingsModel expected = w.editor.values();
        if (answer == kOk) {
            // Everything cleared but the font pages and the wait-retrace box,
            // then the standard values, texts from the language file's [GUI].
            const int wait = expected.number(QLatin1String("WAITRETRACE"));
            expected = SettingsModel::cleared(expected.fontPagesValue);
            expected.setNumber(QLatin1String("WAITRETRACE"), wait);
            for (const StandardValue& v : standardSettings()) {
                if (v.guiEntry > 0 || v.text)
                    expected.setText(QLatin1String(v.key),
                                     v.text ? QString::fromLatin1(v.text)
                                            : QStringLiteral("G%1").arg(v.guiEntry));
                else
                    expected.setNumber(QLatin1String(v.key), v.number);
            }
        }
        w.dialogs.shown.clear();
        w.dialogs.answer(answer);
        w.editor.applyStandardSettings();
        EXPECT_EQ(shown(), QStringList{QStringLiteral("M5")});
        EXPECT_EQ(w.editor.values(), expected);
        EXPECT_EQ(w.view.values, expected);
        expectTitle(answer == kOk);
    }
}

struct StyleCase {
    const char* name;
    bool active; // the manifest beside the program
    bool parked; // its renamed copy
    MenuItemState item;
    QStringList shown;             // when the item is clicked
    std::optional<bool> checkMark; // the item's mark after a switch
    bool activeAfter;
    bool parkedAfter;
};

// clang-format off
const StyleCase kStyleCases[] = {
    {"Active",  true,  false, MenuItemState::Checked,   {"!"}, false,        false, true},
    {"Parked",  false, true,  MenuItemState::Unchecked, {"!"}, true,         true,  false},
    {"Neither", false, false, MenuItemState::Disabled,  {},    std::nullopt, false, false},
    {"Both",    true,  true,  MenuItemState::Unchecked, {"!"}, std::nullopt, true,  true},
};
// clang-format on

class StyleFlow : public Flow, public ::testing::WithParamInterface<StyleCase> {};

TEST_P(StyleFlow, TheItemFollowsTheManifestAndAClickRenamesIt) {
    const StyleCase& c = GetParam();
    const ManifestPaths paths = ManifestPaths::in(program.path());
    if (c.active)
        writeBytes(paths.active, "a");
    if (c.parked)
        writeBytes(paths.parked, "p");
    start(false);
    EXPECT_EQ(w.view.visualStyleItem, c.item);
    w.view.visualStyleChecked = !c.checkMark.value_or(false);
    w.editor.switchVisualStyle();
    EXPECT_EQ(shown(), c.shown);
    if (c.checkMark) {
        EXPECT_EQ(w.view.visualStyleChecked, *c.checkMark);
    }
    EXPECT_EQ(QFileInfo::exists(paths.active), c.activeAfter);
    EXPECT_EQ(QFileInfo::exists(paths.parked), c.parkedAfter);
    // No file is ever replaced: each holds what it held.
    EXPECT_EQ(readBytes(paths.active) + readBytes(paths.parked),
              QByteArray(c.active ? "a" : "") + (c.parked ? "p" : ""));
    EXPECT_FALSE(w.state.changedFlag);
}

INSTANTIATE_TEST_SUITE_P(Rows, StyleFlow, ::testing::ValuesIn(kStyleCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace quillset::test
