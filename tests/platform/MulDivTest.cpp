#include "platform/MulDiv.h"

#include <gtest/gtest.h>

namespace mm {
namespace {

TEST(MulDiv, RoundsHalvesAwayFromZero) {
    struct Case {
        int32_t a, b, c, expected;
    } cases[] = {
        {10, 3, 2, 15},
        {5, 1, 2, 3},
        {-5, 1, 2, -3},
        {5, -1, 2, -3},
        {5, 1, -2, -3},
        {7, 1, 3, 2},
        {8, 1, 3, 3},
        {-8, 1, 3, -3},
        {1, 1, 0, -1},
        {0, 5, 7, 0},
        {65536, 65536, 1, -1},
        {INT32_MAX, 2, 2, INT32_MAX},
        {INT32_MIN, 1, 1, INT32_MIN},
        {INT32_MIN, -1, 1, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MulDiv(c.a, c.b, c.c), c.expected) << c.a << "*" << c.b << "/" << c.c;
}

} // namespace
} // namespace mm
