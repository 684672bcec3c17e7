#include "Spot.h"

#include "HotSpots.h"
#include "SpotRegion.h"
#include "platform/MulDiv.h"

#include <QPainter>
#include <QPolygon>
#include <algorithm>

namespace mm {

namespace {

// 32-bit sums wrap as the stored values do.
int32_t WrapAdd(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}
int32_t WrapSub(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b));
}

// What a region's rectangles take, with the region's own bookkeeping.
size_t RegionBytes(const QRegion& region) {
    return static_cast<size_t>(region.rectCount()) * sizeof(QRect) + 64;
}

bool IsBox(TSpotShape shape) {
    return shape != TSpotShape::Polyline;
}

// No pixel of an outline lies outside the box of its points (right and bottom exclusive), so
// a point outside it misses without a region being built.
bool InPointBox(const std::vector<TPoint>& points, TPoint p) {
    bool left = false, right = false, above = false, below = false;
    for (const TPoint& q : points) {
        left |= q.X <= p.X;
        right |= q.X > p.X;
        above |= q.Y <= p.Y;
        below |= q.Y > p.Y;
    }
    return left && right && above && below;
}

} // namespace

TPoint TSpotMapping::Map(TPoint p) const {
    return {WrapAdd(MulDiv(WrapAdd(p.X, SrcX), DstWidth, SrcWidth), DstX),
            WrapAdd(MulDiv(WrapAdd(p.Y, SrcY), DstHeight, SrcHeight), DstY)};
}

TPoint TSpotMapping::MapBack(TPoint p) const {
    return {MulDiv(WrapSub(p.X, DstX), SrcWidth, DstWidth),
            MulDiv(WrapSub(p.Y, DstY), SrcHeight, DstHeight)};
}

TSpot::TSpot(TSpotShape shape) : shape_(shape) {
    if (IsBox(shape))
        points_.resize(2);
}

TSpot::TSpot(const TSpotData& data) : shape_(data.Shape) {
    SetData(data);
}

TSpot::~TSpot() {
    if (owner_)
        owner_->Detach(this);
}

void TSpot::OutlineChanged() {
    FreeRegion();
    pixelBox_.reset();
}

void TSpot::Assign(const TSpot& source) {
    if (&source == this)
        return;
    OutlineChanged();
    points_ = source.points_;
    shape_ = source.shape_;
    Hint = source.Hint;
    Enabled = source.Enabled;
    ID = source.ID;
    KeyKind = source.KeyKind;
    NormalColor = source.NormalColor;
    ToggleColor = source.ToggleColor;
}

TSpotData TSpot::Data() const {
    return {shape_, points_, NormalColor, ToggleColor, Hint, ID, Enabled, KeyKind, GetMask()};
}

void TSpot::SetData(const TSpotData& data) {
    OutlineChanged();
    shape_ = data.Shape;
    points_ = data.Points;
    if (IsBox(shape_))
        points_.resize(2);
    NormalColor = data.NormalColor;
    ToggleColor = data.ToggleColor;
    Hint = data.Hint;
    ID = data.ID;
    Enabled = data.Enabled;
    KeyKind = data.KeyKind;
    SetMask(data.Mask);
}

TSpotMask TSpot::GetMask() const {
    return mask_ ? *mask_ : TSpotMask{};
}

void TSpot::SetMask(const TSpotMask& mask) {
    if (mask.Flags == 0)
        mask_.reset();
    else if (mask_)
        *mask_ = mask;
    else
        mask_ = std::make_unique<TSpotMask>(mask);
}

void TSpot::AssignMapped(const TSpot* source, const TSpotMapping& mapping) {
    OutlineChanged();
    if (!source) {
        Clear();
        return;
    }
    shape_ = source->shape_;
    std::vector<TPoint> mapped;
    mapped.reserve(source->points_.size());
    for (const TPoint& p : source->points_)
        mapped.push_back(mapping.Map(p));
    points_ = std::move(mapped);
}

void TSpot::Draw(QPainter& canvas, TPoint offset) const {
    if (points_.empty())
        return;
    const QTransform previous = canvas.transform();
    canvas.translate(offset.X, offset.Y);
    if (shape_ == TSpotShape::Polyline) {
        QPolygon polygon;
        polygon.reserve(static_cast<qsizetype>(points_.size()));
        for (const TPoint& p : points_)
            polygon << ToQPoint(p);
        canvas.drawPolygon(polygon, Qt::OddEvenFill);
    } else {
        // Like the platform's rectangle and ellipse, the figure keeps within [Left, Right) and
        // [Top, Bottom): Qt strokes and fills one pixel further on each side of the box.
        const QRect box = ToQRect(Normalized(Corners())).adjusted(0, 0, -1, -1);
        if (shape_ == TSpotShape::Rectangle)
            canvas.drawRect(box);
        else
            canvas.drawEllipse(box);
    }
    canvas.setTransform(previous);
}

