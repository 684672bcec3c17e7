#pragma once
// A hot map against a model's key table: keys that no enabled spot outlines, spots whose ID
// names no key, and spots that outline nothing. What a catalogue keeper checks before shipping
// a model.
#include "HotSpots.h"

#include <cstdint>
#include <vector>

namespace mm {

struct THotMapFindings {
    std::vector<int> KeysWithoutOutline; // positions in the key list, in order
    std::vector<int> SpotsWithoutKey;    // spot indexes, in list order
    std::vector<int> EmptySpots;         // spot indexes of spots whose outline holds no point

    bool Empty() const {
        return KeysWithoutOutline.empty() && SpotsWithoutKey.empty() && EmptySpots.empty();
    }
};

// keyIndexes: the KeyIdx of every key, normal and SHIFT. A spot stands for the key whose
// KeyIdx equals its ID; a key is outlined by an enabled spot whose outline holds a point.
THotMapFindings CheckHotMap(const std::vector<int32_t>& keyIndexes, const THotSpots& spots);

} // namespace mm
