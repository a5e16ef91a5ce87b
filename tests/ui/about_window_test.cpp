// The About window: its text, its version line and its life cycle.

#include "ui/about_window.h"
#include "ui_test_support.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

namespace quillset::test {
namespace {

QStringList lines(const ui::AboutWindow* about) {
    return about->aboutText().split(QLatin1Char('\r'));
}

TEST(AboutWindow, VersionLineReservesThePlaceOfTheSign) {
    EXPECT_EQ(ui::AboutWindow::versionLine(2, 6, 0), QStringLiteral("Version  2. 6. 0"));
    EXPECT_EQ(ui::AboutWindow::versionLine(10, 0, 12), QStringLiteral("Version  10. 0. 12"));
    EXPECT_EQ(ui::AboutWindow::versionLine(-1, 6, 0), QStringLiteral("Version -1. 6. 0"));
}

TEST(AboutWindow, ShowsNineteenLinesWithThisBuildsVersion) {
    TestWindow w;
    w->showAbout();
    ui::AboutWindow* about = w->aboutWindow();
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(about->isVisible());
    EXPECT_EQ(about->objectName(), QStringLiteral("Form4"));
    EXPECT_EQ(about->windowTitle(), QStringLiteral("About"));
    EXPECT_EQ(about->parentWidget(), w.window.get()) << "owned by the Options window";

    const QStringList text = lines(about);
    ASSERT_EQ(text.size(), 19);
    EXPECT_EQ(text[2], QStringLiteral("Version  2. 6. 0"));
    EXPECT_EQ(text[4], QStringLiteral("Special Thanks to"));
    EXPECT_EQ(text[7], QStringLiteral("Special Greetings to the Korrin Developers"));
    EXPECT_EQ(text[18], QStringLiteral("and all the others I've forgotten ;)"));
    for (int empty : {3, 6, 9})
        EXPECT_TRUE(text[empty].isEmpty()) << empty;
    EXPECT_FALSE(about->aboutText().contains(QLatin1Char('\n')));
    // Shown as lines on screen.
    EXPECT_EQ(about->findChild<QLabel*>(QStringLiteral("Label1"))->text().count(QLatin1Char('\n')),
              18);
    EXPECT_TRUE(about->findChild<QLabel*>(QStringLiteral("Label2"))
                    ->text()
                    .startsWith(QStringLiteral("Visit us at ")));
    EXPECT_FALSE(about->findChild<QLabel*>(QStringLiteral("Picture1"))->pixmap().isNull())
        << "the banner comes from the resources";
}

TEST(AboutWindow, OkHidesAndReopeningKeepsTheText) {
    TestWindow w;
    w->showAbout();
    ui::AboutWindow* about = w->aboutWindow();
    about->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    EXPECT_FALSE(about->isVisible());
    w->showAbout();
    EXPECT_EQ(w->aboutWindow(), about) << "the hidden window is shown again";
    EXPECT_EQ(lines(about).size(), 19);
}

TEST(AboutWindow, CloseBoxDestroysAndTheMenuBuildsItAfresh) {
    TestWindow w;
    w->menuItem(u"mabout")->trigger();
    ASSERT_NE(w->aboutWindow(), nullptr);
    w->aboutWindow()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(w->aboutWindow(), nullptr);
    w->menuItem(u"mabout")->trigger();
    ASSERT_NE(w->aboutWindow(), nullptr);
    EXPECT_EQ(lines(w->aboutWindow()).size(), 19);
}

TEST(AboutWindow, TextFitsItsLabel) {
    TestWindow w;
    w->showAbout();
    for (const char* name : {"Label1", "Label2"}) {
        auto* label = w->aboutWindow()->findChild<QLabel*>(QString::fromLatin1(name));
        const QRect needed = label->fontMetrics().boundingRect(
            label->rect(), int(label->alignment()), label->text());
        EXPECT_LE(needed.width(), label->width()) << name;
        EXPECT_LE(needed.height(), label->height()) << name;
        EXPECT_GE(label->font().pointSizeF(), 7.0) << name << " stays readable";
    }
}

} // namespace
} // namespace quillset::test
