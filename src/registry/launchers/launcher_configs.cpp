#include "registry/launchers/launcher_configs.h"

#include "io/file_helpers.h"
#include "registry/launchers/steam_library_file.h"

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>

#include <yaml-cpp/yaml.h>

#include <exception>
#include <string>
#include <type_traits>

namespace quillset {

namespace {

// A scalar node's text; empty for every other kind of node.
QString scalarText(const YAML::Node& node) {
    if (!node.IsDefined() || !node.IsScalar())
        return {};
    return QString::fromStdString(node.Scalar());
}

// What read(root) gives for a file whose top is a mapping; a default value
// for any other file. yaml-cpp reports every syntax error, and nesting too
// deep for its parser, by throwing.
template <typename Read>
std::invoke_result_t<Read, const YAML::Node&> withYamlMap(const QByteArray& yaml, Read read) {
    try {
        const YAML::Node root = YAML::Load(yaml.toStdString());
        if (root.IsMap())
            return read(root);
    } catch (const std::exception&) {
    }
    return {};
}

} // namespace

QString expandPrefixPath(const QString& path, const QString& home) {
    QString expanded = path;
    if (path == QLatin1String("~") || path.startsWith(QLatin1String("~/")))
        expanded = home + path.mid(1);
    return isAbsoluteFilePath(expanded) ? QDir::cleanPath(expanded) : QString();
}

LutrisGame lutrisGame(const QByteArray& yaml) {
    return withYamlMap(yaml, [](const YAML::Node& root) {
        LutrisGame game;
        // A missing key gives an invalid node, whose kind may not be asked.
        if (const YAML::Node section = root["game"]; section.IsDefined() && section.IsMap()) {
            game.prefix = scalarText(section["prefix"]);
            game.exe = scalarText(section["exe"]);
        }
        if (game.prefix.isEmpty())
            game.prefix = scalarText(root["prefix"]);
        return game;
    });
}

QString yamlTopText(const QByteArray& yaml, const char* key) {
    return withYamlMap(yaml, [key](const YAML::Node& root) { return scalarText(root[key]); });
}

QStringList heroicPrefixes(const QByteArray& json) {
    const QJsonDocument document = QJsonDocument::fromJson(json);
    if (!document.isObject())
        return {};
    const QJsonObject root = document.object();
    QStringList prefixes;
    const auto add = [&prefixes](const QJsonValue& value) {
        if (const QString prefix = value.toString(); !prefix.isEmpty())
            prefixes.append(prefix);
    };
    add(root.value(QLatin1String("winePrefix")));
    for (auto it = root.begin(); it != root.end(); ++it) {
        if (it.value().isObject())
            add(it.value().toObject().value(QLatin1String("winePrefix")));
    }
    return prefixes;
}

NamedPaths launcherFilePaths(LauncherFile file, const QByteArray& bytes, const QString& home) {
    NamedPaths named;
    const auto add = [&named](const QString& path) {
        if (!path.isEmpty())
            named.folders.append(path);
    };
    switch (file) {
    case LauncherFile::SteamLibraries:
        // Steam writes its libraries' full paths; it knows no "~".
        for (const QString& path : steamLibraryPaths(bytes)) {
            if (isAbsoluteFilePath(path))
                add(QDir::cleanPath(path));
        }
        break;
    case LauncherFile::LutrisGame:
        if (const LutrisGame game = lutrisGame(bytes); !game.prefix.isEmpty())
            add(expandPrefixPath(game.prefix, home));
        else
            named.program = expandPrefixPath(game.exe, home);
        break;
    case LauncherFile::BottlesPlaceholder:
    case LauncherFile::BottlesData:
        add(expandPrefixPath(
            yamlTopText(bytes, file == LauncherFile::BottlesData ? "custom_bottles_path" : "Path"),
            home));
        break;
    case LauncherFile::HeroicGame:
        for (const QString& prefix : heroicPrefixes(bytes))
            add(expandPrefixPath(prefix, home));
        break;
    }
    return named;
}

} // namespace quillset
