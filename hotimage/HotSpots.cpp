#include "HotImage.h"

#include <algorithm>

namespace mm {

HotMapFormatError::HotMapFormatError() : Error("HotMap: Invalid Stream format") {}

THotSpots::THotSpots(TSpotListOwner* image) : image_(image) {}

THotSpots::~THotSpots() {
    Clear();
}

void THotSpots::Clear() {
    while (!items_.empty())
        delete items_.back(); // the spot takes itself out
}

TSpot* THotSpots::Items(int index) {
    return const_cast<TSpot*>(std::as_const(*this).Items(index));
}

const TSpot* THotSpots::Items(int index) const {
    if (index < 0 || index >= Count())
        throw ListError::IndexOutOfBounds(index);
    return items_[static_cast<size_t>(index)];
}

int THotSpots::IndexOf(const TSpot* spot) const {
    const auto at = std::find(items_.begin(), items_.end(), spot);
    return at == items_.end() ? -1 : static_cast<int>(at - items_.begin());
}

void THotSpots::Assign(const THotSpots& source) {
    if (&source == this)
        return;
    Clear();
    for (const TSpot* from : source.items_) {
        TSpot* spot = Add(std::make_unique<TSpot>());
        spot->Assign(*from);
        if (from->HasMask())
            spot->SetMask(from->GetMask());
    }
}

void THotSpots::Delete(int index) {
    delete Items(index);
}

TSpot* THotSpots::Add(TSpot* spot) {
    if (spot->owner_)
        spot->owner_->Remove(spot);
    items_.push_back(spot);
    spot->owner_ = this;
    return spot;
}

TSpot* THotSpots::Remove(TSpot* spot) {
    if (!spot || spot->owner_ != this)
        return nullptr;
    if (image_)
        image_->SpotRemoved(spot);
    // Searched from the end: Clear removes the last spot each time.
    const auto at = std::find(items_.rbegin(), items_.rend(), spot);
    items_.erase(std::next(at).base());
    spot->owner_ = nullptr;
    return spot;
}

void THotSpots::Move(int curIndex, int newIndex) {
    if (curIndex == newIndex)
        return;
    TSpot* spot = Items(curIndex);
    Items(newIndex); // both ends must exist before anything moves
    items_.erase(items_.begin() + curIndex);
    items_.insert(items_.begin() + newIndex, spot);
}

int THotSpots::IndexAt(TPoint p) const {
    for (size_t i = 0; i < items_.size(); ++i)
        if (items_[i]->Enabled && items_[i]->Contains(p))
            return static_cast<int>(i);
    return -1;
}

TSpot* THotSpots::SpotAt(TPoint p) const {
    const int index = IndexAt(p);
    return index < 0 ? nullptr : items_[static_cast<size_t>(index)];
}

int THotSpots::IndexOfShiftKey() const {
    const auto at = std::find_if(items_.begin(), items_.end(),
                                 [](const TSpot* s) { return s->KeyKind == kKeyKindShift; });
    return at == items_.end() ? -1 : static_cast<int>(at - items_.begin());
}

bool THotSpots::HasMaskItems() const {
    return std::any_of(items_.begin(), items_.end(), [](const TSpot* s) { return s->HasMask(); });
}

} // namespace mm
