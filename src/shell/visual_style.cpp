#include "shell/visual_style.h"

#include "io/atomic_file.h"
#include "io/file_helpers.h"
#include "io/text_lines.h"

#include <QDir>
#include <QFile>

namespace quillset {

namespace {

// The user's choice: one line, as the game's files are written.
constexpr QByteArrayView kChoiceKey = "USE_XP_STYLE : ";

QString choicePath(const QString& folder) {
    return joinPath(folder, QStringLiteral("visual_style.cfg"));
}

StyleSwitch keepChoice(const QString& folder, bool modern) {
    const QString path = choicePath(folder);
    if (folder.isEmpty())
        return {SwitchResult::NotKept, path, QStringLiteral("there is no home folder")};
    // Made only now: the user's folder exists once there is something to keep.
    if (!QDir().mkpath(folder))
        return {SwitchResult::NotKept, path,
                QStringLiteral("the folder %1 could not be made")
                    .arg(QDir::toNativeSeparators(folder))};
    const QByteArray line = kChoiceKey.toByteArray() + (modern ? "1" : "0") + "\r\n";
    if (const std::optional<QString> failure = writeFileAtomically(path, line))
        return {SwitchResult::NotKept, path, *failure};
    return {SwitchResult::Switched, path, {}};
}

// A program folder the user can write keeps no choice but the manifest's name.
std::optional<bool> usersOwnChoice(const ChoiceFolder& choices) {
    return choices.perUser ? keptStyleChoice(choices.path) : std::nullopt;
}

} // namespace

ManifestPaths ManifestPaths::in(const QString& programDir) {
    const QString active = joinPath(programDir, QStringLiteral("Quillset.exe.Manifest"));
    return {active, active + QLatin1Char('_')};
}

std::optional<bool> keptStyleChoice(const QString& folder) {
    if (folder.isEmpty())
        return std::nullopt;
    std::optional<bool> choice;
    forEachLine(readRegularFile(choicePath(folder), 4096).value_or(QByteArray()),
                [&choice](QByteArrayView line) {
                    if (line.size() == kChoiceKey.size() + 1 && line.startsWith(kChoiceKey) &&
                        (line.back() == '0' || line.back() == '1'))
                        choice = line.back() == '1';
                });
    return choice;
}

MenuItemState visualStyleItemState(const QString& programDir, const ChoiceFolder& choices) {
    if (const std::optional<bool> kept = usersOwnChoice(choices))
        return *kept ? MenuItemState::Checked : MenuItemState::Unchecked;
    const ManifestPaths paths = ManifestPaths::in(programDir);
    if (fileExists(paths.parked))
        return MenuItemState::Unchecked;
    if (fileExists(paths.active))
        return MenuItemState::Checked;
    return MenuItemState::Disabled;
}

StyleSwitch switchVisualStyle(const QString& programDir, const ChoiceFolder& choices,
                              bool itemChecked) {
    if (choices.perUser)
        return keepChoice(choices.path, !itemChecked);
    const ManifestPaths paths = ManifestPaths::in(programDir);
    const QString& from = itemChecked ? paths.active : paths.parked;
    const QString& to = itemChecked ? paths.parked : paths.active;
    if (!fileExists(from))
        return {SwitchResult::Missing, from, {}};
    // Never let one manifest replace the other: the user would lose a file.
    if (QFile::exists(to))
        return {SwitchResult::BothExist, from, {}};
    const bool renamed = QFile::rename(from, to);
    return {renamed ? SwitchResult::Switched : SwitchResult::RenameFailed, from, {}};
}

bool modernStyleWanted(const QString& programDir, const ChoiceFolder& choices) {
    if (const std::optional<bool> kept = usersOwnChoice(choices))
        return *kept;
    return fileExists(ManifestPaths::in(programDir).active);
}

} // namespace quillset
