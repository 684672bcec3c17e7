#pragma once
// One button outline on a remote's picture: its data as a plain value, and the spot that a
// list owns, which keeps its outline's region cached while it is being hit, within the
// list's budget for regions.
#include "Geometry.h"

#include <QRegion>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QPainter;

namespace mm {

enum class TSpotShape : uint8_t { Polyline = 0, Rectangle = 1, Ellipse = 2 };

constexpr int32_t kDefaultNormalColor = 65280;    // green, 0x00BBGGRR
constexpr int32_t kDefaultToggleColor = 16711935; // magenta

// KeyKind values, in the order the spot editor offers them.
constexpr int32_t kKeyKindNormal = 0;
constexpr int32_t kKeyKindShift = 1; // the key that switches the SHIFT layer
constexpr int32_t kKeyKindMac = 2;
constexpr int32_t kKeyKindOther = 3;

// Mask flags: which of the two points are set.
constexpr uint8_t kMaskOverPoint = 1; // "MOUSEOVER"
constexpr uint8_t kMaskDownPoint = 2; // "MOUSEDOWN"

// The files hold a mask as 17 bytes, Flags then the four coordinates, written and read field
// by field; in memory it is an ordinary aligned value.
struct TSpotMask {
    uint8_t Flags = 0;
    TPoint OverPoint;
    TPoint DownPoint;
    friend bool operator==(const TSpotMask&, const TSpotMask&) = default;
};

// Picture to display coordinates: x' = MulDiv(x + SrcX, DstWidth, SrcWidth) + DstX, likewise y.
struct TSpotMapping {
    int32_t SrcWidth = 0;
    int32_t SrcHeight = 0;
    int32_t SrcX = 0;
    int32_t SrcY = 0;
    int32_t DstWidth = 0;
    int32_t DstHeight = 0;
    int32_t DstX = 0;
    int32_t DstY = 0;

    TPoint Map(TPoint p) const;
    // A display point back to the picture: (MulDiv(x - DstX, SrcWidth, DstWidth), likewise y).
    TPoint MapBack(TPoint p) const;
};

// Everything a spot stores, as a value the editors can copy and compare. A mask with Flags 0
// means none; a rectangle or ellipse holds its two corners.
struct TSpotData {
    TSpotShape Shape = TSpotShape::Polyline;
    std::vector<TPoint> Points;
    int32_t NormalColor = kDefaultNormalColor;
    int32_t ToggleColor = kDefaultToggleColor;
    std::string Hint;
    int32_t ID = 0;
    uint8_t Enabled = 1; // the byte as stored: any value but 0 is enabled
    int32_t KeyKind = kKeyKindNormal;
    TSpotMask Mask;

    friend bool operator==(const TSpotData&, const TSpotData&) = default;
};

class THotSpots;

// One button outline. A rectangle or ellipse holds exactly two points, its corners (Left, Top)
// and (Right, Bottom), stored as given. The outline is changed only through the operations
// below, so that the cached region always describes it.
class TSpot {
public:
    explicit TSpot(TSpotShape shape = TSpotShape::Polyline);
    explicit TSpot(const TSpotData& data);
    // A spot in a list takes itself out of it.
    ~TSpot();
    TSpot(const TSpot&) = delete;
    TSpot& operator=(const TSpot&) = delete;

    int32_t NormalColor = kDefaultNormalColor; // highlight tint, normal layer
    int32_t ToggleColor = kDefaultToggleColor; // highlight tint, SHIFT layer
    std::string Hint;                          // GBK bytes; line breaks as CR LF
    int32_t ID = 0;                            // the button's key index
    uint8_t Enabled = 1; // any value but 0 is enabled; a disabled spot is never hit
    int32_t KeyKind = kKeyKindNormal;
    std::array<bool, 2> CheckMarks{}; // normal layer, SHIFT layer

    THotSpots* Owner() const { return owner_; }
    TSpotShape Shape() const { return shape_; }

    // Outline, shape, hint, enabled flag, ID, key kind and colours; not the mask, the check
    // marks or the owner.
    void Assign(const TSpot& source);

    // Every stored field as a value; SetData makes the spot exactly that (check marks stay).
    TSpotData Data() const;
    void SetData(const TSpotData& data);

    TSpotMask GetMask() const;           // all zeros without a mask
    void SetMask(const TSpotMask& mask); // Flags 0 removes the mask
    bool HasMask() const { return mask_ != nullptr; }

    // The source's outline mapped point by point; a missing source clears the spot.
    void AssignMapped(const TSpot* source, const TSpotMapping& mapping);

    // The outline with the painter's pen and brush, shifted by offset.
    void Draw(QPainter& canvas, TPoint offset) const;

    void FreeRegion() const;
    bool HasRegion() const { return region_.has_value(); }
    // Built on demand and cached; the list may take it back later for other spots' regions.
    // Raises RegionMemoryError.
    QRegion GetRegion() const;
    QRegion CreateRegion() const; // a fresh region of the outline
    // The scan work, in edge crossings of pixel rows, that building the region takes (0 for a
    // rectangle, and for an outline beyond the limits, which gets no region).
    int64_t RegionWork() const;

    int PointCount() const { return static_cast<int>(points_.size()); }
    void Clear(); // a polyline without points
    // To a rectangle or ellipse: cut or extended with (0, 0) to two points.
    void SetShape(TSpotShape shape);
    void AddPoint(TPoint p); // makes the spot a polyline first
    const std::vector<TPoint>& Points() const { return points_; }
    // Replaces the outline's points, keeping the shape (two for a rectangle or ellipse).
    void SetPoints(std::vector<TPoint> points);
    // The first two points read as Left, Top, Right, Bottom.
    TRect Corners() const;

    bool Contains(TPoint p) const;
    // Rectangle or ellipse: the corners as stored. Polyline: the region's box, one pixel wider
    // and taller; (0, 0, 0, 0) when the outline covers no pixel. Measured without building
    // the region and kept until the outline changes.
    TRect GetBounds() const;
    // The outline becomes exactly the two points (a polyline keeps its shape).
    void SetCorners(TPoint p1, TPoint p2);
    // No point lies inside the outline: a polyline without area, a rectangle or ellipse without
    // width or height, or a rectangle stored with its corners reversed. Decided without
    // building the region.
    bool OutlineIsEmpty() const;

private:
    friend class THotSpots;
    friend class TRegionBudget;

    // The region goes, as does every measure of the outline.
    void OutlineChanged();
    // The region goes without the list's budget being told (the budget takes it back).
    void DropRegion() const { region_.reset(); }
    // Tells the list's budget that the region was used.
    void CountRegion() const;
    // The box of a polyline's pixels, measured once per outline.
    QRect PixelBox() const;

    TSpotShape shape_;
    std::vector<TPoint> points_;
    THotSpots* owner_ = nullptr;
    std::unique_ptr<TSpotMask> mask_;
    mutable std::optional<QRegion> region_;
    mutable std::optional<QRect> pixelBox_;
};

// Spots compare equal when every stored field is equal: outline, colours, hint, ID, enabled
// flag, key kind and mask. Check marks, owner and cached region do not count.
bool SameSpot(const TSpot& a, const TSpot& b);

} // namespace mm
