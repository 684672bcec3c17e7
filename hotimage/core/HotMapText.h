#pragma once
// The text hot-map format: a header line "HOTMAP (HotImage v2.2)" and one block of
// keyword=value fields between "<" and ">" per spot, lines ending in CR LF.
#include "HotSpots.h"

#include <string>
#include <string_view>

namespace mm {

// Writes the whole list; raises FileCreateError. The old file stays whole on failure.
void SaveHotMapText(const std::string& fileName, const THotSpots& spots);

// Replaces the list's content with the spots of the file; raises FileOpenError, or
// FileReadError for a line longer than kMaxHotMapLineBytes. Other malformed content is never an
// error: what cannot be read is dropped.
void LoadHotMapText(const std::string& fileName, THotSpots& spots);

// The text SaveHotMapText writes.
std::string HotMapText(const THotSpots& spots);

// The longest line the reader takes; a longer one raises FileReadError naming the file.
constexpr size_t kMaxHotMapLineBytes = 1 << 20;

// LoadHotMapText on a stream, from its current position to its end; errors name the stream as
// nameInErrors.
void ReadHotMapText(TStream& stream, THotSpots& spots, const std::string& nameInErrors = "hot map");

// "polyline", "rectangle", "ellipse"; any other name, in any case, means polyline.
const char* ShapeName(TSpotShape shape);
TSpotShape ShapeFromName(std::string_view name);

} // namespace mm
