#pragma once
// The titled frame of every window: its border runs through the middle of
// its caption, so the content may start right below the caption, where the
// layout tables place it. (Platform group boxes put the border below the
// caption and would cut through the first row of controls.)

#include <QGroupBox>

namespace quillset::ui {

class FrameBox : public QGroupBox {
    Q_OBJECT

public:
    using QGroupBox::QGroupBox;

    // Without its border only the caption shows; the Account window marks
    // the selected slot's frame with it.
    void setBorder(bool on);
    bool hasBorder() const { return border_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool border_ = true;
};

} // namespace quillset::ui
