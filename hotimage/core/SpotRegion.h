#pragma once
// Regions of spot outlines. They are scan-converted here and handed to QRegion as ready bands:
// QRegion's own polygon and ellipse constructors take time growing with the square of the
// outline's height, which a damaged hot-map file would turn into a hang.
//
// A pixel belongs to an outline when its centre lies inside it; polygons use the even-odd rule.
#include "Geometry.h"
#include "platform/Errors.h"

#include <QRegion>
#include <span>

namespace mm {

// Outlines beyond these limits get an empty region, as the platform refuses to build them:
// coordinates are limited to 27 bits, and the scan conversion to this many edge crossings
// (for an ellipse: rows).
constexpr int32_t kMaxRegionCoord = 1 << 27;
constexpr int64_t kMaxRegionWork = 1 << 18;

// The memory ran out while an outline's region was being built.
class RegionMemoryError : public Error {
public:
    RegionMemoryError();
    // Names the hot-map file the spot came from.
    explicit RegionMemoryError(const std::string& fileName);
};

// Each of these, and each measure below, raises RegionMemoryError when memory runs out.
QRegion RectRegion(const TRect& r);
QRegion EllipseRegion(const TRect& r);
QRegion PolygonRegion(std::span<const TPoint> points);

// The scan work, in edge crossings of pixel rows, that building the region takes; 0 for an
// outline beyond the limits, which gets no region.
int64_t EllipseRegionWork(const TRect& r);
int64_t PolygonRegionWork(std::span<const TPoint> points);

// The box of the region's pixels (empty without any), found by the same scan without building
// the region: as much time, next to no memory.
QRect PolygonRegionBox(std::span<const TPoint> points);

// Whether the pixel lies in the region, from the one row it is on: no region is built.
bool EllipseContains(const TRect& r, TPoint p);
bool PolygonContains(std::span<const TPoint> points, TPoint p);

// Whether the region has no pixel: the scan stops at the first row that has one.
bool EllipseRegionIsEmpty(const TRect& r);
bool PolygonRegionIsEmpty(std::span<const TPoint> points);

} // namespace mm
