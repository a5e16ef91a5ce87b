#include "editor/settings_session.h"

#include <QDir>

namespace quillset {

namespace {

const QString kChangedSuffix = QStringLiteral(" - Changed!");

} // namespace

void SettingsSession::setNumber(int row, int value) {
    const KeyDef& def = keyCatalogue()[row];
    const std::optional<int> accepted = acceptedNumber(def, value);
    if (!accepted || values_.numbers[row] == *accepted)
        return;
    values_.numbers[row] = *accepted;
    // An option group reports a button switched on, not all switched off.
    if (def.kind == KeyKind::Choice && *accepted == kNoChoice)
        return;
    runChangeHandling(row);
}

void SettingsSession::setText(int row, const QString& text) {
    if (keyCatalogue()[row].kind != KeyKind::Text || values_.texts[row] == text)
        return;
    values_.texts[row] = text;
    runChangeHandling(row);
}

// Every change of a value marks the window changed, as a user's edit does;
// the language code is not a setting of the game's and marks nothing, and
// the sound switch has its own handling.
void SettingsSession::runChangeHandling(int row) {
    if (row == kLanguageRow)
        return;
    if (row == kSoundRow)
        soundChanged();
    else
        markChanged();
}

// Each value a control shows, as an edit, in catalogue order.
void SettingsSession::editShownValues(const SettingsModel& values, bool keepWaitRetrace) {
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

void SettingsSession::applyValues(const SettingsModel& values) {
    editShownValues(values, false);
    values_.fontPagesValue = values.fontPagesValue;
    values_.fileCdKey = values.fileCdKey;
    values_.fileCdKey2 = values.fileCdKey2;
    values_.unknownLines = values.unknownLines;
    showValues();
}

void SettingsSession::clearValues() {
    changed_ = false;
    context_.view().showTitle(programTitle());
    // Every value the window shows, but the wait-retrace box: every load
    // sets that one anyway.
    editShownValues(SettingsModel::cleared(), true);
    values_.fileCdKey.clear();
    values_.fileCdKey2.clear();
    values_.unknownLines.clear();
    showValues();
}

void SettingsSession::markChanged() {
    changed_ = true;
    context_.view().showTitle(baseTitle_ + kChangedSuffix);
}

void SettingsSession::clearMark() {
    changed_ = false;
    context_.view().showTitle(baseTitle_);
}

void SettingsSession::showVolumeControls(bool enabled) {
    context_.view().showVolumeControlsEnabled(enabled);
}

void SettingsSession::checkSound() {
    // A grayed switch (2) leaves the volume controls as they are.
    const int sound = values_.numbers[kSoundRow];
    if (sound == 1 || sound == 0)
        showVolumeControls(sound == 1);
}

void SettingsSession::soundChanged() {
    markChanged();
    checkSound();
    // soundOn_ still holds the state before this change.
    showVolumeControls(!soundOn_);
    soundOn_ = values_.numbers[kSoundRow] != 0;
}

void SettingsSession::loadValues(const SettingsModel& values, const QString& path) {
    clearValues();
    // Sound counts as on until the file says otherwise.
    setNumber(kSoundRow, 1);
    checkSound();
    applyValues(values);
    checkSound();
    soundOn_ = values_.numbers[kSoundRow] != 0;
    changed_ = false;
    baseTitle_ = programTitle() + QStringLiteral(" : ") + QDir::toNativeSeparators(path);
}

} // namespace quillset
