#pragma once
// Which hot-map format a file is in, and loading or saving a file in a given format.
#include "HotSpots.h"

#include <string>

namespace mm {

enum class THotMapFormat { Binary, Text };

// ".hmp" in any case selects the binary format; any other name, also one without an
// extension, the text format.
THotMapFormat HotMapFormatOfName(const std::string& fileName);

// "HMAP" or "HMAp" at the start of the file: binary; anything else, text. Raises FileOpenError.
THotMapFormat HotMapFormatOfContent(const std::string& fileName);

// The list's content is replaced by the file's; raises the format's errors.
void LoadHotMap(const std::string& fileName, THotSpots& spots, THotMapFormat format);
void SaveHotMap(const std::string& fileName, const THotSpots& spots, THotMapFormat format);

} // namespace mm
