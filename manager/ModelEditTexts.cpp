#include "ModelEditTexts.h"

namespace mm {

QStringList CommTypeItems() {
    return {QStringLiteral("Ir Communicate"), QStringLiteral("USB for HID"),
            QStringLiteral("USB for Commport")};
}

QStringList IrChipItems() {
    return {QString::fromUtf8("R41/R41a/R40无音道下载"),
            QString::fromUtf8("R41/R41a/R40有音道下载"),
            QStringLiteral("R42"),
            QStringLiteral("R45"),
            QStringLiteral("Quorin Universal"),
            QStringLiteral("Other Universal"),
            QStringLiteral("RX90/R77"),
            QStringLiteral("Universal"),
            QStringLiteral("Universal"),
            QString::fromUtf8("9:R77万能"),
            QStringLiteral("Ble"),
            QStringLiteral("AC REMOTE"),
            QStringLiteral("RX91(8IN1)")};
}

QStringList UsbChipItems() {
    return {QString::fromUtf8("ZENTRA/万能+usb+红外"), QStringLiteral("R50/R73/USB")};
}

} // namespace mm
