// Any bytes as a binary hot-map: loaded, or refused with an error after loading part of it.
// Whatever was loaded is saved and loaded again and must come back the same, and the first
// spots are measured and hit-tested, which builds their regions.
#include "hotimage/HotSpots.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    mm::TMemoryStream input(mm::TSSByteArray(data, data + size));
    mm::THotSpots spots;
    try {
        spots.LoadFromStream(input);
    } catch (const mm::Error&) {
    }
    mm::TMemoryStream written;
    spots.SaveToStream(written);
    mm::TMemoryStream again(written.TakeBytes());
    mm::THotSpots back;
    back.LoadFromStream(again);
    if (!mm::SameSpots(spots, back))
        std::abort();
    for (int i = 0; i < spots.Count() && i < 4; ++i) {
        const mm::TSpot& spot = *spots.Items(i);
        const mm::TRect bounds = spot.GetBounds();
        spot.Contains({bounds.Left, bounds.Top});
        if (!spot.Points().empty())
            spot.Contains(spot.Points().front());
    }
    return 0;
}
