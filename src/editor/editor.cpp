#include "editor/editor.h"

#include "io/file_helpers.h"
#include "registry/registry.h"
#include "settings/settings_reader.h"
#include "shell/backup.h"

#include <QDir>
#include <algorithm>

namespace quillset {

namespace {

const QString kChangedSuffix = QStringLiteral(" - Changed!");

// The heading on the supported-settings frame: title, then the credit line.
QString headingCaption() {
    return QStringLiteral("Korrin Quillset") + QLatin1Char('\r') +
           QStringLiteral("Settings editor made by the Quillset developers");
}

int soundRow() {
    static const int row = keyIndex(QLatin1String("SOUND"));
    return row;
}

int languageRow() {
    static const int row = keyIndex(QLatin1String("LANGUAGE"));
    return row;
}

// A number as the key's control would take it: check boxes know 0 to 2 and
// ignore anything else, sliders hold their range, and a choice digit without
// a button leaves every button off.
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
        const auto choices = def.choices();
        const bool known =
            std::any_of(choices.begin(), choices.end(),
                        [value](const ChoiceButton& c) { return value == c.digit - '0'; });
        return known ? value : SettingsModel::kNoChoice;
    }
    case KeyKind::Text:
    case KeyKind::FontPages:
    case KeyKind::CdKey:
    case KeyKind::CdKey2:
        break;
    }
    return std::nullopt;
}

} // namespace

Editor::Editor(AppState& state, Dialogs& dialogs, EditorView& view)
    : state_(state), dialogs_(dialogs), view_(view) {}

// ---------------------------------------------------------------------------
// Values

void Editor::setNumber(int row, int value) {
    const KeyDef& def = keyCatalogue()[row];
    const std::optional<int> accepted = acceptedNumber(def, value);
    if (!accepted || values_.numbers[row] == *accepted)
        return;
    values_.numbers[row] = *accepted;
    // An option group reports a button switched on, not all switched off.
    if (def.kind == KeyKind::Choice && *accepted == SettingsModel::kNoChoice)
        return;
    runChangeHandling(row);
}

void Editor::setText(int row, const QString& text) {
    if (keyCatalogue()[row].kind != KeyKind::Text || values_.texts[row] == text)
        return;
    values_.texts[row] = text;
    runChangeHandling(row);
}

// Every change of a value marks the window changed, as a user's edit does;
// the language code is not a setting of the game's and marks nothing, and
// the sound switch has its own handling.
void Editor::runChangeHandling(int row) {
    if (row == languageRow())
        return;
    if (row == soundRow())
        soundChanged();
    else
        markChanged();
}

// Each value a control shows, as an edit, in catalogue order.
void Editor::editShownValues(const SettingsModel& values, bool keepWaitRetrace) {
    const auto catalogue = keyCatalogue();
    for (int row = 0; row < kKeyCount; ++row) {
        switch (catalogue[row].kind) {
        case KeyKind::WaitRetrace:
            if (!keepWaitRetrace)
                setNumber(row, values.numbers[row]);
            break;
        case KeyKind::Flag:
        case KeyKind::Number:
        case KeyKind::Choice:
            setNumber(row, values.numbers[row]);
            break;
        case KeyKind::Text:
            setText(row, values.texts[row]);
            break;
        case KeyKind::FontPages:
        case KeyKind::CdKey:
        case KeyKind::CdKey2:
            break;
        }
    }
}

void Editor::applyValues(const SettingsModel& values) {
    editShownValues(values, false);
    values_.fontPagesValue = values.fontPagesValue;
    values_.fileCdKey = values.fileCdKey;
    values_.fileCdKey2 = values.fileCdKey2;
    values_.unknownLines = values.unknownLines;
    view_.showValues(values_);
}

void Editor::clearValues() {
    state_.changedFlag = false;
    view_.showTitle(programTitle());
    // Every value the window shows, but the wait-retrace box: every load
    // sets that one anyway.
    editShownValues(SettingsModel::cleared(), true);
    values_.fileCdKey.clear();
    values_.fileCdKey2.clear();
    values_.unknownLines.clear();
    view_.showValues(values_);
}

// ---------------------------------------------------------------------------
// Window state

void Editor::markChanged() {
    state_.changedFlag = true;
    view_.showTitle(state_.windowBaseTitle + kChangedSuffix);
}

void Editor::showBaseTitle() {
    view_.showTitle(state_.windowBaseTitle);
}

void Editor::checkSound() {
    // A grayed switch (2) leaves the volume controls as they are.
    const int sound = values_.numbers[soundRow()];
    if (sound == 1 || sound == 0) {
        volumeControlsEnabled_ = sound == 1;
        view_.showVolumeControlsEnabled(volumeControlsEnabled_);
    }
}

