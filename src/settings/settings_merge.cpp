#include "settings/settings_merge.h"

#include "settings/settings_writer.h"

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

SettingsMerge mergeSettings(const SettingsModel& base, const SettingsModel& ours,
                            const SettingsModel& theirs) {
    SettingsMerge result{ours, {}, {}};
    result.merged.unknownLines = theirs.unknownLines;
    for (int row = 0; row < kKeyCount; ++row) {
        const std::optional<QString> was = settingsValueText(base, row);
        const std::optional<QString> mine = settingsValueText(ours, row);
        const std::optional<QString> file = settingsValueText(theirs, row);
        if (file == was || file == mine)
            continue;
        if (mine == was) {
            takeValue(result.merged, theirs, row);
            result.takenFromFile << keyCatalogue()[row].name();
        } else {
            result.conflicts.push_back(row);
        }
    }
    return result;
}

} // namespace quillset
