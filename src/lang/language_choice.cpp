#include "lang/language_choice.h"

#include "io/file_helpers.h"
#include "lang/language_loader.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>

namespace quillset {

LocaleEnvironment LocaleEnvironment::fromProcess() {
    return {qEnvironmentVariable("LC_ALL"), qEnvironmentVariable("LC_MESSAGES"),
            qEnvironmentVariable("LANG")};
}

DesktopLanguage desktopLanguage(const LocaleEnvironment& locale) {
    for (const QString* value : {&locale.all, &locale.messages, &locale.lang}) {
        if (value->isEmpty())
            continue;
        // QLocale reads language[_territory][.codeset][@modifier]; a value
        // it cannot read gives the C locale, whose language is not German.
        return QLocale(*value).language() == QLocale::German ? DesktopLanguage::German
                                                             : DesktopLanguage::English;
    }
    return DesktopLanguage::English;
}

LanguageFileChoice chooseLanguageFile(const QString& programDir,
                                      const std::optional<QString>& userFolder,
                                      const LocaleEnvironment& locale) {
    const QString german = languageFilePath(programDir);
    if (!userFolder)
        return {fileExists(german) ? std::optional(german) : std::nullopt, {}};

    LanguageFileChoice choice;
    if (!userFolder->isEmpty()) {
        const QString own = languageFilePath(*userFolder);
        const QFileInfo info(own);
        // No file of the user's own is the usual case: nothing to trace.
        if (info.exists() || info.isSymLink()) {
            const std::optional<QString> problem = whyNotALanguageFile(own);
            if (!problem)
                return {own, {}};
            choice.passedOver << QStringLiteral("init_language() -> not loading ") +
                                     QDir::toNativeSeparators(own) + QStringLiteral(": ") +
                                     *problem;
        }
    }
    const QString english = joinPath(programDir, QLatin1String(kEnglishLanguageFileName));
    const QString& desktops = desktopLanguage(locale) == DesktopLanguage::German ? german : english;
    for (const QString* shipped : {&desktops, &english, &german}) {
        if (fileExists(*shipped)) {
            choice.path = *shipped;
            break;
        }
    }
    return choice;
}

} // namespace quillset
