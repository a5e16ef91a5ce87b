#include "settings/settings_model.h"

#include <QtGlobal>

namespace quillset {

int keyIndex(QLatin1String key) {
    const std::optional<int> index = findKey(key);
    Q_ASSERT_X(index.has_value(), "keyIndex", "unknown settings key");
    return index.value_or(0);
}

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