void Editor::soundChanged() {
    markChanged();
    checkSound();
    // SoundOn still holds the state before this change.
    volumeControlsEnabled_ = !state_.soundOn;
    view_.showVolumeControlsEnabled(volumeControlsEnabled_);
    state_.soundOn = values_.numbers[soundRow()] != 0;
}

void Editor::toggleAdvancedMode() {
    advancedChecked_ = !advancedChecked_;
    state_.advancedMode = advancedChecked_;
    view_.showAdvancedMode(advancedChecked_);
}

// ---------------------------------------------------------------------------
// Loading

bool Editor::loadSettings(const QString& path) {
    if (path.isEmpty())
        return false;
    if (!hasSettingsFileName(path)) {
        dialogs_.message(language_.table.text(kept::notSettingsFileNotice), programTitle(),
                         Dialogs::Buttons::Ok);
        return false;
    }
    // Read first: a file that cannot be read must leave the values as they were.
    const std::optional<SettingsModel> model =
        loadSettingsFile(path, values_.fontPagesValue, &log_);
    if (!model) {
        dialogs_.message(QStringLiteral("The settings file could not be read:\n%1")
                             .arg(QDir::toNativeSeparators(path)),
                         programTitle(), Dialogs::Buttons::Ok);
        return false;
    }
    clearValues();
    // Sound counts as on until the file says otherwise.
    setNumber(soundRow(), 1);
    checkSound();
    applyValues(*model);
    state_.currentSettingsPath = path;
    checkSound();
    state_.soundOn = values_.numbers[soundRow()] != 0;
    state_.changedFlag = false;
    state_.windowBaseTitle =
        programTitle() + QStringLiteral(" : ") + QDir::toNativeSeparators(path);
    return true;
}

// ---------------------------------------------------------------------------
// Start-up and end

Editor::StartupResult Editor::start() {
    // debug.log goes to the current folder, by its bare name.
    log_.open(QLatin1String(DebugLog::kFileName));
    log(QStringLiteral("Form -> XPStyle initialized"));

    const QString installValue = machineInstallValue();
    log(QStringLiteral(
        "Registry -> Existing Deepfall path checked and copied if not exists in Local_Machine"));
    // Which launchers' prefixes hold the game, when the prefix was searched for.
    if (registry_) {
        for (const QString& line : registry_->searchTrace())
            log(line);
    }

    state_.startupComplete = false;
    if (!loadLanguage()) {
        endProgram();
        return StartupResult::LanguageFileMissing;
    }

    settleInstallFolder(installValue);
    view_.showHeading(headingCaption());

    log(QStringLiteral("Form -> alternating madvanced_click"));
    toggleAdvancedMode();
    log(QStringLiteral("Form -> Done"));

    log(QStringLiteral("Form -> loading account data"));
    state_.accountsLoaded = loadAccountStore(accounts_, state_.installDir);
    log(QStringLiteral("Form -> Done"));

    log(QStringLiteral("Form -> Refreshing variables"));
    clearValues();
    log(QStringLiteral("Form -> Done"));

    log(QStringLiteral("Form -> checking for sound on/off"));
    checkSound();
    log(QStringLiteral("Form -> Done"));

    view_.showWindow();
    state_.windowBaseTitle = programTitle();

    log(QStringLiteral("Form -> loading settings.cfg from ") + state_.installDir);
    const QString settingsPath = state_.installDir + QStringLiteral("settings.cfg");
    if (fileExists(settingsPath))
        loadSettings(settingsPath);
    log(QStringLiteral("Form -> Done"));

    state_.changedFlag = false;
    showBaseTitle();
    state_.startupComplete = true;
    setVisualStyleItem();
    log(QStringLiteral("Form -> Program initialized."));
    return StartupResult::Running;
}

bool Editor::loadLanguage() {
    std::optional<LanguageLoad> load = loadLanguageFile(languageFilePath(state_.programDir), &log_);
    if (!load) {
        dialogs_.message(QLatin1String(kLanguageFileMissingMessage), programTitle(),
                         Dialogs::Buttons::Ok);
        return false;
    }
    language_ = std::move(*load);
    view_.showTexts(language_.texts);
    if (accountPanel_)
        accountPanel_->setTexts(language_.texts);
    // Start-up loads the Account window hidden; it is built at its first use.
    accountWindowLoaded_ = true;
    return true;
}

void Editor::endProgram() {
    if (exiting_)
        return;
    exiting_ = true;
    log_.close();
    view_.closeProgram();
}

} // namespace quillset
