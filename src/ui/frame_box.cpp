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

namespace {

// What drawRect draws with a one-pixel pen (the rectangle's size plus one),
// as four fills: the raster engine fills far faster than it strokes, and the
// window has a dozen frames to draw before it first shows.
void outline(QPainter& painter, const QRect& r, const QColor& color) {
    const int w = r.width() + 1, h = r.height() + 1;
    painter.fillRect(r.x(), r.y(), w, 1, color);
    painter.fillRect(r.x(), r.y() + h - 1, w, 1, color);
    painter.fillRect(r.x(), r.y(), 1, h, color);
    painter.fillRect(r.x() + w - 1, r.y(), 1, h, color);
}

} // namespace

void FrameBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QFontMetrics metrics(font());
    if (border_) {
        // An etched line: dark, with a light line just inside it.
        const QRect outer = rect().adjusted(0, metrics.height() / 2, -2, -2);
        outline(painter, outer, palette().color(QPalette::Mid));
        outline(painter, outer.translated(1, 1), palette().color(QPalette::Light));
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
