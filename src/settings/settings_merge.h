#pragma once
// Merging the settings the window holds with a settings file another program
// (the game, a launcher, a second Quillset) changed since it was loaded or
// last written: a three-way merge, key by key, against that base.

#include "settings/settings_model.h"

#include <QStringList>
#include <vector>

namespace quillset {

struct SettingsMerge {
    // Per key: the user's value where only the user changed it (or both
    // changed it alike), the file's where only the file changed; where both
    // changed it differently (a conflict), the user's. The unknown lines are
    // always the file's: nobody edits them in the window.
    SettingsModel merged;
    QStringList takenFromFile;  // keys whose value came from the file
    std::vector<int> conflicts; // catalogue rows both changed differently
};

// Keys are compared as the writer writes them (settingsValueText), so two
// values that give the same line are the same. ours holds the CD keys that
// would be written.
SettingsMerge mergeSettings(const SettingsModel& base, const SettingsModel& ours,
                            const SettingsModel& theirs);

// Puts the file's value of catalogue row `row` into model.
void takeValue(SettingsModel& model, const SettingsModel& from, int row);

} // namespace quillset
