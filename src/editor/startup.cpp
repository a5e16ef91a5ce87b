#include "editor/startup.h"

#include "editor/account_session.h"
#include "editor/backup_command.h"
#include "editor/file_commands.h"
#include "editor/install_folder.h"
#include "editor/menu_commands.h"
#include "editor/settings_session.h"
#include "io/file_helpers.h"
#include "lang/language_choice.h"

#include <QDir>

namespace quillset {

namespace {

// The heading on the supported-settings frame: title, then the credit line.
QString headingCaption() {
    return QStringLiteral("Korrin Quillset") + QLatin1Char('\r') +
           QStringLiteral("Settings editor made by the Quillset developers");
}

} // namespace

Startup::Result Startup::run() {
    // debug.log goes to the current folder, by its bare name.
    context_.debugLog().open(QLatin1String(DebugLog::kFileName));
    log(QStringLiteral("Form -> XPStyle initialized"));

    // A folder the user names is taken without any registry.
    if (location_.way != GameFolderWay::GivenFolder) {
        log(QStringLiteral("Registry -> Existing Deepfall path checked and copied if not exists in "
                           "Local_Machine"));
        // Which launchers' prefixes hold the game, when the prefix was searched for.
        for (const QString& line : location_.prefix.trace)
            log(line);
    }

    context_.setStartupComplete(false);
    if (!loadLanguage()) {
        context_.endProgram();
        return Result::LanguageFileMissing;
    }

    settleInstallFolder();
    context_.view().showHeading(headingCaption());

    log(QStringLiteral("Form -> alternating madvanced_click"));
    menu_.toggleAdvancedMode();
    log(QStringLiteral("Form -> Done"));

    log(QStringLiteral("Form -> loading account data"));
    accounts_.readStore();
    log(QStringLiteral("Form -> Done"));

    log(QStringLiteral("Form -> Refreshing variables"));
    settings_.clearValues();
    log(QStringLiteral("Form -> Done"));

    log(QStringLiteral("Form -> checking for sound on/off"));
    settings_.checkSound();
    log(QStringLiteral("Form -> Done"));

    context_.view().showWindow();
    settings_.setBaseTitle(programTitle());

    log(QStringLiteral("Form -> loading settings.cfg from ") + context_.installDir());
    if (fileExists(context_.game().settings()))
        files_.load(context_.game().settings());
    log(QStringLiteral("Form -> Done"));

    settings_.clearMark();
    context_.setStartupComplete(true);
    menu_.showVisualStyleItem();
    log(QStringLiteral("Form -> Program initialized."));
    return Result::Running;
}

bool Startup::loadLanguage() {
    // Settled once: the language file and the look are the same folder's.
    context_.setChoices(ChoiceFolder::find(context_.programDir(), ChoiceEnvironment::fromProcess()));
    const ChoiceFolder& choices = context_.choices();
    const LanguageFileChoice file = chooseLanguageFile(
        context_.programDir(), choices.perUser ? std::optional(choices.path) : std::nullopt,
        LocaleEnvironment::fromProcess());
    for (const QString& line : file.passedOver)
        log(line);
    std::optional<LanguageLoad> load =
        file.path ? loadLanguageFile(*file.path, &context_.debugLog()) : std::nullopt;
    if (!load) {
        context_.tell(QLatin1String(kLanguageFileMissingMessage));
        return false;
    }
    context_.setLanguage(std::move(*load));
    context_.view().showTexts(context_.language().texts);
    accounts_.loadHidden(context_.language().texts);
    return true;
}

// The game's settings beside the program make the program folder the game's
// folder on every start, whatever the registry says (a portable copy in the
// game's folder), and the first start makes the backup there. Otherwise the
// folder named or the registry's folder is used, else the program folder,
// and a missing backup is made there.
void Startup::settleInstallFolder() {
    const GameFiles game = GameFiles::of(location_);
    const bool besideProgram = location_.way == GameFolderWay::BesideProgram;

    log(QStringLiteral("Form -> Checking for settings.cfg and backup"));
    if (besideProgram && !game.hasBackup()) {
        log(QStringLiteral("Form -> no backup found"));
        if (backup_.copyWithNotice(game.settings(), game.backup()))
            log(QStringLiteral("Form -> backup created"));
    }
    log(QStringLiteral("Form -> Done"));

    log(QStringLiteral("Form -> Getting path from Registry"));
    // The trace shows the folder as found: a lone separator when there is none.
    if (!besideProgram) {
        log(QStringLiteral("Form -> ") + (location_.way == GameFolderWay::ProgramFolder
                                              ? QString(QDir::separator())
                                              : asInstallDir(game.folder)));
    }
    context_.setGame(game);
    if (!besideProgram && !game.hasBackup()) {
        log(QStringLiteral("Form -> Creating Backup"));
        // The advanced item still has its design check mark here, so the
        // backup takes its advanced branch.
        backup_.run(context_.isAdvancedMode());
    }
    log(QStringLiteral("Form -> Done"));
}

} // namespace quillset
