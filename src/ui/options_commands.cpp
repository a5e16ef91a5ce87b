// The Options window's commands: Open, Save, Exit and the options menu.

#include "app/backup.h"
#include "app/file_helpers.h"
#include "app/visual_style.h"
#include "settings/settings_writer.h"
#include "settings/standard_settings.h"
#include "ui/account_window.h"
#include "ui/options_window.h"
#include "ui/settings_binding.h"

#include <QAction>
#include <QDir>

namespace quillset::ui {

namespace {

const QString kSettingsFileName = QStringLiteral("settings.cfg");

bool confirmed(Dialogs::Answer answer) {
    return answer == Dialogs::Answer::Ok || answer == Dialogs::Answer::Yes;
}

} // namespace

void OptionsWindow::oeffnen_Click() {
    const LanguageTable& texts = languageTable();
    if (state_.changedFlag &&
        confirmed(dialogs_.message(texts.text(kept::unsavedChangesQuestion), programTitle(),
                                   Dialogs::Buttons::OkCancel)))
        speichern_Click();

    bool loaded = false;
    if (isAdvancedChecked()) {
        const QString chosen =
            dialogs_.openFile(texts.text(kept::openDialogTitle), state_.currentSettingsPath);
        if (chosen.isEmpty())
            return;
        loaded = opensettings(chosen);
    } else {
        const QString installed = state_.installDir + kSettingsFileName;
        if (!FileExists(installed)) {
            if (!confirmed(dialogs_.message(texts.text(kept::settingsNotFoundQuestion),
                                            programTitle(), Dialogs::Buttons::OkCancel)))
                return;
            const QString chosen =
                dialogs_.openFile(texts.text(kept::openDialogTitle), state_.currentSettingsPath);
            if (chosen.isEmpty())
                return;
            loaded = opensettings(chosen);
        }
        // Basic mode always ends on the install folder's file when there is one.
        if (FileExists(installed))
            loaded = opensettings(installed);
    }
    // A refused or unreadable file leaves the edits on screen: they stay marked.
    if (!loaded)
        return;
    state_.changedFlag = false;
    showBaseTitle();
}

void OptionsWindow::speichern_Click() {
    if (!state_.changedFlag)
        return;
    const LanguageTable& texts = languageTable();
    const auto saveDialog = [&] {
        return dialogs_.saveFile(texts.text(kept::saveDialogTitle), state_.currentSettingsPath);
    };
    const auto saveOverCurrent = [&] {
        const QString question = texts.text(kept::saveOverCurrentQuestion) + QLatin1Char(' ') +
                                 QDir::toNativeSeparators(state_.currentSettingsPath);
        if (confirmed(dialogs_.message(question, programTitle(), Dialogs::Buttons::OkCancel)))
            writesettings(state_.currentSettingsPath);
        else
            writesettings(saveDialog());
    };

    if (isAdvancedChecked()) {
        if (state_.currentSettingsPath.isEmpty())
            writesettings(saveDialog());
        else
            saveOverCurrent();
        return;
    }
    const QString installed = state_.installDir + kSettingsFileName;
    if (!FileExists(installed)) {
        if (confirmed(dialogs_.message(texts.text(kept::settingsNotFoundQuestion), programTitle(),
                                       Dialogs::Buttons::OkCancel)))
            writesettings(saveDialog());
        return;
    }
    if (state_.currentSettingsPath.isEmpty())
        writesettings(installed);
    else
        saveOverCurrent();
}

bool OptionsWindow::writesettings(const QString& path) {
    if (path.isEmpty())
        return false;
    const std::optional<AccountCdKeys> keys = accounts_->takeSelectedKeysForSettings();
    if (auto error = writeSettingsFile(path, currentModel(), keys)) {
        dialogs_.message(QStringLiteral("The settings were not saved: %1 could not be written "
                                        "(%2).\nYour changes are still shown and marked as unsaved.")
                             .arg(QDir::toNativeSeparators(path), *error),
                         programTitle(), Dialogs::Buttons::Ok);
        return false;
    }
    state_.changedFlag = false;
    showBaseTitle();
    return true;
}

void OptionsWindow::exitbtn_Click() {
    if (exiting_)
        return;
    if (state_.changedFlag) {
        const LanguageTable& texts = languageTable();
        if (confirmed(dialogs_.message(texts.text(kept::unsavedChangesQuestion),
                                       texts.text(kept::exitQuestionTitle),
                                       Dialogs::Buttons::YesNo)))
            speichern_Click();
    }
    endProgram();
}

void OptionsWindow::mcreate_standard_cfg_Click() {
    const LanguageTable& texts = languageTable();
    if (!confirmed(dialogs_.message(texts.text(kept::standardSettingsQuestion), programTitle(),
                                    Dialogs::Buttons::OkCancel)))
        return;
    refresh_variables();
    // Each value goes into its control, so the change handlers mark the window.
    for (const StandardValue& value : standardSettings()) {
        QWidget* widget = control(QString::fromLatin1(value.control));
        if (value.guiEntry > 0)
            setControlText(widget, texts.text(QStringLiteral("GUI"), value.guiEntry));
        else if (value.text)
            setControlText(widget, QLatin1String(value.text));
        else
            setControlNumber(widget, value.number);
    }
}

void OptionsWindow::mcreate_backup_Click() {
    const BackupContext context{dialogs_, languageTable(), state_.installDir,
                                state_.currentSettingsPath};
    create_backup(context, isAdvancedChecked());
}

void OptionsWindow::maccmanage_Click() {
    accounts_->maccmanage_Click(held_.fileCdKey, held_.fileCdKey2);
}

void OptionsWindow::use_xp_style_Click() {
    QAction* item = menuItem(u"use_xp_style");
    const ManifestPaths paths = ManifestPaths::in(state_.programDir);
    switch (switchVisualStyle(paths, item->isChecked())) {
    case SwitchResult::Switched:
        dialogs_.message(QStringLiteral("Please restart the program!"), programTitle(),
                         Dialogs::Buttons::Ok);
        item->setChecked(!item->isChecked());
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
        dialogs_.message(QStringLiteral("The visual style could not be switched: %1 could not be "
                                        "renamed.")
                             .arg(QDir::toNativeSeparators(item->isChecked() ? paths.active
                                                                            : paths.parked)),
                         programTitle(), Dialogs::Buttons::Ok);
        break;
    }
}

} // namespace quillset::ui
