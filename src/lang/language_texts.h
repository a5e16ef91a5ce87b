#pragma once
// What the language file gives the program: texts for window controls, and
// the kept texts for questions, notices and dialog titles.

#include <QHash>
#include <QString>
#include <utility>
#include <vector>

namespace quillset {

enum class TextProperty { Caption, ToolTip };

// One text to put on one control. window is the window's object name
// ("Form1", "Form2"); control is the control's object name; index is the
// element of a control array (the Account window's key boxes), -1 otherwise.
struct TextAssignment {
    QString window;
    QString control;
    int index = -1;
    TextProperty property = TextProperty::Caption;
    QString text;

    bool operator==(const TextAssignment&) const = default;
};

// Where one kept text comes from: section name without brackets, entry
// number. Entries added after the first language files were written carry a
// built-in English text for a file that lacks them.
struct KeptTextId {
    const char* section;
    int entry;
    const char* builtIn = nullptr;
};

// The kept texts the program uses, named by what they are for.
namespace kept {
inline constexpr KeptTextId saveDialogTitle{"Captions", 1};
inline constexpr KeptTextId openDialogTitle{"Captions", 2};
inline constexpr KeptTextId exitQuestionTitle{"Captions", 3}; // ends with one blank
inline constexpr KeptTextId backupSourceDialogTitle{"Captions", 4};
inline constexpr KeptTextId backupTargetDialogTitle{"Captions", 5};
inline constexpr KeptTextId settingsNotFoundQuestion{"Messages", 1};
inline constexpr KeptTextId unsavedChangesQuestion{"Messages", 2};
inline constexpr KeptTextId notSettingsFileNotice{"Messages", 3};
inline constexpr KeptTextId backupNotice{"Messages", 4};
inline constexpr KeptTextId standardSettingsQuestion{"Messages", 5};
inline constexpr KeptTextId replaceBackupQuestion{"Messages", 6};
inline constexpr KeptTextId nothingToBackUpNotice{"Messages", 7};
inline constexpr KeptTextId saveOverCurrentQuestion{"Messages",
                                                    9}; // the path follows after a blank
inline constexpr KeptTextId standardLanguage{"GUI", 14};
inline constexpr KeptTextId standardLobbyServer{"GUI", 15};

// Added later. %1, %2, %3: paths, keys, values or reasons, as each says.
inline constexpr KeptTextId unreadableOnDiskQuestion{
    "Messages", 10,
    "%1 was changed by another program and cannot be read now. Overwrite it with the settings "
    "shown here?"};
inline constexpr KeptTextId conflictQuestion{
    "Messages", 11, "Another program changed settings that you changed too:"};
inline constexpr KeptTextId conflictLine{"Messages", 12, "%1: yours %2, in the file %3"};
inline constexpr KeptTextId conflictAnswers{
    "Messages", 13, "Yes keeps your values, No takes the file's, Cancel saves nothing."};
inline constexpr KeptTextId noValue{"Messages", 14, "(none)"};
inline constexpr KeptTextId gameRunningQuestion{
    "Messages", 15,
    "The game is running (%1) and may write its own settings when it quits, undoing these "
    "changes. Save anyway?"};
inline constexpr KeptTextId saveFailedNotice{
    "Messages", 16, "The settings were not saved: %1 could not be written (%2)."};
inline constexpr KeptTextId changesKeptNotice{
    "Messages", 17, "Your changes are still shown and marked as unsaved."};
inline constexpr KeptTextId loadFailedNotice{"Messages", 18,
                                             "The settings file could not be read:"};
inline constexpr KeptTextId backupFailedNotice{
    "Messages", 19, "The backup was not made: %1 could not be copied to %2 (%3)."};
inline constexpr KeptTextId backupKeptNotice{
    "Messages", 20, "There is no %1 to back up. The existing backup is kept."};
inline constexpr KeptTextId accountsFailedNotice{
    "Messages", 21, "The accounts were not saved: %1 could not be written (%2)."};
inline constexpr KeptTextId lineBreakRefused{
    "Messages", 22, "The value of %1 holds a line break, which a settings file cannot store."};
inline constexpr KeptTextId characterRefused{
    "Messages", 23, "The value of %1 holds characters that a settings file cannot store."};
inline constexpr KeptTextId styleBothExistNotice{
    "Messages", 24,
    "Both %1 and %2 exist. Remove one of them; neither is renamed, so that no file is "
    "replaced."};
inline constexpr KeptTextId styleRenameFailedNotice{
    "Messages", 25, "The visual style could not be switched: %1 could not be renamed."};
inline constexpr KeptTextId styleNotKeptNotice{
    "Messages", 26, "Your choice of look could not be kept: %1 could not be written (%2)."};

// Every entry added later, in entry order.
inline constexpr KeptTextId kAddedLater[] = {
    unreadableOnDiskQuestion, conflictQuestion,  conflictLine,
    conflictAnswers,          noValue,           gameRunningQuestion,
    saveFailedNotice,         changesKeptNotice, loadFailedNotice,
    backupFailedNotice,       backupKeptNotice,  accountsFailedNotice,
    lineBreakRefused,         characterRefused,  styleBothExistNotice,
    styleRenameFailedNotice,  styleNotKeptNotice};
} // namespace kept

// Kept texts, addressed as entry n of a section (entry 1 is the line right
// after the section's header). Sections are named WITHOUT their brackets:
// text("Messages", 2), not text("[Messages]", 2). A text the file did not
// supply is empty.
class LanguageTable {
public:
    QString text(const QString& section, int entry) const {
        return texts_.value(key(section, entry));
    }
    // An entry added later that the file lacks, or left empty, gives its
    // built-in text.
    QString text(KeptTextId id) const {
        const QString supplied = text(QLatin1String(id.section), id.entry);
        return supplied.isEmpty() && id.builtIn ? QString::fromUtf8(id.builtIn) : supplied;
    }
    void setText(const QString& section, int entry, const QString& text) {
        texts_.insert(key(section, entry), text);
    }

private:
    // A pair, not one joined string: a load stores some hundred texts.
    static std::pair<QString, int> key(const QString& section, int entry) {
        return {section, entry};
    }
    QHash<std::pair<QString, int>, QString> texts_;
};

} // namespace quillset
