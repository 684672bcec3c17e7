#include "MulDiv.h"

#include <cstdlib>

namespace mm {

int32_t MulDiv(int32_t number, int32_t numerator, int32_t denominator) {
    if (denominator == 0)
        return -1;
    const int64_t product = int64_t{number} * int64_t{numerator};
    const bool negative = (product < 0) != (denominator < 0);
    const uint64_t absProduct =
        product < 0 ? 0 - static_cast<uint64_t>(product) : static_cast<uint64_t>(product);
    const uint64_t absDivisor = denominator < 0 ? 0 - static_cast<uint64_t>(int64_t{denominator})
                                                : static_cast<uint64_t>(denominator);
    const uint64_t rounded = (absProduct + absDivisor / 2) / absDivisor;
    if (rounded > static_cast<uint64_t>(INT32_MAX) + (negative ? 1 : 0))
        return -1;
    return negative ? static_cast<int32_t>(-static_cast<int64_t>(rounded))
                    : static_cast<int32_t>(rounded);
}

} // namespace mm
