// Any bytes as a binary hot-map: loaded, or refused with an error after loading part of it.
// Whatever was loaded is saved and loaded again and must come back the same, the first spots
// are measured and hit-tested, which builds their regions, and the map is drawn as the hot
// image control draws it, with the first spot selected and every check mark on.
#include "hotimage/HotImageRenderer.h"
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
    for (int i = 0; i < spots.Count(); ++i)
        spots.Items(i)->CheckMarks = {true, true};
    QImage picture(48, 32, QImage::Format_RGB32);
    picture.fill(0xFFC08040);
    mm::THotImageState state;
    state.ShiftIndex = spots.IndexOfShiftKey();
    state.ShiftOn = size % 2 == 1;
    QImage buffer(64, 40, QImage::Format_RGB32);
    mm::THotImageRenderer(picture, spots, state).RenderBuffer(buffer, true);
    return 0;
}
