#pragma once
// Captions and tooltips set by name-independent code: the language texts, the
// start-up heading and the About text all go through here. Every caption and
// tooltip set here also becomes the accessible name and description that
// screen readers announce, so those follow the language file by themselves.

#include "lang/language_texts.h"

#include <QString>
#include <functional>
#include <span>

class QLabel;
class QObject;
class QWidget;

namespace quillset::ui {

// Caption of a frame, label, button or menu entry. Labels keep the caption
// exactly as given (carriage returns included) and show each carriage
// return as a line break.
void setCaption(QObject* target, const QString& text);
QString caption(const QObject* target);

// The tooltip; for a widget also its accessible description.
void setToolTip(QObject* target, const QString& text);

// Makes `control` (a slider, a text box: no caption of its own) the label's
// buddy. The label's shortcut then moves the focus to it, and screen readers
// hear it by the label's caption and, without a tooltip of its own, describe
// it by the label's; both follow every later caption or tooltip change.
void setBuddy(QLabel* label, QWidget* control);

// Names a control that no buddy label names by another widget's caption:
// the frame an option button selects, or a label several controls share
// (the four boxes of a CD key, `part` of `parts`). Its accessible
// description is its own tooltip, else the namer's. The name follows every
// later caption change of the namer.
void setAccessibleNamer(QWidget* control, QWidget* namer, int part = 0, int parts = 0);

// The language texts meant for `window`, each set on the object `find`
// returns for it; a text whose control `find` does not know (null) is ignored.
void applyTexts(std::span<const TextAssignment> texts, const QString& window,
                const std::function<QObject*(const TextAssignment&)>& find);

// A number as a slider's tooltip and the version line show it: a blank (or
// a minus) for the sign, then the digits.
QString signedNumber(int value);

// A caption as one line for speech: line breaks become blanks and blanks at
// either end go.
QString spokenText(const QString& caption);

} // namespace quillset::ui
