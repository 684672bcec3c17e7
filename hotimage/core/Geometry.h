#pragma once
// Points and rectangles of spot outlines in picture pixels. A rectangle ends one past its last
// pixel (Right and Bottom are exclusive), as every box of the hot-map formats does.
#include <QPoint>
#include <QRect>
#include <cstdint>

namespace mm {

struct TPoint {
    int32_t X = 0;
    int32_t Y = 0;
    friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TRect {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;
    friend bool operator==(const TRect&, const TRect&) = default;
};

inline QPoint ToQPoint(TPoint p) {
    return {p.X, p.Y};
}
inline TPoint FromQPoint(QPoint p) {
    return {p.x(), p.y()};
}

// Qt's rectangles name their last pixel; these two are the only place that converts.
QRect ToQRect(const TRect& r);
TRect FromQRect(const QRect& r);

// The same rectangle with Left <= Right and Top <= Bottom.
TRect Normalized(const TRect& r);

} // namespace mm
