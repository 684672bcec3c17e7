#include "platform/DayCount.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace mm {
namespace {

TEST(DayCount, CountsDaysSince1899December30InLocalTime) {
    setenv("TZ", "UTC", 1);
    tzset();
    EXPECT_DOUBLE_EQ(DayCountFromLocalTime(0), 25569.0);              // 1970-01-01 00:00
    EXPECT_DOUBLE_EQ(DayCountFromLocalTime(86400 + 21600), 25570.25); // 1970-01-02 06:00
    setenv("TZ", "UTC-8", 1);
    tzset();
    EXPECT_DOUBLE_EQ(DayCountFromLocalTime(0), 25569.0 + 8.0 / 24.0);
    unsetenv("TZ");
    tzset();
}

} // namespace
} // namespace mm
