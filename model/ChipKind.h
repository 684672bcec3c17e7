#pragma once
// Communication type and chip kind: the items the window offers for them, and the rules that
// decide which chip group and which code tabs are shown.
#include <array>
#include <cstdint>

namespace mm {

// Items of the communication drop-down; the index is CommType.
inline constexpr std::array<const char*, 3> kCommTypeItems = {
    "Ir Communicate",
    "USB for HID",
    "USB for Commport",
};

// Items of the IR chip group (CommType 0), two columns; the index is ChipKind.
inline constexpr std::array<const char*, 13> kIrChipItems = {
    "R41/R41a/R40无音道下载",
    "R41/R41a/R40有音道下载",
    "R42",
    "R45",
    "Quorin Universal",
    "Other Universal",
    "RX90/R77",
    "Universal",
    "Universal",
    "9:R77万能",
    "Ble",
    "AC REMOTE",
    "RX91(8IN1)",
};

// Items of the USB chip group (any other CommType), one column; the index is ChipKind.
inline constexpr std::array<const char*, 2> kUsbChipItems = {
    "ZENTRA/万能+usb+红外",
    "R50/R73/USB",
};

inline constexpr char kChipGroupCaption[] = "Quorin Chip Model";
inline constexpr int kIrChipGroupColumns = 2;
inline constexpr int kUsbChipGroupColumns = 1;

inline constexpr uint8_t kFixedCodeChipKind = 3;
inline constexpr uint8_t kNoChipKind = 255;

// Kind 3 keeps a fixed-code text behind the picture.
inline bool IsFixedCodeKind(int chipKind) {
    return chipKind == kFixedCodeChipKind;
}

// Kinds 4 to 9 keep universal codes and protocol numbers behind the picture.
inline bool IsUniversalKind(int chipKind) {
    return chipKind >= 4 && chipKind <= 9;
}

// Showing a model: both code tabs are shown exactly for kinds 3 to 9.
inline bool CodeTabsVisibleForKind(int chipKind) {
    return IsFixedCodeKind(chipKind) || IsUniversalKind(chipKind);
}

// The chip groups' click rule: both code tabs are shown exactly when the IR chip group's
// selected index is 3 or more (-1, no selection, hides them), whichever group changed.
inline bool CodeTabsVisibleForIrSelection(int irSelectedIndex) {
    return irSelectedIndex >= 3;
}

// The IR chip group is shown exactly when the drop-down's selected index is 0, the USB chip
// group exactly when it is not.
inline bool IrChipGroupVisible(int commTypeIndex) {
    return commTypeIndex == 0;
}

// The drop-down index that shows a stored CommType: -1 (no selection) beyond its items.
int CommTypeItemIndex(uint8_t commType);

// CommType stored from the drop-down. Without a selection (a stored value beyond the items)
// the record keeps the value it had, so showing and storing a model never changes it.
uint8_t CommTypeFromSelection(int selectedIndex, uint8_t previous);

// The item to select for a stored ChipKind in the group of the stored CommType: a value
// beyond the group's last item selects the last item (255 included).
int ChipGroupItemIndex(uint8_t commType, uint8_t chipKind);

// ChipKind stored from the selected index of the group; 255 when nothing is selected.
uint8_t ChipKindFromSelection(int selectedIndex);

// Caption of the first code tab: "Fixed Code" for kind 3, else "Universal Code".
const char* CodeTabCaption(int chipKind);

inline constexpr char kProtocolTabCaption[] = "Universal protocol";

} // namespace mm
