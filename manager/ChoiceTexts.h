#pragma once
// Item texts of the window's fixed lists.
#include <QStringList>

namespace mm {

QStringList CommTypeItems();
QStringList IrChipItems();
QStringList UsbChipItems();

} // namespace mm
