#pragma once
// What the hot-map editor shows of the picture: the picture scaled to fit its 200 x 200 paint
// area, and the outline of the selected spot drawn over it in not-xor mode.
#include "hotimage/core/Spot.h"

#include <QImage>
#include <QSize>

namespace mm {

// Picture pixels x Numerator / Denominator = paint-area pixels.
struct TDisplayScale {
    int32_t Numerator = 1;
    int32_t Denominator = 1;
    QSize Display; // the scaled picture
    friend bool operator==(const TDisplayScale&, const TDisplayScale&) = default;

    // Picture to paint area: each coordinate MulDiv(c, Numerator, Denominator).
    TSpotMapping Mapping() const;
    // The picture point under a paint-area point: MulDiv(c, Denominator, Numerator).
    TPoint ToPicture(TPoint area) const { return Mapping().MapBack(area); }
};

// The longer side of the picture fills the area's side; the other keeps the proportion.
TDisplayScale DisplayScaleOf(QSize picture, QSize area);

// The paint area's face: the picture stretched into the display size on the background, and
// the outline of `selected` (none for nullptr) with a black pen 2 pixels wide, not-xor, hollow.
QImage RenderHotMapView(const QImage& picture, QSize area, const TDisplayScale& scale,
                        const TSpot* selected, const QColor& background);

} // namespace mm
