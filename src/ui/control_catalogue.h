#pragma once
// The Options window as data: every frame, panel, control and menu item with
// its object name, kind, parent, German default texts and placement in twips.
// Generic builders turn these rows into widgets, so the window's look lives
// here and nowhere else; the values a control takes are its key's.

#include <span>
#include <string_view>

namespace quillset::ui {

enum class ControlKind {
    Frame,        // titled group box
    Panel,        // plain container inside a frame
    OptionGroup,  // panel of option buttons; value: the checked button's digit
    CheckBox,     // value 0, 1 or 2 (grayed)
    OptionButton, // one of the buttons of an option group, its parent
    Slider,       // horizontal, ticks below
    TextBox,      // single line
    Label,
    ScaleLabel, // number under a slider, drawn in the gray-text colour
    CommandButton,
};

// Positions and sizes in twips (1/1440 inch), relative to the parent.
struct TwipRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// How a slider moves; its range is its key's (settings/key_catalogue.h).
struct SliderSteps {
    int smallStep = 1;
    int largeStep = 1;
    int tickSpacing = 1;
};

struct ControlDef {
    std::string_view name{};
    ControlKind kind = ControlKind::Label;
    std::string_view parent{};  // empty: the window's client area
    std::string_view caption{}; // UTF-8 default text
    std::string_view toolTip{}; // UTF-8 default tooltip; empty: none
    std::string_view buddy{};   // labels: the slider or text box they name
    TwipRect rect{};
    // Text boxes that edit no settings key (a settings key's box takes its
    // key's typing limit): the most characters typed, 0 for no limit.
    int maxLength = 0;
    bool centred = false;
    bool wordWrap = false; // labels two lines high
    SliderSteps slider{};
    // A settings control: the catalogue row of the key it edits (an option
    // group's buttons, through their group); -1 for none.
    int key = -1;
    char digit = 0; // an option button: the digit of its key it stands for
};

struct MenuDef {
    std::string_view name{};
    std::string_view parent{};  // empty: a top-level menu of the menu bar
    std::string_view caption{}; // UTF-8 default text
    bool checkMark = false;     // carries a check mark
    bool checkedInDesign = false;
};

// The client area of the window, below the menu bar.
inline constexpr int kClientWidthTwips = 10305;
inline constexpr int kClientHeightTwips = 7680;

// Parents come before their children.
std::span<const ControlDef> controlCatalogue();
// The name of the control that edits a key (catalogue row); empty for a key
// no control edits (FONTPAGES, the CD keys).
std::string_view controlOfKey(int keyRow);
// Top-level menus each followed by their items, in display order.
std::span<const MenuDef> menuCatalogue();

// The order Tab visits the controls in: frame by frame in reading order (the
// frames beside each other left to right, a column of frames top to bottom),
// within a panel row by row. Every control that can take the focus stands in
// it once, each button of an option group too, although the group is one
// stop, at its checked button.
std::span<const std::string_view> tabOrder();
// The controls that advanced mode enables and normal mode greys out.
std::span<const std::string_view> advancedGroup();
// The volume sliders and their labels, which follow the sound switch.
std::span<const std::string_view> volumeGroup();

} // namespace quillset::ui
