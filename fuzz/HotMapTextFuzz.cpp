// Any bytes as a text hot-map: the reader never fails on content. What it read is written and
// read again and must come back the same; then it goes the way a user's map goes: bounded,
// checked, hit-tested over the whole picture and drawn.
#include "HotMapUserPath.h"
#include "hotimage/core/HotMapFormats.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    mm::TMemoryStream input(mm::TSSByteArray(data, data + size));
    mm::THotSpots spots;
    mm::ReadHotMapText(input, spots);
    const std::string text = mm::HotMapText(spots);
    mm::TMemoryStream again(mm::TSSByteArray(text.begin(), text.end()));
    mm::THotSpots back;
    mm::ReadHotMapText(again, back);
    if (!mm::SameSpots(spots, back))
        std::abort();
    mm::fuzz::RunUserPath(spots, size % 2 == 1);
    return 0;
}
