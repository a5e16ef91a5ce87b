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

int SettingsModel::number(QLatin1String key) const {
    return numbers[keyIndex(key)];
}

void SettingsModel::setNumber(QLatin1String key, int value) {
    numbers[keyIndex(key)] = value;
}

const QString& SettingsModel::text(QLatin1String key) const {
    return texts[keyIndex(key)];
}

void SettingsModel::setText(QLatin1String key, const QString& value) {
    texts[keyIndex(key)] = value;
}

} // namespace quillset
