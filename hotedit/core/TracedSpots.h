#pragma once
// Outlines proposed by a trace of the picture, added to the hot-map editor's working copy.
#include "HotMapDocument.h"

#include <vector>

namespace mm {

// The proposals that overlap no spot of `existing` by more than half (of the smaller of the
// two outlines), in their order.
std::vector<TSpotData> NewProposals(const THotSpots& existing,
                                    const std::vector<TSpotData>& proposals);

// Those new proposals appended after the existing spots as one undoable command, "Trace 23
// outlines"; the number added (no command for none).
int AddTracedSpots(THotMapDocument& document, const std::vector<TSpotData>& proposals);

} // namespace mm
