#include "ui/options_window.h"

#include "accounts/account_store.h"
#include "app/file_helpers.h"
#include "app/visual_style.h"
#include "settings/settings_reader.h"
#include "ui/about_window.h"
#include "ui/account_window.h"
#include "ui/settings_binding.h"
#include "ui/text_box.h"
#include "ui/tri_state_check_box.h"
#include "ui/widget_text.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

namespace quillset::ui {

namespace {

const QString kChangedSuffix = QStringLiteral(" - Changed!");
const QString kSettingsFileName = QStringLiteral("settings.cfg");

// The heading on the supported-settings frame: title, then the credit line.
QString headingCaption() {
    return QStringLiteral("Korrin Quillset") + QLatin1Char('\r')
           + QStringLiteral("Settings editor made by the Quillset developers");
}

// A folder as the rest of the program expects InstallDir: native separators
// and one trailing separator, so a bare file name can be appended.
QString asInstallDir(const QString& folder) {
    QString dir = QDir::toNativeSeparators(folder);
    if (!dir.endsWith(QDir::separator()))
        dir += QDir::separator();
    return dir;
}

} // namespace

OptionsWindow::OptionsWindow(AppState& state, Dialogs& dialogs, QWidget* parent)
    : QMainWindow(parent), state_(state), dialogs_(dialogs) {
    setObjectName(fromCatalogue(kOptionsWindowObjectName));
    setWindowTitle(programTitle());
    setFont(optionsWindowFont(font()));

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    const TwipScale scale = TwipScale::forWidget(this);
    client->setFixedSize(scale.pixels(kClientWidthTwips), scale.pixels(kClientHeightTwips));
    setCentralWidget(client);
    buildControls(client, scale, parts_);
    buildMenus(menuBar(), parts_);
    // The window has the client area's size plus the menu bar, and no more.
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    connectChangeHandlers();
    connectCommands();

    // The Account window reads and sets the account name box; setting it
    // marks this window changed like any edit.
    auto* accountName = control<QLineEdit>(u"accname");
    accounts_ = std::make_unique<AccountWindowHost>(
        accountStore_, state_, dialogs_, [accountName] { return accountName->text(); },
        [accountName](const QString& name) { setBoxText(accountName, name); }, this);
}

OptionsWindow::~OptionsWindow() {
    // The About window is a child and goes with this window.
    log_.close();
}

// ---------------------------------------------------------------------------
// Access

QWidget* OptionsWindow::control(QStringView name) const {
    return parts_.controls.value(name.toString());
}

QMenu* OptionsWindow::menu(QStringView name) const {
    return parts_.menus.value(name.toString());
}

QAction* OptionsWindow::menuItem(QStringView name) const {
    return parts_.menuItems.value(name.toString());
}

AboutWindow* OptionsWindow::aboutWindow() const {
    return about_;
}

void OptionsWindow::applyTexts(std::span<const TextAssignment> texts) {
    const QString window = objectName();
    for (const TextAssignment& assignment : texts) {
        if (assignment.window != window)
            continue;
        QObject* target = control(assignment.control);
        if (!target)
            target = menu(assignment.control);
        if (!target)
            target = menuItem(assignment.control);
        if (!target)
            continue;
        if (assignment.property == TextProperty::Caption)
            setCaption(target, assignment.text);
        else
            ui::setToolTip(target, assignment.text);
    }
}

// ---------------------------------------------------------------------------
// Settings values

void OptionsWindow::applyModel(const SettingsModel& model) {
    held_ = {model.fontPagesValue, model.fileCdKey, model.fileCdKey2, model.unknownLines};
    applyToControls(model, parts_.controls);
}

SettingsModel OptionsWindow::currentModel() const {
    SettingsModel model = readFromControls(parts_.controls);
    model.fontPagesValue = held_.fontPagesValue;
    model.fileCdKey = held_.fileCdKey;
    model.fileCdKey2 = held_.fileCdKey2;
    model.unknownLines = held_.unknownLines;
    return model;
}

bool OptionsWindow::opensettings(const QString& path) {
    if (path.isEmpty())
        return false;
    if (!hasSettingsFileName(path)) {
        dialogs_.message(languageTable().text(kept::notSettingsFileNotice), programTitle(),
                         Dialogs::Buttons::Ok);
        return false;
    }
    // Read first: a file that cannot be read must leave the window as it was.
    const std::optional<SettingsModel> model =
        loadSettingsFile(path, held_.fontPagesValue, &log_);
    if (!model) {
        dialogs_.message(QStringLiteral("The settings file could not be read:\n%1")
                             .arg(QDir::toNativeSeparators(path)),
                         programTitle(), Dialogs::Buttons::Ok);
        return false;
    }
    refresh_variables();
    // Sound counts as on until the file says otherwise.
    control<TriStateCheckBox>(u"sound")->setValue(1);
    check_sound();
    applyModel(*model);
    state_.currentSettingsPath = path;
    check_sound();
    state_.soundOn = soundValue() != 0;
    state_.changedFlag = false;
    state_.windowBaseTitle = programTitle() + QStringLiteral(" : ") + QDir::toNativeSeparators(path);
    return true;
}

// ---------------------------------------------------------------------------
// Change marking

void OptionsWindow::showBaseTitle() {
    setWindowTitle(state_.windowBaseTitle);
}

void OptionsWindow::markChanged() {
    state_.changedFlag = true;
    setWindowTitle(state_.windowBaseTitle + kChangedSuffix);
}

void OptionsWindow::sliderMarking(QSlider* slider) {
    state_.changedFlag = true;
    // The value with the place of its sign: a blank, as no slider goes below 0.
    const int value = slider->value();
    slider->setToolTip((value < 0 ? QStringLiteral("-") : QStringLiteral(" "))
                       + QString::number(qAbs(value)));
    setWindowTitle(state_.windowBaseTitle + kChangedSuffix);
}

void OptionsWindow::connectChangeHandlers() {
    for (const ControlDef& def : controlCatalogue()) {
        QWidget* widget = control(fromCatalogue(def.name));
        switch (def.handler) {
        case ChangeHandler::None:
            break;
        case ChangeHandler::Plain:
            if (auto* box = qobject_cast<QCheckBox*>(widget))
                connect(box, &QCheckBox::stateChanged, this, &OptionsWindow::markChanged);
            else if (auto* button = qobject_cast<QRadioButton*>(widget))
                // An option button reports being switched on, not off.
                connect(button, &QRadioButton::toggled, this, [this](bool on) {
                    if (on)
                        markChanged();
                });
            else if (auto* text = qobject_cast<QLineEdit*>(widget))
                connect(text, &QLineEdit::textChanged, this, &OptionsWindow::markChanged);
            break;
        case ChangeHandler::Slider:
            if (auto* slider = qobject_cast<QSlider*>(widget))
                connect(slider, &QSlider::valueChanged, this,
                        [this, slider] { sliderMarking(slider); });
            break;
        case ChangeHandler::Sound:
            if (auto* box = qobject_cast<QCheckBox*>(widget))
                connect(box, &QCheckBox::stateChanged, this, &OptionsWindow::sound_Click);
            break;
        }
    }
}

void OptionsWindow::connectCommands() {
    using Handler = void (OptionsWindow::*)();
    const auto onButton = [this](const char* name, Handler handler) {
        if (auto* button = control<QPushButton>(QString::fromLatin1(name)))
            connect(button, &QPushButton::clicked, this, handler);
    };
    const auto onMenu = [this](const char* name, Handler handler) {
        QAction* item = menuItem(QString::fromLatin1(name));
        if (!item)
            return;
        // Qt flips a check-mark item before it reports the click; here the
        // handler owns the mark, so the flip is undone first.
        connect(item, &QAction::triggered, this, [this, item, handler](bool checked) {
            if (item->isCheckable())
                item->setChecked(!checked);
            (this->*handler)();
        });
    };
    onButton("oeffnen", &OptionsWindow::oeffnen_Click);
    onButton("speichern", &OptionsWindow::speichern_Click);
    onButton("exitbtn", &OptionsWindow::exitbtn_Click);
    onMenu("mopen", &OptionsWindow::oeffnen_Click);
    onMenu("mSave", &OptionsWindow::speichern_Click);
    onMenu("mquit", &OptionsWindow::exitbtn_Click);
    onMenu("mcreate_standard_cfg", &OptionsWindow::mcreate_standard_cfg_Click);
    onMenu("mcreate_backup", &OptionsWindow::mcreate_backup_Click);
    onMenu("maccmanage", &OptionsWindow::maccmanage_Click);
    onMenu("use_xp_style", &OptionsWindow::use_xp_style_Click);
    onMenu("madvanced", &OptionsWindow::madvanced_Click);
    onMenu("mabout", &OptionsWindow::mabout_Click);
}

// ---------------------------------------------------------------------------
// Window state

void OptionsWindow::refresh_variables() {
    state_.changedFlag = false;
    setWindowTitle(programTitle());
    for (std::string_view name : clearOrder())
        clearControl(control(fromCatalogue(name)));
    held_.fileCdKey.clear();
    held_.fileCdKey2.clear();
    held_.unknownLines.clear();
}

int OptionsWindow::soundValue() const {
    return control<TriStateCheckBox>(u"sound")->value();
}

void OptionsWindow::setVolumeGroupEnabled(bool enabled) {
    for (std::string_view name : volumeGroup())
        control(fromCatalogue(name))->setEnabled(enabled);
}

void OptionsWindow::check_sound() {
    // A grayed switch (2) leaves the volume group as it is.
    const int value = soundValue();
    if (value == 1)
        setVolumeGroupEnabled(true);
    else if (value == 0)
        setVolumeGroupEnabled(false);
}

void OptionsWindow::sound_Click() {
    markChanged();
    check_sound();
    // SoundOn still holds the state before this change.
    setVolumeGroupEnabled(!state_.soundOn);
    state_.soundOn = soundValue() != 0;
}

bool OptionsWindow::isAdvancedChecked() const {
    return menuItem(u"madvanced")->isChecked();
}

void OptionsWindow::madvanced_Click() {
    const bool advanced = !isAdvancedChecked();
    for (std::string_view name : advancedGroup())
        control(fromCatalogue(name))->setEnabled(advanced);
    menuItem(u"madvanced")->setChecked(advanced);
    state_.advancedMode = advanced;
}

void OptionsWindow::mabout_Click() {
    if (!about_)
        about_ = new AboutWindow(this);
    about_->show();
    about_->raise();
    about_->activateWindow();
}

// ---------------------------------------------------------------------------
// Start-up and end

OptionsWindow::StartupResult OptionsWindow::Form_Load() {
    // debug.log goes to the current folder, by its bare name.
    log_.open(QLatin1String(DebugLog::kFileName));

    preparePictureBoxes();
    log(QStringLiteral("Form -> XPStyle initialized"));

    findInstallDirInRegistry();
    log(QStringLiteral(
        "Registry -> Existing Deepfall path checked and copied if not exists in Local_Machine"));
    // Which launchers' prefixes hold the game, when the prefix was searched for.
    for (const QString& line : registry_->searchTrace())
        log(line);

    state_.startupComplete = false;
    if (!init_language()) {
        endProgram();
        return StartupResult::LanguageFileMissing;
    }

    log(QStringLiteral("Form -> Checking for settings.cfg and backup"));
    backUpProgramFolderSettings();
    log(QStringLiteral("Form -> Done"));

    log(QStringLiteral("Form -> Getting path from Registry"));
    installDirFromRegistry();
    log(QStringLiteral("Form -> Done"));

    setCaption(control(u"Label10"), headingCaption());

    log(QStringLiteral("Form -> alternating madvanced_click"));
    madvanced_Click();
    log(QStringLiteral("Form -> Done"));

    log(QStringLiteral("Form -> loading account data"));
    state_.accountsLoaded = loadAccountStore();
    log(QStringLiteral("Form -> Done"));

    log(QStringLiteral("Form -> Refreshing variables"));
    refresh_variables();
    log(QStringLiteral("Form -> Done"));

    log(QStringLiteral("Form -> checking for sound on/off"));
    check_sound();
    log(QStringLiteral("Form -> Done"));

    show();
    state_.windowBaseTitle = programTitle();
    // Every later use appends a bare file name to the folder.
    state_.installDir = state_.installDir.isEmpty() ? asInstallDir(state_.programDir)
                                                    : asInstallDir(state_.installDir);

    log(QStringLiteral("Form -> loading settings.cfg from ") + state_.installDir);
    const QString settingsPath = state_.installDir + kSettingsFileName;
    if (FileExists(settingsPath))
        opensettings(settingsPath);
    log(QStringLiteral("Form -> Done"));

    state_.changedFlag = false;
    showBaseTitle();
    state_.startupComplete = true;
    setVisualStyleItem();
    log(QStringLiteral("Form -> Program initialized."));
    return StartupResult::Running;
}

bool OptionsWindow::init_language() {
    std::optional<LanguageLoad> load =
        loadLanguageFile(languageFilePath(state_.programDir), &log_);
    if (!load) {
        dialogs_.message(QStringLiteral("Language.lng file not found! Aborting..."),
                         programTitle(), Dialogs::Buttons::Ok);
        return false;
    }
    language_ = std::move(*load);
    applyTexts(language_.texts);
    // The Account window takes its texts now and whenever it is created anew.
    // It counts as loaded from here on (its load step waits for start-up to
    // end, so does nothing now); its widgets are built when first needed.
    accounts_->setTexts(language_.texts);
    accounts_->loadHiddenAtStartup();
    return true;
}

void OptionsWindow::closeEvent(QCloseEvent* event) {
    // The close box ends the program like the Exit button, and cannot be refused.
    if (!exiting_)
        exitbtn_Click();
    event->accept();
}

void OptionsWindow::endProgram() {
    if (exiting_)
        return;
    exiting_ = true;
    log_.close();
    if (about_)
        about_->hide();
    // exit(), not quit(): quit() would send close events to every window and
    // run the exit procedure a second time.
    QCoreApplication::exit(0);
}

// The panels are plain containers already: no border, children clipped as
// usual. Nothing else to prepare on this platform.
void OptionsWindow::preparePictureBoxes() {}

// Step 3: the installer's value from the machine root, else from the
// per-user root, which is then copied to the machine root (a refused copy
// goes unnoticed). The value is taken as read, without a separator.
void OptionsWindow::findInstallDirInRegistry() {
    const auto machine = RegistryRoot::LocalMachine;
    QString value = registry_->RegGetString(machine, kInstallKeyPath, kInstallValueName);
    if (value.isEmpty()) {
        value = registry_->RegGetString(RegistryRoot::CurrentUser, kInstallKeyPath,
                                        kInstallValueName);
        if (!value.isEmpty())
            registry_->RegSetString(machine, kInstallKeyPath, kInstallValueName, value);
    }
    state_.installDir = value.isEmpty() ? QString() : registry_->localPath(value);
}

QString OptionsWindow::registryInstallFolder() const {
    const QString value =
        registry_->RegGetString(RegistryRoot::LocalMachine, kInstallKeyPath, kInstallValueName);
    return value.isEmpty() ? QString() : registry_->localPath(value);
}

BackupContext OptionsWindow::backupContext() {
    return {dialogs_, languageTable(), state_.installDir, state_.currentSettingsPath};
}

// Step 5: the game's settings beside the program make the program folder
// the game's folder on every start, whatever the registry says (a portable
// copy in the game's folder); the first start also makes the backup there.
void OptionsWindow::backUpProgramFolderSettings() {
    const QString cfg = joinPath(state_.programDir, kSettingsFileName);
    const QString bck = joinPath(state_.programDir, QStringLiteral("settings.bck"));
    if (!FileExists(cfg))
        return;
    if (!FileExists(bck)) {
        log(QStringLiteral("Form -> no backup found"));
        if (copy_with_notice(backupContext(), cfg, bck))
            log(QStringLiteral("Form -> backup created"));
    }
    state_.installDir = asInstallDir(state_.programDir);
}

// Step 6: no settings beside the program: the registry names the game's
// folder, else the program folder is used; a missing backup is made there.
void OptionsWindow::installDirFromRegistry() {
    if (FileExists(joinPath(state_.programDir, kSettingsFileName)))
        return;
    const QString folder = registryInstallFolder();
    state_.installDir = folder.isEmpty() ? QString(QDir::separator()) : asInstallDir(folder);
    log(QStringLiteral("Form -> ") + state_.installDir);
    if (state_.installDir == QDir::separator())
        state_.installDir = asInstallDir(state_.programDir);
    if (!FileExists(state_.installDir + QStringLiteral("settings.bck"))) {
        log(QStringLiteral("Form -> Creating Backup"));
        // The advanced item still has its design check mark here, so the
        // backup takes its advanced branch.
        create_backup(backupContext(), isAdvancedChecked());
    }
}

// Reads accounts.cfg from the install folder. When start-up has not settled
// the folder yet (settings beside the program, no registry value), the
// program folder it will settle on is used rather than the current folder.
bool OptionsWindow::loadAccountStore() {
    const QString dir =
        state_.installDir.isEmpty() ? asInstallDir(state_.programDir) : state_.installDir;
    return LoadAccountStore(accountStore_, dir);
}

// The visual-style item mirrors the manifest beside the program.
void OptionsWindow::setVisualStyleItem() {
    QAction* item = menuItem(u"use_xp_style");
    switch (visualStyleItemState(ManifestPaths::in(state_.programDir))) {
    case MenuItemState::Checked:
        item->setChecked(true);
        break;
    case MenuItemState::Unchecked:
        item->setChecked(false);
        break;
    case MenuItemState::Disabled:
        // Keeps its design check mark, greyed out.
        item->setEnabled(false);
        break;
    }
}

} // namespace quillset::ui
