#pragma once
// The option buttons of one panel as one settings control: its value is the
// digit of the checked button, or none.

#include <QList>
#include <QWidget>

class QAbstractButton;
class QButtonGroup;

namespace quillset::ui {

class OptionGroup : public QWidget {
    Q_OBJECT
    // The settings binding reads, writes and watches this value; resetting
    // it (as clearing a control does) switches every button off.
    Q_PROPERTY(int value READ value WRITE setValue NOTIFY valueChanged RESET clear USER true)

public:
    static constexpr int kNone = -1;

    explicit OptionGroup(QWidget* parent = nullptr);

    // A button of the group (a child of this panel) and the digit it stands for.
    void addButton(QAbstractButton* button, int digit);

    // The digit of the checked button; kNone when none is.
    int value() const;
    // Checks the button of that digit; any other value switches every
    // button off.
    void setValue(int value);
    void clear() { setValue(kNone); }

signals:
    // Once per change of the value, after the buttons have settled.
    void valueChanged(int value);

private:
    void reportValue();

    QButtonGroup* buttons_;
    int reported_ = kNone;
};

// Makes a group of option buttons one Tab stop, at its checked button: Qt
// would enter the group at the button that had the focus last, or at the
// first one.
void keepTabOnCheckedButton(const QList<QAbstractButton*>& buttons);

} // namespace quillset::ui
