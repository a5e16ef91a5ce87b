#pragma once
// The Account window as data, in the Options window's table format:
// the window's own controls with the four slot frames at their places, and
// the content of one slot frame, built into each of the four.
//
// Object names: Qt needs a unique name per object, while the design has
// control arrays (Frame1, Label1, Label2 and the key rows). An element of an
// array is named "<array>_<index>": "Frame1_1" is the outer frame, "Frame1_0"
// the frame of slot 1, "Text2_0" .. "Text2_3" the Korrin key boxes of slot 1,
// "Label1_2" the Korrin label of slot 3. Controls that are no array keep their
// plain names ("Text1", "Option1", "Label6", "Picture1", "Command1").

#include "accounts/account_store.h"
#include "ui/control_catalogue.h"

#include <QString>
#include <QStringList>
#include <array>
#include <span>
#include <string_view>

namespace quillset::ui {

inline constexpr std::string_view kAccountWindowCaption = "Account Management";

// The client area in twips.
inline constexpr int kAccountClientWidthTwips = 6045;
inline constexpr int kAccountClientHeightTwips = 6690;

// The two CD keys of a slot, each shown as a row of four boxes.
inline constexpr std::array<AccountBox, 2> kKeyRows{AccountBox::KorrinKey, AccountBox::DeepfallKey};

// The window's controls around the slots, parents before their children.
std::span<const ControlDef> accountWindowControls();
// What every slot frame holds, named by role ("name", "korrin0",
// "korrinLabel", ...); slotControlName gives each its object name.
std::span<const ControlDef> accountSlotControls();
QString slotControlName(int slot, std::string_view role);

// The object name of a control or of element `index` of a control array
// (index -1: no array).
QString accountControlName(QStringView control, int index = -1);

// Slot 1 to 4.
QString slotFrameName(int slot);
QString optionButtonName(int slot);
QString nameBoxName(int slot);
QString keyBoxName(int slot, AccountBox row, int index);
// The label beside a row of key boxes.
QString keyLabelName(int slot, AccountBox row);

// Keyboard order: each slot's name box, its four Korrin boxes and its four
// Deepfall boxes, then Command1 and Command2. The option buttons follow, so
// the selection can still be changed from the keyboard.
QStringList accountWindowTabOrder();

} // namespace quillset::ui
