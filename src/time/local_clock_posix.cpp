// The local clock for the native build, where the logic is tested without Windows.
#include <ctime>

#include "time/date_time.h"

DateTime now() {
    const std::time_t seconds = std::time(nullptr);
    std::tm local{};
    localtime_r(&seconds, &local);
    CalendarFields f;
    f.year = local.tm_year + 1900;
    f.month = local.tm_mon + 1;
    f.day = local.tm_mday;
    f.hour = local.tm_hour;
    f.minute = local.tm_min;
    f.second = local.tm_sec > 59 ? 59 : local.tm_sec;
    return fromCalendarFields(f);
}
