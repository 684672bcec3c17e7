#pragma once
// Texts read on buttons matched to a model's key names.
#include "model/ModelRecord.h"

#include <cstdint>
#include <string>
#include <vector>

namespace mm {

struct TTraceKey {
    std::string Name; // GBK, as the key table holds it
    int32_t KeyIdx = 0;
};

// The keys a traced button may be: the normal layer of the key table, in order.
std::vector<TTraceKey> TraceKeysOf(const TMyModelRecord& model);

// For each text (GBK) the KeyIdx of the key whose name equals it without case and spaces, or 0;
// no key is given twice. Exact matches come first; then, for what is left, signs OCR confuses
// (O and 0; I, L, | and ! and 1; S and 5; B and 8) count as equal.
std::vector<int32_t> MatchKeys(const std::vector<std::string>& texts,
                               const std::vector<TTraceKey>& keys);

} // namespace mm
