// Saving the current settings file, as one decision table: the file as
// loaded, what another program made of it (before the save, and while the
// save asks), the user's edits, then what Save asks and writes.

#include "editor_fixture.h"
#include "settings/settings_writer.h"
#include "shell/running_game.h"

#include <sys/stat.h>

namespace quillset::test {
namespace {

const QByteArray kBase = "FULLSCREEN : 1\r\nMUSICVOLUME : 100\r\nNETWORK_PLAYER : Aldric\r\n"
                         "NETWORK_CDKEY : AAAAA\r\nFONTPAGES : 3\r\nOLDLINE : a\r\n";

// Before the save, combined with |: no settings.bck yet, a read-only settings.cfg.
enum Setup : unsigned { Nothing = 0, NoBackupYet = 1, ReadOnlyFile = 2 };

struct SyncCase {
    const char* name;
    // The file as the other program left it: "KEY : value" lines, "-" for
    // none (deleted), "fifo" for a FIFO, "=" as loaded; the user's edits,
    // "KEY=value".
    QByteArray disk;
    QStringList edits;
    std::vector<Answer> answers;
    QStringList shown;
    // After: lines the file must hold ("KEY : value", unknown lines too);
    // nullptr: the file as the other program left it.
    std::optional<QStringList> written;
    bool marked = false;
    QByteArray loaded = kBase;
    QByteArray later = {}; // written while the first conflict question is open
    unsigned setup = Nothing;
};

const Answer kOk = Answer::Ok, kYes = Answer::Yes, kNo = Answer::No, kCancel = Answer::Cancel;
// The conflict rows' file: the other program set the music volume to 50.
const QByteArray kTheirVolume = "MUSICVOLUME : 50\r\nFULLSCREEN : 1\r\n";

// clang-format off
const SyncCase kSyncCases[] = {
    {"DisjointKeysAndUnknownLines",
     "FULLSCREEN : 0\r\nMUSICVOLUME : 50\r\nNETWORK_PLAYER : Aldric\r\nNETWORK_CDKEY : AAAAA\r\nFONTPAGES : 3\r\nNEWLINE : b\r\n",
     {"NETWORK_PLAYER=Bob"}, {kOk}, {"M9"}, QStringList{"FULLSCREEN : 0", "MUSICVOLUME : 50", "NETWORK_PLAYER : Bob", "NEWLINE : b"}},
    {"BothChangedAlike", kBase + "FULLSCREEN : 0\r\n", {"FULLSCREEN=0"}, {kOk}, {"M9"},
     QStringList{"FULLSCREEN : 0", "MUSICVOLUME : 100", "OLDLINE : a"}},
    {"ConflictCancelledWritesNothing", kTheirVolume,
     {"MUSICVOLUME=80", "FULLSCREEN=0"}, {kOk, kCancel}, {"M9", "M11"}, std::nullopt, true},
    {"HeldValuesChangedOnDisk", "NETWORK_CDKEY : BBBBB\r\nFONTPAGES : 5\r\nNETWORK_PLAYER : Aldric\r\n",
     {"NETWORK_PLAYER=Bob"}, {kOk}, {"M9"}, QStringList{"NETWORK_CDKEY : BBBBB", "FONTPAGES : 5", "NETWORK_PLAYER : Bob"}},
    {"DeletedGoesTheUsualWay", "-", {"NETWORK_PLAYER=Bob"}, {kCancel}, {"M1"}, std::nullopt, true},
    {"JunkOverwritten", QByteArray("\0\x01junk", 6), {"NETWORK_PLAYER=Bob"}, {kOk, kYes},
     {"M9", "M10"}, QStringList{"FULLSCREEN : 1", "NETWORK_PLAYER : Bob", "OLDLINE : a"}},
    {"TextOfNoKeyKept", "half a line of someth", {"NETWORK_PLAYER=Bob"}, {kOk, kNo}, {"M9", "M10"}, std::nullopt, true},
    {"FifoNeitherReadNorReplaced", "fifo", {"NETWORK_PLAYER=Bob"}, {kOk}, {"M9", "M16"}, std::nullopt, true},
    {"EmptyAsLoaded", "=", {"NETWORK_PLAYER=Bob"}, {kOk}, {"M9"}, QStringList{"NETWORK_PLAYER : Bob"}, false, ""},
    {"NulByteAsLoaded", "=", {"NETWORK_PLAYER=Bob"}, {kOk}, {"M9"}, QStringList{"NETWORK_PLAYER : Bob"}, false,
     QByteArray("SOUND : 1\r\nX : \0\r\n", 18)},
    {"WrittenAgainWhileAsked", kTheirVolume, {"MUSICVOLUME=80"}, {kOk, kYes}, {"M9", "M11"},
     QStringList{"MUSICVOLUME : 80", "NETWORK_PLAYER : Cyd", "NEW : c"}, false, kBase, "MUSICVOLUME : 50\r\nNETWORK_PLAYER : Cyd\r\nNEW : c\r\n"},
    {"NewConflictWhileAsked", kTheirVolume, {"MUSICVOLUME=80"}, {kOk, kYes, kNo}, {"M9", "M11", "M11"},
     QStringList{"MUSICVOLUME : 60", "NEW : c"}, false, kBase, "MUSICVOLUME : 60\r\nNEW : c\r\n"},
    {"FirstSaveMakesTheBackup", "=", {"NETWORK_PLAYER=Bob"}, {kOk}, {"M9"}, QStringList{"NETWORK_PLAYER : Bob"}, false, kBase, {}, NoBackupYet},
    {"ReadOnlyMakesNoBackup", "=", {"NETWORK_PLAYER=Bob"}, {kOk}, {"M9", "M16"}, std::nullopt, true, kBase, {}, NoBackupYet | ReadOnlyFile},
    {"ControlCharacterRefused", "=", {"NETWORK_PLAYER=a\x1bz"}, {kOk}, {"M9", "M16"}, std::nullopt, true},
};
// clang-format on

class SaveOverChangedFile : public Flow, public ::testing::WithParamInterface<SyncCase> {};

TEST_P(SaveOverChangedFile, MergesOrAsksAsTheRowSays) {
    const SyncCase& c = GetParam();
    start(kBase);
    ASSERT_TRUE(c.loaded == kBase ||
                (writeBytes(settings(), c.loaded) && editor.files().load(settings()) &&
                 writeBytes(program.file(u"settings.bck"_s), c.loaded)));
    if (c.setup & NoBackupYet)
        QFile::remove(program.file(u"settings.bck"_s));
    if (c.setup & ReadOnlyFile)
        ::chmod(qPrintable(settings()), 0444);
    for (const QString& edit : c.edits) {
        const int row = findKey(QLatin1String(edit.section(u'=', 0, 0).toLatin1())).value();
        const QString value = edit.section(u'=', 1);
        if (keyCatalogue()[row].kind == KeyKind::Text)
            editor.settings().setText(row, value);
        else
            editor.settings().setNumber(row, value.toInt());
    }
    if (c.disk == "-" || c.disk == "fifo")
        QFile::remove(settings());
    if (c.disk == "fifo")
        ASSERT_EQ(::mkfifo(qPrintable(settings()), 0600), 0);
    else if (c.disk != "-" && c.disk != "=")
        writeBytes(settings(), c.disk);
    for (const Answer a : c.answers)
        dialogs.answer(a);
    bool later = c.later.isEmpty();
    dialogs.whileShown = [&] {
        if (dialogs.shown.back().text.startsWith(u"M11"_s) && !std::exchange(later, true))
            writeBytes(settings(), c.later);
    };

    editor.files().save();

    EXPECT_EQ(shown(), c.shown);
    EXPECT_TRUE(dialogs.exhausted());
    // Opening a FIFO here would wait for a writer.
    const QByteArray bytes = QFileInfo(settings()).isFile() ? readBytes(settings()) : QByteArray();
    if (!c.written) {
        EXPECT_EQ(bytes, c.disk == "-" || c.disk == "fifo" ? QByteArray()
                         : c.disk == "="                   ? c.loaded
                                                           : c.disk);
        EXPECT_EQ(QFileInfo(settings()).isFile() || c.disk == "-", c.disk != "fifo");
    } else {
        const QStringList lines = QString::fromLatin1(bytes).split(u"\r\n"_s);
        for (const QString& line : *c.written)
            EXPECT_TRUE(lines.contains(line)) << line.toStdString();
        // The window shows exactly what was written, and that is the base.
        EXPECT_EQ(std::get<QByteArray>(serializeSettings(values())), bytes);
        EXPECT_EQ(editor.settingsFile().base()->bytes, bytes);
    }
    expectMark(c.marked);
    if (c.shown.contains(u"M11"_s)) {
        EXPECT_TRUE(dialogs.shown.back().text.contains(
            c.later.contains("60") ? u"M12 MUSICVOLUME 80 60"_s : u"M12 MUSICVOLUME 80 50"_s));
    }
    if (c.shown.contains(u"M16"_s) && c.edits.front().contains(u'\x1b')) {
        EXPECT_TRUE(dialogs.shown.back().text.contains(u"M23 NETWORK_PLAYER"_s));
    }
    // A backup is made by the first write, and only by a write that happens.
    EXPECT_EQ(readBytes(program.file(u"settings.bck"_s)),
              !(c.setup & NoBackupYet) || c.written ? c.loaded : QByteArray());
}

INSTANTIATE_TEST_SUITE_P(Rows, SaveOverChangedFile, ::testing::ValuesIn(kSyncCases), rowName);

struct ListedProcesses : ProcessTable {
    std::vector<RunningProcess> processes() const override { return list; }
    QString currentFolder(qint64) const override { return {}; }
    std::vector<RunningProcess> list;
};

// Save asks first while the game runs from the game folder (by its Windows
// path in the game's Wine prefix, or its own path); Yes writes, No keeps the
// changes marked.
TEST_F(Flow, SavingWhileTheGameRunsAsksFirst) {
    registry.setStringValue(RegistryRoot::LocalMachine, kInstallKeyPath, kInstallValueName,
                            u"C:\\Games\\Korrin"_s);
    registry.driveC = game.path();
    ASSERT_TRUE(QDir().mkpath(game.file(u"prefix/dosdevices"_s)) &&
                QFile::link(game.path(), game.file(u"prefix/dosdevices/c:"_s)));
    for (const char* name : {"/settings.cfg", "/settings.bck"})
        writeBytes(gameDir() + QLatin1String(name), kGameFile);
    ListedProcesses processes;
    editor.setProcessTable(&processes);
    prefix.prefix = game.file(u"prefix"_s);
    ASSERT_EQ(startEditor(), Startup::Result::Running);
    // clang-format off
    const struct { const char* program; Answer answer; QStringList shown; bool written; } rows[] = {
        {"C:\\Games\\Korrin\\Korrin.exe", Answer::No,  {"M9", "M15"}, false},
        {"C:\\Games\\Korrin\\Korrin.exe", Answer::Yes, {"M9", "M15"}, true},
        {"/Games/Korrin/bin/korrin",        Answer::Yes, {"M9", "M15"}, true},
        {"C:\\Games\\Korrin2\\Korrin.exe", Answer::Ok, {"M9"},       true},
    };
    // clang-format on
    for (const auto& row : rows) {
        const QString program = QString::fromLatin1(row.program);
        processes.list = {{4242, u"/usr/bin/wine64-preloader"_s,
                           program.startsWith(u'/') ? game.path() + program : program}};
        editor.settings().setText(rowOf("NETWORK_PLAYER"), program);
        dialogs.shown.clear();
        dialogs.answer(Answer::Ok);
        dialogs.answer(row.answer);
        editor.files().save();
        EXPECT_EQ(shown(), row.shown) << row.program;
        EXPECT_EQ(readBytes(gameDir() + u"/settings.cfg"_s).contains(program.toLatin1()),
                  row.written);
        expectMark(!row.written);
    }
    EXPECT_TRUE(
        readBytes(current.file(u"debug.log"_s))
            .contains("Form -> the game runs (process 4242, C:\\Games\\Korrin\\Korrin.exe): "
                      "not saved\r\n"));
}

} // namespace
} // namespace quillset::test
