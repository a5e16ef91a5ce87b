#include "ui/control_catalogue.h"

#include "ui/control_table.h"

#include <algorithm>
#include <array>

namespace quillset::ui {

namespace {

using namespace control_rows;
using K = ControlKind;

// clang-format off
constexpr std::string_view kTabOrder[] = {
    // Unsupported settings: the language box, the columns of check boxes,
    // then the buttons beside them.
    "Text1", "shheroinf", "logging", "compatvideo", "posinfo", "uncol", "sheni", "tskicons",
    "combslots", "oeffnen", "speichern", "exitbtn",
    // Chat and graphics side by side, then network and general settings.
    "ca", "cd", "cl", "fbs", "fullsc", "textd", "waitretrace",
    "lsa", "accname", "defplayername", "stdspn", "lp", "lport",
    "quake", "logf", "shmov", "netlogf", "laddexp", "hidekey", "shextro", "asa", "defskills",
    "ate", "warninglevel",
    // In-game options: the column of option groups, sound, then the rest.
    "Option1", "Option2", "Option3", "modem", "dsl", "Option4", "Option5", "Option6",
    "all", "goldunis", "gold",
    "sound", "musicvol", "sfxvol", "voicevol",
    "expmap", "zaa", "fontfilt", "fsa", "atmo", "vio", "mma", "dunkelheit",
};

constexpr std::string_view kAdvancedGroup[] = {
    "Text1",    "dunkelheit", "mma",     "ca",      "cd",     "cl",
    "warninglevel", "shheroinf", "posinfo", "tskicons", "logging", "uncol",
    "sheni",    "combslots",  "fbs",     "quake",   "ate",    "fontfilt",
    "zaa",      "waitretrace", "Label1", "Label2",  "Label3", "Label12",
    "Label5",   "Label16",
};

constexpr std::string_view kVolumeGroup[] = {
    "musicvol", "sfxvol", "voicevol", "Label6", "Label18", "Label19",
};


// --- What the builders and the binding take for granted -----------------------

constexpr const ControlDef* definedControl(std::string_view name) {
    for (const ControlDef& def : kControls) {
        if (def.name == name)
            return &def;
    }
    return nullptr;
}
// clang-format on

constexpr bool isKind(std::string_view name, ControlKind kind) {
    const ControlDef* def = definedControl(name);
    return def && def->kind == kind;
}

// The builder creates each control inside its parent and finds it by name.
constexpr bool namesAreUniqueAndParentsComeFirst() {
    return std::ranges::all_of(kControls, [](const ControlDef& def) {
        const ControlDef* parent = definedControl(def.parent);
        return std::ranges::count(kControls, def.name, &ControlDef::name) == 1 &&
               (def.parent.empty() || (parent && parent < &def));
    });
}
static_assert(namesAreUniqueAndParentsComeFirst(),
              "every control has a name of its own, and its parent comes before it");

constexpr bool optionButtonsSitInGroups() {
    return std::ranges::all_of(kControls, [](const ControlDef& def) {
        return def.kind != K::OptionButton || isKind(def.parent, K::OptionGroup);
    });
}
static_assert(optionButtonsSitInGroups(), "an option button's parent is its option group");

// Every key a control can edit has one control; an option group's buttons
// stand for its key's digits, each for one.
constexpr bool everyKeyHasOneControl() {
    for (int row = 0; row < kKeyCount; ++row) {
        const KeyDef& key = kCatalogue[row];
        const auto editsKey = [row](const ControlDef& def) { return def.key == row; };
        if (std::ranges::count_if(kControls, editsKey) != (key.isHeld() ? 0 : 1))
            return false;
        for (const char digit : key.choices()) {
            if (std::ranges::count_if(kControls, [&](const ControlDef& def) {
                    return def.digit == digit && definedControl(def.parent)->key == row;
                }) != 1)
                return false;
        }
    }
    return std::ranges::all_of(kControls, [](const ControlDef& def) {
        return def.kind != K::OptionButton || def.digit != 0;
    });
}
static_assert(everyKeyHasOneControl(), "each key a control edits has one, and each digit a button");

// Screen readers take a slider's or a text box's name from its buddy label,
// which Qt finds among the control's siblings.
constexpr bool everyUncaptionedControlHasOneBuddyBesideIt() {
    for (const ControlDef& label : kControls) {
        if (label.buddy.empty())
            continue;
        const ControlDef* control = definedControl(label.buddy);
        if (label.kind != K::Label || !control || control->parent != label.parent ||
            (control->kind != K::Slider && control->kind != K::TextBox))
            return false;
    }
    return std::ranges::all_of(kControls, [](const ControlDef& def) {
        return (def.kind != K::Slider && def.kind != K::TextBox) ||
               std::ranges::count(kControls, def.name, &ControlDef::buddy) == 1;
    });
}
static_assert(everyUncaptionedControlHasOneBuddyBesideIt(),
              "every slider and text box is the buddy of one label beside it");

constexpr bool takesFocus(ControlKind kind) {
    return kind == K::CheckBox || kind == K::OptionButton || kind == K::Slider ||
           kind == K::TextBox || kind == K::CommandButton;
}

constexpr bool tabOrderHoldsEveryControlOnce() {
    for (std::string_view name : kTabOrder) {
        const ControlDef* def = definedControl(name);
        if (!def || !takesFocus(def->kind))
            return false;
    }
    return std::ranges::all_of(kControls, [](const ControlDef& def) {
        return !takesFocus(def.kind) || std::ranges::count(kTabOrder, def.name) == 1;
    });
}
static_assert(tabOrderHoldsEveryControlOnce(),
              "the tab order lists every control that takes the focus, once");

constexpr bool namesControls(std::span<const std::string_view> names) {
    return std::ranges::all_of(names, [](std::string_view n) { return definedControl(n); });
}
static_assert(namesControls(kAdvancedGroup) && namesControls(kVolumeGroup),
              "the lists name controls of the catalogue");

} // namespace

std::span<const ControlDef> controlCatalogue() {
    return kControls;
}

std::string_view controlOfKey(int keyRow) {
    const auto* def = std::ranges::find(kControls, keyRow, &ControlDef::key);
    return def == std::end(kControls) ? std::string_view() : def->name;
}

std::span<const std::string_view> tabOrder() {
    return kTabOrder;
}

std::span<const std::string_view> advancedGroup() {
    return kAdvancedGroup;
}

std::span<const std::string_view> volumeGroup() {
    return kVolumeGroup;
}

} // namespace quillset::ui
