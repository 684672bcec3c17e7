#include "RegionBudget.h"

#include "Spot.h"

namespace mm {

void TRegionBudget::Used(const TSpot& spot, size_t bytes) {
    const auto at = entries_.find(&spot);
    if (at != entries_.end()) {
        heldBytes_ -= at->second->Bytes;
        recent_.erase(at->second);
    }
    recent_.push_front({&spot, bytes});
    entries_[&spot] = recent_.begin();
    heldBytes_ += bytes;
    // The spot in use keeps its region even when it alone passes the budget.
    while (heldBytes_ > maxBytes_ && recent_.size() > 1) {
        const TEntry oldest = recent_.back();
        recent_.pop_back();
        entries_.erase(oldest.Spot);
        heldBytes_ -= oldest.Bytes;
        oldest.Spot->DropRegion();
    }
}

void TRegionBudget::Released(const TSpot& spot) {
    const auto at = entries_.find(&spot);
    if (at == entries_.end())
        return;
    heldBytes_ -= at->second->Bytes;
    recent_.erase(at->second);
    entries_.erase(at);
}

} // namespace mm
