#pragma once
#include <cstdint>

namespace mm {

// number * numerator / denominator on a 64-bit product, rounded to the nearest integer with
// halves away from zero; -1 when denominator is 0 or the result does not fit in 32 bits.
int32_t MulDiv(int32_t number, int32_t numerator, int32_t denominator);

} // namespace mm
