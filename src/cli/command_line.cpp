#include "cli/command_line.h"

#include "cli/commands.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <array>
#include <optional>

using namespace Qt::StringLiterals;

namespace quillset::cli {

namespace {

const QString kPrefix = QStringLiteral("prefix");
const QString kGameFolder = QStringLiteral("game-folder");
const QString kJson = QStringLiteral("json");
const QString kForce = QStringLiteral("force");
const QString kHelp = QStringLiteral("help");
const QString kVersion = QStringLiteral("version");

struct Verb {
    const char* name;
    ExitCode (*run)(const Invocation&, CommandOutput&);
    bool takesJson;
    bool writes; // takes --force
};

constexpr std::array<Verb, 4> kVerbs{{
    {"where", whereCommand, true, false},
    {"get", getCommand, true, false},
    {"set", setCommand, false, true},
    {"apply", applyCommand, false, true},
}};

const Verb* findVerb(const QString& word) {
    for (const Verb& verb : kVerbs) {
        if (word == QLatin1String(verb.name))
            return &verb;
    }
    return nullptr;
}

constexpr char kUsage[] =
    "Usage: quillset [--prefix DIR | --game-folder DIR]    open the Options window\n"
    "       quillset [LOCATION] where [--json]              the game, its settings file, the\n"
    "                                                       Wine prefix, and why\n"
    "       quillset [LOCATION] get [KEY...] [--json]       print values\n"
    "       quillset [LOCATION] set [--force] KEY=VALUE...  set values, all or none\n"
    "       quillset [LOCATION] apply [--force] FILE|-      set the values a profile names\n"
    "       quillset --help | --version\n"
    "\n"
    "LOCATION, for the commands and the window alike (one of them):\n"
    "  --prefix DIR         the game of the Wine prefix DIR, instead of the search\n"
    "  --game-folder DIR    the folder DIR that holds settings.cfg; no registry is read\n"
    "\n"
    "Options:\n"
    "  --json               with where and get: one JSON object\n"
    "  --force              with set and apply: write while the game runs, or over a\n"
    "                       settings.cfg that holds no settings\n"
    "  -h, --help           print this and exit\n"
    "  -v, --version        print the version and exit\n"
    "\n"
    "Exit status: 0 done; 1 failed (no game found, a file not read or written,\n"
    "the game running); 2 a usage error or a refused value. See quillset(1).\n";

// The options of every run; Qt's own options never reach this parser.
void addOptions(QCommandLineParser& parser) {
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOptions({
        {kPrefix, QString(), QStringLiteral("DIR")},
        {kGameFolder, QString(), QStringLiteral("DIR")},
        {kJson, QString()},
        {kForce, QString()},
        {{QStringLiteral("h"), kHelp}, QString()},
        {{QStringLiteral("v"), kVersion}, QString()},
    });
}

// --prefix or --game-folder, each naming an existing folder, made absolute.
std::variant<LocationOptions, QString> locationOptions(const QCommandLineParser& parser) {
    if (parser.isSet(kPrefix) && parser.isSet(kGameFolder))
        return QStringLiteral("give --prefix or --game-folder, not both");
    LocationOptions location;
    for (const auto& [name, field] :
         {std::pair{kPrefix, &location.prefix}, std::pair{kGameFolder, &location.gameFolder}}) {
        if (!parser.isSet(name))
            continue;
        const QFileInfo folder(parser.value(name));
        if (parser.value(name).isEmpty())
            return QStringLiteral("--%1 needs a folder").arg(name);
        if (!folder.isDir())
            return QStringLiteral("--%1 %2: %3")
                .arg(name, parser.value(name),
                     folder.exists() ? QStringLiteral("not a folder")
                                     : QStringLiteral("no such folder"));
        *field = folder.absoluteFilePath();
    }
    return location;
}

ExitCode usageError(CommandOutput& output, QString text) {
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return fail(output, ExitCode::Usage, text + QStringLiteral(" (see quillset --help)"));
}

// Whether a word is one of the options Qt's applications take for
// themselves (-platform offscreen, -style=fusion, -reverse), and if so
// whether a value follows it; nothing for any other word.
std::optional<bool> qtOptionTakesValue(const QString& word) {
    static const QStringList withValue{
        u"platform"_s, u"platformpluginpath"_s, u"platformtheme"_s, u"plugin"_s,
        u"qwindowgeometry"_s, u"qwindowicon"_s, u"qwindowtitle"_s, u"session"_s,
        u"display"_s, u"geometry"_s, u"style"_s, u"stylesheet"_s, u"name"_s, u"title"_s,
        u"visual"_s, u"qmljsdebugger"_s};
    static const QStringList alone{u"reverse"_s, u"widgetcount"_s, u"nograb"_s,
                                   u"dograb"_s, u"sync"_s};
    if (!word.startsWith(QLatin1Char('-')) || word.startsWith(QLatin1String("--")))
        return std::nullopt;
    const QString name = word.mid(1).section(QLatin1Char('='), 0, 0);
    if (withValue.contains(name))
        return true;
    if (alone.contains(name))
        return false;
    return std::nullopt;
}

bool isLocationOption(const QString& word) {
    return word == QLatin1String("--prefix") || word == QLatin1String("--game-folder");
}

} // namespace

bool isCommandLineRun(const QStringList& arguments) {
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& word = arguments[i];
        if (isLocationOption(word)) {
            if (++i == arguments.size())
                return true; // its folder is missing: a usage error, without a window
            continue;
        }
        // A folder named after "=": the window's; an empty one a usage error.
        if (word.startsWith(QLatin1String("--prefix=")) ||
            word.startsWith(QLatin1String("--game-folder="))) {
            if (word.endsWith(QLatin1Char('=')))
                return true;
            continue;
        }
        // One of Qt's own options goes to the window; any other option or
        // word is the command line's, and an unknown one a usage error.
        const std::optional<bool> qtOption = qtOptionTakesValue(word);
        if (!qtOption)
            return true;
        i += *qtOption && !word.contains(QLatin1Char('=')) ? 1 : 0;
    }
    return false;
}

