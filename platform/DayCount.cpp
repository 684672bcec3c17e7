#include "DayCount.h"

#include <chrono>

namespace mm {

double DayCountFromLocalTime(std::time_t moment) {
    std::tm local{};
    localtime_r(&moment, &local);
    using namespace std::chrono;
    const year_month_day date{year{local.tm_year + 1900},
                              month{static_cast<unsigned>(local.tm_mon + 1)},
                              day{static_cast<unsigned>(local.tm_mday)}};
    constexpr sys_days epoch = year{1899} / December / 30;
    const double days = static_cast<double>((sys_days{date} - epoch).count());
    const double seconds = local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec;
    return days + seconds / 86400.0;
}

double NowAsDayCount() {
    return DayCountFromLocalTime(std::time(nullptr));
}

} // namespace mm
