#include "Geometry.h"

#include <algorithm>

namespace mm {

namespace {

// Coordinates one past the edge wrap as the 32-bit values they are stored in.
int32_t Shifted(int32_t value, int delta) {
    return static_cast<int32_t>(static_cast<int64_t>(value) + delta);
}

} // namespace

QRect ToQRect(const TRect& r) {
    return {QPoint(r.Left, r.Top), QPoint(Shifted(r.Right, -1), Shifted(r.Bottom, -1))};
}

TRect FromQRect(const QRect& r) {
    return {r.left(), r.top(), Shifted(r.right(), 1), Shifted(r.bottom(), 1)};
}

TRect Normalized(const TRect& r) {
    return {std::min(r.Left, r.Right), std::min(r.Top, r.Bottom), std::max(r.Left, r.Right),
            std::max(r.Top, r.Bottom)};
}

} // namespace mm
