#include "settings/settings_merge.h"

#include "settings/settings_writer.h"

#include <algorithm>

namespace quillset {

void takeValue(SettingsModel& model, const SettingsModel& from, int row) {
    switch (keyCatalogue()[row].kind) {
    case KeyKind::Flag:
    case KeyKind::Number:
    case KeyKind::Choice:
    case KeyKind::WaitRetrace:
        model.numbers[row] = from.numbers[row];
        break;
    case KeyKind::Text:
        model.texts[row] = from.texts[row];
        break;
    case KeyKind::FontPages:
        model.fontPagesValue = from.fontPagesValue;
        break;
    case KeyKind::CdKey:
        model.fileCdKey = from.fileCdKey;
        break;
    case KeyKind::CdKey2:
        model.fileCdKey2 = from.fileCdKey2;
        break;
    }
}

namespace {

// Whether settingsValueText gives the two models' values of the row alike,
// without making a text of each number: a merge compares every key thrice.
bool sameWritten(const SettingsModel& a, const SettingsModel& b, int row) {
    const KeyDef& def = keyCatalogue()[row];
    const int x = a.numbers[row], y = b.numbers[row];
    switch (def.kind) {
    case KeyKind::Flag:
    case KeyKind::Number:
        return x == y;
    case KeyKind::WaitRetrace:
        return (x == 0) == (y == 0);
    case KeyKind::Choice: {
        const bool xWritten = isChoiceDigit(def, x), yWritten = isChoiceDigit(def, y);
        return xWritten == yWritten && (!xWritten || x == y);
    }
    case KeyKind::Text:
        return a.texts[row] == b.texts[row];
    case KeyKind::FontPages:
        return a.fontPagesValue == b.fontPagesValue;
    case KeyKind::CdKey:
        return a.fileCdKey == b.fileCdKey;
    case KeyKind::CdKey2:
        return a.fileCdKey2 == b.fileCdKey2;
    }
    return settingsValueText(a, row) == settingsValueText(b, row);
}

} // namespace

SettingsMerge mergeSettings(const SettingsModel& base, const SettingsModel& ours,
                            const SettingsModel& theirs) {
    SettingsMerge result{ours, {}, {}};
    result.merged.unknownLines = theirs.unknownLines;
    for (int row = 0; row < kKeyCount; ++row) {
        if (sameWritten(theirs, base, row) || sameWritten(theirs, ours, row))
            continue;
        if (sameWritten(ours, base, row)) {
            takeValue(result.merged, theirs, row);
            result.takenFromFile << keyCatalogue()[row].name();
        } else {
            result.conflicts.push_back(row);
        }
    }
    return result;
}

} // namespace quillset