void TSpot::FreeRegion() const {
    if (region_ && owner_)
        owner_->regions_.Released(*this);
    region_.reset();
}

QRegion TSpot::GetRegion() const {
    if (!region_)
        region_ = CreateRegion();
    const QRegion region = *region_; // stays whole should the budget take the cached one back
    CountRegion();
    return region;
}

void TSpot::CountRegion() const {
    if (region_ && owner_)
        owner_->regions_.Used(*this, RegionBytes(*region_));
}

int64_t TSpot::RegionWork() const {
    switch (shape_) {
    case TSpotShape::Rectangle:
        return 0;
    case TSpotShape::Ellipse:
        return EllipseRegionWork(Corners());
    case TSpotShape::Polyline:
        break;
    }
    return PolygonRegionWork(points_);
}

QRect TSpot::PixelBox() const {
    if (!pixelBox_)
        pixelBox_ = region_ ? region_->boundingRect() : PolygonRegionBox(points_);
    return *pixelBox_;
}

QRegion TSpot::CreateRegion() const {
    switch (shape_) {
    case TSpotShape::Rectangle:
        return RectRegion(Corners());
    case TSpotShape::Ellipse:
        return EllipseRegion(Corners());
    case TSpotShape::Polyline:
        break;
    }
    return PolygonRegion(points_);
}

void TSpot::Clear() {
    OutlineChanged();
    shape_ = TSpotShape::Polyline;
    points_.clear();
}

void TSpot::SetShape(TSpotShape shape) {
    OutlineChanged();
    if (shape == shape_)
        return;
    if (IsBox(shape))
        points_.resize(2);
    shape_ = shape;
}

void TSpot::AddPoint(TPoint p) {
    SetShape(TSpotShape::Polyline);
    points_.push_back(p);
}

void TSpot::SetPoints(std::vector<TPoint> points) {
    OutlineChanged();
    points_ = std::move(points);
    if (IsBox(shape_))
        points_.resize(2);
}

TRect TSpot::Corners() const {
    const TPoint a = points_.size() > 0 ? points_[0] : TPoint{};
    const TPoint b = points_.size() > 1 ? points_[1] : TPoint{};
    return {a.X, a.Y, b.X, b.Y};
}

bool TSpot::Contains(TPoint p) const {
    if (shape_ == TSpotShape::Rectangle) {
        const TRect r = Corners();
        return r.Left <= p.X && p.X < r.Right && r.Top <= p.Y && p.Y < r.Bottom;
    }
    // A miss gives the region back, so the next test may well find none: the answer then
    // comes from the point's own row, and only a hit builds the region to keep.
    bool inside = InPointBox(points_, p);
    if (inside && region_)
        inside = region_->contains(ToQPoint(p));
    else if (inside)
        inside = shape_ == TSpotShape::Ellipse ? EllipseContains(Corners(), p)
                                               : PolygonContains(points_, p);
    if (inside)
        GetRegion(); // kept, and counted as used, while the spot is being hit
    else
        FreeRegion(); // regions are kept only by spots that are being hit
    return inside;
}

TRect TSpot::GetBounds() const {
    if (IsBox(shape_))
        return Corners();
    const QRect pixels = PixelBox();
    if (pixels.isEmpty())
        return {};
    TRect box = FromQRect(pixels);
    ++box.Right;
    ++box.Bottom;
    return box;
}

void TSpot::SetCorners(TPoint p1, TPoint p2) {
    OutlineChanged();
    points_ = {p1, p2};
}

bool TSpot::OutlineIsEmpty() const {
    if (shape_ == TSpotShape::Rectangle) {
        const TRect r = Corners();
        return r.Left >= r.Right || r.Top >= r.Bottom;
    }
    if (pixelBox_)
        return pixelBox_->isEmpty();
    if (region_)
        return region_->isEmpty();
    if (shape_ == TSpotShape::Ellipse)
        return EllipseRegionIsEmpty(Corners());
    return PolygonRegionIsEmpty(points_);
}

bool SameSpot(const TSpot& a, const TSpot& b) {
    return a.Data() == b.Data();
}

} // namespace mm
