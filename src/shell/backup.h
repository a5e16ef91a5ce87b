#pragma once
// The copy of settings.cfg kept as settings.bck, made at start-up and from
// the options menu.

#include <QString>

namespace quillset {

class Dialogs;
class LanguageTable;

struct BackupContext {
    Dialogs& dialogs;
    const LanguageTable& texts;
    QString installDir;          // ends with a separator
    QString currentSettingsPath; // initial folder of the file dialogs
};

// Shows the backup notice, then copies source over target. The copy replaces
// the target atomically; when it fails the user is told why and the target
// is left as it was. Returns whether the copy was made.
bool copyWithNotice(const BackupContext& context, const QString& source, const QString& target);

// The backup command. In advanced mode an existing backup is replaced only
// when the user agrees, and the user may pick source and target files; in
// normal mode the backup is replaced by a fresh copy. An existing backup is
// never given up when there is no settings file to copy.
void createBackup(const BackupContext& context, bool advancedMode);

} // namespace quillset
