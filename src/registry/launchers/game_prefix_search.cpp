#include "registry/launchers/game_prefix_search.h"

#include "io/file_helpers.h"
#include "registry/wine_prefix.h"
#include "settings/key_catalogue.h"

#include <QDir>
#include <QFileInfo>

namespace quillset {

namespace {

// When the game's settings last changed; none without a settings.cfg.
std::optional<QDateTime> settingsChanged(const QString& gameFolder) {
    const QFileInfo settings(QDir(gameFolder).filePath(QLatin1String(kSettingsFileName)));
    if (!settings.isFile())
        return std::nullopt;
    return settings.lastModified();
}

// Whether a's settings changed after b's; a game without settings is oldest.
bool newerThan(const PrefixCandidate& a, const PrefixCandidate& b) {
    return a.settingsChanged && (!b.settingsChanged || *a.settingsChanged > *b.settingsChanged);
}

CandidateVerdict verdictAgainst(const PrefixCandidate& candidate, const PrefixCandidate& taken) {
    if (newerThan(taken, candidate))
        return candidate.settingsChanged ? CandidateVerdict::OlderSettings
                                         : CandidateVerdict::NoSettings;
    return CandidateVerdict::ListedLater;
}

QString traceLine(const QString& text, const QString& path = {}) {
    return QStringLiteral("Registry -> ") + text + QDir::toNativeSeparators(path);
}

} // namespace

QString verdictText(CandidateVerdict verdict) {
    switch (verdict) {
    case CandidateVerdict::Taken:
        return QStringLiteral("taken");
    case CandidateVerdict::OlderSettings:
        return QStringLiteral("an older settings.cfg than the one taken");
    case CandidateVerdict::NoSettings:
        return QStringLiteral("no settings.cfg, and the one taken has one");
    case CandidateVerdict::ListedLater:
        return QStringLiteral("no newer settings.cfg than the one taken, which is found first");
    case CandidateVerdict::NotSearched:
        return QStringLiteral("not searched for: the prefix in use was named");
    }
    return {};
}

WinePrefixChoice searchLauncherPrefixes(const SearchPlaces& places) {
    WinePrefixChoice choice;
    qsizetype taken = -1;
    for (const LauncherPrefix& prefix : launcherPrefixes(places)) {
        const std::optional<QString> game = gameFolderInPrefix(prefix.path);
        if (!game)
            continue;
        choice.trace.append(traceLine(QStringLiteral("Game found in Wine prefix "), prefix.path));
        choice.candidates.append({prefix.path, prefix.source, *game, settingsChanged(*game)});
        if (taken < 0 || newerThan(choice.candidates.back(), choice.candidates[taken]))
            taken = choice.candidates.size() - 1;
    }
    if (taken >= 0) {
        for (PrefixCandidate& candidate : choice.candidates) {
            if (&candidate != &choice.candidates[taken])
                candidate.verdict = verdictAgainst(candidate, choice.candidates[taken]);
        }
        choice.prefix = choice.candidates[taken].prefix;
        choice.origin = PrefixOrigin::Launcher;
        choice.source = choice.candidates[taken].source;
    } else {
        choice.trace.append(traceLine(QStringLiteral("No Wine prefix holds the game")));
        const QString wine =
            places.home.isEmpty() ? QString() : places.home + QStringLiteral("/.wine");
        if (!wine.isEmpty() && QFileInfo(wine).isDir()) {
            choice.prefix = QDir::cleanPath(wine);
            choice.origin = PrefixOrigin::WineDefault;
            choice.source = QStringLiteral("Wine default ~/.wine (no prefix holds the game)");
        }
    }
    if (!choice.prefix.isEmpty())
        choice.trace.append(traceLine(QStringLiteral("Using Wine prefix "), choice.prefix));
    return choice;
}

PrefixVariables PrefixVariables::fromEnvironment() {
    return {qEnvironmentVariable("WINEPREFIX"), qEnvironmentVariable("STEAM_COMPAT_DATA_PATH")};
}

WinePrefixChoice chooseWinePrefix(const QString& programDir, const PrefixVariables& variables,
                                  const SearchPlaces& places) {
    WinePrefixChoice choice;
    // A variable set by whoever started us names the prefix, also a wrong one:
    // a prefix of its own is never replaced by one the search likes better.
    const auto named = [&choice](const QString& value, PrefixOrigin origin, const QString& name,
                                 const QString& subfolder) {
        choice.origin = origin;
        const bool absolute = isAbsoluteFilePath(value);
        choice.prefix = absolute ? QDir::cleanPath(value + subfolder) : QString();
        choice.source =
            absolute ? name : name + QStringLiteral(", not an absolute path: no prefix");
        return choice;
    };
    if (!variables.winePrefix.isEmpty())
        return named(variables.winePrefix, PrefixOrigin::WinePrefixVariable,
                     QStringLiteral("$WINEPREFIX"), QString());
    if (!variables.steamCompatData.isEmpty())
        return named(variables.steamCompatData, PrefixOrigin::SteamVariable,
                     QStringLiteral("$STEAM_COMPAT_DATA_PATH (its pfx folder)"),
                     QStringLiteral("/pfx"));
    if (QString around = prefixAroundFolder(programDir); !around.isEmpty()) {
        choice.prefix = std::move(around);
        choice.origin = PrefixOrigin::AroundProgram;
        choice.source = QStringLiteral("the prefix around the program folder ") +
                        QDir::cleanPath(QFileInfo(programDir).absoluteFilePath());
        return choice;
    }
    return searchLauncherPrefixes(places);
}

} // namespace quillset
