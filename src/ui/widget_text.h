#pragma once
// Captions and tooltips set by name-independent code: the language texts, the
// start-up heading and the About text all go through here.

#include <QString>

class QObject;

namespace quillset::ui {

// Caption of a frame, label, button or menu entry. Labels keep the caption
// exactly as given (carriage returns included) and show each carriage
// return as a line break.
void setCaption(QObject* target, const QString& text);
QString caption(const QObject* target);

void setToolTip(QObject* target, const QString& text);

} // namespace quillset::ui
