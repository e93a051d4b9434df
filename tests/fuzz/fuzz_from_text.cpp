// Any text as a date-time: an accepted one reads back as the same instant.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "time/date_time.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const DateTime t = fromText(text);
    if (isEarliest(t)) return 0;
    // Its own display form is a text it must accept, and as the same instant; times on the
    // first and the last day lie outside the range by serial and read as that day's midnight.
    if (t.serial < -657434.0 || t.serial > 2958465.0) return 0;
    const DateTime again = fromText(toDisplayText(t));
    if (isEarliest(again) || toDisplayText(again) != toDisplayText(t)) std::abort();
    addSeconds(t, static_cast<int32_t>(size) * 1000003);
    return 0;
}
