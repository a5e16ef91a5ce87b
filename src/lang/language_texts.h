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

// Kept texts, addressed as entry n of a section (entry 1 is the line right
// after the section's header). A text the file did not supply is empty.
class LanguageTable {
public:
    QString text(const QString& section, int entry) const {
        return texts_.value(key(section, entry));
    }
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
