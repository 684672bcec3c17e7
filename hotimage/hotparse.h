#pragma once
// The text hot-map format: a header line "HOTMAP (HotImage v2.2)" and one block of
// keyword=value fields between "<" and ">" per spot, lines ending in CR LF.
#include "HotSpots.h"

#include <string>
#include <string_view>

namespace mm {

// Writes the whole list; raises FileCreateError. The old file stays whole on failure.
void SaveHotMapText(const std::string& fileName, const THotSpots& spots);

// Replaces the list's content with the spots of the file; raises FileOpenError. Malformed
// content is never an error: what cannot be read is dropped.
void LoadHotMapText(const std::string& fileName, THotSpots& spots);

// The text SaveHotMapText writes.
std::string HotMapText(const THotSpots& spots);

// LoadHotMapText on a stream, from its current position to its end.
void ReadHotMapText(TStream& stream, THotSpots& spots);

// "polyline", "rectangle", "ellipse"; any other name, in any case, means polyline.
const char* ShapeName(TSpotShape shape);
TSpotShape ShapeFromName(std::string_view name);

} // namespace mm
