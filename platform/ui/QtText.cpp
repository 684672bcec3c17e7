#include "QtText.h"

#include "platform/Gbk.h"

namespace mm {

QString QStringFromGbk(std::string_view bytes) {
    const std::u16string text = Utf16FromGbk(bytes, Undecodable::Preserve);
    return QString(reinterpret_cast<const QChar*>(text.data()),
                   static_cast<qsizetype>(text.size()));
}

std::string GbkFromQString(const QString& text) {
    return GbkFromUtf16(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                            static_cast<size_t>(text.size())));
}

QColor QColorFromBgr(int32_t color) {
    const uint32_t bits = static_cast<uint32_t>(color);
    return QColor(static_cast<int>(bits & 0xFF), static_cast<int>((bits >> 8) & 0xFF),
                  static_cast<int>((bits >> 16) & 0xFF));
}

int32_t BgrFromQColor(const QColor& color) {
    return static_cast<int32_t>(static_cast<uint32_t>(color.red()) |
                                static_cast<uint32_t>(color.green()) << 8 |
                                static_cast<uint32_t>(color.blue()) << 16);
}

} // namespace mm
