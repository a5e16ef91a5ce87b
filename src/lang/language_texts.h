#pragma once
// What the language file gives the program: texts for window controls, and
// the kept texts for questions, notices and dialog titles.

#include <QHash>
#include <QString>
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

// Where one kept text comes from: section name without brackets, entry number.
struct KeptTextId {
    const char* section;
    int entry;
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
    QString text(KeptTextId id) const { return text(QLatin1String(id.section), id.entry); }
    void setText(const QString& section, int entry, const QString& text) {
        texts_.insert(key(section, entry), text);
    }

private:
    static QString key(const QString& section, int entry) {
        return section + QLatin1Char('#') + QString::number(entry);
    }
    QHash<QString, QString> texts_;
};

} // namespace quillset
