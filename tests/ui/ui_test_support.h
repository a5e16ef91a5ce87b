#pragma once
// Shared helpers of the widget tests: a window with scripted dialogs, files
// in the program's formats, and settings models that use every key.

#include "editor/app_state.h"
#include "settings/key_catalogue.h"
#include "settings/settings_model.h"
#include "support/editor_harness.h"
#include "test_support.h"
#include "ui/options_window.h"

#include <QByteArray>
#include <QDir>
#include <QStringList>
#include <memory>

namespace quillset::test {

// An Options window as the program builds it, before start-up has run.
struct TestWindow {
    AppState state;
    ScriptedDialogs dialogs;
    std::unique_ptr<ui::OptionsWindow> window = std::make_unique<ui::OptionsWindow>(state, dialogs);

    ui::OptionsWindow* operator->() { return window.get(); }
};

// Values for every catalogue key. `variant` picks range minimum (0),
// maximum (1) or a mix (2), so each key is seen at both ends of its range.
inline SettingsModel modelUsingEveryKey(int variant) {
    SettingsModel model = SettingsModel::cleared();
    const auto catalogue = keyCatalogue();
    for (int row = 0; row < kKeyCount; ++row) {
        const KeyDef& def = catalogue[row];
        switch (def.kind) {
        case KeyKind::Flag:
        case KeyKind::WaitRetrace:
            model.numbers[row] = variant == 2 ? row % 3 : variant == 1 ? 2 : 0;
            break;
        case KeyKind::Number:
            model.numbers[row] = variant == 0   ? def.min
                                 : variant == 1 ? def.max
                                                : (def.min + def.max) / 2;
            break;
        case KeyKind::Choice: {
            const auto choices = def.choices();
            model.numbers[row] = variant == 0   ? choices.front().digit - '0'
                                 : variant == 1 ? choices.back().digit - '0'
                                                : SettingsModel::kNoChoice;
            break;
        }
        case KeyKind::Text:
            // Trailing blanks and over-long values come back unchanged.
            model.texts[row] = variant == 0   ? QStringLiteral("x")
                               : variant == 1 ? QStringLiteral("%1 value ").arg(def.name())
                                              : QStringLiteral("1234567890");
            break;
        case KeyKind::FontPages:
        case KeyKind::CdKey:
        case KeyKind::CdKey2:
            break;
        }
    }
    model.fontPagesValue = QStringLiteral("7");
    model.fileCdKey = QStringLiteral("ABCDE-FGHIJ");
    model.fileCdKey2 = QStringLiteral("KLMNO PQRST ");
    model.unknownLines = "CAMERA_ZOOM : 3\r\nautosave : 1\r\n";
    return model;
}

} // namespace quillset::test
