#include "save_paths.h"

#include "accounts/account_file.h"
#include "lang/language_texts.h"
#include "registry/registry.h"
#include "registry/wine_registry.h"
#include "registry/wine_registry_file.h"
#include "scripted_dialogs.h"
#include "settings/settings_reader.h"
#include "settings/settings_writer.h"
#include "shell/backup.h"

#include <QDir>
#include <QFile>

#include <sys/stat.h>

namespace quillset::fault {

namespace {

QByteArray crlf(std::initializer_list<const char*> lines) {
    QByteArray out;
    for (const char* line : lines)
        out.append(line).append("\r\n");
    return out;
}

// A settings file as the game leaves it, with a line the program does not
// know and a key whose value is a Windows-1252 text.
const QByteArray& oldSettings() {
    static const QByteArray bytes = [] {
        const SettingsModel model = readSettings(
            crlf({"AUTOSAVE : 1", "FULLSCREEN : 1", "LANGUAGE : DE", "NETWORK_LOBBYLOGIN : J\xf6rg",
                  "NETWORK_CDKEY : AAAAABBBBBCCCCCDDDDD", "MOD_SOUNDTRACK : classic"}));
        return std::get<QByteArray>(serializeSettings(model));
    }();
    return bytes;
}

SettingsModel newSettingsModel() {
    SettingsModel model = readSettings(oldSettings());
    model.setNumber(QLatin1String("AUTOSAVE"), 0);
    model.setNumber(QLatin1String("FULLSCREEN"), 0);
    model.unknownLines.append("ADDED_BY_SWEEP : yes\r\n");
    return model;
}

const QByteArray& newSettings() {
    static const QByteArray bytes = std::get<QByteArray>(serializeSettings(newSettingsModel()));
    return bytes;
}

AccountLines accountLines(const char* suffix) {
    AccountLines lines;
    for (int slot = 1; slot <= kAccountSlotCount; ++slot) {
        const QString tag = QString::number(slot) + QLatin1String(suffix);
        lines[nameLineIndex(slot)] = QStringLiteral("Player") + tag;
        lines[korrinLineIndex(slot)] = QStringLiteral("KORRN%1KEY00KEY00KEY").arg(tag).left(20);
        lines[deepfallLineIndex(slot)] = QStringLiteral("DEEPF%1KEY00KEY00KEY").arg(tag).left(20);
    }
    return lines;
}

QByteArray accountBytes(const AccountLines& lines) {
    return std::get<QByteArray>(serializeAccountFile(lines));
}

// Wine's layout: header, comment, architecture, then key sections.
QByteArray hive(std::initializer_list<const char*> lines) {
    QByteArray file =
        "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win32\n\n";
    for (const char* line : lines)
        file.append(line).append('\n');
    return file;
}

const char* const kInstallKeyLine =
    "[Software\\\\Halvane Entertainment\\\\Korrin Deepfall] 1700000000";
const QString kNewInstallPath = QStringLiteral("C:\\Games\\Korrin Neu");

QByteArray editedHive(const QByteArray& old) {
    return *setWineRegistryString(old, kInstallKeyPath, kInstallValueName, kNewInstallPath, 0);
}

std::optional<QString> saveSettings(const QString& folder) {
    return writeSettingsFile(QDir(folder).filePath(QStringLiteral("settings.cfg")),
                             newSettingsModel());
}

std::optional<QString> saveAccounts(const QString& folder) {
    return writeAccountFile(folder + QLatin1Char('/'), accountLines("n"));
}

// The backup's own notice is answered; its failure message is what the user
// would read, so it is the reported failure.
std::optional<QString> saveBackup(const QString& folder) {
    test::ScriptedDialogs dialogs;
    LanguageTable texts;
    texts.setText(QStringLiteral("Messages"), 4, QStringLiteral("backup notice"));
    const BackupContext context{dialogs, texts, folder + QLatin1Char('/'), folder};
    const QDir dir(folder);
    if (copyWithNotice(context, dir.filePath(QStringLiteral("settings.cfg")),
                       dir.filePath(QStringLiteral("settings.bck"))))
        return std::nullopt;
    return dialogs.shown.empty() ? QStringLiteral("(no message)") : dialogs.shown.back().text;
}

// The start-up copy of the install folder into the machine root goes through
// writeString, which drops the result; setStringValue is what it calls and
// says whether the write was made.
std::optional<QString> saveRegistry(const QString& folder) {
    WineRegistry registry(folder);
    if (registry.setStringValue(RegistryRoot::LocalMachine, kInstallKeyPath, kInstallValueName,
                                kNewInstallPath))
        return std::nullopt;
    return QStringLiteral("the registry value was not written");
}

std::vector<SavePath> makeSavePaths() {
    std::vector<SavePath> paths;
    for (const bool replace : {true, false}) {
        const QString variant = replace ? QStringLiteral("/replace") : QStringLiteral("/create");
        const auto old = [&](const QByteArray& bytes) {
            return replace ? std::optional<QByteArray>(bytes) : std::nullopt;
        };
        paths.push_back({QStringLiteral("settings") + variant,
                         QStringLiteral("settings.cfg"),
                         false,
                         old(oldSettings()),
                         newSettings(),
                         {},
                         saveSettings});
        paths.push_back({QStringLiteral("accounts") + variant,
                         QStringLiteral("accounts.cfg"),
                         true,
                         old(accountBytes(accountLines("o"))),
                         accountBytes(accountLines("n")),
                         {},
                         saveAccounts});
        paths.push_back({QStringLiteral("backup") + variant,
                         QStringLiteral("settings.bck"),
                         false,
                         old(oldSettings()),
                         newSettings(),
                         {{QStringLiteral("settings.cfg"), newSettings()}},
                         saveBackup});
    }
    // A settings file that only its owner may read (it holds the CD keys)
    // over a backup that everyone may read: the new backup is the owner's only.
    paths.push_back({QStringLiteral("backup/private-source"),
                     QStringLiteral("settings.bck"),
                     true,
                     oldSettings(),
                     newSettings(),
                     {{QStringLiteral("settings.cfg"), newSettings(), 0600}},
                     saveBackup});
    const QByteArray userHive = hive({"[Software\\\\Wine] 1700000000", "\"Version\"=\"win10\""});
    const QByteArray withValue = hive(
        {kInstallKeyLine, "#time=1d9f0a7c2b3e400", "\"InstallLocation\"=\"C:\\\\Games\\\\Korrin\"",
         "\"Language\"=\"DE\"", "", "[Software\\\\Other] 1700000000", "@=\"x\""});
    const QByteArray withoutValue =
        hive({kInstallKeyLine, "#time=1d9f0a7c2b3e400", "\"Language\"=\"DE\"", "",
              "[Software\\\\Other] 1700000000", "@=\"x\""});
    paths.push_back({QStringLiteral("registry/replace-value"),
                     QStringLiteral("system.reg"),
                     false,
                     withValue,
                     editedHive(withValue),
                     {{QStringLiteral("user.reg"), userHive}},
                     saveRegistry});
    paths.push_back({QStringLiteral("registry/add-value"),
                     QStringLiteral("system.reg"),
                     false,
                     withoutValue,
                     editedHive(withoutValue),
                     {{QStringLiteral("user.reg"), userHive}},
                     saveRegistry});
    return paths;
}

bool writeFile(const QString& path, const QByteArray& bytes, int mode) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        return false;
    file.close();
    return ::chmod(QFile::encodeName(path).constData(), static_cast<mode_t>(mode)) == 0;
}

} // namespace

const std::vector<SavePath>& savePaths() {
    static const std::vector<SavePath> paths = makeSavePaths();
    return paths;
}

bool prepareFolder(const SavePath& path, const QString& folder) {
    const QDir dir(folder);
    // A secret target starts out as the owner's only, except for a backup,
    // whose old copy may predate the rule.
    const bool backup = path.target.endsWith(QLatin1String(".bck"));
    if (path.oldBytes &&
        !writeFile(dir.filePath(path.target), *path.oldBytes, path.secret && !backup ? 0600 : 0644))
        return false;
    for (const SavePath::OtherFile& other : path.otherFiles) {
        if (!writeFile(dir.filePath(other.name), other.bytes, other.mode))
            return false;
    }
    return true;
}

} // namespace quillset::fault
