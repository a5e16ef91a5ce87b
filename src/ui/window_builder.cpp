#include "ui/window_builder.h"

#include "ui/text_box.h"
#include "ui/tri_state_check_box.h"
#include "ui/widget_text.h"

#include <QAction>
#include <QButtonGroup>
#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QSlider>
#include <QStyle>
#include <QtMath>
#include <algorithm>
#include <climits>
#include <map>
#include <vector>

namespace quillset::ui {

namespace {

// Marks the numbers under a slider: they stand next to it but name nothing.
constexpr char kScaleLabelProperty[] = "quillsetScaleLabel";

// A titled frame whose border runs through the middle of its caption, so the
// content may start right below the caption, where the catalogue places it.
// (Platform group boxes put the border below the caption and would cut
// through the first row of controls.)
class FrameBox : public QGroupBox {
public:
    using QGroupBox::QGroupBox;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const QFontMetrics metrics(font());
        const int lineY = metrics.height() / 2;
        // An etched line: dark, with a light line just inside it.
        const QRect outer = rect().adjusted(0, lineY, -2, -2);
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawRect(outer);
        painter.setPen(palette().color(QPalette::Light));
        painter.drawRect(outer.translated(1, 1));

        if (title().isEmpty())
            return;
        const int textLeft = metrics.averageCharWidth();
        const QRect textRect(textLeft, 0,
                             std::min(metrics.horizontalAdvance(title()) + 4,
                                      width() - 2 * textLeft),
                             metrics.height());
        painter.fillRect(textRect, palette().color(backgroundRole()));
        style()->drawItemText(&painter, textRect.adjusted(2, 0, 0, 0),
                              Qt::AlignLeft | Qt::AlignTop | Qt::TextHideMnemonic, palette(),
                              isEnabled(), title(), QPalette::WindowText);
    }
};

QWidget* makeLabel(const ControlDef& def, QWidget* parent) {
    auto* label = new QLabel(parent);
    // Texts from the language file are shown as they are, never as markup.
    label->setTextFormat(Qt::PlainText);
    label->setAlignment((def.centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
    label->setWordWrap(def.wordWrap);
    return label;
}

QWidget* makeScaleLabel(const ControlDef& def, QWidget* parent) {
    QWidget* label = makeLabel(def, parent);
    // Scale numbers are drawn in the platform's gray-text colour, whether or
    // not the slider above them is enabled.
    QPalette palette = label->palette();
    const QColor gray = palette.color(QPalette::Disabled, QPalette::WindowText);
    palette.setColor(QPalette::Active, QPalette::WindowText, gray);
    palette.setColor(QPalette::Inactive, QPalette::WindowText, gray);
    label->setPalette(palette);
    label->setProperty(kScaleLabelProperty, true);
    return label;
}

QWidget* makeCommandButton(QWidget* parent) {
    auto* button = new QPushButton(parent);
    // Enter presses a button that has the focus, as Space does; outside a
    // dialog Qt leaves that off.
    button->setAutoDefault(true);
    return button;
}

QWidget* makeSlider(const ControlDef& def, QWidget* parent) {
    auto* slider = new QSlider(Qt::Horizontal, parent);
    slider->setRange(def.slider.min, def.slider.max);
    slider->setSingleStep(def.slider.smallStep);
    slider->setPageStep(def.slider.largeStep);
    slider->setTickPosition(QSlider::TicksBelow);
    slider->setTickInterval(def.slider.tickSpacing);
    slider->setValue(def.slider.min);
    return slider;
}

QWidget* makeTextBox(const ControlDef& def, QWidget* parent) {
    auto* box = new QLineEdit(parent);
    makeSingleLineBox(box, def.maxLength);
    if (def.centred)
        box->setAlignment(Qt::AlignHCenter);
    return box;
}

QWidget* makeWidget(const ControlDef& def, QWidget* parent) {
    switch (def.kind) {
    case ControlKind::Frame:
        return new FrameBox(parent);
    case ControlKind::Panel:
        return new QWidget(parent);
    case ControlKind::CheckBox:
        return new TriStateCheckBox(parent);
    case ControlKind::OptionButton:
        return new QRadioButton(parent);
    case ControlKind::Slider:
        return makeSlider(def, parent);
    case ControlKind::TextBox:
        return makeTextBox(def, parent);
    case ControlKind::Label:
        return makeLabel(def, parent);
    case ControlKind::ScaleLabel:
        return makeScaleLabel(def, parent);
    case ControlKind::CommandButton:
        return makeCommandButton(parent);
    }
    return new QWidget(parent);
}

// Option buttons exclude each other per panel. The group, not the buttons'
// own auto-exclusivity, does this, so code can switch a whole group off.
void addToGroup(const ControlDef& def, QWidget* widget, WindowParts& parts) {
    auto* button = qobject_cast<QRadioButton*>(widget);
    if (!button)
        return;
    const QString panelName = fromCatalogue(def.parent);
    QButtonGroup*& group = parts.optionGroups[panelName];
    if (!group) {
        group = new QButtonGroup(parts.controls.value(panelName));
        group->setObjectName(panelName + QLatin1String("Group"));
        group->setExclusive(true);
    }
    group->addButton(button);
    keepTabOnCheckedButton({button});
}

// --- Label beside a control ---------------------------------------------------

bool isScaleLabel(const QLabel* label) {
    return label->property(kScaleLabelProperty).toBool();
}

bool needsNamingLabel(const QWidget* widget) {
    return qobject_cast<const QLineEdit*>(widget) || qobject_cast<const QAbstractSlider*>(widget);
}

// Geometry in the parent, with exclusive right and bottom edges.
int rightEdge(const QRect& r) {
    return r.x() + r.width();
}
int bottomEdge(const QRect& r) {
    return r.y() + r.height();
}
int middleX(const QRect& r) {
    return r.x() + r.width() / 2;
}
int middleY(const QRect& r) {
    return r.y() + r.height() / 2;
}

QLabel* labelBeside(const QWidget* control) {
    const QRect c = control->geometry();
    QLabel* right = nullptr;
    QLabel* left = nullptr;
    QLabel* below = nullptr;
    int rightGap = INT_MAX;
    int leftGap = INT_MAX;
    int belowGap = INT_MAX;
    const QList<QLabel*> labels =
        control->parentWidget()->findChildren<QLabel*>(Qt::FindDirectChildrenOnly);
    for (QLabel* label : labels) {
        if (isScaleLabel(label))
            continue;
        const QRect l = label->geometry();
        // On the control's row: the label spans the control's middle line.
        // Labels two lines high start above their slider, so the edges
        // alone would put them on the next row as well.
        if (l.y() <= middleY(c) && middleY(c) < bottomEdge(l)) {
            if (middleX(l) > middleX(c) && l.x() - rightEdge(c) < rightGap) {
                right = label;
                rightGap = l.x() - rightEdge(c);
            } else if (middleX(l) < middleX(c) && c.x() - rightEdge(l) < leftGap) {
                left = label;
                leftGap = c.x() - rightEdge(l);
            }
        } else if (l.y() >= middleY(c) && l.x() < rightEdge(c) && c.x() < rightEdge(l)
                   && l.y() - bottomEdge(c) < belowGap) {
            below = label;
            belowGap = l.y() - bottomEdge(c);
        }
    }
    return right ? right : left ? left : below;
}

// --- Reading order ---------------------------------------------------------------

bool takesTabFocus(const QWidget* widget) {
    return (widget->focusPolicy() & Qt::TabFocus) == Qt::TabFocus;
}

bool holdsTabStop(const QWidget* widget) {
    const QList<QWidget*> inside = widget->findChildren<QWidget*>();
    return std::any_of(inside.begin(), inside.end(), [](const QWidget* w) {
        return !w->isWindow() && takesTabFocus(w);
    });
}

struct Placed {
    QWidget* widget;
    QRect rect;
};

// Cuts items into groups along one axis wherever no item spans the gap
// between two groups: bands (vertical) or columns (horizontal).
std::vector<std::vector<Placed>> cutAlong(std::vector<Placed> items, Qt::Orientation axis) {
    const auto start = [axis](const Placed& p) {
        return axis == Qt::Vertical ? p.rect.y() : p.rect.x();
    };
    const auto end = [axis](const Placed& p) {
        return axis == Qt::Vertical ? bottomEdge(p.rect) : rightEdge(p.rect);
    };
    std::stable_sort(items.begin(), items.end(),
                     [&](const Placed& a, const Placed& b) { return start(a) < start(b); });
    std::vector<std::vector<Placed>> groups;
    int reach = INT_MIN;
    for (const Placed& item : items) {
        if (groups.empty() || start(item) >= reach)
            groups.emplace_back();
        groups.back().push_back(item);
        reach = std::max(reach, end(item));
    }
    return groups;
}

void appendInReadingOrder(std::vector<Placed> items, std::vector<QWidget*>& out) {
    if (items.size() <= 1) {
        for (const Placed& item : items)
            out.push_back(item.widget);
        return;
    }
    for (const Qt::Orientation axis : {Qt::Vertical, Qt::Horizontal}) {
        std::vector<std::vector<Placed>> groups = cutAlong(items, axis);
        if (groups.size() > 1) {
            for (std::vector<Placed>& group : groups)
                appendInReadingOrder(std::move(group), out);
            return;
        }
    }
    // Overlapping items allow no cut: top to bottom, then left to right.
    std::stable_sort(items.begin(), items.end(), [](const Placed& a, const Placed& b) {
        return a.rect.y() != b.rect.y() ? a.rect.y() < b.rect.y() : a.rect.x() < b.rect.x();
    });
    for (const Placed& item : items)
        out.push_back(item.widget);
}

void collectReadingOrder(QWidget* container, QList<QWidget*>& out) {
    std::vector<Placed> items;
    const QList<QWidget*> children = container->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (QWidget* child : children) {
        if (!child->isWindow() && (takesTabFocus(child) || holdsTabStop(child)))
            items.push_back({child, child->geometry()});
    }
    std::vector<QWidget*> ordered;
    appendInReadingOrder(std::move(items), ordered);
    for (QWidget* widget : ordered) {
        if (takesTabFocus(widget))
            out.push_back(widget);
        collectReadingOrder(widget, out);
    }
}

} // namespace

QString fromCatalogue(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

TwipScale TwipScale::forWidget(const QWidget* widget) {
    return TwipScale(widget->logicalDpiX());
}

int TwipScale::pixels(int twips) const {
    return qRound(twips * pixelsPerTwip_);
}

QRect TwipScale::rect(const TwipRect& r) const {
    // Convert the edges, not the size, so neighbours that touch in twips
    // also touch in pixels.
    const int left = pixels(r.left);
    const int top = pixels(r.top);
    return QRect(left, top, pixels(r.left + r.width) - left, pixels(r.top + r.height) - top);
}

QFont optionsWindowFont(const QFont& base) {
    QFont font = base;
    font.setFamilies({QStringLiteral("Nimbus Sans"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("Arial"), QStringLiteral("Helvetica"), base.family()});
    font.setPointSizeF(8.0);
    return font;
}

void buildControls(QWidget* client, const TwipScale& scale, WindowParts& parts) {
    for (const ControlDef& def : controlCatalogue()) {
        QWidget* parent = def.parent.empty() ? client : parts.controls.value(fromCatalogue(def.parent));
        Q_ASSERT_X(parent, "buildControls", "a parent must come before its children");
        QWidget* widget = makeWidget(def, parent);
        const QString name = fromCatalogue(def.name);
        widget->setObjectName(name);
        widget->setGeometry(scale.rect(def.rect));
        setCaption(widget, fromCatalogue(def.caption));
        if (!def.toolTip.empty())
            setToolTip(widget, fromCatalogue(def.toolTip));
        parts.controls.insert(name, widget);
        addToGroup(def, widget, parts);
    }
    nameControlsByLabels(client);
    setReadingTabOrder(client);
}

void buildMenus(QMenuBar* menuBar, WindowParts& parts) {
    for (const MenuDef& def : menuCatalogue()) {
        const QString name = fromCatalogue(def.name);
        const QString text = fromCatalogue(def.caption);
        if (def.parent.empty()) {
            QMenu* menu = menuBar->addMenu(text);
            menu->setObjectName(name);
            parts.menus.insert(name, menu);
            continue;
        }
        QMenu* menu = parts.menus.value(fromCatalogue(def.parent));
        Q_ASSERT_X(menu, "buildMenus", "a menu must come before its items");
        QAction* action = menu->addAction(text);
        action->setObjectName(name);
        action->setCheckable(def.checkMark);
        action->setChecked(def.checkedInDesign);
        parts.menuItems.insert(name, action);
    }
    // The language files' captions carry no mnemonics, and adding '&' would
    // change what they show; F10 and Alt reach the menus instead.
    auto* f10 = new QShortcut(QKeySequence(Qt::Key_F10), menuBar);
    f10->setContext(Qt::WindowShortcut);
    QObject::connect(f10, &QShortcut::activated, menuBar, [menuBar] {
        const QList<QAction*> menus = menuBar->actions();
        if (!menus.isEmpty())
            menuBar->setActiveAction(menus.constFirst());
    });
}

void nameControlsByLabels(QWidget* root) {
    std::map<QLabel*, QList<QWidget*>> named;
    const QList<QWidget*> all = root->findChildren<QWidget*>();
    for (QWidget* widget : all) {
        if (!widget->isWindow() && needsNamingLabel(widget) && !accessibleNamer(widget)) {
            if (QLabel* label = labelBeside(widget))
                named[label].push_back(widget);
        }
    }
    for (auto& [label, controls] : named) {
        std::stable_sort(controls.begin(), controls.end(), [](const QWidget* a, const QWidget* b) {
            return a->x() < b->x();
        });
        const int count = int(controls.size());
        for (int i = 0; i < count; ++i)
            setAccessibleNamer(controls[i], label, i + 1, count);
    }
}

QList<QWidget*> readingOrder(QWidget* root) {
    QList<QWidget*> order;
    collectReadingOrder(root, order);
    return order;
}

void keepTabOnCheckedButton(const QList<QAbstractButton*>& buttons) {
    for (QAbstractButton* button : buttons) {
        QObject::connect(button, &QAbstractButton::toggled, button, [button](bool checked) {
            if (!checked)
                return;
            // The buttons that exclude this one: its group's, else its
            // auto-exclusive siblings.
            const QList<QAbstractButton*> others =
                button->group() ? button->group()->buttons()
                                : button->parentWidget()->findChildren<QAbstractButton*>(
                                      Qt::FindDirectChildrenOnly);
            for (QAbstractButton* other : others) {
                if (other == button || !other->isCheckable())
                    continue;
                if (button->group() || other->autoExclusive())
                    other->setFocusPolicy(Qt::FocusPolicy(other->focusPolicy() & ~Qt::TabFocus));
            }
            button->setFocusPolicy(Qt::FocusPolicy(button->focusPolicy() | Qt::TabFocus));
        });
    }
}

void setReadingTabOrder(QWidget* root) {
    const QList<QWidget*> order = readingOrder(root);
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

} // namespace quillset::ui
