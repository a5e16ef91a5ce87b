#include "ui/frame_box.h"

#include <QPainter>
#include <QStyle>
#include <algorithm>

namespace quillset::ui {

void FrameBox::setBorder(bool on) {
    if (border_ == on)
        return;
    border_ = on;
    update();
}

void FrameBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QFontMetrics metrics(font());
    if (border_) {
        // An etched line: dark, with a light line just inside it.
        const QRect outer = rect().adjusted(0, metrics.height() / 2, -2, -2);
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawRect(outer);
        painter.setPen(palette().color(QPalette::Light));
        painter.drawRect(outer.translated(1, 1));
    }
    if (title().isEmpty())
        return;
    const int textLeft = metrics.averageCharWidth();
    const QRect textRect(textLeft, 0,
                         std::min(metrics.horizontalAdvance(title()) + 4, width() - 2 * textLeft),
                         metrics.height());
    painter.fillRect(textRect, palette().color(backgroundRole()));
    style()->drawItemText(&painter, textRect.adjusted(2, 0, 0, 0),
                          Qt::AlignLeft | Qt::AlignTop | Qt::TextHideMnemonic, palette(),
                          isEnabled(), title(), QPalette::WindowText);
}

} // namespace quillset::ui
