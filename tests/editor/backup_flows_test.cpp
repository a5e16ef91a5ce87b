// The backup command's ways, one row each.

#include "editor/backup_command.h"
#include "game/settings_file.h"
#include "support/scripted_dialogs.h"
#include "test_support.h"

using namespace quillset;
using Answer = Dialogs::Answer;

namespace {

struct BackupCase {
    bool advanced;
    const char* cfg; // settings.cfg's bytes, settings.bck's; nullptr: missing
    const char* bck;
    std::vector<Answer> answers;
    std::vector<const char*> chosen; // file dialog results; "" cancels
    // What the user saw: messages and file dialog titles ("KEPT": the notice
    // that the existing backup stays); then every file in the folder, with its bytes.
    const char* shown;
    const char* files;
};

// clang-format off
const BackupCase kBackupCases[] = {
    {false, "new", "old", {}, {}, "notice", "mine=mine settings.bck=new settings.cfg=new"},
    {false, nullptr, nullptr, {}, {}, "nothing to back up", "mine=mine"},
    {false, nullptr, "old", {}, {}, "KEPT", "mine=mine settings.bck=old"},
    {true, nullptr, "old", {Answer::Yes}, {}, "replace?|KEPT", "mine=mine settings.bck=old"},
    {true, "new", "old", {Answer::Yes}, {}, "replace?|notice", "mine=mine settings.bck=new settings.cfg=new"},
    {true, "new", "old", {Answer::No}, {""}, "replace?|Backup in install folder", "mine=mine settings.bck=old settings.cfg=new"},
    {true, "new", "old", {Answer::No}, {"x.bck"}, "replace?|Backup in install folder|notice",
     "mine=mine settings.bck=old settings.cfg=new x.bck=new"},
    {true, "new", nullptr, {}, {}, "notice", "mine=mine settings.bck=new settings.cfg=new"},
    {true, nullptr, nullptr, {}, {"mine", "x.cfg"}, "pick source|pick target|notice", "mine=mine x.cfg=mine"},
    {true, nullptr, nullptr, {}, {"mine", ""}, "pick source|pick target", "mine=mine"},
    {true, nullptr, nullptr, {}, {""}, "pick source", "mine=mine"},
};
// clang-format on

QStringList filesIn(const QString& folder) {
    QStringList files;
    for (const QString& name : QDir(folder).entryList(QDir::Files))
        files << name + '=' + test::readBytes(folder + '/' + name);
    return files;
}

TEST(Backup, EveryWayThroughTheCommand) {
    test::ScriptedDialogs dialogs;
    EditorContext context(dialogs, {});
    LanguageLoad language;
    for (auto [section, entry, text] : {std::tuple{"Messages", 4, "notice"},
                                        {"Messages", 6, "replace?"},
                                        {"Messages", 7, "nothing to back up"},
                                        {"Captions", 4, "pick source"},
                                        {"Captions", 5, "pick target"}})
        language.table.setText(QLatin1String(section), entry, QLatin1String(text));
    context.setLanguage(language);
    for (const BackupCase& c : kBackupCases) {
        SCOPED_TRACE(c.shown);
        test::TempFolder dir;
        ASSERT_TRUE(test::writeBytes(dir.file(u"mine"_s), "mine"));
        ASSERT_TRUE(!c.cfg || test::writeBytes(dir.file(u"settings.cfg"_s), c.cfg));
        ASSERT_TRUE(!c.bck || test::writeBytes(dir.file(u"settings.bck"_s), c.bck));
        dialogs.shown.clear();
        for (Answer a : c.answers)
            dialogs.answer(a);
        for (const char* name : c.chosen)
            dialogs.choose(*name ? dir.file(QLatin1String(name)) : QString());
        context.setGame({dir.path(), {}});
        BackupCommand(context, SettingsFile()).run(c.advanced);

        QStringList shown;
        for (const auto& s : dialogs.shown) {
            const bool inInstallFolder = s.initialFolder == dir.path() + QDir::separator();
            shown << (s.text.endsWith("existing backup is kept."_L1) ? "KEPT"
                      : s.text.isEmpty() && inInstallFolder ? s.title + " in install folder"
                      : s.text.isEmpty() && s.initialFolder.isEmpty() ? s.title
                                                                      : s.text);
        }
        EXPECT_EQ(shown.join('|'), QLatin1String(c.shown));
        EXPECT_TRUE(dialogs.exhausted());
        EXPECT_EQ(filesIn(dir.path()).join(' '), QLatin1String(c.files));
    }
}

} // namespace
