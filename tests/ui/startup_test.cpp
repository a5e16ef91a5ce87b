// Start-up in a program folder of its own: the trace it writes, the texts it
// puts on the window, where it loads the settings from, and the missing
// language file that ends the program.

#include "io/ansi_text.h"
#include "ui/widget_text.h"
#include "ui_test_support.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSlider>
#include <gtest/gtest.h>

namespace quillset::test {
namespace {

using Result = Editor::StartupResult;

// A small language file: no [Network] section, so that group keeps its
// design texts.
const QStringList kLanguageLines = {
    QStringLiteral("# test texts"),
    QStringLiteral("[Captions]"),
    QStringLiteral("Sichern"),
    QStringLiteral("Laden"),
    QStringLiteral("Ende"),
    QStringLiteral("Quelle"),
    QStringLiteral("Ziel"),
    QStringLiteral("[Messages]"),
    QStringLiteral("Keine settings.cfg"),
    QStringLiteral("Ungesichert"),
    QStringLiteral("Nur settings.cfg"),
    QStringLiteral("[Sound]"),
    QStringLiteral("Ton an"),
    QStringLiteral("Ton an oder aus"),
    QStringLiteral("Musik"),
    QStringLiteral("Musiklautstärke"),
    QStringLiteral("[Menu]"),
    QStringLiteral("Datei!"),
};

const QStringList kSettingsLines = {
    QStringLiteral("SOUND : 1"),
    QStringLiteral("FULLSCREEN : 1"),
    QStringLiteral("NETWORK_PLAYER : Aldric"),
    QStringLiteral("CAMERA_ZOOM : 3"),
};

class Startup : public ::testing::Test {
protected:
    void SetUp() override {
        previousFolder = QDir::currentPath();
        // debug.log goes to the current folder, which is not the program's.
        ASSERT_TRUE(QDir::setCurrent(current.path()));
        w.state.programDir = program.path();
    }
    void TearDown() override { QDir::setCurrent(previousFolder); }

    void writeLanguageFile() {
        QByteArray bytes;
        for (const QString& line : kLanguageLines)
            bytes += toAnsi(line).value() + "\r\n";
        writeBytes(program.file(QStringLiteral("language.lng")), bytes);
    }
    void writeSettingsAndBackup() {
        writeBytes(program.file(QStringLiteral("settings.cfg")), crlfLines(kSettingsLines));
        writeBytes(program.file(QStringLiteral("settings.bck")), crlfLines(kSettingsLines));
    }
    QStringList trace() { return splitCrlf(readBytes(current.file(QStringLiteral("debug.log")))); }
    QString installDir() const {
        return QDir::toNativeSeparators(program.path()) + QDir::separator();
    }

    // The trace of a start-up up to the settings load. Without settings
    // beside the program the registry is asked (it is empty here) and the
    // backup command runs for the program folder.
    QStringList traceBeforeLoad(bool settingsBesideProgram = true) const {
        QStringList lines = {
            QStringLiteral("Quillset Debug File - v2.5.9"),
            QStringLiteral("Form -> XPStyle initialized"),
            QStringLiteral("Registry -> Existing Deepfall path checked and copied if not exists in "
                           "Local_Machine"),
            QStringLiteral("init_language() -> loading language file from ") +
                QDir::toNativeSeparators(program.file(QStringLiteral("language.lng"))),
            QStringLiteral("init_language() -> loading [Captions]"),
            QStringLiteral("init_language() -> loading [Messages]"),
            QStringLiteral("init_language() -> loading [Sound]"),
            QStringLiteral("init_language() -> loading [Menu]"),
            QStringLiteral("Form -> Checking for settings.cfg and backup"),
            QStringLiteral("Form -> Done"),
            QStringLiteral("Form -> Getting path from Registry"),
            QStringLiteral("Form -> Done"),
            QStringLiteral("Form -> alternating madvanced_click"),
            QStringLiteral("Form -> Done"),
            QStringLiteral("Form -> loading account data"),
            QStringLiteral("Form -> Done"),
            QStringLiteral("Form -> Refreshing variables"),
            QStringLiteral("Form -> Done"),
            QStringLiteral("Form -> checking for sound on/off"),
            QStringLiteral("Form -> Done"),
            QStringLiteral("Form -> loading settings.cfg from ") + installDir(),
        };
        if (!settingsBesideProgram) {
            const qsizetype at =
                lines.indexOf(QStringLiteral("Form -> Getting path from Registry")) + 1;
            lines.insert(at, QStringLiteral("Form -> Creating Backup"));
            lines.insert(at, QStringLiteral("Form -> ") + QDir::separator());
        }
        return lines;
    }
    // Start-up without settings beside the program asks for a file to back up.
    void cancelBackupDialog(TestWindow& window) { window.dialogs.choose(QString()); }

