#pragma once
// The About window (Form4): program title, credits, version, thanks, a banner
// and our web address. OK hides it; its close box destroys it.

#include <QStringList>
#include <QWidget>

namespace quillset::ui {

class AboutWindow : public QWidget {
    Q_OBJECT

public:
    // A tool window owned by `owner`, modeless; deletes itself when closed.
    explicit AboutWindow(QWidget* owner);

    // The About text's lines, in order; the version line is line 3.
    static QStringList aboutLines();
    // "Version" followed by the major, minor and revision numbers, each
    // written with the place of its sign: "Version  2. 6. 0".
    static QString versionLine(int major, int minor, int revision);

private:
    void fillAboutText();
    void dismiss();
};

} // namespace quillset::ui
