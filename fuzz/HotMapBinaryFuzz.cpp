// Any bytes as a binary hot-map: loaded, or refused with an error after loading part of it.
// Whatever was loaded is saved and loaded again and must come back the same; then it goes the
// way a user's map goes: bounded, checked, hit-tested over the whole picture and drawn.
#include "HotMapUserPath.h"

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
    mm::fuzz::RunUserPath(spots, size % 2 == 1);
    return 0;
}