    QString previousFolder;
    TempFolder current;
    TempFolder program;
    TestWindow w;
};

TEST_F(Startup, TraceOfARunWithSettingsAndBackupBesideTheProgram) {
    writeLanguageFile();
    writeSettingsAndBackup();
    ASSERT_EQ(w->editor().start(), Result::Running);

    QStringList expected = traceBeforeLoad();
    expected << QStringLiteral("opensettings() -> Loading settings.cfg");
    for (const QString& line : kSettingsLines)
        expected << QStringLiteral("opensettings() -> Loading ") +
                        line.section(QStringLiteral(" : "), 0, 0);
    expected << QStringLiteral("Form -> Done") << QStringLiteral("Form -> Program initialized.");
    EXPECT_EQ(trace(), expected);
    EXPECT_TRUE(w->editor().debugLog().isOpen()) << "the trace stays open until exit";

    const QString settings = program.file(QStringLiteral("settings.cfg"));
    EXPECT_EQ(w.state.installDir, installDir());
    EXPECT_EQ(w.state.currentSettingsPath, QDir::toNativeSeparators(settings));
    EXPECT_EQ(w->windowTitle(), nativeSettingsTitle(settings));
    EXPECT_FALSE(w.state.changedFlag);
    EXPECT_TRUE(w.state.startupComplete);
    EXPECT_TRUE(w.state.soundOn);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->editor().values().text(QLatin1String("NETWORK_PLAYER")), QStringLiteral("Aldric"));
    EXPECT_EQ(w->editor().values().unknownLines, QByteArray("CAMERA_ZOOM : 3\r\n"));
    EXPECT_TRUE(w->control(u"musicvol")->isEnabled());
}

TEST_F(Startup, WindowShowsTheLanguageTextsAndTheRunningState) {
    writeLanguageFile();
    cancelBackupDialog(w);
    ASSERT_EQ(w->editor().start(), Result::Running);
    EXPECT_EQ(w->control<QPushButton>(u"speichern")->text(), QStringLiteral("Sichern"));
    EXPECT_EQ(w->control<QPushButton>(u"exitbtn")->text(), QStringLiteral("Ende "));
    EXPECT_EQ(w->editor().languageTable().text(QStringLiteral("Captions"), 3),
              QStringLiteral("Ende "));
    EXPECT_EQ(w->control<QCheckBox>(u"sound")->text(), QStringLiteral("Ton an"));
    EXPECT_EQ(w->control(u"musicvol")->toolTip(), QStringLiteral("Musiklautstärke"));
    EXPECT_EQ(w->menu(u"mfile")->title(), QStringLiteral("Datei!"));
    // Menu entries past the end of the file are empty; the style item keeps its text.
    EXPECT_TRUE(w->menuItem(u"mabout")->text().isEmpty());
    EXPECT_EQ(w->menuItem(u"use_xp_style")->text(), QStringLiteral("XP-Style verwenden"));
    // No [Network] section: the design texts stay.
    EXPECT_EQ(w->control<QLabel>(u"Label7")->text(), QStringLiteral("Lobby Server Adresse"));
    EXPECT_EQ(w->control(u"lp")->toolTip(),
              QStringLiteral("Gibt den Port der Lobby an, sollte immer 7065 sein!"));

    const QString heading = ui::caption(w->control(u"Label10"));
    EXPECT_TRUE(heading.startsWith(QStringLiteral("Korrin Quillset\r")));
    EXPECT_EQ(heading.count(QLatin1Char('\r')), 1);
    EXPECT_EQ(w->control<QLabel>(u"Label10")->text().count(QLatin1Char('\n')), 1)
        << "shown on two lines";

    EXPECT_FALSE(w->menuItem(u"madvanced")->isChecked());
    EXPECT_FALSE(w.state.advancedMode);
    EXPECT_FALSE(w->control(u"warninglevel")->isEnabled());
    EXPECT_FALSE(w->control(u"Text1")->isEnabled());
}

TEST_F(Startup, WithoutSettingsTheWindowStaysClearedUnderThePlainTitle) {
    writeLanguageFile();
    cancelBackupDialog(w);
    ASSERT_EQ(w->editor().start(), Result::Running);
    ASSERT_EQ(w.dialogs.shown.size(), 1u);
    EXPECT_EQ(w.dialogs.shown[0].kind, ScriptedDialogs::Shown::Kind::Open);
    EXPECT_EQ(w.dialogs.shown[0].title, QStringLiteral("Quelle"));
    QStringList expected = traceBeforeLoad(false);
    expected << QStringLiteral("Form -> Done") << QStringLiteral("Form -> Program initialized.");
    EXPECT_EQ(trace(), expected);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Quillset"));
    EXPECT_TRUE(w.state.currentSettingsPath.isEmpty());
    EXPECT_FALSE(w.state.changedFlag);
    EXPECT_EQ(w->editor().values().number(QLatin1String("SOUND")), 0);
    EXPECT_FALSE(w->control(u"musicvol")->isEnabled());
    EXPECT_FALSE(w->control(u"Label19")->isEnabled());
}

TEST_F(Startup, MissingLanguageFileEndsTheProgramBeforeTheWindowShows) {
    writeSettingsAndBackup();
    EXPECT_EQ(w->editor().start(), Result::LanguageFileMissing);
    ASSERT_EQ(w.dialogs.shown.size(), 1u);
    const ScriptedDialogs::Shown& shown = w.dialogs.shown.front();
    EXPECT_EQ(shown.text, QStringLiteral("Language.lng file not found! Aborting..."));
    EXPECT_EQ(shown.title, QStringLiteral("Quillset"));
    EXPECT_EQ(shown.buttons, Dialogs::Buttons::Ok);
    EXPECT_FALSE(w->isVisible());
    EXPECT_FALSE(w.state.startupComplete);
    EXPECT_TRUE(w.state.currentSettingsPath.isEmpty());
    EXPECT_FALSE(w->editor().debugLog().isOpen());
    EXPECT_EQ(trace(), traceBeforeLoad().mid(0, 3)) << "nothing after the language step runs";
}

TEST_F(Startup, ClosingTheWindowEndsTheProgramAndClosesTheTrace) {
    writeLanguageFile();
    cancelBackupDialog(w);
    ASSERT_EQ(w->editor().start(), Result::Running);
    ASSERT_TRUE(w->editor().debugLog().isOpen());
    EXPECT_TRUE(w->close()) << "the close box cannot be refused";
    EXPECT_FALSE(w->editor().debugLog().isOpen());
    EXPECT_FALSE(w->isVisible());
    const QStringList lines = trace();
    EXPECT_EQ(lines.back(), QStringLiteral("Form -> Program initialized."));
}

TEST_F(Startup, SecondRunReplacesTheTrace) {
    writeLanguageFile();
    cancelBackupDialog(w);
    ASSERT_EQ(w->editor().start(), Result::Running);
    const QStringList first = trace();
    TestWindow again;
    again.state.programDir = program.path();
    cancelBackupDialog(again);
    ASSERT_EQ(again->editor().start(), Result::Running);
    EXPECT_EQ(trace(), first);
}

} // namespace
} // namespace quillset::test