ExitCode runCommandLine(const QStringList& arguments, const QString& programDir,
                        CommandOutput& output, StandardInput standardInput) {
    // Options have two dashes; of one dash only the aliases -h and -v.
    for (const QString& word : arguments.mid(1)) {
        if (word.startsWith(QLatin1Char('-')) && !word.startsWith(QLatin1String("--")) &&
            word != QLatin1String("-h") && word != QLatin1String("-v") &&
            word != QLatin1String("-"))
            return usageError(output, QStringLiteral("unknown option \"%1\"").arg(word));
    }
    QCommandLineParser parser;
    addOptions(parser);
    if (!parser.parse(arguments))
        return usageError(output, parser.errorText());
    if (parser.isSet(kHelp)) {
        output.out += kUsage;
        return ExitCode::Done;
    }
    if (parser.isSet(kVersion)) {
        output.out += QByteArray("quillset ") + QByteArray::number(QUILLSET_VERSION_MAJOR) + '.' +
                      QByteArray::number(QUILLSET_VERSION_MINOR) + '.' +
                      QByteArray::number(QUILLSET_VERSION_PATCH) + '\n';
        return ExitCode::Done;
    }
    const auto location = locationOptions(parser);
    if (const auto* error = std::get_if<QString>(&location))
        return usageError(output, *error);
    QStringList words = parser.positionalArguments();
    if (words.isEmpty())
        return usageError(output, QStringLiteral("no command given"));
    const Verb* verb = findVerb(words.front());
    if (!verb)
        return usageError(output, QStringLiteral("unknown command \"%1\"").arg(words.front()));
    if (parser.isSet(kJson) && !verb->takesJson)
        return usageError(output, QStringLiteral("--json goes with where and get only"));
    if (parser.isSet(kForce) && !verb->writes)
        return usageError(output, QStringLiteral("--force goes with set and apply only"));
    const QString command = words.takeFirst();
    if (!standardInput)
        standardInput = [] { return std::variant<QByteArray, ReadFailure>(QByteArray()); };
    return verb->run(Invocation{command, words, parser.isSet(kJson), parser.isSet(kForce),
                                std::get<LocationOptions>(location), programDir,
                                std::move(standardInput)},
                     output);
}

std::variant<LocationOptions, QString> windowLocationOptions(const QStringList& arguments) {
    QCommandLineParser parser;
    addOptions(parser);
    if (!parser.parse(arguments))
        return parser.errorText();
    if (!parser.positionalArguments().isEmpty())
        return QStringLiteral("unknown command \"%1\"").arg(parser.positionalArguments().front());
    return locationOptions(parser);
}

} // namespace quillset::cli
