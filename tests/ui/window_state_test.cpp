// Change marking, the slider tooltips and the window-state procedures:
// refresh_variables, the sound switch and advanced mode.

#include "ui/control_catalogue.h"
#include "ui/settings_binding.h"
#include "ui/tri_state_check_box.h"
#include "ui_test_support.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSlider>
#include <QTest>
#include <gtest/gtest.h>

namespace quillset::test {
namespace {

QString name(std::string_view n) {
    return QString::fromLatin1(n.data(), qsizetype(n.size()));
}

class WindowState : public ::testing::Test {
protected:
    void SetUp() override {
        w.state.windowBaseTitle = QStringLiteral("Quillset");
        w->editor().showBaseTitle();
    }

    // Enabled state of the volume sliders and their labels.
    std::vector<bool> volumeEnabled() {
        std::vector<bool> enabled;
        for (std::string_view n : ui::volumeGroup())
            enabled.push_back(w->control(name(n))->isEnabled());
        return enabled;
    }

    // Loads a settings.cfg holding `lines` from a temporary folder.
    QString load(const QStringList& lines) {
        const QString path = folder.file(QStringLiteral("settings.cfg"));
        writeBytes(path, crlfLines(lines));
        w->editor().loadSettings(path);
        w->editor().showBaseTitle();
        return path;
    }

