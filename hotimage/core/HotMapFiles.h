#pragma once
// Which hot-map format a file is in, loading or saving a file in a given format, and the name
// of a model's own hot-map file.
#include "HotSpots.h"

#include <cstdint>
#include <string>

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

// A model's own hot-map file, in the binary format despite its extension: "data/Model", the ID
// in four upper-case hexadecimal digits and ".hmt", in a directory ending in "/".
std::string ModelHotMapPath(const std::string& exeDir, uint16_t modelId);

} // namespace mm
