// The user's commands end to end with scripted answers and no window: Open,
// Save, the standard settings and Exit, in basic and advanced mode.

#include "io/ansi_text.h"
#include "support/editor_harness.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <vector>

namespace quillset::test {
namespace {

using Answer = Dialogs::Answer;
using Buttons = Dialogs::Buttons;
using Kind = ScriptedDialogs::Shown::Kind;
using Result = Editor::StartupResult;

int row(const char* key) {
    return keyIndex(QLatin1String(key));
}

// Every kept text distinct, so the tests can tell which question was asked.
QByteArray languageFile() {
    QStringList lines = {QStringLiteral("[Captions]"),    QStringLiteral("Save title"),
                         QStringLiteral("Open title"),    QStringLiteral("Exit"),
                         QStringLiteral("Backup source"), QStringLiteral("Backup target"),
                         QStringLiteral("[Messages]")};
    for (int i = 1; i <= 9; ++i)
        lines << QStringLiteral("M%1").arg(i);
    lines << QStringLiteral("[GUI]");
    for (int i = 1; i <= 13; ++i)
        lines << QStringLiteral("Frame %1").arg(i);
    lines << QStringLiteral("DE") << QStringLiteral("lobby.test.example");
    return crlfLines(lines);
}

const QStringList kGameFile = {
    QStringLiteral("SOUND : 1"),
    QStringLiteral("FULLSCREEN : 1"),
    QStringLiteral("NETWORK_PLAYER : Aldric"),
    QStringLiteral("CAMERA_ZOOM : 3"),
};

class Commands : public ::testing::Test {
protected:
    void SetUp() override {
        previousFolder = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(current.path()));
        writeBytes(program.file(QStringLiteral("language.lng")), languageFile());
        w.state.programDir = program.path();
    }
    void TearDown() override { QDir::setCurrent(previousFolder); }

    // Start-up with the game's settings (and its backup) beside the program.
    void startWithGameFile() {
        writeBytes(settings(), crlfLines(kGameFile));
        writeBytes(program.file(QStringLiteral("settings.bck")), crlfLines(kGameFile));
        start();
    }
    void start() {
        // Without the game's settings beside it, start-up offers to back up a
        // file of the user's choice: cancelled here.
        if (!QFileInfo::exists(settings()))
            w.dialogs.choose(QString());
        ASSERT_EQ(w.editor.start(), Result::Running);
        w.dialogs.shown.clear();
    }
    QString settings() const { return program.file(QStringLiteral("settings.cfg")); }
    QString title() const { return w.view.title; }
    QString baseTitle() const { return nativeSettingsTitle(settings()); }

    void edit() { w.editor.setNumber(row("FULLSCREEN"), fullscreenOn() ? 0 : 1); }
    bool fullscreenOn() { return w.editor.values().numbers[row("FULLSCREEN")] == 1; }
    void setAdvanced() { w.editor.toggleAdvancedMode(); }

    // The messages and dialogs shown, as short strings.
    QStringList shown() const {
        QStringList out;
        for (const auto& s : w.dialogs.shown)
            out << (s.kind == Kind::Message ? s.text
                    : s.kind == Kind::Open  ? QStringLiteral("open:") + s.title
                                            : QStringLiteral("save:") + s.title);
        return out;
    }
    QString saveQuestion() const {
        return QStringLiteral("M9 ") + QDir::toNativeSeparators(settings());
    }

