// where [--json]: the game folder, its settings file, the Wine prefix and
// how each was found, and every other prefix holding the game with why it
// was not taken; the window's own decision, made without writing anything.

#include "cli/commands.h"

#include "io/file_helpers.h"

#include <QFileInfo>

namespace quillset::cli {

namespace {

bool found(const GameLocation& location) {
    return location.way != GameFolderWay::ProgramFolder;
}

QString settingsFile(const GameLocation& location) {
    return found(location) ? GameFiles::of(location).settings() : QString();
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

QByteArray lines(const GameLocation& location) {
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
    if (location.way == GameFolderWay::GivenFolder)
        return out;
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
    for (const PrefixCandidate& candidate : choice.candidates) {
        if (candidate.verdict != CandidateVerdict::Taken) {
            out += line("not taken:", QStringLiteral("%1 (%2): %3")
                                          .arg(shownPath(candidate.prefix), candidate.source,
                                               verdictText(candidate.verdict)));
        }
    }
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
               ", \"why\": " + jsonString(verdictText(candidate.verdict)) + '}';
    }
    return out + (candidates.isEmpty() ? "]" : "\n  ]");
}

QByteArray json(const GameLocation& location) {
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
           ",\n  \"candidates\": " + jsonCandidates(choice.candidates) + "\n}\n";
}

} // namespace

ExitCode whereCommand(const Invocation& invocation, CommandOutput& output) {
    if (!invocation.words.isEmpty())
        return fail(output, ExitCode::Usage,
                    QStringLiteral("where takes no words (see quillset --help)"));
    const GameLocation location = locateGame(invocation);
    output.out += invocation.json ? json(location) : lines(location);
    if (!found(location))
        return fail(output, ExitCode::Failed,
                    QStringLiteral("no game found: %1").arg(notFoundReason(location)));
    return ExitCode::Done;
}

} // namespace quillset::cli
