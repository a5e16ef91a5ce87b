#pragma once
// The program-wide state, one instance for the whole run.

#include <QString>

namespace quillset {

struct AppState {
    QString installDir;          // the game's folder; ends with a separator once start-up set it
    QString programDir;          // the executable's folder, no trailing separator
    QString windowBaseTitle;     // the Options window title without the change mark
    QString currentSettingsPath; // the settings file last loaded
    bool changedFlag = false;    // unsaved edits in the Options window
    bool startupComplete = false;
    bool accountsLoaded = false;
    bool soundOn = false;
    bool advancedMode = false;
};

} // namespace quillset
