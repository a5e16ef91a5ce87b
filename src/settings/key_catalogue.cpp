#include "settings/key_catalogue.h"

#include <QByteArrayView>
#include <algorithm>
#include <string_view>
#include <unordered_map>

namespace quillset {

std::span<const KeyDef, kKeyCount> keyCatalogue() {
    return kCatalogue;
}

std::optional<int> findKey(QByteArrayView key) {
    // Every line of a settings file is looked up; a hash keeps large files linear and cheap.
    static const std::unordered_map<std::string_view, int> index = [] {
        std::unordered_map<std::string_view, int> map;
        for (int i = 0; i < kKeyCount; ++i)
            map.emplace(kCatalogue[i].key, i);
        return map;
    }();
    const auto it = index.find(std::string_view(key.data(), static_cast<size_t>(key.size())));
    if (it == index.end())
        return std::nullopt;
    return it->second;
}

std::optional<int> findKey(QLatin1String key) {
    return findKey(QByteArrayView(key.data(), key.size()));
}

} // namespace quillset

namespace quillset {

bool isChoiceDigit(const KeyDef& def, int value) {
    return std::ranges::any_of(def.choices(), [value](char digit) { return value == digit - '0'; });
}

std::optional<int> acceptedNumber(const KeyDef& def, int value) {
    switch (def.kind) {
    case KeyKind::Flag:
    case KeyKind::WaitRetrace:
        if (value < 0 || value > 2)
            return std::nullopt;
        return value;
    case KeyKind::Number:
        return std::clamp(value, def.min, def.max);
    case KeyKind::Choice: {
        return isChoiceDigit(def, value) ? value : kNoChoice;
    }
    case KeyKind::Text:
    case KeyKind::FontPages:
    case KeyKind::CdKey:
    case KeyKind::CdKey2:
        break;
    }
    return std::nullopt;
}

} // namespace quillset
