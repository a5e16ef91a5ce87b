#pragma once
// Builds widgets from the control and menu catalogues.

#include "ui/control_catalogue.h"

#include <QHash>
#include <QRect>
#include <QString>
#include <QStringList>
#include <functional>
#include <span>
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
// gives, on the platform's sans-serif face. A TrueType face first (it loads
// in half the time of an OpenType one with the same widths), and unhinted:
// at this size hinting is most of the cost of the first painted frame.
QFont optionsWindowFont(const QFont& base);

// The object name of the control a table row (or its parent or buddy) names.
using ControlNaming = std::function<QString(std::string_view)>;

// Creates `controls` under `client` (parents before their children; no
// parent: client itself), with their default texts, each option button of an
// option group in that group and each label's buddy. They go into parts by
// the object names `naming` gives.
void buildControls(QWidget* client, const TwipScale& scale, std::span<const ControlDef> controls,
                   WindowParts& parts, const ControlNaming& naming);

// Every control of the Options window's catalogue under `client` (its client
// area), with Tab in the catalogue's tab order.
void buildControls(QWidget* client, const TwipScale& scale, WindowParts& parts);

// Tab visits the named controls in this order.
void setTabOrder(const WindowParts& parts, const QStringList& order);

// Creates the menus and their items in the menu bar. F10 opens the first
// menu; Alt alone selects the menu bar (the style's Alt navigation).
void buildMenus(QMenuBar* menuBar, WindowParts& parts);

} // namespace quillset::ui
