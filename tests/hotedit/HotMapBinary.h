#pragma once
// Hot maps and spots as the binary format writes them, to compare byte for byte.
#include "hotimage/core/HotSpots.h"

#include <memory>
#include <vector>

namespace mm::test {

inline std::vector<uint8_t> BinaryOf(const THotSpots& spots) {
    TMemoryStream stream;
    spots.SaveToStream(stream);
    return stream.Bytes();
}

// The hot map of this one spot.
inline std::vector<uint8_t> BinaryOf(const TSpot& spot) {
    THotSpots list;
    list.Add(std::make_unique<TSpot>(spot.Data()));
    return BinaryOf(list);
}

} // namespace mm::test
