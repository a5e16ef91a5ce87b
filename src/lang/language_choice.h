#pragma once
// Which language file start-up reads. A portable copy reads language.lng
// beside the program, whatever the desktop's language: its user chooses by
// copying a file there. An installed program's folder is not the user's, so
// there the user's own file comes first, then the desktop's language.

#include <QString>
#include <QStringList>
#include <optional>

namespace quillset {

inline constexpr const char* kEnglishLanguageFileName = "language.en.lng";

// The locale variables as the C library reads them.
struct LocaleEnvironment {
    QString all;      // LC_ALL
    QString messages; // LC_MESSAGES
    QString lang;     // LANG

    static LocaleEnvironment fromProcess();
};

enum class DesktopLanguage { German, English };

// The first of LC_ALL, LC_MESSAGES and LANG that is set and not empty
// decides: German for a German locale ("de", "de_DE.UTF-8", "de_AT@euro"),
// English for any other, "C" and values that name no language included.
DesktopLanguage desktopLanguage(const LocaleEnvironment& locale);

struct LanguageFileChoice {
    std::optional<QString> path; // none: there is no language file at all
    QStringList passedOver;      // debug.log lines for files that were not taken
};

// userFolder: none when the program folder is the user's own: then
// language.lng beside the program, if it is there. Otherwise the first of:
// language.lng in userFolder when it is a language file; the shipped file of
// the desktop's language beside the program (German language.lng, English
// language.en.lng); the English one; the German one.
LanguageFileChoice chooseLanguageFile(const QString& programDir,
                                      const std::optional<QString>& userFolder,
                                      const LocaleEnvironment& locale);

} // namespace quillset
