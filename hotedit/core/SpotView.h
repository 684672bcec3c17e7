#pragma once
// The spot editor's view of the picture: the zoom, where the zoomed picture lies in the paint
// area, and the scrolling that brings a point into the visible part.
#include "hotimage/core/Spot.h"

#include <QPoint>
#include <QSize>

namespace mm {

// The zoom steps of the "&Zoom" group: 100 %, 200 %, 300 %, 500 %, then "Fit".
constexpr int kZoomSteps[] = {1, 2, 3, 5};
// "Fit": the whole picture as large as the visible area holds it.
constexpr int kZoomFit = 4;

struct TSpotZoom {
    int32_t Numerator = 1;
    int32_t Denominator = 1;
    TRect PictureRect; // where the zoomed picture lies in the paint area
    QSize PaintArea;   // the paint area's size
    friend bool operator==(const TSpotZoom&, const TSpotZoom&) = default;

    // Picture to view: MulDiv(x, Numerator, Denominator) + PictureRect.Left, likewise y; back
    // (MapBack): MulDiv(x' - PictureRect.Left, Denominator, Numerator), so that positions snap
    // to whole picture pixels.
    TSpotMapping Mapping() const;
    TPoint ToView(TPoint picture) const { return Mapping().Map(picture); }
    TPoint ToPicture(TPoint view) const { return Mapping().MapBack(view); }
};

// Zoom step `index` of the group (kZoomFit: the picture fitted into the client; any other
// index: 100 %) for a picture in a scrolling area whose visible client size is `client`: along
// each axis the paint area is the larger of the client and the zoomed picture, and a smaller
// picture is centred in it.
TSpotZoom ZoomStep(int index, QSize picture, QSize client);

// A zoom step in a scrolling area whose client is `full` without scroll bars; `bars` is the
// width of the vertical bar and the height of the horizontal one. A bar is shown only along an
// axis where the zoomed picture exceeds what the other bar leaves, and the zoom is laid out in
// the client the bars leave, so that no bar is shown that is not needed.
struct TSpotView {
    TSpotZoom Zoom;
    QSize Client; // the visible client rectangle (0, 0, W, H)
    bool HorizontalBar = false;
    bool VerticalBar = false;
};
TSpotView ZoomInArea(int index, QSize picture, QSize full, QSize bars);

// The scroll positions that bring the paint-area position `view` into the visible client
// rectangle (0, 0, W, H): along each axis where it lies outside, it lands in the middle. Not
// limited to the scroll ranges.
QPoint ScrollIntoView(QPoint scroll, TPoint view, QSize client);

// The scroll positions that show the paint-area rectangle `box` (an outline's bounds): along
// each axis where it is not wholly visible, its middle lands in the middle of the client. Not
// limited to the scroll ranges.
QPoint ScrollToShow(QPoint scroll, const TRect& box, QSize client);

} // namespace mm
