#include <windows.h>

#include "time/date_time.h"

DateTime now() {
    SYSTEMTIME local;
    GetLocalTime(&local);
    CalendarFields f;
    f.year = local.wYear;
    f.month = local.wMonth;
    f.day = local.wDay;
    f.hour = local.wHour;
    f.minute = local.wMinute;
    f.second = local.wSecond;
    return fromCalendarFields(f);
}
