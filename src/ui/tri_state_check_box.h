#pragma once
// A check box with the game's three values: 0 off, 1 on, 2 grayed. A user's
// click only ever toggles between off and on (grayed goes to on); the grayed
// state comes only from code, when a settings file holds the value 2.

#include <QCheckBox>

namespace quillset::ui {

class TriStateCheckBox : public QCheckBox {
    Q_OBJECT
    // The settings binding reads, writes and watches this value.
    Q_PROPERTY(int value READ value WRITE setValue NOTIFY valueChanged USER true)

public:
    explicit TriStateCheckBox(QWidget* parent = nullptr);

    int value() const;
    // Values outside 0 to 2 are ignored.
    void setValue(int value);

signals:
    void valueChanged(int value);

protected:
    void nextCheckState() override;
};

} // namespace quillset::ui
