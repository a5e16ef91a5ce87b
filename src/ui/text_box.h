#pragma once
// The program's text boxes: single-line boxes whose length limit, where they
// have one, only stops typing. Every file the program writes holds one value
// per line, and a value read from a file must come back whole.

#include <QLineEdit>
#include <QString>
#include <QValidator>

namespace quillset::ui {

// Keeps a box to one line, however text reaches it: typing, pasting, setText
// from code or a screen reader. Line breaks at the start are skipped, and the
// text up to the next line break is kept, as a classic single-line box does
// with a multi-line paste.
class SingleLineValidator : public QValidator {
    Q_OBJECT

public:
    SingleLineValidator(int typingLimit, QObject* parent);

    State validate(QString& input, int& pos) const override;

    // The most characters the user may type; 0 for no limit.
    int typingLimit() const { return typingLimit_; }
    void setTypingLimit(int limit) { typingLimit_ = limit; }

private:
    int typingLimit_;
};

// Sets a box's text from code. A text longer than the box's typing limit is
// kept whole; the limit only stops the user typing past it.
void setBoxText(QLineEdit* box, const QString& text);

// A single-line box with a typing limit (0: none) whose value, as the
// settings binding reads, writes and watches it, is its text; code sets it
// through setBoxText, so a file value comes back whole.
class TextBox : public QLineEdit {
    Q_OBJECT
    Q_PROPERTY(QString value READ text WRITE setValue NOTIFY valueChanged USER true)

public:
    TextBox(int typingLimit, QWidget* parent);

    void setValue(const QString& text) { setBoxText(this, text); }
    // Without a limit (0) the box takes text of any length, not only
    // QLineEdit's default 32,767 characters.
    void setTypingLimit(int typingLimit);

signals:
    // Whenever textChanged is.
    void valueChanged(const QString& text);

private:
    SingleLineValidator* validator_;
};

} // namespace quillset::ui
