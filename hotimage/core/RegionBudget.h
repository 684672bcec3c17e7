#pragma once
// The memory the spots of one list may hold in cached regions. A spot that builds or uses its
// region becomes the most recently used; when the held total passes the budget, the least
// recently used other spots give theirs back first.
#include <cstddef>
#include <list>
#include <unordered_map>

namespace mm {

class TSpot;

constexpr size_t kMaxHeldRegionBytes = size_t{64} << 20;

class TRegionBudget {
public:
    explicit TRegionBudget(size_t maxBytes = kMaxHeldRegionBytes) : maxBytes_(maxBytes) {}
    TRegionBudget(const TRegionBudget&) = delete;
    TRegionBudget& operator=(const TRegionBudget&) = delete;

    // The spot holds a region of this many bytes and has just used it.
    void Used(const TSpot& spot, size_t bytes);
    // The spot gave its region back, or left the list.
    void Released(const TSpot& spot);

    size_t HeldBytes() const { return heldBytes_; }
    size_t MaxBytes() const { return maxBytes_; }
    void SetMaxBytes(size_t maxBytes) { maxBytes_ = maxBytes; }

private:
    struct TEntry {
        const TSpot* Spot;
        size_t Bytes;
    };
    std::list<TEntry> recent_; // most recently used first
    std::unordered_map<const TSpot*, std::list<TEntry>::iterator> entries_;
    size_t heldBytes_ = 0;
    size_t maxBytes_;
};

} // namespace mm
