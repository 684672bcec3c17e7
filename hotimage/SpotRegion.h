#pragma once
// Regions of spot outlines. They are scan-converted here and handed to QRegion as ready bands:
// QRegion's own polygon and ellipse constructors take time growing with the square of the
// outline's height, which a damaged hot-map file would turn into a hang.
//
// A pixel belongs to an outline when its centre lies inside it; polygons use the even-odd rule.
#include "Geometry.h"

#include <QRegion>
#include <span>

namespace mm {

// Outlines beyond these limits get an empty region, as the platform refuses to build them:
// coordinates are limited to 27 bits, and the scan conversion to this many edge crossings
// (for an ellipse: rows).
constexpr int32_t kMaxRegionCoord = 1 << 27;
constexpr int64_t kMaxRegionWork = 1 << 18;

QRegion RectRegion(const TRect& r);
QRegion EllipseRegion(const TRect& r);
QRegion PolygonRegion(std::span<const TPoint> points);

} // namespace mm
