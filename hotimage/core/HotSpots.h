#pragma once
// The ordered spots of one picture, which the list owns, and the list's binary hot-map format
// ("HMAP").
#include "RegionBudget.h"
#include "Spot.h"
#include "platform/Errors.h"
#include "platform/Streams.h"

#include <QImage>

#include <memory>
#include <string>
#include <vector>

namespace mm {

// What a list tells the control that owns it.
class TSpotListOwner {
public:
    // The spot is leaving the list (it is being destroyed or removed): drop every reference
    // to it. The spot is still whole during the call. Destroying the list destroys its spots,
    // so an owner clears its list while its own fields are still alive.
    virtual void SpotRemoved(TSpot* spot) = 0;
    // The picture the spots outline, which an editor of the list shows; null without one.
    virtual QImage SpotsPicture() const { return {}; }

protected:
    ~TSpotListOwner() = default;
};

// "HotMap: Invalid Stream format"
class HotMapFormatError : public Error {
public:
    HotMapFormatError();
};

// A binary hot map that cannot be read: what() is the standard text of the failure ("Stream
// read error", "HotMap: Invalid Stream format", "List count out of bounds (%d)"), Field() says
// which field of which spot or mask item, and what it holds ("the hint length of spot 0 is -2").
class HotMapFieldError : public Error {
public:
    HotMapFieldError(const Error& standard, std::string field);
    const std::string& Field() const { return field_; }

private:
    std::string field_;
};

// The ordered spots of one picture. It owns them: Clear, Delete and the destructor destroy
// them, Remove hands one back to the caller, and a spot destroyed directly leaves the list by
// itself.
class THotSpots {
public:
    explicit THotSpots(TSpotListOwner* image = nullptr);
    ~THotSpots();
    THotSpots(const THotSpots&) = delete;
    THotSpots& operator=(const THotSpots&) = delete;

    TSpotListOwner* Image() const { return image_; }

    void Clear(); // from the last spot to the first
    // Raises ListError "List index out of bounds (%d)".
    TSpot* Items(int index);
    const TSpot* Items(int index) const;
    int Count() const { return static_cast<int>(items_.size()); }
    int IndexOf(const TSpot* spot) const; // -1 when not in the list

    // Copies of the source's spots, masks included, check marks not.
    void Assign(const THotSpots& source);
    void Delete(int index);
    // Appends the spot and returns it; the list owns it from now on.
    TSpot* Add(std::unique_ptr<TSpot> spot);
    // Takes the spot out, after telling the owning control, and hands it to the caller.
    // Nothing happens, and nullptr is returned, for a spot that is not in this list.
    std::unique_ptr<TSpot> Remove(TSpot* spot);
    void Move(int curIndex, int newIndex);

    int IndexAt(TPoint p) const; // the first enabled spot containing p, or -1
    TSpot* SpotAt(TPoint p) const;
    int IndexOfShiftKey() const; // the first spot of KeyKind shift, enabled or not, or -1
    bool HasMaskItems() const;

    // The memory the spots' cached regions may take together.
    TRegionBudget& Regions() const { return regions_; }

    // The binary hot-map: "HMAP", the spots section, "MASK", the mask section.
    void WriteSpots(TStream& stream) const;
    void ReadSpots(TStream& stream);
    void WriteMaskItems(TStream& stream) const;
    void ReadMaskItems(TStream& stream);
    void SaveToStream(TStream& stream) const;
    // Raises HotMapFieldError.
    void LoadFromStream(TStream& stream);
    // Raises FileOpenError, and FileReadError naming the file, the field and the standard text.
    void LoadFromFile(const std::string& fileName);
    // Replaces the file safely; raises FileCreateError.
    void SaveToFile(const std::string& fileName) const;

private:
    friend class TSpot;
    // Takes one of the list's spots out of items_ without destroying it, after telling the
    // owning control; a spot being destroyed calls it for itself.
    void Detach(TSpot* spot);

    std::vector<std::unique_ptr<TSpot>> items_;
    TSpotListOwner* image_;
    mutable TRegionBudget regions_;
};

// Lists compare equal when they hold equal spots (SameSpot) in the same order.
bool SameSpots(const THotSpots& a, const THotSpots& b);

} // namespace mm
