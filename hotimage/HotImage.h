#pragma once
// Button outlines on a remote's picture: the spot, the ordered spot list that owns its spots,
// and the list's binary hot-map format ("HMAP").
#include "Geometry.h"
#include "platform/Errors.h"
#include "platform/Streams.h"

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

// Packed: its points are read and written by value, never through references.
#pragma pack(push, 1)
struct TSpotMask {
    uint8_t Flags = 0;
    TPoint OverPoint;
    TPoint DownPoint;
    friend bool operator==(const TSpotMask& a, const TSpotMask& b) {
        return a.Flags == b.Flags && a.OverPoint.X == b.OverPoint.X &&
               a.OverPoint.Y == b.OverPoint.Y && a.DownPoint.X == b.DownPoint.X &&
               a.DownPoint.Y == b.DownPoint.Y;
    }
};
#pragma pack(pop)
static_assert(sizeof(TSpotMask) == 17);

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
};

class THotSpots;

// One button outline. A rectangle or ellipse holds exactly two points, its corners (Left, Top)
// and (Right, Bottom), stored as given. The outline is changed only through the operations
// below, so that the cached region always describes it.
class TSpot {
public:
    explicit TSpot(TSpotShape shape = TSpotShape::Polyline);
    // A spot in a list takes itself out of it.
    ~TSpot();
    TSpot(const TSpot&) = delete;
    TSpot& operator=(const TSpot&) = delete;

    int32_t NormalColor = kDefaultNormalColor; // highlight tint, normal layer
    int32_t ToggleColor = kDefaultToggleColor; // highlight tint, SHIFT layer
    std::string Hint;                          // GBK bytes; line breaks as CR LF
    int32_t ID = 0;                            // the button's key index
    bool Enabled = true;                       // a disabled spot is never hit
    int32_t KeyKind = kKeyKindNormal;
    std::array<bool, 2> CheckMarks{}; // normal layer, SHIFT layer

    THotSpots* Owner() const { return owner_; }
    TSpotShape Shape() const { return shape_; }

    // Outline, shape, hint, enabled flag, ID, key kind and colours; not the mask, the check
    // marks or the owner.
    void Assign(const TSpot& source);

    TSpotMask GetMask() const;           // all zeros without a mask
    void SetMask(const TSpotMask& mask); // Flags 0 removes the mask
    bool HasMask() const { return mask_ != nullptr; }

    // The source's outline mapped point by point; a missing source clears the spot.
    void AssignMapped(const TSpot* source, const TSpotMapping& mapping);

    // The outline with the painter's pen and brush, shifted by offset.
    void Draw(QPainter& canvas, TPoint offset) const;

    void FreeRegion() const;
    bool HasRegion() const { return region_.has_value(); }
    const QRegion& GetRegion() const; // built on demand and cached
    QRegion CreateRegion() const;     // a fresh region of the outline

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
    // and taller; (0, 0, 0, 0) when the outline covers no pixel.
    TRect GetBounds() const;
    // The outline becomes exactly the two points (a polyline keeps its shape).
    void SetCorners(TPoint p1, TPoint p2);

private:
    friend class THotSpots;

    TSpotShape shape_;
    std::vector<TPoint> points_;
    THotSpots* owner_ = nullptr;
    std::unique_ptr<TSpotMask> mask_;
    mutable std::optional<QRegion> region_;
};

// Spots compare equal when every stored field is equal: outline, colours, hint, ID, enabled
// flag, key kind and mask. Check marks, owner and cached region do not count.
bool SameSpot(const TSpot& a, const TSpot& b);
bool SameSpots(const THotSpots& a, const THotSpots& b);

// What a list tells the control that owns it.
class TSpotListOwner {
public:
    // The spot is leaving the list (it is being destroyed or removed): drop every reference
    // to it. The spot is still whole during the call. Destroying the list destroys its spots,
    // so an owner clears its list while its own fields are still alive.
    virtual void SpotRemoved(TSpot* spot) = 0;

protected:
    ~TSpotListOwner() = default;
};

// "HotMap: Invalid Stream format"
class HotMapFormatError : public Error {
public:
    HotMapFormatError();
};

// The ordered spots of one picture. It owns them: Clear, Delete and the destructor destroy
// them, and a spot destroyed directly leaves the list by itself.
class THotSpots {
public:
    explicit THotSpots(TSpotListOwner* image = nullptr);
    ~THotSpots();
    THotSpots(const THotSpots&) = delete;
    THotSpots& operator=(const THotSpots&) = delete;

    TSpotListOwner* Image() const { return image_; }

    void Clear();
    // Raises ListError "List index out of bounds (%d)".
    TSpot* Items(int index);
    const TSpot* Items(int index) const;
    int Count() const { return static_cast<int>(items_.size()); }
    int IndexOf(const TSpot* spot) const; // -1 when not in the list

    // Copies of the source's spots, masks included, check marks not.
    void Assign(const THotSpots& source);
    void Delete(int index);
    // Takes ownership; a spot still in another list leaves that list first.
    TSpot* Add(TSpot* spot);
    TSpot* Add(std::unique_ptr<TSpot> spot) { return Add(spot.release()); }
    // Takes the spot out, after telling the owning control; the caller owns the returned spot.
    // Nothing happens, and nullptr is returned, for a spot that is not in this list.
    TSpot* Remove(TSpot* spot);
    void Move(int curIndex, int newIndex);

    int IndexAt(TPoint p) const; // the first enabled spot containing p, or -1
    TSpot* SpotAt(TPoint p) const;
    int IndexOfShiftKey() const; // the first spot of KeyKind shift, enabled or not, or -1
    bool HasMaskItems() const;

    // The binary hot-map: "HMAP", the spots section, "MASK", the mask section.
    void WriteSpots(TStream& stream) const;
    void ReadSpots(TStream& stream);
    void WriteMaskItems(TStream& stream) const;
    void ReadMaskItems(TStream& stream);
    void SaveToStream(TStream& stream) const;
    void LoadFromStream(TStream& stream);
    // Raises FileOpenError.
    void LoadFromFile(const std::string& fileName);
    // Replaces the file safely; raises FileCreateError.
    void SaveToFile(const std::string& fileName) const;

private:
    std::vector<TSpot*> items_; // owned
    TSpotListOwner* image_;
};

} // namespace mm
