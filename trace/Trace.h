#pragma once
// Spots proposed for a remote's photo: one per button found, its label read and matched to a
// key of the model.
#include "KeyMatch.h"
#include "hotimage/core/Spot.h"

#include <QImage>
#include <functional>
#include <string_view>
#include <vector>

namespace mm {

struct TTraceResult {
    std::vector<TSpotData> Spots; // enabled, KeyKind 0, default colours, Hint the text read
    int Matched = 0;              // spots given a key
};

// Called after each button's label is read: how many are done of how many.
using TTraceProgress = std::function<void(int done, int total)>;

// Raises TraceError when the OCR engine cannot start.
TTraceResult TracePicture(const QImage& picture, const std::vector<TTraceKey>& keys,
                          const TTraceProgress& progress = {});

} // namespace mm
