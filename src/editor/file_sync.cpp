#include "editor/file_sync.h"

#include "editor/account_session.h"
#include "editor/settings_session.h"
#include "game/settings_file.h"
#include "io/file_watch.h"

#include <QDir>

namespace quillset {

FileSync::FileSync(EditorContext& context, SettingsSession& settings, SettingsFile& current,
                   const AccountSession& accounts)
    : context_(context), settings_(settings), current_(current), accounts_(accounts) {}

void FileSync::follow(const QString& path) {
    if (watch_)
        watch_->watch(path);
}

void FileSync::stoppedAsking() {
    if (pending_ && !context_.isAsking() && !accounts_.isWindowShown())
        fileChanged();
}

void FileSync::fileChanged() {
    pending_ = context_.isAsking() || accounts_.isWindowShown();
    const std::optional<SettingsContent>& base = current_.base();
    if (pending_ || settings_.isChanged() || !base)
        return;
    const SettingsFileRead now = current_.readNow();
    if (now.state != SettingsFileRead::State::Settings || now.bytes == base->bytes)
        return;
    context_.log(QStringLiteral("Form -> %1 was changed by another program: loading it again")
                     .arg(QDir::toNativeSeparators(current_.path())));
    // Read once more for the trace of a load.
    settings_.loadValues(
        readSettings(now.bytes, base->values.fontPagesValue, &context_.debugLog()),
        current_.path());
    settings_.clearMark();
    current_.adopt(now);
}

} // namespace quillset
