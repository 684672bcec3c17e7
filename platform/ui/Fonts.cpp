#include "Fonts.h"

#include <QApplication>
#include <QFontDatabase>

namespace mm {

namespace {

constexpr char kFamily[] = "Tahoma";

bool TahomaAvailable() {
    static const bool available = [] {
        if (QFontDatabase::hasFamily(QString::fromLatin1(kFamily)))
            return true;
        bool added = false;
        for (const char* file :
             {"/usr/share/wine/fonts/tahoma.ttf", "/usr/share/wine/fonts/tahomabd.ttf"})
            added |= QFontDatabase::addApplicationFont(QString::fromLatin1(file)) >= 0;
        return added && QFontDatabase::hasFamily(QString::fromLatin1(kFamily));
    }();
    return available;
}

} // namespace

QFont WindowFont() {
    if (!TahomaAvailable())
        return QApplication::font();
    QFont font(QString::fromLatin1(kFamily));
    font.setPointSize(8);
    return font;
}

} // namespace mm
