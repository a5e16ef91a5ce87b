// A clean window follows the settings file on disk, through a real file
// watch in a temporary folder: rewritten in place, replaced by a rename,
// deleted and written again, written many times in a row; never its own
// saves, never over unsaved changes or junk, never while a question or the
// Account window is open.

#include "editor_fixture.h"
#include "io/file_watch.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <QTest>
#include <cstdio>

namespace quillset::test {
namespace {

class Follow : public Flow {
protected:
    Follow() { editor.setFileWatch(&watch); }
    QString player() { return values().texts[rowOf("NETWORK_PLAYER")]; }
    bool shows(const QString& name) {
        return QTest::qWaitFor([&] { return player() == name; }, kPatience);
    }
    // Makes a change and waits until the watch tells of it. The editor's slot,
    // connected before the spy's, has dealt with it by then, so a check after
    // this sees all that the change will ever cause.
    bool told(auto&& change) {
        QSignalSpy spy(&watch, &FileWatch::changed);
        change();
        return !spy.isEmpty() || spy.wait(kPatience);
    }
    int reloads() { return readBytes(current.file(u"debug.log"_s)).count("loading it again"); }

    // Waits end when what they wait for comes; this only bounds a failure.
    static constexpr int kPatience = 20000;
    FileWatch watch{std::chrono::milliseconds(500)};
};

TEST_F(Follow, ACleanWindowFollowsOtherProgramsWritesOnly) {
    start("NETWORK_PLAYER : Aldric\r\nSOUND : 1\r\n");
    // In place, as a Windows program under Wine writes: emptied, then in pieces.
    {
        QFile file(settings());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("NETWORK_PLAYER : Bo");
        file.flush();
        QTest::qWait(50);
        file.write("b\r\nSOUND : 0\r\n");
    }
    EXPECT_TRUE(shows(u"Bob"_s));
    EXPECT_EQ(std::tuple(reloads(), view.volumeEnabled), std::tuple(1, false)) << "as a load";
    writeBytes(settings() + u".new"_s, "NETWORK_PLAYER : Cy\r\n"); // replaced by a rename
    ASSERT_EQ(std::rename(qPrintable(settings() + u".new"_s), qPrintable(settings())), 0);
    EXPECT_TRUE(shows(u"Cy"_s));
    QFile::remove(settings());
    QTest::qWait(100);
    writeBytes(settings(), "NETWORK_PLAYER : Di\r\n");
    EXPECT_TRUE(shows(u"Di"_s));
    for (const char* name : {"E1", "E2", "E3", "E4"}) {
        writeBytes(settings(), "NETWORK_PLAYER : " + QByteArray(name) + "\r\n");
        QTest::qWait(20);
    }
    EXPECT_TRUE(shows(u"E4"_s));
    EXPECT_EQ(reloads(), 4) << "many writes in a row are one change";
    expectMark(false);

    // Its own save, over a file nobody else touched: no reload, no question.
    editor.settings().setText(rowOf("NETWORK_PLAYER"), u"Fay"_s);
    dialogs.answer(Answer::Ok);
    EXPECT_TRUE(told([this] { editor.files().save(); }));
    EXPECT_EQ(std::tuple(reloads(), shown()), std::tuple(4, QStringList{u"M9"_s}));

    // Unsaved changes are not replaced; Save merges them instead.
    editor.settings().setText(rowOf("NETWORK_SESSION"), u"mine"_s);
    EXPECT_TRUE(told([this] { writeBytes(settings(), "NETWORK_PLAYER : Gus\r\n"); }));
    EXPECT_EQ(player(), u"Fay"_s);
    editor.settings().clearMark();

    // Junk is not loaded.
    EXPECT_TRUE(told([this] { writeBytes(settings(), QByteArray(4096, '\0')); }));
    EXPECT_EQ(std::pair(player(), reloads()), std::pair(u"Fay"_s, 4));
}

TEST_F(Follow, AChangeWaitsForQuestionsAndTheAccountWindow) {
    start("NETWORK_PLAYER : Aldric\r\n");
    // The backup's notice stays open while the file changes.
    dialogs.whileShown = [this] {
        EXPECT_TRUE(told([this] { writeBytes(settings(), "NETWORK_PLAYER : Bob\r\n"); }));
        EXPECT_EQ(player(), u"Aldric"_s) << "not while a question is open";
    };
    editor.menu().backUp();
    EXPECT_EQ(player(), u"Bob"_s) << "once it closed";

    dialogs.whileShown = nullptr;
    editor.menu().manageAccounts();
    EXPECT_TRUE(told([this] { writeBytes(settings(), "NETWORK_PLAYER : Cy\r\n"); }));
    EXPECT_EQ(player(), u"Bob"_s) << "not while the Account window is open";
    editor.accounts().windowHidden();
    EXPECT_EQ(player(), u"Cy"_s);
}

} // namespace
} // namespace quillset::test

// The file watch needs an event loop.
int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
