#pragma once
#include <ctime>

namespace mm {

// Local date and time as days since 1899-12-30 00:00, the fraction being the time of day.
double DayCountFromLocalTime(std::time_t moment);
double NowAsDayCount();

} // namespace mm
