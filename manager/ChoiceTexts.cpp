#include "ChoiceTexts.h"

#include "model/ChipKind.h"

namespace mm {

namespace {
template <size_t N> QStringList Items(const std::array<const char*, N>& items) {
    QStringList list;
    for (const char* item : items)
        list << QString::fromUtf8(item);
    return list;
}
} // namespace

QStringList CommTypeItems() {
    return Items(kCommTypeItems);
}
QStringList IrChipItems() {
    return Items(kIrChipItems);
}
QStringList UsbChipItems() {
    return Items(kUsbChipItems);
}

} // namespace mm
