#pragma once
// Not-xor drawing with a black pen on a Format_RGB32 image: every pixel a figure covers is
// inverted, so drawing the same figure twice restores the image. Done here rather than with the
// painter's raster operations, which Qt carries out slowly (a fifth of a millisecond for one
// line across a 500-pixel view). A figure costs at most the pixels of the image it can touch,
// however far its points lie.
#include "hotimage/core/Geometry.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <functional>

class QPainter;

namespace mm {

class TNotXorCanvas {
public:
    // origin: the point of the figures' coordinates that lies at the image's top left.
    TNotXorCanvas(QImage& image, QPoint origin)
        : image_(image), origin_(origin), pixels_(reinterpret_cast<QRgb*>(image.bits())),
          stride_(image.bytesPerLine() / static_cast<qsizetype>(sizeof(QRgb))) {}

    // The pixels [x0, x1) of row y, or [y0, y1) of column x; dotted: every other one, from the
    // first.
    void Row(int64_t y, int64_t x0, int64_t x1, bool dotted);
    void Column(int64_t x, int64_t y0, int64_t y1, bool dotted);
    // A one-pixel line from a to b, b itself excluded as the platform's lines end; dotted:
    // every other pixel from a.
    void Line(TPoint a, TPoint b, bool dotted);
    // Whatever `paint` draws in black within `bounds` (figure coordinates, cut to the image).
    void Masked(const QRect& bounds, const std::function<void(QPainter&)>& paint);

private:
    void Invert(int x, int y) { pixels_[y * stride_ + x] ^= 0x00FFFFFF; }
    // The pixels [begin, end) of the row or column `at`.
    void Span(bool row, int64_t at, int64_t begin, int64_t end, bool dotted);

    QImage& image_;
    QPoint origin_;
    QRgb* pixels_;
    qsizetype stride_;
};

} // namespace mm