    QString previousFolder;
    TempFolder current;
    TempFolder program;
    TempFolder elsewhere;
    EditorHarness w;
};

// ---- Open -------------------------------------------------------------

TEST_F(Commands, OpenInBasicModeReloadsTheInstallFolderFile) {
    startWithGameFile();
    writeBytes(settings(), crlfLines({QStringLiteral("FULLSCREEN : 0")}));
    w.editor.open();
    EXPECT_TRUE(shown().isEmpty()) << "no changes, no question";
    EXPECT_FALSE(fullscreenOn());
    EXPECT_EQ(title(), baseTitle());

    // Pending changes, answer Cancel: the file is reloaded and the edits are gone.
    edit();
    w.dialogs.answer(Answer::Cancel);
    w.editor.open();
    EXPECT_EQ(shown(), QStringList{QStringLiteral("M2")});
    EXPECT_FALSE(fullscreenOn());
    EXPECT_FALSE(w.state.changedFlag);
}

TEST_F(Commands, OpenWithPendingChangesSavesFirstWhenAsked) {
    startWithGameFile();
    edit();
    w.dialogs.answer(Answer::Ok); // save the changes?
    w.dialogs.answer(Answer::Ok); // save over the current file?
    w.editor.open();
    EXPECT_EQ(shown(), (QStringList{QStringLiteral("M2"), saveQuestion()}));
    EXPECT_TRUE(readBytes(settings()).contains("\r\nFULLSCREEN : 0\r\n"));
    EXPECT_FALSE(fullscreenOn()) << "the saved file was loaded again";
    EXPECT_EQ(title(), baseTitle());
}

TEST_F(Commands, OpenInBasicModeWithoutInstallFolderFile) {
    start();
    EXPECT_EQ(title(), QStringLiteral("Quillset"));
    w.dialogs.answer(Answer::Cancel);
    w.editor.open();
    EXPECT_EQ(shown(), QStringList{QStringLiteral("M1")});

    // OK, then a file of another name: refused, and the edits stay marked.
    edit();
    w.dialogs.shown.clear();
    const QString wrong = elsewhere.file(QStringLiteral("Settings.cfg"));
    writeBytes(wrong, crlfLines(kGameFile));
    w.dialogs.answer(Answer::Cancel); // don't save
    w.dialogs.answer(Answer::Ok);
    w.dialogs.choose(wrong);
    w.editor.open();
    EXPECT_EQ(shown(), (QStringList{QStringLiteral("M2"), QStringLiteral("M1"),
                                    QStringLiteral("open:Open title"), QStringLiteral("M3")}));
    EXPECT_TRUE(w.state.changedFlag);
    EXPECT_EQ(title(), QStringLiteral("Quillset - Changed!"));

    // OK, then a real settings file: loaded, and the mark goes.
    const QString chosen = elsewhere.file(QStringLiteral("settings.cfg"));
    writeBytes(chosen, crlfLines(kGameFile));
    w.dialogs.answer(Answer::Cancel);
    w.dialogs.answer(Answer::Ok);
    w.dialogs.choose(chosen);
    w.editor.open();
    EXPECT_EQ(w.state.currentSettingsPath, chosen);
    EXPECT_EQ(title(), nativeSettingsTitle(chosen));
    EXPECT_FALSE(w.state.changedFlag);
}

TEST_F(Commands, OpenInAdvancedModeAlwaysAsksForAFile) {
    startWithGameFile();
    setAdvanced();
    edit();
    w.dialogs.answer(Answer::Cancel);
    w.dialogs.choose(QString());
    w.editor.open();
    ASSERT_EQ(w.dialogs.shown.size(), 2u);
    EXPECT_EQ(w.dialogs.shown[1].kind, Kind::Open);
    EXPECT_EQ(w.dialogs.shown[1].initialFolder, settings());
    EXPECT_EQ(title(), baseTitle() + QStringLiteral(" - Changed!")) << "cancel changes nothing";

    const QString chosen = elsewhere.file(QStringLiteral("settings.cfg"));
    writeBytes(chosen, crlfLines({QStringLiteral("NETWORK_PLAYER : Other")}));
    w.dialogs.answer(Answer::Cancel);
    w.dialogs.choose(chosen);
    w.editor.open();
    EXPECT_EQ(w.editor.values().texts[row("NETWORK_PLAYER")], QStringLiteral("Other"));
    EXPECT_EQ(title(), nativeSettingsTitle(chosen));
}

// ---- Save -------------------------------------------------------------

// One row per way through Save: the mode, whether the install folder has a
// settings.cfg (and whether it was loaded), the answers, and what is shown,
// written and left marked.
struct SaveCase {
    const char* name;
    bool advanced;
    bool gameFile;      // settings.cfg in the install folder at start-up
    bool laterGameFile; // one appears after start-up, so none is loaded
    bool edited;
    std::vector<Answer> answers;
    std::optional<const char*> chosen; // the save dialog's answer; "" cancels
    QStringList shown;                 // "M9" stands for the question with the path
    const char* written;               // "game", a name in another folder, or none
    bool markedAfter;
};

void PrintTo(const SaveCase& c, std::ostream* out) {
    *out << c.name;
}

const QString kSaveDialog = QStringLiteral("save:Save title");

// clang-format off
const SaveCase kSaveCases[] = {
 // name                                  adv   game  later edit  answers            chosen          shown                  written         marked
    {"NothingChanged",                    false, true, false, false, {},               {},             {},                    nullptr,        false},
    {"BasicOverTheCurrentFile",           false, true, false, true,  {Answer::Ok},     {},             {"M9"},                "game",         false},
    {"BasicElsewhereCancelled",           false, true, false, true,  {Answer::Cancel}, "",             {"M9", kSaveDialog},   nullptr,        true},
    {"BasicElsewhere",                    false, true, false, true,  {Answer::Cancel}, "copy.cfg",     {"M9", kSaveDialog},   "copy.cfg",     false},
    {"BasicNoGameFileRefused",            false, false, false, true, {Answer::Cancel}, {},             {"M1"},                nullptr,        true},
    {"BasicNoGameFileElsewhere",          false, false, false, true, {Answer::Ok},     "settings.cfg", {"M1", kSaveDialog},   "settings.cfg", false},
    {"BasicUnloadedGameFileWrittenUnasked", false, false, true, true, {},              {},             {},                    "game",         false},
    {"AdvancedNoCurrentFile",             true, false, false, true,  {},               "settings.cfg", {kSaveDialog},         "settings.cfg", false},
    {"AdvancedOverTheCurrentFile",        true, true, false, true,   {Answer::Ok},     {},             {"M9"},                "game",         false},
    {"AdvancedElsewhereCancelled",        true, true, false, true,   {Answer::Cancel}, "",             {"M9", kSaveDialog},   nullptr,        true},
};
// clang-format on

class SaveFlow : public Commands, public ::testing::WithParamInterface<SaveCase> {};

TEST_P(SaveFlow, ShowsWritesAndMarksAsTheRowSays) {
    const SaveCase& c = GetParam();
    if (c.gameFile)
        startWithGameFile();
    else
        start();
    if (c.laterGameFile)
        writeBytes(settings(), "OLD : 1\r\n");
    if (c.advanced)
        setAdvanced();
    const QByteArray gameBefore = readBytes(settings());
    if (c.edited)
        edit();
    for (Answer a : c.answers)
        w.dialogs.answer(a);
    if (c.chosen)
        w.dialogs.choose(**c.chosen ? elsewhere.file(QLatin1String(*c.chosen)) : QString());
    const QString currentBefore = w.state.currentSettingsPath;

    w.editor.save();

    QStringList expected = c.shown;
    expected.replaceInStrings(QRegularExpression(QStringLiteral("^M9$")), saveQuestion());
    EXPECT_EQ(shown(), expected);
    EXPECT_TRUE(w.dialogs.exhausted()) << "every scripted answer was asked for";
    const QString target = !c.written ? QString()
                           : QLatin1String(c.written) == QLatin1String("game")
                               ? settings()
                               : elsewhere.file(QLatin1String(c.written));
    if (target != settings()) {
        EXPECT_EQ(readBytes(settings()), gameBefore) << "the game's file stays";
    }
    if (!target.isEmpty()) {
        const QByteArray written = readBytes(target);
        EXPECT_TRUE(written.contains("\r\nFULLSCREEN : ")) << written.left(80).constData();
        EXPECT_TRUE(written.endsWith("\r\n\r\n"));
    }
    EXPECT_EQ(QDir(elsewhere.path()).isEmpty(), !c.written || target == settings());
    EXPECT_EQ(w.state.changedFlag, c.markedAfter);
    EXPECT_EQ(w.state.currentSettingsPath, currentBefore) << "saving elsewhere loads nothing";
    const QString base = currentBefore.isEmpty() ? QStringLiteral("Quillset") : baseTitle();
    EXPECT_EQ(title(), c.markedAfter ? base + QStringLiteral(" - Changed!") : base);
}

INSTANTIATE_TEST_SUITE_P(Rows, SaveFlow, ::testing::ValuesIn(kSaveCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Commands, AFailedWriteIsReportedAndTheChangesStayMarked) {
    startWithGameFile();
    const QByteArray before = readBytes(settings());
    // A character the file cannot hold.
    w.editor.setText(row("NETWORK_PLAYER"), QString::fromUtf8("\u0416ora"));
    w.dialogs.answer(Answer::Ok);
    w.editor.save();
    ASSERT_EQ(w.dialogs.shown.size(), 2u);
    EXPECT_TRUE(w.dialogs.shown[1].text.contains(QDir::toNativeSeparators(settings())));
    EXPECT_TRUE(w.dialogs.shown[1].text.contains(QLatin1String("NETWORK_PLAYER")));
    EXPECT_EQ(readBytes(settings()), before);
    EXPECT_TRUE(w.state.changedFlag);
    EXPECT_EQ(title(), baseTitle() + QStringLiteral(" - Changed!"));

    // A target that is a folder.
    w.editor.setText(row("NETWORK_PLAYER"), QStringLiteral("Jora"));
    const QString folder = elsewhere.file(QStringLiteral("settings.cfg"));
    ASSERT_TRUE(QDir().mkdir(folder));
    w.dialogs.shown.clear();
    w.dialogs.answer(Answer::Cancel);
    w.dialogs.choose(folder);
    w.editor.save();
    ASSERT_EQ(w.dialogs.shown.size(), 3u);
    EXPECT_TRUE(w.dialogs.shown[2].text.contains(QLatin1String("folder")));
    EXPECT_TRUE(w.state.changedFlag);
}

// ---- Standard settings ------------------------------------------------

TEST_F(Commands, StandardSettingsThenSaveWritesTheStandardFile) {
    start();
    const SettingsModel before = w.editor.values();
    w.dialogs.answer(Answer::Cancel);
    w.editor.applyStandardSettings();
    EXPECT_EQ(w.editor.values(), before);
    EXPECT_EQ(title(), QStringLiteral("Quillset"));

    w.dialogs.answer(Answer::Ok);
    w.editor.applyStandardSettings();
    EXPECT_EQ(title(), QStringLiteral("Quillset - Changed!"));
    EXPECT_TRUE(w.state.changedFlag);

    const QString target = elsewhere.file(QStringLiteral("settings.cfg"));
    w.dialogs.answer(Answer::Ok); // install folder has no settings.cfg: choose one
    w.dialogs.choose(target);
    w.editor.save();
    const QStringList expected = {
        "AUTOSAVE : 0",
        "AUTOTRACKENEMY : 0",
        "CHAT_ALPHA : 0",
        "CHAT_DELAY : 8",
        "CHAT_LINES : 8",
        "COMBINE_SLOTS : 0",
        "COMPAT_VIDEO : 0",
        "DEFAULT_SKILLS : 1",
        "DETAILLEVEL : 2",
        "EXPLOREMAP : 1",
        "FONTAA : 0",
        "FONTFILTER : 1",
        "FONTPAGES : ",
        "FORCE_BLACK_SHADOW : 0",
        "FSAA_FILTER : 0",
        "FULLSCREEN : 1",
        "GFX32 : 0",
        "LADDER_EXPORT : 1",
        "LANGUAGE : DE",
        "LOG : 0",
        "LOGGING : 0",
        "MINIMAP_ALPHA : 125",
        "MUSICVOLUME : 100",
        "NETLOG : 0",
        "NETWORK_CDKEY_HIDE : 1",
        "NETWORK_CDKEY : ",
        "NETWORK_CDKEY2 : ",
        "NETWORK_LOBBY : lobby.test.example",
        "NETWORK_LOBBYLOGIN : ",
        "NETWORK_LOBBYPORT : 7065",
        "NETWORK_PLAYER : ",
        "NETWORK_PORT_LISTEN : 2005",
        "NETWORK_SESSION : ",
        "NETWORK_SPEEDSETTINGS : 2",
        "NIGHT_DARKNESS : 50",
        "PICKUPANIM : 1",
        "PICKUPAUTO : 0",
        "SCREEN_QUAKE : 1",
        "SFXVOLUME : 100",
        "SHOWMOVIE : 1",
        "SHOWPOTIONS : 1",
        "SHOW_ENEMYINFO : 1",
        "SHOW_HEROINFO : 0",
        "SHOWEXTRO : 1",
        "SOUND : 1",
        "SOUNDQUALITY : 2",
        "TASKBAR_ICONS : 0",
        "UNIQUE_COLOR : 1",
        "VIOLENCE : 0",
        "VOICEVOLUME : 100",
        "WARNING_LEVEL : 25",
    };
    ASSERT_EQ(expected.size(), 51);
    EXPECT_EQ(readBytes(target), crlfLines(expected) + "\r\n");
}

TEST_F(Commands, StandardSettingsDropTheUnknownLinesAndKeepTheTitle) {
    startWithGameFile();
    w.dialogs.answer(Answer::Ok);
    w.editor.applyStandardSettings();
    EXPECT_TRUE(w.editor.values().unknownLines.isEmpty());
    EXPECT_EQ(title(), baseTitle() + QStringLiteral(" - Changed!"));
    EXPECT_EQ(w.state.currentSettingsPath, settings());
}

// ---- Exit -------------------------------------------------------------

TEST_F(Commands, ExitWithoutChangesAsksNothingAndClosesTheTrace) {
    startWithGameFile();
    w.editor.exit();
    EXPECT_TRUE(shown().isEmpty());
    EXPECT_FALSE(w.editor.debugLog().isOpen());
    EXPECT_EQ(splitCrlf(readBytes(current.file(QStringLiteral("debug.log")))).back(),
              QStringLiteral("Form -> Program initialized."));
}

TEST_F(Commands, ExitWithChangesAsksAndNoWritesNothing) {
    startWithGameFile();
    const QByteArray before = readBytes(settings());
    edit();
    w.dialogs.answer(Answer::No);
    w.editor.exit();
    ASSERT_EQ(w.dialogs.shown.size(), 1u);
    EXPECT_EQ(w.dialogs.shown[0].text, QStringLiteral("M2"));
    EXPECT_EQ(w.dialogs.shown[0].title, QStringLiteral("Exit "));
    EXPECT_EQ(w.dialogs.shown[0].buttons, Buttons::YesNo);
    EXPECT_EQ(readBytes(settings()), before);
    EXPECT_FALSE(w.editor.debugLog().isOpen());
    EXPECT_TRUE(w.view.closed);
}

TEST_F(Commands, ExitWithChangesAndYesSaves) {
    startWithGameFile();
    edit();
    w.dialogs.answer(Answer::Yes);
    w.dialogs.answer(Answer::Ok);
    w.editor.exit();
    EXPECT_EQ(shown(), (QStringList{QStringLiteral("M2"), saveQuestion()}));
    EXPECT_TRUE(readBytes(settings()).contains("\r\nFULLSCREEN : 0\r\n"));
    EXPECT_FALSE(w.editor.debugLog().isOpen());
}

} // namespace
} // namespace quillset::test
