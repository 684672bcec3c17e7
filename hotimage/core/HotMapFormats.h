#pragma once
// The hot-map formats in one place: the binary format (the list's own, "HMAP": THotSpots
// SaveToStream and LoadFromStream) and the text format ("HOTMAP (HotImage v2.2)"), the one rule
// that chooses between them, loading and saving a file in either, and the name of a model's own
// hot-map file.
#include "HotSpots.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace mm {

enum class THotMapFormat { Binary, Text };

// ".hmp" in any case selects the binary format; any other name, also one without an
// extension, the text format.
THotMapFormat HotMapFormatOfName(const std::string& fileName);

// "HMAP" or "HMAp" at the start of the file: binary; anything else, text. Raises FileOpenError.
THotMapFormat HotMapFormatOfContent(const std::string& fileName);

// The region work, in edge crossings of pixel rows, that all outlines of one map may take
// together: some 35 times what a remote of 200 buttons on a picture of 4000 x 6000 pixels
// needs, and drawn, checked or hit-tested in a few tens of milliseconds.
constexpr int64_t kMaxMapRegionWork = int64_t{1} << 22;

// A map whose outlines take more region work than kMaxMapRegionWork is refused: the list is
// cleared and FileReadError names the file and the spot at which the work ran out.
void RequireBoundedWork(THotSpots& spots, const std::string& nameInErrors);

// The list's content is replaced by the file's; raises the format's errors, and refuses a map
// beyond kMaxMapRegionWork (RequireBoundedWork). Every reader of hot-map files reads here.
void LoadHotMap(const std::string& fileName, THotSpots& spots, THotMapFormat format);
void SaveHotMap(const std::string& fileName, const THotSpots& spots, THotMapFormat format);
// The one rule wherever a file the user picked is loaded: in the format its content shows
// (HotMapFormatOfContent), whatever its name.
void LoadHotMapByContent(const std::string& fileName, THotSpots& spots);

// A model's own hot-map file, in the binary format despite its extension: "data/Model", the ID
// in four upper-case hexadecimal digits and ".hmt", in a directory ending in "/".
std::string ModelHotMapPath(const std::string& exeDir, uint16_t modelId);

// The text format, a header line "HOTMAP (HotImage v2.2)" and one block of keyword=value
// fields between "<" and ">" per spot, lines ending in CR LF.

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
