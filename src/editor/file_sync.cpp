#include "editor/file_sync.h"

#include "editor/account_session.h"
#include "editor/settings_session.h"
#include "settings/settings_merge.h"
#include "settings/settings_reader.h"
#include "settings/settings_writer.h"

#include <QDir>
#include <QFileInfo>

namespace quillset {

namespace {

QString native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

} // namespace

FileSync::FileSync(EditorContext& context, SettingsSession& settings,
                   const AccountSession& accounts)
    : context_(context), settings_(settings), accounts_(accounts) {
    context_.whenIdle = [this] {
        if (pending_)
            fileChanged();
    };
}

void FileSync::accountWindowClosed() {
    if (pending_ && !context_.isAsking())
        fileChanged();
}

void FileSync::fileChanged() {
    pending_ = context_.isAsking() || accounts_.isWindowShown();
    const std::optional<SettingsBase>& base = settings_.base();
    if (pending_ || settings_.isChanged() || !base)
        return;
    const SettingsOnDisk disk = readSettingsOnDisk(settings_.currentPath());
    if (disk.state != SettingsOnDisk::State::Settings || disk.bytes == base->bytes)
        return;
    context_.log(QStringLiteral("Form -> %1 was changed by another program: loading it again")
                     .arg(native(settings_.currentPath())));
    settings_.reload(disk.bytes);
}

std::optional<SettingsModel> FileSync::toWrite(const QString& path, const SettingsModel& ours) {
    const std::optional<SettingsBase>& base = settings_.base();
    if (!base || !settings_.isCurrentFile(path))
        return ours;
    const SettingsOnDisk disk = readSettingsOnDisk(path);
    switch (disk.state) {
    case SettingsOnDisk::State::Missing:
        return ours;
    case SettingsOnDisk::State::NotSettings: {
        // Only a file can be overwritten at all; the writer refuses the rest
        // and says why.
        if (!QFileInfo(path).isFile())
            return ours;
        const bool overwrite =
            context_.confirm(context_.text(kept::unreadableOnDiskQuestion).arg(native(path)),
                             Dialogs::Buttons::YesNo);
        context_.log(QStringLiteral("Form -> %1 was changed by another program and cannot be "
                                    "read: %2")
                         .arg(native(path), overwrite ? QStringLiteral("overwritten")
                                                      : QStringLiteral("not saved")));
        return overwrite ? std::optional(ours) : std::nullopt;
    }
    case SettingsOnDisk::State::Settings:
        break;
    }
    if (disk.bytes == base->bytes)
        return ours;
    return merge(path, ours, disk.bytes);
}

std::optional<SettingsModel> FileSync::merge(const QString& path, const SettingsModel& ours,
                                             const QByteArray& onDisk) {
    const SettingsBase& base = *settings_.base();
    const SettingsModel theirs = takenAsLoaded(readSettings(onDisk, base.values.fontPagesValue));
    SettingsMerge result = mergeSettings(base.values, ours, theirs);
    if (!result.conflicts.empty()) {
        const auto shown = [this](const SettingsModel& model, int row) {
            return settingsValueText(model, row).value_or(context_.text(kept::noValue));
        };
        QStringList lines{context_.text(kept::conflictQuestion)};
        QStringList keys;
        for (const int row : result.conflicts) {
            keys << keyCatalogue()[row].name();
            lines << context_.text(kept::conflictLine)
                         .arg(keys.back(), shown(ours, row), shown(theirs, row));
        }
        lines << context_.text(kept::conflictAnswers);
        const Dialogs::Answer answer =
            context_.ask(lines.join(QLatin1Char('\n')), Dialogs::Buttons::YesNoCancel);
        context_.log(QStringLiteral("Form -> %1 changed here and on disk: %2")
                         .arg(keys.join(QStringLiteral(", ")),
                              answer == Dialogs::Answer::Yes  ? QStringLiteral("kept mine")
                              : answer == Dialogs::Answer::No ? QStringLiteral("took the file's")
                                                              : QStringLiteral("cancelled")));
        if (answer != Dialogs::Answer::Yes && answer != Dialogs::Answer::No)
            return std::nullopt;
        if (answer == Dialogs::Answer::No) {
            for (const int row : result.conflicts)
                takeValue(result.merged, theirs, row);
            result.takenFromFile << keys;
        }
    }
    context_.log(QStringLiteral("Form -> %1 was changed by another program: merged, from the "
                                "file: %2")
                     .arg(native(path), result.takenFromFile.isEmpty()
                                            ? QStringLiteral("its unknown lines")
                                            : result.takenFromFile.join(QStringLiteral(", "))));
    return result.merged;
}

// The file's values as a load would take them into the window (see
// SettingsSession::load): so a value the window never showed is not taken
// for a change.
SettingsModel FileSync::takenAsLoaded(const SettingsModel& read) const {
    SettingsModel taken = read;
    const SettingsModel& now = settings_.values();
    for (int row = 0; row < kKeyCount; ++row) {
        const KeyDef& def = keyCatalogue()[row];
        if (def.kind == KeyKind::Text || def.kind == KeyKind::FontPages ||
            def.kind == KeyKind::CdKey || def.kind == KeyKind::CdKey2)
            continue;
        const std::optional<int> accepted = acceptedNumber(def, read.numbers[row]);
        // A value the control ignores leaves it as the load found it.
        taken.numbers[row] = accepted                               ? *accepted
                             : def.kind == KeyKind::WaitRetrace     ? now.numbers[row]
                             : def.name() == QLatin1String("SOUND") ? 1
                                                                    : 0;
    }
    return taken;
}

} // namespace quillset
