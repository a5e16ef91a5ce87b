#include "editor/settings_session.h"

#include "io/atomic_file.h"
#include "io/file_helpers.h"
#include "io/file_watch.h"
#include "settings/settings_reader.h"

#include <QDir>

namespace quillset {

namespace {

const QString kChangedSuffix = QStringLiteral(" - Changed!");

int soundRow() {
    static const int row = keyIndex(QLatin1String("SOUND"));
    return row;
}

int languageRow() {
    static const int row = keyIndex(QLatin1String("LANGUAGE"));
    return row;
}

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
    if (row == languageRow())
        return;
    if (row == soundRow())
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
    const int sound = values_.numbers[soundRow()];
    if (sound == 1 || sound == 0)
        showVolumeControls(sound == 1);
}

void SettingsSession::soundChanged() {
    markChanged();
    checkSound();
    // soundOn_ still holds the state before this change.
    showVolumeControls(!soundOn_);
    soundOn_ = values_.numbers[soundRow()] != 0;
}

bool SettingsSession::isCurrentFile(const QString& path) const {
    const auto clean = [](const QString& p) {
        return QDir::cleanPath(QDir(QDir::fromNativeSeparators(p)).absolutePath());
    };
    return !currentPath_.isEmpty() && clean(path) == clean(currentPath_);
}

bool SettingsSession::load(const QString& path) {
    if (path.isEmpty())
        return false;
    if (!hasSettingsFileName(path)) {
        context_.tell(context_.text(kept::notSettingsFileNotice));
        return false;
    }
    // Read first: a file that cannot be read must leave the values as they were.
    const std::optional<QByteArray> bytes = readRegularFile(path);
    if (!bytes) {
        context_.tell(context_.text(kept::loadFailedNotice) + QLatin1Char('\n') +
                      QDir::toNativeSeparators(path));
        return false;
    }
    loadBytes(path, *bytes);
    return true;
}

void SettingsSession::reload(const QByteArray& bytes) {
    loadBytes(currentPath_, bytes);
    clearMark();
}

void SettingsSession::loadBytes(const QString& path, const QByteArray& bytes) {
    const SettingsModel model = readSettings(bytes, values_.fontPagesValue, &context_.debugLog);
    clearValues();
    // Sound counts as on until the file says otherwise.
    setNumber(soundRow(), 1);
    checkSound();
    applyValues(model);
    currentPath_ = path;
    checkSound();
    soundOn_ = values_.numbers[soundRow()] != 0;
    changed_ = false;
    baseTitle_ = programTitle() + QStringLiteral(" : ") + QDir::toNativeSeparators(path);
    base_ = SettingsBase{bytes, values_};
    if (watch_)
        watch_->watch(path);
}

SettingsModel SettingsSession::valuesToWrite(const std::optional<AccountCdKeys>& keys) const {
    SettingsModel values = values_;
    if (keys) {
        values.fileCdKey = keys->korrin;
        values.fileCdKey2 = keys->deepfall;
    }
    return values;
}

QString SettingsSession::refusal(const EncodeError& error) const {
    const KeptTextId id = error.problem == EncodeError::Problem::LineBreak ? kept::lineBreakRefused
                                                                           : kept::characterRefused;
    return context_.text(id).arg(error.key);
}

bool SettingsSession::write(const QString& path, const SettingsModel& values, bool show) {
    if (path.isEmpty())
        return false;
    auto bytes = serializeSettings(values);
    std::optional<QString> reason;
    if (const auto* error = std::get_if<EncodeError>(&bytes))
        reason = refusal(*error);
    else
        reason = writeFileAtomically(path, std::get<QByteArray>(bytes));
    if (reason) {
        context_.tell(
            context_.text(kept::saveFailedNotice).arg(QDir::toNativeSeparators(path), *reason) +
            QLatin1Char('\n') + context_.text(kept::changesKeptNotice));
        return false;
    }
    if (isCurrentFile(path))
        base_ = SettingsBase{std::get<QByteArray>(bytes), values};
    if (show)
        applyValues(values);
    clearMark();
    return true;
}

} // namespace quillset
