#pragma once
// Builds widgets from the control and menu catalogues.

#include "ui/control_catalogue.h"

#include <QHash>
#include <QList>
#include <QRect>
#include <QString>
#include <string_view>

class QAbstractButton;
class QAction;
class QFont;
class QButtonGroup;
class QMenu;
class QMenuBar;
class QWidget;

namespace quillset::ui {

// A name or text of the catalogues (UTF-8) as a QString.
QString fromCatalogue(std::string_view text);

// The built window's parts by object name.
struct WindowParts {
    QHash<QString, QWidget*> controls;
    QHash<QString, QButtonGroup*> optionGroups; // by panel name
    QHash<QString, QMenu*> menus;
    QHash<QString, QAction*> menuItems;
};

// Twips are device independent: 15 to a pixel at 96 dpi, more pixels on a
// screen with a higher logical dpi.
class TwipScale {
public:
    explicit TwipScale(double logicalDpi) : pixelsPerTwip_(logicalDpi / 1440.0) {}
    static TwipScale forWidget(const QWidget* widget);

    int pixels(int twips) const;
    QRect rect(const TwipRect& rect) const;

private:
    double pixelsPerTwip_;
};

// The font of the window's controls: small enough that every text of the
// design and of the shipped language files fits the places the catalogue
// gives, on the platform's sans-serif face.
QFont optionsWindowFont(const QFont& base);

// Creates every control of the catalogue under `client` (the window's client
// area), with its default texts, and groups the option buttons per panel.
// Sliders and text boxes are named by the labels beside them, and Tab
// follows the reading order.
void buildControls(QWidget* client, const TwipScale& scale, WindowParts& parts);

// Creates the menus and their items in the menu bar. F10 opens the first
// menu; Alt alone selects the menu bar (the style's Alt navigation).
void buildMenus(QMenuBar* menuBar, WindowParts& parts);

// --- Keyboard and assistive technology, generic over any widget tree ------

// Names every slider and text box under `root` after the label beside it
// (setAccessibleNamer): among the labels on its row, the nearest one to its
// right, else the nearest one to its left; with none on its row, the nearest
// label below it. Scale labels (the numbers under a slider) name nothing.
// Controls that share a label are numbered left to right.
void nameControlsByLabels(QWidget* root);

// The controls under `root` that Tab stops at, in reading order: at every
// level the children are cut into bands from top to bottom and each band
// into columns from left to right, as far as the gaps between them allow.
// So a frame's controls are visited together, frames side by side left to
// right, and a column of frames from top to bottom before the next column.
QList<QWidget*> readingOrder(QWidget* root);

// Makes Tab visit the controls under `root` in readingOrder(root).
void setReadingTabOrder(QWidget* root);

// Makes a group of option buttons one Tab stop, at its checked button: Qt
// would enter the group at the button that had the focus last, or at the
// first one.
void keepTabOnCheckedButton(const QList<QAbstractButton*>& buttons);

} // namespace quillset::ui
