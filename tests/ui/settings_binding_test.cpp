// Values go into the controls and come back unchanged, for every key; code
// that sets a value raises the same change handling as the user's edit.

#include "ui/settings_binding.h"
#include "ui/text_box.h"
#include "ui/tri_state_check_box.h"
#include "ui_test_support.h"

#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSlider>
#include <array>
#include <gtest/gtest.h>

namespace quillset::test {
namespace {

TEST(SettingsBinding, EveryKeyRoundTripsThroughTheControls) {
    TestWindow w;
    for (int variant : {0, 1, 2, 1, 0}) {
        SCOPED_TRACE(variant);
        const SettingsModel model = modelUsingEveryKey(variant);
        w->editor().applyValues(model);
        const SettingsModel back = w->editor().values();
        for (int row = 0; row < kKeyCount; ++row) {
            EXPECT_EQ(back.numbers[row], model.numbers[row]) << keyCatalogue()[row].key;
            EXPECT_EQ(back.texts[row], model.texts[row]) << keyCatalogue()[row].key;
        }
        EXPECT_EQ(back, model);
    }
}

TEST(SettingsBinding, ValuesLandInTheNamedControls) {
    TestWindow w;
    SettingsModel model = SettingsModel::cleared();
    model.setNumber(QLatin1String("LOGGING"), 2);
    model.setNumber(QLatin1String("CHAT_DELAY"), 32);
    model.setNumber(QLatin1String("DETAILLEVEL"), 0);
    model.setNumber(QLatin1String("NETWORK_SPEEDSETTINGS"), 2);
    model.setText(QLatin1String("NETWORK_PLAYER"), QStringLiteral("Aldric "));
    w->editor().applyValues(model);
    EXPECT_EQ(w->control<QCheckBox>(u"logging")->checkState(), Qt::PartiallyChecked);
    EXPECT_EQ(w->control<QSlider>(u"cd")->value(), 32);
    EXPECT_TRUE(w->control<QRadioButton>(u"Option3")->isChecked()); // 0 = low
    EXPECT_TRUE(w->control<QRadioButton>(u"dsl")->isChecked());
    EXPECT_EQ(w->control<QLineEdit>(u"defplayername")->text(), QStringLiteral("Aldric "));
}

TEST(SettingsBinding, NoChoiceSwitchesTheWholeGroupOff) {
    TestWindow w;
    SettingsModel model = SettingsModel::cleared();
    model.setNumber(QLatin1String("PICKUPAUTO"), 1);
    w->editor().applyValues(model);
    ASSERT_TRUE(w->control<QRadioButton>(u"goldunis")->isChecked());
    model.setNumber(QLatin1String("PICKUPAUTO"), SettingsModel::kNoChoice);
    w->editor().applyValues(model);
    for (const char* name : {"all", "goldunis", "gold"})
        EXPECT_FALSE(w->control<QRadioButton>(QString::fromLatin1(name))->isChecked()) << name;
    // The group still excludes: switching one on switches the other off.
    w->control<QRadioButton>(u"all")->click();
    w->control<QRadioButton>(u"gold")->click();
    EXPECT_FALSE(w->control<QRadioButton>(u"all")->isChecked());
    EXPECT_TRUE(w->control<QRadioButton>(u"gold")->isChecked());
    EXPECT_EQ(w->editor().values().number(QLatin1String("PICKUPAUTO")), 2);
}

TEST(SettingsBinding, CheckBoxClicksToggleBetweenOffAndOnOnly) {
    ui::TriStateCheckBox box;
    box.click();
    EXPECT_EQ(box.value(), 1);
    box.click();
    EXPECT_EQ(box.value(), 0);
    box.setValue(2);
    EXPECT_EQ(box.checkState(), Qt::PartiallyChecked);
    box.click();
    EXPECT_EQ(box.value(), 1) << "a grayed box becomes checked when clicked";
    box.setValue(7);
    EXPECT_EQ(box.value(), 1) << "values outside 0 to 2 are ignored";
}

TEST(SettingsBinding, SettingFromCodeRaisesTheChangeSignals) {
    TestWindow w;
    auto* box = w->control<QCheckBox>(u"fullsc");
    auto* button = w->control<QRadioButton>(u"Option2");
    auto* slider = w->control<QSlider>(u"mma");
    auto* text = w->control<QLineEdit>(u"lsa");
    QSignalSpy boxSpy(box, &QCheckBox::stateChanged);
    QSignalSpy buttonSpy(button, &QRadioButton::toggled);
    QSignalSpy sliderSpy(slider, &QSlider::valueChanged);
    QSignalSpy textSpy(text, &QLineEdit::textChanged);

    w->editor().applyValues(modelUsingEveryKey(1));
    EXPECT_EQ(boxSpy.count(), 1);
    EXPECT_EQ(sliderSpy.count(), 1);
    EXPECT_EQ(textSpy.count(), 1);
    // DETAILLEVEL 2 selects Option1; Option2 stays off and reports nothing.
    EXPECT_EQ(buttonSpy.count(), 0);
    // Applying the same values again changes nothing and reports nothing.
    w->editor().applyValues(modelUsingEveryKey(1));
    EXPECT_EQ(boxSpy.count(), 1);
    EXPECT_EQ(sliderSpy.count(), 1);
    EXPECT_EQ(textSpy.count(), 1);
}

// Each settings control reports a change of its value once, through the
// signal the binding connects to, and nothing when its value stays.
TEST(SettingsBinding, EveryBoundControlReportsEachChangeOnce) {
    std::array<int, kKeyCount> reports{};
    TestWindow w;
    ui::ControlMap controls;
    for (QWidget* control : w->centralWidget()->findChildren<QWidget*>())
        controls.insert(control->objectName(), control);
    for (int row = 0; row < kKeyCount; ++row) {
        if (QWidget* control = ui::boundControl(controls, row))
            ui::onUserPropertyChanged(control, w.window.get(), [&reports, row] { ++reports[row]; });
    }
    // From the cleared window to one end of every range, straight on to the
    // other (an option group's check moves from one button to another), the
    // same again, then no option on at all.
    SettingsModel shown = ui::readFromControls(controls);
    for (int variant : {0, 1, 1, 2}) {
        SCOPED_TRACE(variant);
        reports.fill(0);
        const SettingsModel model = modelUsingEveryKey(variant);
        ui::applyToControls(model, controls);
        for (int row = 0; row < kKeyCount; ++row) {
            if (!ui::boundControl(controls, row))
                continue;
            const bool changed =
                model.numbers[row] != shown.numbers[row] || model.texts[row] != shown.texts[row];
            EXPECT_EQ(reports[row], changed ? 1 : 0) << keyCatalogue()[row].key;
        }
        shown = ui::readFromControls(controls);
    }
}

TEST(SettingsBinding, LengthLimitStopsTypingButNeverCutsAFileValue) {
    TestWindow w;
    auto* port = w->control<QLineEdit>(u"lp");
    ui::setBoxText(port, QStringLiteral("70650123"));
    EXPECT_EQ(port->text(), QStringLiteral("70650123"));
    ui::setBoxText(port, QStringLiteral("7065"));
    EXPECT_EQ(port->maxLength(), 5) << "the design limit returns with a short value";
    port->setFocus();
    port->end(false);
    port->insert(QStringLiteral("99"));
    EXPECT_EQ(port->text(), QStringLiteral("70659"));
}

TEST(SettingsBinding, ClearControlGivesTheClearedStateOfEachKind) {
    TestWindow w;
    w->editor().applyValues(modelUsingEveryKey(1));
    for (const char* name : {"asa", "cd", "Picture6", "lsa", "Text1", "sound"})
        ui::clearControl(w->control(QString::fromLatin1(name)));
    const SettingsModel model = w->editor().values();
    EXPECT_EQ(model.number(QLatin1String("AUTOSAVE")), 0);
    EXPECT_EQ(model.number(QLatin1String("CHAT_DELAY")), 1) << "a slider clears to its minimum";
    EXPECT_EQ(model.number(QLatin1String("DETAILLEVEL")), SettingsModel::kNoChoice);
    EXPECT_TRUE(model.text(QLatin1String("NETWORK_LOBBY")).isEmpty());
    EXPECT_TRUE(model.text(QLatin1String("LANGUAGE")).isEmpty());
    EXPECT_EQ(w->control<QLineEdit>(u"Text1")->maxLength(), 3);
    EXPECT_EQ(model.number(QLatin1String("SOUND")), 0);
}

} // namespace
} // namespace quillset::test
