#pragma once
// Hot maps built to make a reader, a check or a rendering spend without end: outlines that each
// stay within the work of one spot but add up, corners at the ends of the 32-bit range, and a
// great many empty spots. Every user path must end in a result or a refusal, within a memory
// cap and a generous time bound.
#include "SpotSupport.h"
#include "hotimage/core/HotMapFormats.h"

#include <climits>
#include <string>
#include <vector>

namespace mm::test {

struct THostileMap {
    std::string name;
    std::vector<TPoint> outline; // repeated as polylines; empty with corners set
    TSpotShape shape = TSpotShape::Polyline;
    int copies = 1;
    int refusedAt = -1; // the spot where the work runs out; -1 when the map is read
};

// Each just below the work one outline may take: 16 of them fit in one map, the 17th not.
inline const std::vector<TPoint> kSwellingPolyline = {
    {0, 0}, {-524288, 65535}, {0, -65536}, {-1, -1}, {254, 0}};
inline const std::vector<TPoint> kTallTriangle = {{0, 0}, {10, 131071}, {20, 0}};
inline const std::vector<TPoint> kWholeRange = {{INT_MIN, INT_MIN}, {INT_MAX, INT_MAX}};
inline const std::vector<TPoint> kWholeRangePolygon = {
    {INT_MIN, INT_MIN}, {INT_MAX, INT_MIN}, {INT_MAX, INT_MAX}, {INT_MIN, INT_MAX}};

inline std::vector<THostileMap> HostileMaps() {
    std::vector<THostileMap> maps;
    for (int copies : {1, 16, 100, 10000}) { // 16: the most that fit
        const int refusedAt = copies > 16 ? 16 : -1;
        maps.push_back({"swelling polyline x" + std::to_string(copies), kSwellingPolyline,
                        TSpotShape::Polyline, copies, refusedAt});
        maps.push_back({"tall triangle x" + std::to_string(copies), kTallTriangle,
                        TSpotShape::Polyline, copies, refusedAt});
    }
    for (TSpotShape shape : {TSpotShape::Polyline, TSpotShape::Rectangle, TSpotShape::Ellipse})
        maps.push_back({"corners at -2^31 and 2^31-1, shape " + std::to_string(int(shape)),
                        shape == TSpotShape::Polyline ? kWholeRangePolygon : kWholeRange, shape});
    maps.push_back({"100000 empty spots", {}, TSpotShape::Polyline, 100000});
    return maps;
}

inline void WriteHostileMap(const THostileMap& map, const std::string& fileName) {
    THotSpots spots;
    for (int i = 0; i < map.copies; ++i)
        spots.Add(MakeSpot(map.shape, map.outline, 1));
    spots.SaveToFile(fileName);
}

// What a reader says of a map refused at a spot (every spot has ID 1).
inline std::string HostileRefusal(const std::string& fileName, int spot) {
    return "Cannot read file \"" + fileName + "\". Its outlines need more than " +
           std::to_string(kMaxMapRegionWork) +
           " rows of drawing work; the limit is passed at spot " + std::to_string(spot) +
           " (ID 1).";
}

} // namespace mm::test
