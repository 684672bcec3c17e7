#pragma once
// The spot editor's view of the picture: the zoom, where the zoomed picture lies in the paint
// area, and the scrolling that brings a point into the visible part.
#include "hotimage/Spot.h"

#include <QPoint>
#include <QSize>

namespace mm {

// The zoom steps of the "&Zoom" group: 100 %, 200 %, 300 %, 500 %.
constexpr int kZoomSteps[] = {1, 2, 3, 5};

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

// Zoom step `index` of the group (any other index: 100 %) for a picture in a scrolling area
// whose client size, without scroll bars, is `client`: along each axis the paint area is the
// larger of the client and the zoomed picture, and a smaller picture is centred in it.
TSpotZoom ZoomStep(int index, QSize picture, QSize client);

// The scroll positions that bring the paint-area position `view` into the visible client
// rectangle (0, 0, W, H): along each axis where it lies outside, it lands in the middle. Not
// limited to the scroll ranges.
QPoint ScrollIntoView(QPoint scroll, TPoint view, QSize client);

} // namespace mm
