// Any Date header value: parsing never faults, and an accepted one is a real calendar time.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "time/date_header.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    fieldInteger(text);
    splitOnSpaces(text);
    const ParsedDate parsed = parseDateHeader(text);
    if (parsed.ok) {
        const CalendarFields f = toCalendarFields(parsed.value);
        if (f.year < 100 || f.year > 9999 || f.month < 1 || f.month > 12 || f.day < 1 || f.day > 31 || f.hour > 23 ||
            f.minute > 59 || f.second > 59)
            std::abort();
        toDisplayText(parsed.value);
    }
    return 0;
}
