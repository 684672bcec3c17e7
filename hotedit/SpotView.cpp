#include "SpotView.h"

#include "platform/MulDiv.h"

#include <algorithm>
#include <iterator>

namespace mm {

namespace {

// One axis of a zoom step: the paint area's extent and the picture's shift in it.
struct TAxis {
    int Extent = 0;
    int Shift = 0;
};

TAxis Fit(int zoomed, int client) {
    if (client > zoomed)
        return {client, (client - zoomed) / 2};
    return {zoomed, 0};
}

// One axis of scrolling into view; p relative to the visible part.
int Scrolled(int scroll, int64_t p, int extent) {
    int64_t next = scroll;
    if (p > extent)
        next += p - extent + extent / 2;
    else if (p < 0)
        next += p - extent / 2;
    return static_cast<int>(std::clamp<int64_t>(next, INT32_MIN, INT32_MAX));
}

} // namespace

TSpotMapping TSpotZoom::Mapping() const {
    TSpotMapping mapping;
    mapping.SrcWidth = mapping.SrcHeight = Denominator;
    mapping.DstWidth = mapping.DstHeight = Numerator;
    mapping.DstX = PictureRect.Left;
    mapping.DstY = PictureRect.Top;
    return mapping;
}

TSpotZoom ZoomStep(int index, QSize picture, QSize client) {
    TSpotZoom zoom;
    const bool known = index >= 0 && index < static_cast<int>(std::size(kZoomSteps));
    zoom.Numerator = known ? kZoomSteps[index] : 1;
    zoom.Denominator = 1;
    const int width = MulDiv(picture.width(), zoom.Numerator, zoom.Denominator);
    const int height = MulDiv(picture.height(), zoom.Numerator, zoom.Denominator);
    const TAxis x = Fit(width, client.width());
    const TAxis y = Fit(height, client.height());
    zoom.PictureRect = {x.Shift, y.Shift, x.Shift + width, y.Shift + height};
    zoom.PaintArea = {x.Extent, y.Extent};
    return zoom;
}

QPoint ScrollIntoView(QPoint scroll, TPoint view, QSize client) {
    return {Scrolled(scroll.x(), int64_t{view.X} - scroll.x(), client.width()),
            Scrolled(scroll.y(), int64_t{view.Y} - scroll.y(), client.height())};
}

} // namespace mm
