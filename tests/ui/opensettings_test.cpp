// Loading a settings file into the window: what is accepted, what is refused,
// and what the window and the program state show afterwards.

#include "ui/tri_state_check_box.h"
#include "ui_test_support.h"

#include <QLineEdit>
#include <QSlider>
#include <gtest/gtest.h>

namespace quillset::test {
namespace {

using Shown = ScriptedDialogs::Shown;

class OpenSettings : public ::testing::Test {
protected:
    void SetUp() override {
        w.state.windowBaseTitle = QStringLiteral("Quillset");
        w->editor().showBaseTitle();
    }

    QString write(const QString& name, const QStringList& lines) {
        const QString path = folder.file(name);
        writeBytes(path, crlfLines(lines));
        return path;
    }

    // Everything a refused load must leave as it was.
    struct Snapshot {
        SettingsModel model;
        QString title, base, current;
        bool changed;
        bool operator==(const Snapshot&) const = default;
    };
    Snapshot snapshot() {
        return {w->editor().values(), w->windowTitle(), w.state.windowBaseTitle,
                w.state.currentSettingsPath, w.state.changedFlag};
    }

    TempFolder folder;
    TestWindow w;
};

TEST_F(OpenSettings, LoadsTheFileAndRecordsIt) {
    const QString path =
        write(QStringLiteral("settings.cfg"),
              {QStringLiteral("AUTOSAVE : 0"), QStringLiteral("AUTOSAVE : 1"),
               QStringLiteral("CHAT_ALPHA : 1000"), QStringLiteral("LANGUAGE : DEU"),
               QStringLiteral("NETWORK_CDKEY : KEY-ONE"), QStringLiteral("FONTPAGES : 12"),
               QStringLiteral("CAMERA_ZOOM : 3")});
    w->editor().loadSettings(path);
    const SettingsModel model = w->editor().values();
    EXPECT_EQ(model.number(QLatin1String("AUTOSAVE")), 1);
    EXPECT_EQ(model.number(QLatin1String("CHAT_ALPHA")), 100);
    EXPECT_EQ(model.text(QLatin1String("LANGUAGE")), QStringLiteral("DE"));
    EXPECT_EQ(model.fileCdKey, QStringLiteral("KEY-ONE"));
    EXPECT_EQ(model.fontPagesValue, QStringLiteral("2"));
    EXPECT_EQ(model.unknownLines, QByteArray("CAMERA_ZOOM : 3\r\n"));
    // Keys the file lacks: sound and vsync count as on.
    EXPECT_EQ(model.number(QLatin1String("SOUND")), 1);
    EXPECT_EQ(model.number(QLatin1String("WAITRETRACE")), 1);
    EXPECT_EQ(w.state.currentSettingsPath, path);
    EXPECT_EQ(w.state.windowBaseTitle, nativeSettingsTitle(path));
    EXPECT_FALSE(w.state.changedFlag);
    EXPECT_TRUE(w.state.soundOn);
    EXPECT_TRUE(w.dialogs.shown.empty());
    // The caller shows the title.
    EXPECT_NE(w->windowTitle(), w.state.windowBaseTitle);
    w->editor().showBaseTitle();
    EXPECT_EQ(w->windowTitle(), nativeSettingsTitle(path));
}

TEST_F(OpenSettings, SecondLoadStartsFromClearedControlsButKeepsFontPages) {
    const QString first =
        write(QStringLiteral("settings.cfg"),
              {QStringLiteral("FONTPAGES : 4"), QStringLiteral("VIOLENCE : 1"),
               QStringLiteral("WAITRETRACE : 0"), QStringLiteral("NETWORK_CDKEY2 : X")});
    w->editor().loadSettings(first);
    QDir().mkpath(folder.file(QStringLiteral("other")));
    const QString second =
        write(QStringLiteral("other/settings.cfg"), {QStringLiteral("MUSICVOLUME : 12")});
    w->editor().loadSettings(second);
    const SettingsModel model = w->editor().values();
    EXPECT_EQ(model.fontPagesValue, QStringLiteral("4"));
    EXPECT_EQ(model.number(QLatin1String("VIOLENCE")), 0);
    EXPECT_EQ(model.number(QLatin1String("WAITRETRACE")), 1);
    EXPECT_TRUE(model.fileCdKey2.isEmpty());
    EXPECT_EQ(model.number(QLatin1String("MUSICVOLUME")), 12);
    EXPECT_EQ(w.state.currentSettingsPath, second);
}

TEST_F(OpenSettings, RefusesAnyOtherFileNameAndChangesNothing) {
    w->editor().applyValues(modelUsingEveryKey(2));
    w->editor().markChanged();
    const Snapshot before = snapshot();
    for (const char* name : {"Settings.cfg", "settings.cfg.bak", "cfg"}) {
        SCOPED_TRACE(name);
        w.dialogs.shown.clear();
        const QString path = write(QString::fromLatin1(name), {QStringLiteral("AUTOSAVE : 1")});
        w->editor().loadSettings(path);
        ASSERT_EQ(w.dialogs.shown.size(), 1u);
        const Shown& shown = w.dialogs.shown.front();
        EXPECT_EQ(shown.kind, Shown::Kind::Message);
        EXPECT_EQ(shown.text, w->editor().languageTable().text(QStringLiteral("Messages"), 3));
        EXPECT_EQ(shown.title, QStringLiteral("Quillset"));
        EXPECT_EQ(shown.buttons, Dialogs::Buttons::Ok);
        EXPECT_EQ(snapshot(), before);
    }
}

TEST_F(OpenSettings, UnreadableFileIsNamedAndChangesNothing) {
    // A folder with the right name cannot be read as a file.
    const QString path = folder.file(QStringLiteral("settings.cfg"));
    ASSERT_TRUE(QDir().mkpath(path));
    w->editor().applyValues(modelUsingEveryKey(0));
    const Snapshot before = snapshot();
    w->editor().loadSettings(path);
    ASSERT_EQ(w.dialogs.shown.size(), 1u);
    EXPECT_TRUE(w.dialogs.shown.front().text.contains(QDir::toNativeSeparators(path)));
    EXPECT_EQ(w.dialogs.shown.front().title, QStringLiteral("Quillset"));
    EXPECT_EQ(snapshot(), before);
}

TEST_F(OpenSettings, EmptyPathDoesNothing) {
    const Snapshot before = snapshot();
    w->editor().loadSettings(QString());
    EXPECT_TRUE(w.dialogs.shown.empty());
    EXPECT_EQ(snapshot(), before);
}

TEST_F(OpenSettings, TraceHasOneLinePerNonEmptyLine) {
    const QString logPath = folder.file(QStringLiteral("debug.log"));
    ASSERT_TRUE(w->editor().debugLog().open(logPath));
    const QString path = folder.file(QStringLiteral("settings.cfg"));
    writeBytes(path, "SOUND : 0\r\n\r\nCAMERA_ZOOM : 3\r\n : orphan\r\nSFXVOLUME : 7\r\n");
    w->editor().loadSettings(path);
    w->editor().debugLog().close();
    EXPECT_EQ(splitCrlf(readBytes(logPath)),
              (QStringList{QStringLiteral("Quillset Debug File - v2.5.9"),
                           QStringLiteral("opensettings() -> Loading settings.cfg"),
                           QStringLiteral("opensettings() -> Loading SOUND"),
                           QStringLiteral("opensettings() -> Loading CAMERA_ZOOM"),
                           QStringLiteral("opensettings() -> Loading "),
                           QStringLiteral("opensettings() -> Loading SFXVOLUME")}));
    EXPECT_EQ(w->control<QSlider>(u"sfxvol")->value(), 7);
    EXPECT_FALSE(w.state.soundOn);
}

} // namespace
} // namespace quillset::test
