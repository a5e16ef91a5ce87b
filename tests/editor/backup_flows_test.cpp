// The backup command's ways, one row each.

#include "editor_fixture.h"

namespace quillset::test {
namespace {

struct BackupCase {
    bool advanced;
    const char *cfg, *bck; // settings.cfg's bytes, settings.bck's; nullptr: missing
    std::vector<Answer> answers;
    std::vector<const char*> chosen; // file dialog results; "" cancels
    // What the user saw: the kept texts shown (M4: the notice before a copy,
    // M6: replace the backup?, M7: nothing to back up, M20: no settings file,
    // the backup kept; C4, C5: the pickers of source and target) and the
    // titles of the program's own file dialogs; then every file in the
    // folder, with its bytes.
    const char* shown;
    const char* files;
};

// clang-format off
const BackupCase kBackupCases[] = {
    {false, "new", "old", {}, {}, "M4", "mine=mine settings.bck=new settings.cfg=new"},
    {false, nullptr, nullptr, {}, {}, "M7", "mine=mine"},
    {false, nullptr, "old", {}, {}, "M20", "mine=mine settings.bck=old"},
    {true, nullptr, "old", {Answer::Yes}, {}, "M6|M20", "mine=mine settings.bck=old"},
    {true, "new", "old", {Answer::Yes}, {}, "M6|M4", "mine=mine settings.bck=new settings.cfg=new"},
    {true, "new", "old", {Answer::No}, {""}, "M6|Backup in install folder", "mine=mine settings.bck=old settings.cfg=new"},
    {true, "new", "old", {Answer::No}, {"x.bck"}, "M6|Backup in install folder|M4",
     "mine=mine settings.bck=old settings.cfg=new x.bck=new"},
    {true, "new", nullptr, {}, {}, "M4", "mine=mine settings.bck=new settings.cfg=new"},
    {true, nullptr, nullptr, {}, {"mine", "x.cfg"}, "C4|C5|M4", "mine=mine x.cfg=mine"},
    {true, nullptr, nullptr, {}, {"mine", ""}, "C4|C5", "mine=mine"},
    {true, nullptr, nullptr, {}, {""}, "C4", "mine=mine"},
};
// clang-format on

TEST(Backup, EveryWayThroughTheCommand) {
    ScriptedDialogs dialogs;
    EditorContext context(dialogs, {});
    context.setLanguage(loadLanguageText(languageFile()));
    for (const BackupCase& c : kBackupCases) {
        SCOPED_TRACE(c.shown);
        TempFolder dir;
        ASSERT_TRUE(writeBytes(dir.file(u"mine"_s), "mine"));
        ASSERT_TRUE(!c.cfg || writeBytes(dir.file(u"settings.cfg"_s), c.cfg));
        ASSERT_TRUE(!c.bck || writeBytes(dir.file(u"settings.bck"_s), c.bck));
        dialogs.shown.clear();
        for (Answer a : c.answers)
            dialogs.answer(a);
        for (const char* name : c.chosen)
            dialogs.choose(*name ? dir.file(QLatin1String(name)) : QString());
        context.setGame({dir.path(), {}});
        BackupCommand(context, SettingsFile()).run(c.advanced);

        // A kept text by its name (M20 names the missing file); the program's
        // own file dialog opens in the install folder, the pickers where no
        // file is current.
        const QString cfg = QDir::toNativeSeparators(dir.file(u"settings.cfg"_s));
        QStringList shown;
        for (const auto& s : dialogs.shown) {
            const bool inInstallFolder = s.initialFolder == dir.path() + QDir::separator();
            shown << (s.text == "M20 " + cfg + " %2 %3" ? u"M20"_s
                      : !s.text.isEmpty()               ? s.text
                      : inInstallFolder                 ? s.title + " in install folder"
                      : s.initialFolder.isEmpty()       ? s.title
                                                        : QString());
        }
        EXPECT_EQ(shown.join('|'), QLatin1String(c.shown));
        EXPECT_TRUE(dialogs.exhausted());
        QStringList files;
        for (const QString& name : QDir(dir.path()).entryList(QDir::Files))
            files << name + '=' + readBytes(dir.file(name));
        EXPECT_EQ(files.join(' '), QLatin1String(c.files));
    }
}

} // namespace
} // namespace quillset::test
