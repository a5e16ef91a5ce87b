#include "ui/account_window_layout.h"

#include <array>

namespace quillset::ui {

namespace {

using K = ControlKind;

QString text(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// One slot as the design names its controls.
struct SlotNames {
    std::string_view frame;
    std::string_view option;
    std::string_view nameBox;
    std::string_view korrinBoxes;   // control array 0..3
    std::string_view deepfallBoxes; // control array 0..3
    std::string_view nameLabel;
    int keyLabelIndex; // element of Label1 (Korrin) and Label2 (Deepfall)
};

// clang-format off
constexpr std::array<SlotNames, 4> kSlots{{
    {"Frame1_0", "Option1", "Text1",  "Text2",  "Text3",  "Label6", 0},
    {"Frame1_2", "Option2", "Text4",  "Text5",  "Text6",  "Label5", 1},
    {"Frame1_3", "Option3", "Text7",  "Text8",  "Text9",  "Label4", 2},
    {"Frame1_4", "Option4", "Text10", "Text11", "Text12", "Label3", 3},
}};

constexpr std::string_view kNameTip = "Account zum einloggen im Closed/Open";
constexpr std::string_view kKeyTip = "Je Feld fünf Zeichen des CD-Keys eingeben, ohne Bindestriche";

// Twips, relative to the parent. The slot frames are titled frames like the
// outer one; the window takes their borders off but for the selected slot's.
constexpr std::array<ControlDef, 12> kWindowControls{{
    {.name = "Frame1_1", .kind = K::Frame, .caption = "Account auswählen", .rect = {120, 120, 5895, 5655}},
    {.name = "Frame1_0", .kind = K::Frame, .parent = "Frame1_1", .caption = "Account 1", .rect = {600, 240, 5175, 1335}},
    {.name = "Frame1_2", .kind = K::Frame, .parent = "Frame1_1", .caption = "Account 2", .rect = {600, 1560, 5175, 1335}},
    {.name = "Frame1_3", .kind = K::Frame, .parent = "Frame1_1", .caption = "Account 3", .rect = {600, 2880, 5175, 1335}},
    {.name = "Frame1_4", .kind = K::Frame, .parent = "Frame1_1", .caption = "Account 4", .rect = {600, 4200, 5175, 1335}},
    {.name = "Command1", .kind = K::CommandButton, .caption = "Speichern", .rect = {1320, 5880, 1455, 615}},
    {.name = "Command2", .kind = K::CommandButton, .caption = "Beenden", .rect = {3240, 5880, 1455, 615}},
    {.name = "Picture1", .kind = K::Panel, .parent = "Frame1_1", .rect = {120, 240, 495, 5415}},
    {.name = "Option1", .kind = K::OptionButton, .parent = "Picture1", .rect = {120, 600, 255, 255}},
    {.name = "Option2", .kind = K::OptionButton, .parent = "Picture1", .rect = {120, 1920, 255, 255}},
    {.name = "Option3", .kind = K::OptionButton, .parent = "Picture1", .rect = {120, 3240, 255, 255}},
    {.name = "Option4", .kind = K::OptionButton, .parent = "Picture1", .rect = {120, 4560, 255, 255}},
}};

// Inside a slot frame: the name row, then the Korrin and the Deepfall key.
// Each box of a key takes five characters; the labels stand right of their rows.
constexpr std::array<ControlDef, 12> kSlotControls{{
    {.name = "name", .kind = K::TextBox, .toolTip = kNameTip, .rect = {120, 240, 3255, 285}},
    {.name = "nameLabel", .kind = K::Label, .caption = "Account name", .buddy = "name", .rect = {3540, 240, 1515, 285}},
    {.name = "korrin0", .kind = K::TextBox, .toolTip = kKeyTip, .rect = {120, 600, 735, 285}, .maxLength = 5},
    {.name = "korrin1", .kind = K::TextBox, .toolTip = kKeyTip, .rect = {960, 600, 735, 285}, .maxLength = 5},
    {.name = "korrin2", .kind = K::TextBox, .toolTip = kKeyTip, .rect = {1800, 600, 735, 285}, .maxLength = 5},
    {.name = "korrin3", .kind = K::TextBox, .toolTip = kKeyTip, .rect = {2640, 600, 735, 285}, .maxLength = 5},
    {.name = "korrinLabel", .kind = K::Label, .caption = "Korrin CD-Key", .buddy = "korrin0", .rect = {3540, 600, 1515, 285}},
    {.name = "deepfall0", .kind = K::TextBox, .toolTip = kKeyTip, .rect = {120, 960, 735, 285}, .maxLength = 5},
    {.name = "deepfall1", .kind = K::TextBox, .toolTip = kKeyTip, .rect = {960, 960, 735, 285}, .maxLength = 5},
    {.name = "deepfall2", .kind = K::TextBox, .toolTip = kKeyTip, .rect = {1800, 960, 735, 285}, .maxLength = 5},
    {.name = "deepfall3", .kind = K::TextBox, .toolTip = kKeyTip, .rect = {2640, 960, 735, 285}, .maxLength = 5},
    {.name = "deepfallLabel", .kind = K::Label, .caption = "Deepfall CD-Key", .buddy = "deepfall0", .rect = {3540, 960, 1515, 285}},
}};
// clang-format on

const SlotNames& slotNames(int slot) {
    Q_ASSERT(slot >= 1 && slot <= int(kSlots.size()));
    return kSlots[slot - 1];
}

} // namespace

std::span<const ControlDef> accountWindowControls() {
    return kWindowControls;
}

std::span<const ControlDef> accountSlotControls() {
    return kSlotControls;
}

QString slotControlName(int slot, std::string_view role) {
    if (role == "name")
        return nameBoxName(slot);
    if (role == "nameLabel")
        return text(slotNames(slot).nameLabel);
    for (const AccountBox row : kKeyRows) {
        const std::string_view prefix = row == AccountBox::KorrinKey ? "korrin" : "deepfall";
        if (!role.starts_with(prefix))
            continue;
        const std::string_view rest = role.substr(prefix.size());
        return rest == "Label" ? keyLabelName(slot, row) : keyBoxName(slot, row, rest[0] - '0');
    }
    Q_ASSERT_X(false, "slotControlName", "every role of the slot table has a name");
    return {};
}

QString accountControlName(QStringView control, int index) {
    if (index < 0)
        return control.toString();
    return control.toString() + QLatin1Char('_') + QString::number(index);
}

QString slotFrameName(int slot) {
    return text(slotNames(slot).frame);
}

QString optionButtonName(int slot) {
    return text(slotNames(slot).option);
}

QString nameBoxName(int slot) {
    return text(slotNames(slot).nameBox);
}

QString keyBoxName(int slot, AccountBox row, int index) {
    const SlotNames& names = slotNames(slot);
    return accountControlName(
        text(row == AccountBox::KorrinKey ? names.korrinBoxes : names.deepfallBoxes), index);
}

QString keyLabelName(int slot, AccountBox row) {
    return accountControlName(row == AccountBox::KorrinKey ? u"Label1" : u"Label2",
                              slotNames(slot).keyLabelIndex);
}

QStringList accountWindowTabOrder() {
    QStringList order;
    for (int slot = 1; slot <= int(kSlots.size()); ++slot) {
        order << nameBoxName(slot);
        for (const AccountBox row : kKeyRows)
            for (int i = 0; i < 4; ++i)
                order << keyBoxName(slot, row, i);
    }
    order << QStringLiteral("Command1") << QStringLiteral("Command2");
    for (int slot = 1; slot <= int(kSlots.size()); ++slot)
        order << optionButtonName(slot);
    return order;
}

} // namespace quillset::ui
