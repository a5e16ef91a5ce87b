#include "registry/launchers/launcher_configs.h"

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>

#include <yaml-cpp/yaml.h>

#include <exception>
#include <string>

namespace quillset {

namespace {

// A scalar node's text; empty for every other kind of node.
QString scalarText(const YAML::Node& node) {
    if (!node.IsDefined() || !node.IsScalar())
        return {};
    return QString::fromStdString(node.Scalar());
}

} // namespace

QString expandPrefixPath(const QString& path, const QString& home) {
    QString expanded = path;
    if (path == QLatin1String("~") || path.startsWith(QLatin1String("~/")))
        expanded = home + path.mid(1);
    return QDir::isAbsolutePath(expanded) ? QDir::cleanPath(expanded) : QString();
}

QString lutrisPrefix(const QByteArray& yaml) {
    // yaml-cpp reports every syntax error, and nesting too deep for its
    // parser, by throwing.
    try {
        const YAML::Node root = YAML::Load(yaml.toStdString());
        if (!root.IsMap())
            return {};
        // A missing key gives an invalid node, whose kind may not be asked.
        if (const YAML::Node game = root["game"]; game.IsDefined() && game.IsMap()) {
            if (QString prefix = scalarText(game["prefix"]); !prefix.isEmpty())
                return prefix;
        }
        return scalarText(root["prefix"]);
    } catch (const std::exception&) {
        return {};
    }
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

} // namespace quillset
