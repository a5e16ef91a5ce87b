#include "settings/settings_model.h"

namespace quillset {

SettingsModel SettingsModel::cleared(const QString& fontPagesValue) {
    SettingsModel model;
    const auto catalogue = keyCatalogue();
    for (int i = 0; i < kKeyCount; ++i) {
        const KeyDef& def = catalogue[i];
        model.numbers[i] = def.kind == KeyKind::Number   ? def.min
                           : def.kind == KeyKind::Choice ? kNoChoice
                                                         : 0;
    }
    model.fontPagesValue = fontPagesValue;
    return model;
}

} // namespace quillset
