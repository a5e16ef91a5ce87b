#pragma once
// The Options window as the program builds it, for the widget tests.

#include "lang/language_loader.h"
#include "registry/game_location.h"
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

namespace quillset::test {

inline constexpr auto name = &ui::fromCatalogue;

inline QString spokenName(QWidget* widget) {
    return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
}

// An editor with its Options window as the program builds them; start() runs
// start-up in a program folder of its own with a shipped language file and
// the demo settings.
class WindowTest : public ::testing::Test {
protected:
    WindowTest() { editor.setView(*w, w->accountPanel()); }
    // Without a shipped file's name: the one whose kept texts name themselves.
    void start(const char* shipped = "language.de.lng") {
        const QString resources = QStringLiteral(QUILLSET_SOURCE_DIR "/resources/");
        const QString language = program.file(u"language.lng"_s);
        ASSERT_TRUE(shipped ? QFile::copy(resources + u"lang/"_s + shipped, language)
                            : writeBytes(language, languageFile()));
        for (const char* file : {"settings.cfg", "settings.bck"})
            QFile::copy(resources + u"demo/settings.cfg"_s, program.file(QLatin1String(file)));
        LocationRequest request; // no environment: nothing but the program folder
        request.programDir = program.path();
        editor.setGameLocation(resolveGameLocation(request, UserValueCopy::Leave));
        ASSERT_EQ(editor.start(), Startup::Result::Running);
    }
    ~WindowTest() override { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
    // The controls show the values, key by key.
    void expectControlsShow(const SettingsModel& values) const {
        for (int row = 0; row < kKeyCount; ++row) {
            const QWidget* control = w->control(ui::fromCatalogue(ui::controlOfKey(row)));
            if (!control)
                continue;
            EXPECT_EQ(ui::controlValue(control), keyCatalogue()[row].kind == KeyKind::Text
                                                     ? QVariant(values.texts[row])
                                                     : QVariant(values.numbers[row]))
                << keyCatalogue()[row].key;
        }
    }
    const SettingsModel& values() { return editor.settings().values(); }
    ui::AccountWindow& accountWindow() { return w->accountPanel().window(); }
    template <class W = QWidget> W* accountControl(const QString& name) {
        return qobject_cast<W*>(accountWindow().control(name));
    }

    CurrentFolder current;
    TempFolder program;
    ScriptedDialogs dialogs;
    Editor editor{dialogs, program.path()};
    std::unique_ptr<ui::OptionsWindow> w = std::make_unique<ui::OptionsWindow>(editor);
};

} // namespace quillset::test
