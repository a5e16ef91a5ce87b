// where [--json]: the game folder, its settings file, the Wine prefix and
// how each was found, and every prefix holding the game with its
// settings.cfg and why it was or was not taken, also when an option or a
// variable named the prefix; the window's own decision, made without
// writing anything.

#include "cli/commands.h"

#include "io/file_helpers.h"

#include <QDir>
#include <QFileInfo>

namespace quillset::cli {

namespace {

bool found(const GameLocation& location) {
    return location.way != GameFolderWay::ProgramFolder;
}

QString settingsFile(const GameLocation& location) {
    return found(location) ? GameFiles::of(location).settings() : QString();
}

// Every prefix a launcher made that holds the game. The search ran when it
// chose the prefix; when an option or a variable named it, it runs here, so
// that a wrong prefix named by a launcher shows beside the ones there are.
QList<PrefixCandidate> candidates(const GameLocation& location, const Invocation& invocation) {
    const WinePrefixChoice& choice = location.prefix;
    if (choice.origin == PrefixOrigin::Launcher || choice.origin == PrefixOrigin::WineDefault)
        return choice.candidates;
#ifdef Q_OS_WIN
    Q_UNUSED(invocation);
    return {};
#else
    QList<PrefixCandidate> all =
        searchLauncherPrefixes(LocationRequest::fromEnvironment(invocation.programDir).places)
            .candidates;
    for (PrefixCandidate& candidate : all) {
        const bool inUse = QDir::cleanPath(candidate.prefix) == QDir::cleanPath(choice.prefix);
        candidate.verdict = inUse ? CandidateVerdict::Taken : CandidateVerdict::NotSearched;
    }
    return all;
#endif
}

// The candidate's settings file, whether it is there, and when it changed.
QString candidateSettings(const PrefixCandidate& candidate) {
    const QString file = GameFiles{candidate.gameFolder, {}}.settings();
    return shownPath(file) +
           (candidate.settingsChanged
                ? QStringLiteral(", changed %1").arg(candidate.settingsChanged->toUTC().toString(
                      QStringLiteral("yyyy-MM-dd HH:mm:ss 'UTC'")))
                : QStringLiteral(" (missing)"));
}

QString wayText(GameFolderWay way) {
    switch (way) {
    case GameFolderWay::GivenFolder:
        return QStringLiteral("--game-folder");
    case GameFolderWay::BesideProgram:
        return QStringLiteral("settings.cfg beside the program");
    case GameFolderWay::Registry:
        return QStringLiteral("the install location in the registry of the Wine prefix");
    case GameFolderWay::ProgramFolder:
        break;
    }
    return QStringLiteral("nothing");
}

// A machine-readable name of the way, for JSON.
const char* wayName(GameFolderWay way) {
    switch (way) {
    case GameFolderWay::GivenFolder:
        return "game-folder";
    case GameFolderWay::BesideProgram:
        return "beside-program";
    case GameFolderWay::Registry:
        return "registry";
    case GameFolderWay::ProgramFolder:
        break;
    }
    return "none";
}

QByteArray line(const char* label, const QString& value) {
    return QByteArray(label).leftJustified(16) + value.toUtf8() + '\n';
}

QByteArray lines(const GameLocation& location, const QList<PrefixCandidate>& listed) {
    QByteArray out;
    const QString settings = settingsFile(location);
    out += line("game folder:",
                found(location) ? shownPath(location.gameFolder) : QStringLiteral("none found"));
    if (found(location)) {
        out += line("settings file:",
                    shownPath(settings) +
                        (fileExists(settings) ? QString() : QStringLiteral(" (missing)")));
    }
    out += line("found by:", wayText(location.way));
    const auto listCandidates = [&listed, &out] {
        for (const PrefixCandidate& candidate : listed) {
            out += line("candidate:", QStringLiteral("%1 (%2): %3")
                                          .arg(shownPath(candidate.prefix), candidate.source,
                                               verdictText(candidate.verdict)));
            out += line("", candidateSettings(candidate));
        }
    };
    if (location.way == GameFolderWay::GivenFolder) {
        listCandidates();
        return out;
    }
    const WinePrefixChoice& choice = location.prefix;
    out += line("wine prefix:",
                choice.prefix.isEmpty() ? QStringLiteral("none") : shownPath(choice.prefix));
    if (!choice.source.isEmpty())
        out += line("prefix from:", choice.source);
    out += line("install value:",
                location.installValue.isEmpty() ? QStringLiteral("none")
                : location.valueRoot == InstallValueRoot::PerUser
                    ? location.installValue + QStringLiteral(" (set for the user only)")
                    : location.installValue);
    listCandidates();
    return out;
}

QByteArray jsonOrNull(const QString& text) {
    return text.isEmpty() ? QByteArray("null") : jsonString(text);
}

QByteArray jsonCandidates(const QList<PrefixCandidate>& candidates) {
    QByteArray out = "[";
    for (const PrefixCandidate& candidate : candidates) {
        out += QByteArray(out.size() > 1 ? "," : "") +
               "\n    {\"prefix\": " + jsonString(shownPath(candidate.prefix)) +
               ", \"source\": " + jsonString(candidate.source) +
               ", \"gameFolder\": " + jsonString(shownPath(candidate.gameFolder)) +
               ", \"taken\": " + (candidate.verdict == CandidateVerdict::Taken ? "true" : "false") +
               ", \"why\": " + jsonString(verdictText(candidate.verdict)) +
               ", \"settingsFile\": " +
               jsonString(shownPath(GameFiles{candidate.gameFolder, {}}.settings())) +
               ", \"modified\": " +
               (candidate.settingsChanged
                    ? jsonString(candidate.settingsChanged->toUTC().toString(Qt::ISODate))
                    : QByteArray("null")) +
               '}';
    }
    return out + (candidates.isEmpty() ? "]" : "\n  ]");
}

QByteArray json(const GameLocation& location, const QList<PrefixCandidate>& listed) {
    const WinePrefixChoice& choice = location.prefix;
    const char* root = location.valueRoot == InstallValueRoot::Machine   ? "\"machine\""
                       : location.valueRoot == InstallValueRoot::PerUser ? "\"user\""
                                                                         : "null";
    return "{\n  \"gameFolder\": " +
           jsonOrNull(found(location) ? shownPath(location.gameFolder) : QString()) +
           ",\n  \"settingsFile\": " + jsonOrNull(shownPath(settingsFile(location))) +
           ",\n  \"foundBy\": \"" + wayName(location.way) +
           "\",\n  \"prefix\": " + jsonOrNull(shownPath(choice.prefix)) +
           ",\n  \"prefixFrom\": " + jsonOrNull(choice.source) +
           ",\n  \"installValue\": " + jsonOrNull(location.installValue) +
           ",\n  \"installValueRoot\": " + root +
           ",\n  \"candidates\": " + jsonCandidates(listed) + "\n}\n";
}

} // namespace

ExitCode whereCommand(const Invocation& invocation, CommandOutput& output) {
    if (!invocation.words.isEmpty())
        return fail(output, ExitCode::Usage,
                    QStringLiteral("where takes no words (see quillset --help)"));
    const GameLocation location = locateGame(invocation);
    const QList<PrefixCandidate> listed = candidates(location, invocation);
    output.out += invocation.json ? json(location, listed) : lines(location, listed);
    if (!found(location))
        return fail(output, ExitCode::Failed,
                    QStringLiteral("no game found: %1").arg(notFoundReason(location)));
    return ExitCode::Done;
}

} // namespace quillset::cli
