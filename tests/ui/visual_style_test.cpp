// The visual-style item: its state is the name of the manifest beside the
// program, set at start-up and switched by renaming.

#include "ui_test_support.h"

#include <QAction>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace quillset::test {
namespace {

class VisualStyle : public ::testing::Test {
protected:
    void SetUp() override {
        previousFolder = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(current.path()));
        writeBytes(program.file(QStringLiteral("language.lng")), "[Captions]\r\n");
        w.state.programDir = program.path();
    }
    void TearDown() override { QDir::setCurrent(previousFolder); }

    void start() {
        w.dialogs.choose(QString()); // the start-up backup asks for a file
        ASSERT_EQ(w->editor().start(), Editor::StartupResult::Running);
        w.dialogs.shown.clear();
    }
    QString active() const { return program.file(QStringLiteral("Quillset.exe.Manifest")); }
    QString parked() const { return active() + QLatin1Char('_'); }
    QAction* item() { return w->menuItem(u"use_xp_style"); }

    QString previousFolder;
    TempFolder current;
    TempFolder program;
    TestWindow w;
};

TEST_F(VisualStyle, ClicksRenameTheManifestBackAndForth) {
    writeBytes(active(), "<manifest/>");
    start();
    EXPECT_TRUE(item()->isChecked());
    EXPECT_TRUE(item()->isEnabled());

    item()->trigger();
    EXPECT_FALSE(QFileInfo::exists(active()));
    EXPECT_EQ(readBytes(parked()), "<manifest/>");
    EXPECT_FALSE(item()->isChecked());
    ASSERT_EQ(w.dialogs.shown.size(), 1u);
    EXPECT_EQ(w.dialogs.shown[0].text, QStringLiteral("Please restart the program!"));
    EXPECT_EQ(w.dialogs.shown[0].title, QStringLiteral("Quillset"));

    item()->trigger();
    EXPECT_TRUE(QFileInfo::exists(active()));
    EXPECT_FALSE(QFileInfo::exists(parked()));
    EXPECT_TRUE(item()->isChecked());
    EXPECT_EQ(w.dialogs.shown.size(), 2u);
    EXPECT_FALSE(w.state.changedFlag);
}

TEST_F(VisualStyle, StartStatesFollowTheFiles) {
    start();
    EXPECT_FALSE(item()->isEnabled()) << "no manifest: greyed out";
    EXPECT_TRUE(item()->isChecked()) << "and keeps its design check mark";

    TestWindow parkedOnly;
    parkedOnly.state.programDir = program.path();
    writeBytes(parked(), "m");
    parkedOnly.dialogs.choose(QString());
    ASSERT_EQ(parkedOnly->editor().start(), Editor::StartupResult::Running);
    EXPECT_FALSE(parkedOnly->menuItem(u"use_xp_style")->isChecked());
    EXPECT_TRUE(parkedOnly->menuItem(u"use_xp_style")->isEnabled());
}

TEST_F(VisualStyle, VanishedOrDoubleManifestsAreNeverOverwritten) {
    writeBytes(active(), "a");
    start();
    QFile::remove(active());
    item()->trigger();
    EXPECT_TRUE(w.dialogs.shown.empty()) << "a vanished manifest: nothing happens";
    EXPECT_TRUE(item()->isChecked());

    writeBytes(active(), "a");
    writeBytes(parked(), "p");
    item()->trigger();
    EXPECT_EQ(readBytes(active()), "a");
    EXPECT_EQ(readBytes(parked()), "p");
    ASSERT_EQ(w.dialogs.shown.size(), 1u);
    EXPECT_TRUE(w.dialogs.shown[0].text.contains(QLatin1String("Both")));
}

} // namespace
} // namespace quillset::test
