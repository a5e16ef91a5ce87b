#pragma once
// The Options window as the program builds it, for the widget tests.

#include "lang/language_loader.h"
#include "support/scripted_dialogs.h"
#include "test_support.h"
#include "ui/about_window.h"
#include "ui/account_window.h"
#include "ui/options_window.h"
#include "ui/qt_dialogs.h"
#include "ui/settings_binding.h"
#include "ui/widget_text.h"

#include <QtTest>
#include <QtWidgets>
#include <gtest/gtest.h>
#include <optional>

namespace quillset::test {

using ui::KeyRow;

inline constexpr auto name = &ui::fromCatalogue;

inline QString spokenName(QWidget* widget) {
    return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
}

// An Options window as the program builds it; start() runs start-up in a
// program folder of its own with a shipped language file and the demo settings.
class WindowTest : public ::testing::Test {
protected:
    void start(const char* languageFile = "language.de.lng") {
        ASSERT_TRUE(QDir::setCurrent(current.path())); // debug.log goes here
        const QString resources = QStringLiteral(QUILLSET_SOURCE_DIR "/resources/");
        QFile::copy(resources + u"lang/"_s + QLatin1String(languageFile),
                    program.file(u"language.lng"_s));
        for (const char* file : {"settings.cfg", "settings.bck"})
            QFile::copy(resources + u"demo/settings.cfg"_s, program.file(QLatin1String(file)));
        state.programDir = program.path();
        ASSERT_EQ(w->editor().start(), Editor::StartupResult::Running);
    }
    void TearDown() override {
        QDir::setCurrent(previousFolder);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    // The controls show the values, key by key.
    void expectControlsShow(const SettingsModel& values) const {
        ui::ControlMap controls;
        for (QWidget* control : w->centralWidget()->findChildren<QWidget*>())
            controls.insert(control->objectName(), control);
        const SettingsModel shown = ui::readFromControls(controls);
        EXPECT_TRUE(shown.numbers == values.numbers && shown.texts == values.texts);
    }
    ui::AccountWindowHost& accounts() { return w->accounts(); }
    AccountStore& store() { return w->editor().accountStore(); }
    QString accountsFile() const { return program.file(u"accounts.cfg"_s); }
    // The selection in the editor and as the window shows it: the slot's
    // option button, frame border and boxes.
    void expectSelected(std::optional<int> selected) {
        EXPECT_EQ(store().selectedSlot, selected);
        ui::AccountWindow& window = accounts().window();
        for (int slot = 1; slot <= kAccountSlotCount; ++slot) {
            const bool on = slot == selected;
            EXPECT_EQ(std::tuple(window.optionButton(slot)->isChecked(),
                                 window.slotFrame(slot)->hasBorder(),
                                 window.nameBox(slot)->isEnabled(),
                                 window.keyBox(slot, KeyRow::Deepfall, 3)->isEnabled()),
                      std::tuple(on, on, on, on))
                << slot;
        }
    }
    void click(const QString& button) {
        static_cast<QAbstractButton*>(accounts().window().control(button))->click();
    }
    // The CD keys a settings file written now gets.
    QStringList savedKeys() {
        const QString path = current.file(u"settings.cfg"_s);
        EXPECT_TRUE(w->editor().writeSettings(path));
        return QString::fromLatin1(readBytes(path))
            .split(u"\r\n"_s)
            .filter(QRegularExpression(u"^NETWORK_CDKEY2? "_s));
    }
    QStringList keyBoxes(int slot, KeyRow row) {
        QStringList texts;
        for (int i = 0; i < kKeyGroupCount; ++i)
            texts << w->accounts().window().keyBox(slot, row, i)->text();
        return texts;
    }

    TempFolder program, current;
    const QString previousFolder = QDir::currentPath();
    AppState state;
    ScriptedDialogs dialogs;
    std::unique_ptr<ui::OptionsWindow> w = std::make_unique<ui::OptionsWindow>(state, dialogs);
};

} // namespace quillset::test
