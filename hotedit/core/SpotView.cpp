#include "SpotView.h"

#include "platform/MulDiv.h"

#include <algorithm>
#include <iterator>
#include <tuple>
#include <utility>

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

// One axis of showing a range [low, high) in the part [scroll, scroll + extent).
int Showing(int scroll, int64_t low, int64_t high, int extent) {
    if (low >= scroll && high <= int64_t{scroll} + extent)
        return scroll;
    const int64_t next = low + (high - low) / 2 - extent / 2;
    return static_cast<int>(std::clamp<int64_t>(next, INT32_MIN, INT32_MAX));
}

// The zoom fraction: a step of the group, or the picture fitted into the client.
std::pair<int32_t, int32_t> ZoomFraction(int index, QSize picture, QSize client) {
    if (index == kZoomFit) {
        if (picture.isEmpty() || client.isEmpty())
            return {1, 1};
        const bool byWidth = int64_t{picture.width()} * client.height() >=
                             int64_t{picture.height()} * client.width();
        return byWidth ? std::pair{client.width(), picture.width()}
                       : std::pair{client.height(), picture.height()};
    }
    const bool known = index >= 0 && index < static_cast<int>(std::size(kZoomSteps));
    return {known ? kZoomSteps[index] : 1, 1};
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
    std::tie(zoom.Numerator, zoom.Denominator) = ZoomFraction(index, picture, client);
    const int width = MulDiv(picture.width(), zoom.Numerator, zoom.Denominator);
    const int height = MulDiv(picture.height(), zoom.Numerator, zoom.Denominator);
    const TAxis x = Fit(width, client.width());
    const TAxis y = Fit(height, client.height());
    zoom.PictureRect = {x.Shift, y.Shift, x.Shift + width, y.Shift + height};
    zoom.PaintArea = {x.Extent, y.Extent};
    return zoom;
}

TSpotView ZoomInArea(int index, QSize picture, QSize full, QSize bars) {
    TSpotView view;
    const TRect zoomed = ZoomStep(index, picture, full).PictureRect;
    const int64_t width = int64_t{zoomed.Right} - zoomed.Left;
    const int64_t height = int64_t{zoomed.Bottom} - zoomed.Top;
    // A bar taken by one axis can make the other need one: twice settles both.
    for (int pass = 0; pass < 2; ++pass) {
        view.VerticalBar = height > full.height() - (view.HorizontalBar ? bars.height() : 0);
        view.HorizontalBar = width > full.width() - (view.VerticalBar ? bars.width() : 0);
    }
    view.Client =
        full - QSize(view.VerticalBar ? bars.width() : 0, view.HorizontalBar ? bars.height() : 0);
    view.Zoom = ZoomStep(index, picture, view.Client);
    return view;
}

QPoint ScrollToShow(QPoint scroll, const TRect& box, QSize client) {
    return {Showing(scroll.x(), box.Left, box.Right, client.width()),
            Showing(scroll.y(), box.Top, box.Bottom, client.height())};
}

QPoint ScrollIntoView(QPoint scroll, TPoint view, QSize client) {
    return {Scrolled(scroll.x(), int64_t{view.X} - scroll.x(), client.width()),
            Scrolled(scroll.y(), int64_t{view.Y} - scroll.y(), client.height())};
}

} // namespace mm
