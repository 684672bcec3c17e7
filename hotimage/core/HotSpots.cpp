#include "HotSpots.h"

#include <algorithm>

namespace mm {

namespace {

// Finds a spot among the owned pointers.
auto Holding(const TSpot* spot) {
    return [spot](const std::unique_ptr<TSpot>& s) { return s.get() == spot; };
}

} // namespace

HotMapFormatError::HotMapFormatError() : Error("HotMap: Invalid Stream format") {}

HotMapFieldError::HotMapFieldError(const Error& standard, std::string field)
    : Error(standard.what()), field_(std::move(field)) {}

THotSpots::THotSpots(TSpotListOwner* image) : image_(image) {}

THotSpots::~THotSpots() {
    Clear();
}

void THotSpots::Clear() {
    while (!items_.empty())
        Remove(items_.back().get()); // destroyed here, after the owner was told
}

TSpot* THotSpots::Items(int index) {
    return const_cast<TSpot*>(std::as_const(*this).Items(index));
}

const TSpot* THotSpots::Items(int index) const {
    if (index < 0 || index >= Count())
        throw ListError::IndexOutOfBounds(index);
    return items_[static_cast<size_t>(index)].get();
}

int THotSpots::IndexOf(const TSpot* spot) const {
    const auto at = std::find_if(items_.begin(), items_.end(), Holding(spot));
    return at == items_.end() ? -1 : static_cast<int>(at - items_.begin());
}

void THotSpots::Assign(const THotSpots& source) {
    if (&source == this)
        return;
    Clear();
    for (const std::unique_ptr<TSpot>& from : source.items_) {
        TSpot* spot = Add(std::make_unique<TSpot>());
        spot->Assign(*from);
        if (from->HasMask())
            spot->SetMask(from->GetMask());
    }
}

void THotSpots::Delete(int index) {
    Remove(Items(index));
}

TSpot* THotSpots::Add(std::unique_ptr<TSpot> spot) {
    if (!spot)
        return nullptr;
    spot->owner_ = this;
    items_.push_back(std::move(spot));
    items_.back()->CountRegion();
    return items_.back().get();
}

std::unique_ptr<TSpot> THotSpots::Remove(TSpot* spot) {
    if (!spot || spot->owner_ != this)
        return nullptr;
    Detach(spot);
    return std::unique_ptr<TSpot>(spot);
}

void THotSpots::Detach(TSpot* spot) {
    if (image_)
        image_->SpotRemoved(spot);
    // Searched from the end: Clear removes the last spot each time.
    const auto at = std::find_if(items_.rbegin(), items_.rend(), Holding(spot));
    at->release(); // the caller has the spot now, or it is being destroyed
    items_.erase(std::next(at).base());
    regions_.Released(*spot);
    spot->owner_ = nullptr;
}

void THotSpots::Move(int curIndex, int newIndex) {
    if (curIndex == newIndex)
        return;
    Items(curIndex);
    Items(newIndex); // both ends must exist before anything moves
    std::unique_ptr<TSpot> spot = std::move(items_[static_cast<size_t>(curIndex)]);
    items_.erase(items_.begin() + curIndex);
    items_.insert(items_.begin() + newIndex, std::move(spot));
}

int THotSpots::IndexAt(TPoint p) const {
    for (size_t i = 0; i < items_.size(); ++i)
        if (items_[i]->Enabled && items_[i]->Contains(p))
            return static_cast<int>(i);
    return -1;
}

TSpot* THotSpots::SpotAt(TPoint p) const {
    const int index = IndexAt(p);
    return index < 0 ? nullptr : items_[static_cast<size_t>(index)].get();
}

int THotSpots::IndexOfShiftKey() const {
    const auto at = std::find_if(items_.begin(), items_.end(), [](const std::unique_ptr<TSpot>& s) {
        return s->KeyKind == kKeyKindShift;
    });
    return at == items_.end() ? -1 : static_cast<int>(at - items_.begin());
}

bool THotSpots::HasMaskItems() const {
    return std::any_of(items_.begin(), items_.end(),
                       [](const std::unique_ptr<TSpot>& s) { return s->HasMask(); });
}

bool SameSpots(const THotSpots& a, const THotSpots& b) {
    if (a.Count() != b.Count())
        return false;
    for (int i = 0; i < a.Count(); ++i)
        if (!SameSpot(*a.Items(i), *b.Items(i)))
            return false;
    return true;
}

} // namespace mm
