#pragma once
// Record text (GBK bytes) shown in and taken from widgets without losing a byte, and colours
// stored as 0x00BBGGRR.
#include <QColor>
#include <QString>
#include <cstdint>
#include <string>
#include <string_view>

namespace mm {

QString QStringFromGbk(std::string_view bytes);
std::string GbkFromQString(const QString& text);

QColor QColorFromBgr(int32_t color);
int32_t BgrFromQColor(const QColor& color);

} // namespace mm
