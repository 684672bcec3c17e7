#pragma once
// What a hot map read from a file goes through in the program: the bound on its work (a map
// beyond it is refused and emptied), the check against a model's keys, hit tests over the whole
// picture as the pointer makes them, and a rendering with every check mark on. Whatever was
// read must survive being written and read again unchanged.
#include "hotimage/core/HotImageRenderer.h"
#include "hotimage/core/HotMapCheck.h"
#include "hotimage/core/HotMapFormats.h"

#include <cstdlib>

namespace mm::fuzz {

inline void RunUserPath(THotSpots& spots, bool shiftOn) {
    try {
        RequireBoundedWork(spots, "input");
    } catch (const Error&) {
        if (spots.Count() != 0)
            std::abort(); // a refused map keeps nothing
        return;
    }
    CheckHotMap({0, 1, 2, 3, 44, 45}, spots);
    QImage picture(48, 32, QImage::Format_RGB32);
    picture.fill(0xFFC08040);
    // A grid over the whole picture: a miss gives the region back, so every point may build
    // every outline again; the map's bound on work keeps each point within tens of milliseconds.
    constexpr int kStep = 8;
    for (int y = 0; y < picture.height(); y += kStep)
        for (int x = 0; x < picture.width(); x += kStep)
            spots.IndexAt({x, y});
    for (int i = 0; i < spots.Count(); ++i)
        spots.Items(i)->CheckMarks = {true, true};
    THotImageState state;
    state.ShiftIndex = spots.IndexOfShiftKey();
    state.ShiftOn = shiftOn;
    QImage buffer(64, 40, QImage::Format_RGB32);
    THotImageRenderer(picture, spots, state).RenderBuffer(buffer, true);
}

} // namespace mm::fuzz
