#pragma once
// The Account window (Form2) as data: the slot table, and from it the flat
// list of every control with its object name, kind, parent, German design
// texts and place in twips. The window's builder is generic over that list.
//
// Object names: Qt needs a unique name per object, while the design has
// control arrays (Frame1, Label1, Label2 and the key rows). An element of an
// array is named "<array>_<index>": "Frame1_1" is the outer frame, "Frame1_0"
// the frame of slot 1, "Text2_0" .. "Text2_3" the Korrin key boxes of slot 1,
// "Label1_2" the Korrin label of slot 3. Controls that are no array keep their
// plain names ("Text1", "Option1", "Label6", "Picture1", "Command1").

#include "ui/control_catalogue.h"

#include <QString>
#include <QStringList>
#include <string_view>
#include <vector>

namespace quillset::ui {

inline constexpr std::string_view kAccountWindowObjectName = "Form2";
inline constexpr std::string_view kAccountWindowCaption = "Account Management";

// The client area in twips.
inline constexpr int kAccountClientWidthTwips = 6045;
inline constexpr int kAccountClientHeightTwips = 6690;

inline constexpr int kKeyBoxMaxLength = 5;

// The two CD keys of a slot, each shown as a row of four boxes.
enum class KeyRow { Korrin, Deepfall };

enum class AccountControlKind {
    Frame,     // titled frame, always with its border
    SlotFrame, // titled frame whose border marks the selected slot
    Panel,     // plain container
    OptionButton,
    TextBox, // single line
    KeyBox,  // single line, one group of a CD key, fixed-pitch
    Label,
    CommandButton,
};

struct AccountControlDef {
    QString name; // object name (array elements as "<array>_<index>")
    AccountControlKind kind;
    QString parent;    // empty: the window's client area
    QString caption;   // design text
    QString toolTip;   // design tooltip; empty: none
    TwipRect rect;     // relative to the parent
    int maxLength = 0; // text boxes: 0 means no limit
    QString buddy{};   // labels: the box they name (a key's first box)
};

// One slot as the design names its controls.
struct AccountSlotDef {
    int frameIndex; // element of the Frame1 array
    std::string_view frameCaption;
    int frameTop;            // in the outer frame
    std::string_view option; // in Picture1
    int optionTop;
    std::string_view nameBox;
    std::string_view korrinBoxes;   // control array 0..3
    std::string_view deepfallBoxes; // control array 0..3
    std::string_view nameLabel;
    int keyLabelIndex; // element of Label1 (Korrin) and Label2 (Deepfall)
};

// The object name of a control or of element `index` of a control array
// (index -1: no array).
QString accountControlName(QStringView control, int index = -1);

// Slot 1 to 4.
const AccountSlotDef& accountSlotDef(int slot);
QString slotFrameName(int slot);
QString optionButtonName(int slot);
QString nameBoxName(int slot);
QString keyBoxName(int slot, KeyRow row, int index);
// The label beside a row of key boxes.
QString keyLabelName(int slot, KeyRow row);

// Every control, parents before their children.
const std::vector<AccountControlDef>& accountWindowControls();

// Keyboard order: each slot's name box, its four Korrin boxes and its four
// Deepfall boxes, then Command1 and Command2. The option buttons follow, so
// the selection can still be changed from the keyboard.
QStringList accountWindowTabOrder();

} // namespace quillset::ui
