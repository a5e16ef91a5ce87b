// The user's commands: Open, Save, Exit and the options menu.

#include "editor/editor.h"

#include "io/file_helpers.h"
#include "settings/settings_writer.h"
#include "settings/standard_settings.h"
#include "shell/backup.h"
#include "shell/visual_style.h"

#include <QDir>

namespace quillset {

namespace {

const QString kSettingsFileName = QStringLiteral("settings.cfg");

bool confirmed(Dialogs::Answer answer) {
    return answer == Dialogs::Answer::Ok || answer == Dialogs::Answer::Yes;
}

} // namespace

BackupContext Editor::backupContext() {
    return {dialogs_, language_.table, state_.installDir, state_.currentSettingsPath};
}

void Editor::open() {
    const LanguageTable& texts = language_.table;
    if (state_.changedFlag &&
        confirmed(dialogs_.message(texts.text(kept::unsavedChangesQuestion), programTitle(),
                                   Dialogs::Buttons::OkCancel)))
        save();

    bool loaded = false;
    if (advancedChecked_) {
        const QString chosen =
            dialogs_.openFile(texts.text(kept::openDialogTitle), state_.currentSettingsPath);
        if (chosen.isEmpty())
            return;
        loaded = loadSettings(chosen);
    } else {
        const QString installed = state_.installDir + kSettingsFileName;
        if (!fileExists(installed)) {
            if (!confirmed(dialogs_.message(texts.text(kept::settingsNotFoundQuestion),
                                            programTitle(), Dialogs::Buttons::OkCancel)))
                return;
            const QString chosen =
                dialogs_.openFile(texts.text(kept::openDialogTitle), state_.currentSettingsPath);
            if (chosen.isEmpty())
                return;
            loaded = loadSettings(chosen);
        }
        // Basic mode always ends on the install folder's file when there is one.
        if (fileExists(installed))
            loaded = loadSettings(installed);
    }
    // A refused or unreadable file leaves the edits on screen: they stay marked.
    if (!loaded)
        return;
    state_.changedFlag = false;
    showBaseTitle();
}

void Editor::save() {
    if (!state_.changedFlag)
        return;
    const LanguageTable& texts = language_.table;
    const auto saveDialog = [&] {
        return dialogs_.saveFile(texts.text(kept::saveDialogTitle), state_.currentSettingsPath);
    };
    const auto saveOverCurrent = [&] {
        const QString question = texts.text(kept::saveOverCurrentQuestion) + QLatin1Char(' ') +
                                 QDir::toNativeSeparators(state_.currentSettingsPath);
        if (confirmed(dialogs_.message(question, programTitle(), Dialogs::Buttons::OkCancel)))
            writeSettings(state_.currentSettingsPath);
        else
            writeSettings(saveDialog());
    };

    if (advancedChecked_) {
        if (state_.currentSettingsPath.isEmpty())
            writeSettings(saveDialog());
        else
            saveOverCurrent();
        return;
    }
    const QString installed = state_.installDir + kSettingsFileName;
    if (!fileExists(installed)) {
        if (confirmed(dialogs_.message(texts.text(kept::settingsNotFoundQuestion), programTitle(),
                                       Dialogs::Buttons::OkCancel)))
            writeSettings(saveDialog());
        return;
    }
    if (state_.currentSettingsPath.isEmpty())
        writeSettings(installed);
    else
        saveOverCurrent();
}

bool Editor::writeSettings(const QString& path) {
    if (path.isEmpty())
        return false;
    const std::optional<AccountCdKeys> keys = takeAccountKeysForSettings();
    if (auto error = writeSettingsFile(path, values_, keys)) {
        dialogs_.message(
            QStringLiteral("The settings were not saved: %1 could not be written "
                           "(%2).\nYour changes are still shown and marked as unsaved.")
                .arg(QDir::toNativeSeparators(path), *error),
            programTitle(), Dialogs::Buttons::Ok);
        return false;
    }
    state_.changedFlag = false;
    showBaseTitle();
    return true;
}

void Editor::exit() {
    if (exiting_)
        return;
    if (state_.changedFlag) {
        const LanguageTable& texts = language_.table;
        if (confirmed(dialogs_.message(texts.text(kept::unsavedChangesQuestion),
                                       texts.text(kept::exitQuestionTitle),
                                       Dialogs::Buttons::YesNo)))
            save();
    }
    endProgram();
}

void Editor::applyStandardSettings() {
    const LanguageTable& texts = language_.table;
    if (!confirmed(dialogs_.message(texts.text(kept::standardSettingsQuestion), programTitle(),
                                    Dialogs::Buttons::OkCancel)))
        return;
    clearValues();
    // Each value is set as an edit, so the window ends marked changed.
    for (const StandardValue& value : standardSettings()) {
        const int row = keyIndex(QLatin1String(value.key));
        if (value.guiEntry > 0)
            setText(row, texts.text(QStringLiteral("GUI"), value.guiEntry));
        else if (value.text)
            setText(row, QLatin1String(value.text));
        else
            setNumber(row, value.number);
    }
    view_.showValues(values_);
}

void Editor::backUp() {
    createBackup(backupContext(), advancedChecked_);
}

void Editor::setVisualStyleItem() {
    const MenuItemState item = visualStyleItemState(ManifestPaths::in(state_.programDir));
    // A disabled item keeps its design check mark.
    if (item != MenuItemState::Disabled)
        visualStyleChecked_ = item == MenuItemState::Checked;
    view_.showVisualStyleItem(item);
}

void Editor::switchVisualStyle() {
    const ManifestPaths paths = ManifestPaths::in(state_.programDir);
    switch (quillset::switchVisualStyle(paths, visualStyleChecked_)) {
    case SwitchResult::Switched:
        dialogs_.message(QStringLiteral("Please restart the program!"), programTitle(),
                         Dialogs::Buttons::Ok);
        visualStyleChecked_ = !visualStyleChecked_;
        view_.showVisualStyleChecked(visualStyleChecked_);
        break;
    case SwitchResult::Missing:
        break;
    case SwitchResult::BothExist:
        dialogs_.message(QStringLiteral("Both %1 and %2 exist. Remove one of them; neither is "
                                        "renamed, so that no file is replaced.")
                             .arg(QDir::toNativeSeparators(paths.active),
                                  QDir::toNativeSeparators(paths.parked)),
                         programTitle(), Dialogs::Buttons::Ok);
        break;
    case SwitchResult::RenameFailed:
        dialogs_.message(
            QStringLiteral("The visual style could not be switched: %1 could not be "
                           "renamed.")
                .arg(QDir::toNativeSeparators(visualStyleChecked_ ? paths.active : paths.parked)),
            programTitle(), Dialogs::Buttons::Ok);
        break;
    }
}

} // namespace quillset