    TempFolder folder;
    TestWindow w;
};

TEST_F(WindowState, TenClicksShowTheMarkOnce) {
    const char* boxes[] = {"fullsc", "textd", "fbs",    "quake", "shmov",
                           "asa",    "ate",   "expmap", "vio",   "fullsc"};
    for (const char* box : boxes)
        w->control<QCheckBox>(QString::fromLatin1(box))->click();
    EXPECT_TRUE(w.state.changedFlag);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Quillset - Changed!"));
}

TEST_F(WindowState, EveryKindOfSettingsControlMarksTheWindow) {
    const auto marks = [this](auto&& edit) {
        w.state.changedFlag = false;
        w->editor().showBaseTitle();
        edit();
        return w.state.changedFlag && w->windowTitle().endsWith(QStringLiteral(" - Changed!"));
    };
    EXPECT_TRUE(marks([&] { w->control<QRadioButton>(u"modem")->click(); }));
    EXPECT_TRUE(marks([&] { QTest::keyClicks(w->control(u"stdspn"), QStringLiteral("Abend")); }));
    EXPECT_TRUE(
        marks([&] { w->control<QSlider>(u"cl")->triggerAction(QSlider::SliderSingleStepAdd); }));
    EXPECT_TRUE(marks([&] { w->control<QCheckBox>(u"sound")->click(); }));
    // A second click on an option button that is already on changes nothing.
    EXPECT_FALSE(marks([&] { w->control<QRadioButton>(u"modem")->click(); }));
}

TEST_F(WindowState, AfterALoadTheMarkFollowsTheFileTitle) {
    const QString path = load({QStringLiteral("FULLSCREEN : 1")});
    EXPECT_EQ(w->windowTitle(), nativeSettingsTitle(path));
    EXPECT_FALSE(w.state.changedFlag);
    w->control<QCheckBox>(u"fullsc")->click();
    EXPECT_EQ(w->windowTitle(), nativeSettingsTitle(path) + QStringLiteral(" - Changed!"));
}

TEST_F(WindowState, TypingInTheLanguageBoxLeavesTheWindowUnchanged) {
    const QString path = load({QStringLiteral("LANGUAGE : DE")});
    auto* language = w->control<QLineEdit>(u"Text1");
    language->selectAll();
    QTest::keyClicks(language, QStringLiteral("EN"));
    EXPECT_EQ(language->text(), QStringLiteral("EN"));
    EXPECT_FALSE(w.state.changedFlag);
    EXPECT_EQ(w->windowTitle(), nativeSettingsTitle(path));
}

TEST_F(WindowState, SliderShowsItsValueAsTooltip) {
    auto* warning = w->control<QSlider>(u"warninglevel");
    warning->setValue(40);
    EXPECT_EQ(warning->toolTip(), QStringLiteral(" 40"));
    warning->triggerAction(QSlider::SliderToMinimum);
    EXPECT_EQ(warning->toolTip(), QStringLiteral(" 0"));
    EXPECT_TRUE(w.state.changedFlag);

    const QString labelTip = w->control(u"Label2")->toolTip();
    auto* delay = w->control<QSlider>(u"cd");
    delay->triggerAction(QSlider::SliderPageStepAdd);
    EXPECT_EQ(delay->toolTip(), QStringLiteral(" 2"));
    EXPECT_EQ(w->control(u"Label2")->toolTip(), labelTip) << "only the slider's tooltip changes";
    EXPECT_EQ(w->control<QLabel>(u"Label14")->text(), QStringLiteral("0 %"));
}

TEST_F(WindowState, RefreshClearsEverythingButFontPagesAndVsync) {
    w->editor().applyValues(modelUsingEveryKey(1));
    w->editor().clearValues();
    SettingsModel expected = SettingsModel::cleared(QStringLiteral("7"));
    // The vsync box is not in the clearing list; every load sets it anyway.
    expected.setNumber(QLatin1String("WAITRETRACE"), 2);
    EXPECT_EQ(w->editor().values(), expected);
    // The clearing itself changed values, so their handlers marked the window.
    EXPECT_TRUE(w.state.changedFlag);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Quillset - Changed!"));
    EXPECT_EQ(w.state.windowBaseTitle, QStringLiteral("Quillset"));
}

TEST_F(WindowState, RefreshWithNothingToClearShowsPlainTitle) {
    w.state.windowBaseTitle = QStringLiteral("Quillset : somewhere");
    w->editor().markChanged();
    w->editor().clearValues();
    EXPECT_FALSE(w.state.changedFlag);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Quillset"));
    EXPECT_EQ(w.state.windowBaseTitle, QStringLiteral("Quillset : somewhere"));
}

TEST_F(WindowState, TwoSoundClicksRestoreTheVolumeGroupAndStayChanged) {
    load({QStringLiteral("SOUND : 1")});
    ASSERT_EQ(volumeEnabled(), std::vector<bool>(6, true));
    ASSERT_TRUE(w.state.soundOn);
    auto* sound = w->control<QCheckBox>(u"sound");
    sound->click();
    EXPECT_EQ(volumeEnabled(), std::vector<bool>(6, false));
    EXPECT_FALSE(w.state.soundOn);
    sound->click();
    EXPECT_EQ(volumeEnabled(), std::vector<bool>(6, true));
    EXPECT_TRUE(w.state.soundOn);
    EXPECT_TRUE(w.state.changedFlag);
}

TEST_F(WindowState, SoundOffInTheFileLeavesTheVolumesDisabled) {
    const QString path = load({QStringLiteral("SOUND : 0"), QStringLiteral("MUSICVOLUME : 80")});
    EXPECT_EQ(volumeEnabled(), std::vector<bool>(6, false));
    EXPECT_FALSE(w.state.soundOn);
    EXPECT_EQ(w->control<QSlider>(u"musicvol")->value(), 80);
    w->control<QCheckBox>(u"sound")->click();
    EXPECT_EQ(volumeEnabled(), std::vector<bool>(6, true));
    EXPECT_EQ(w->windowTitle(), nativeSettingsTitle(path) + QStringLiteral(" - Changed!"));
}

TEST_F(WindowState, GrayedSoundSwitchLeavesTheVolumeGroupAlone) {
    load({QStringLiteral("SOUND : 1")});
    w->control<ui::TriStateCheckBox>(u"sound")->setValue(2);
    w->editor().checkSound();
    // check_sound only acts on 0 and 1; the handler's own step disabled them.
    EXPECT_EQ(volumeEnabled(), std::vector<bool>(6, false));
    EXPECT_TRUE(w.state.soundOn);
}

TEST_F(WindowState, AdvancedModeSwitchesTheUnsupportedGroup) {
    const auto groupEnabled = [this] {
        std::vector<bool> enabled;
        for (std::string_view n : ui::advancedGroup())
            enabled.push_back(w->control(name(n))->isEnabled());
        return enabled;
    };
    QAction* item = w->menuItem(u"madvanced");
    ASSERT_TRUE(item->isChecked()) << "checked in the design";
    w->editor().toggleAdvancedMode(); // as start-up does
    EXPECT_FALSE(item->isChecked());
    EXPECT_FALSE(w.state.advancedMode);
    EXPECT_EQ(groupEnabled(), std::vector<bool>(ui::advancedGroup().size(), false));
    // Controls outside the group stay usable.
    EXPECT_TRUE(w->control(u"fullsc")->isEnabled());
    EXPECT_TRUE(w->control(u"compatvideo")->isEnabled());

    item->trigger(); // the user's click
    EXPECT_TRUE(item->isChecked());
    EXPECT_TRUE(w.state.advancedMode);
    EXPECT_EQ(groupEnabled(), std::vector<bool>(ui::advancedGroup().size(), true));
    item->trigger();
    EXPECT_FALSE(item->isChecked());
    EXPECT_EQ(groupEnabled(), std::vector<bool>(ui::advancedGroup().size(), false));
    EXPECT_FALSE(w.state.changedFlag) << "switching modes changes no value";
}

TEST_F(WindowState, ScaleLabelsUseTheGrayTextColour) {
    auto* scale = w->control<QLabel>(u"Label17");
    auto* label = w->control<QLabel>(u"Label12");
    const QColor gray = label->palette().color(QPalette::Disabled, QPalette::WindowText);
    EXPECT_EQ(scale->palette().color(QPalette::Active, QPalette::WindowText), gray);
    EXPECT_NE(label->palette().color(QPalette::Active, QPalette::WindowText), gray);
}

} // namespace
} // namespace quillset::test
