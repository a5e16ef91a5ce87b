#pragma once
// The widget tests' one fixture: an Options window as the program builds it,
// started on demand in a program folder of its own with a shipped language
// file and the demo settings.

#include "accounts/qstring_printer.h"
#include "support/editor_harness.h"
#include "ui/options_window.h"
#include "ui/settings_binding.h"

#include <QFile>
#include <gtest/gtest.h>
#include <memory>

namespace quillset::test {

class WindowTest : public ::testing::Test {
protected:
    void start(const char* languageFile = "language.de.lng") {
        previousFolder = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(current.path())); // debug.log goes here
        const QString resources = QStringLiteral(QUILLSET_SOURCE_DIR "/resources/");
        ASSERT_TRUE(QFile::copy(resources + QStringLiteral("lang/") + QLatin1String(languageFile),
                                program.file(QStringLiteral("language.lng"))));
        for (const char* name : {"settings.cfg", "settings.bck"})
            ASSERT_TRUE(QFile::copy(resources + QStringLiteral("demo/settings.cfg"),
                                    program.file(QLatin1String(name))));
        state.programDir = program.path();
        ASSERT_EQ(w->editor().start(), Editor::StartupResult::Running);
    }
    void TearDown() override {
        if (!previousFolder.isEmpty())
            QDir::setCurrent(previousFolder);
    }
    // The settings controls by name, as the binding finds them.
    ui::ControlMap controls() const {
        ui::ControlMap map;
        for (QWidget* control : w->centralWidget()->findChildren<QWidget*>())
            map.insert(control->objectName(), control);
        return map;
    }

    TempFolder program;
    TempFolder current;
    QString previousFolder;
    AppState state;
    ScriptedDialogs dialogs;
    std::unique_ptr<ui::OptionsWindow> w = std::make_unique<ui::OptionsWindow>(state, dialogs);
};

} // namespace quillset::test
