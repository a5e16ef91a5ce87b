#pragma once
// Builds widgets from the control and menu catalogues.

#include "ui/control_catalogue.h"

#include <QHash>
#include <QRect>
#include <QString>
#include <string_view>

class QAction;
class QFont;
class QMenu;
class QMenuBar;
class QWidget;

namespace quillset::ui {

// A name or text of the catalogues (UTF-8) as a QString.
QString fromCatalogue(std::string_view text);

// The built window's parts by object name.
struct WindowParts {
    QHash<QString, QWidget*> controls;
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
// area), with its default texts, each option button in its option group,
// each label's buddy, and Tab in the catalogue's tab order.
void buildControls(QWidget* client, const TwipScale& scale, WindowParts& parts);

// Creates the menus and their items in the menu bar. F10 opens the first
// menu; Alt alone selects the menu bar (the style's Alt navigation).
void buildMenus(QMenuBar* menuBar, WindowParts& parts);

} // namespace quillset::ui
