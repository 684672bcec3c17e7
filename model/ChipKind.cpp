#include "ChipKind.h"

#include <algorithm>

namespace mm {

int CommTypeItemIndex(uint8_t commType) {
    return commType < kCommTypeItems.size() ? commType : -1;
}

uint8_t CommTypeFromSelection(int selectedIndex, uint8_t previous) {
    if (selectedIndex < 0 || selectedIndex >= static_cast<int>(kCommTypeItems.size()))
        return previous;
    return static_cast<uint8_t>(selectedIndex);
}

int ChipGroupItemIndex(uint8_t commType, uint8_t chipKind) {
    const int last = IrChipGroupVisible(commType) ? static_cast<int>(kIrChipItems.size()) - 1
                                                  : static_cast<int>(kUsbChipItems.size()) - 1;
    return std::min<int>(chipKind, last);
}

uint8_t ChipKindFromSelection(int selectedIndex) {
    if (selectedIndex < 0 || selectedIndex > 255)
        return kNoChipKind;
    return static_cast<uint8_t>(selectedIndex);
}

const char* CodeTabCaption(int chipKind) {
    return IsFixedCodeKind(chipKind) ? "Fixed Code" : "Universal Code";
}

} // namespace mm
