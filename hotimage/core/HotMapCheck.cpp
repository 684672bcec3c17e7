#include "HotMapCheck.h"

#include <algorithm>
#include <set>

namespace mm {

THotMapFindings CheckHotMap(const std::vector<int32_t>& keyIndexes, const THotSpots& spots) {
    THotMapFindings findings;
    std::set<int32_t> outlined;
    for (int i = 0; i < spots.Count(); ++i) {
        const TSpot& spot = *spots.Items(i);
        const bool empty = spot.OutlineIsEmpty();
        if (empty)
            findings.EmptySpots.push_back(i);
        if (spot.Enabled && !empty)
            outlined.insert(spot.ID);
        if (std::find(keyIndexes.begin(), keyIndexes.end(), spot.ID) == keyIndexes.end())
            findings.SpotsWithoutKey.push_back(i);
    }
    for (size_t k = 0; k < keyIndexes.size(); ++k)
        if (!outlined.contains(keyIndexes[k]))
            findings.KeysWithoutOutline.push_back(static_cast<int>(k));
    return findings;
}

} // namespace mm
