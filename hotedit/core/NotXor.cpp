#include "NotXor.h"

#include <QPainter>
#include <algorithm>
#include <cstdlib>

namespace mm {

namespace {

// n / d rounded to the nearest integer, halves away from zero; d > 0.
__int128 RoundedDiv(__int128 n, __int128 d) {
    return n >= 0 ? (n + d / 2) / d : -((-n + d / 2) / d);
}

} // namespace

void TNotXorCanvas::Row(int64_t y, int64_t x0, int64_t x1, bool dotted) {
    Span(true, y, x0, x1, dotted);
}

void TNotXorCanvas::Column(int64_t x, int64_t y0, int64_t y1, bool dotted) {
    Span(false, x, y0, y1, dotted);
}

void TNotXorCanvas::Span(bool row, int64_t at, int64_t begin, int64_t end, bool dotted) {
    // Across: the row's y or the column's x; along: the other coordinate.
    const int64_t across = at - (row ? origin_.y() : origin_.x());
    const int64_t acrossSize = row ? image_.height() : image_.width();
    const int64_t origin = row ? origin_.x() : origin_.y();
    int64_t from = std::max<int64_t>(begin, origin);
    const int64_t to = std::min<int64_t>(end, origin + (row ? image_.width() : image_.height()));
    if (across < 0 || across >= acrossSize || from >= to)
        return;
    const int64_t step = dotted ? 2 : 1;
    from += (from - begin) % step; // the first dot at or after the image's edge
    const qsizetype stride = row ? 1 : stride_;
    QRgb* pixel = row ? pixels_ + across * stride_ + (from - origin)
                      : pixels_ + (from - origin) * stride_ + across;
    for (int64_t i = from; i < to; i += step, pixel += step * stride)
        *pixel ^= 0x00FFFFFF;
}

void TNotXorCanvas::Line(TPoint a, TPoint b, bool dotted) {
    const int64_t dx = int64_t{b.X} - a.X;
    const int64_t dy = int64_t{b.Y} - a.Y;
    if (dx == 0 && dy == 0)
        return;
    // Along the longer axis one pixel a step; only the steps over the image are taken.
    const bool alongX = std::llabs(dx) >= std::llabs(dy);
    const int64_t major = alongX ? dx : dy;
    const int64_t minor = alongX ? dy : dx;
    const int64_t start = alongX ? a.X : a.Y;
    const int64_t other = alongX ? a.Y : a.X;
    const int64_t low = alongX ? origin_.x() : origin_.y();
    const int64_t high = low + (alongX ? image_.width() : image_.height());
    const int64_t step = major > 0 ? 1 : -1;
    // The steps t in [0, |major|) whose position start + step * t lies in [low, high).
    int64_t first = 0, last = std::llabs(major) - 1;
    if (step > 0) {
        first = std::max(first, low - start);
        last = std::min(last, high - 1 - start);
    } else {
        first = std::max(first, start - (high - 1));
        last = std::min(last, start - low);
    }
    for (int64_t t = first; t <= last; ++t) {
        if (dotted && t % 2 != 0)
            continue;
        const int64_t along = start + step * t;
        const int64_t across =
            other + static_cast<int64_t>(RoundedDiv(__int128{minor} * t, std::llabs(major)));
        const int64_t x = (alongX ? along : across) - origin_.x();
        const int64_t y = (alongX ? across : along) - origin_.y();
        if (x >= 0 && x < image_.width() && y >= 0 && y < image_.height())
            Invert(static_cast<int>(x), static_cast<int>(y));
    }
}

void TNotXorCanvas::Masked(const QRect& bounds, const std::function<void(QPainter&)>& paint) {
    const QRect area = bounds.intersected(QRect(origin_, image_.size()));
    if (area.isEmpty())
        return;
    // An RGB image as the mask: Qt strokes onto it ten times faster than onto an alpha mask.
    QImage mask(area.size(), QImage::Format_RGB32);
    mask.fill(Qt::white);
    {
        QPainter canvas(&mask);
        canvas.translate(-area.topLeft());
        paint(canvas);
    }
    const QPoint offset = area.topLeft() - origin_;
    for (int y = 0; y < mask.height(); ++y) {
        const auto* covered = reinterpret_cast<const QRgb*>(mask.constScanLine(y));
        QRgb* pixels = pixels_ + (y + offset.y()) * stride_ + offset.x();
        for (int x = 0; x < mask.width(); ++x)
            pixels[x] ^= (covered[x] & 0x00FFFFFF) != 0x00FFFFFF ? 0x00FFFFFFu : 0u;
    }
}

} // namespace mm
