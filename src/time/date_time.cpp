#include "time/date_time.h"

#include <cmath>
#include <cstdio>

namespace {

constexpr int64_t kDaysFrom0000To18991230 = 693899;  // 0000-03-01 to 1899-12-30

// Returns the days since 1899-12-30 of y-m-d in the proleptic Gregorian calendar.
// Preconditions: m in [1, 12], d in [1, daysInMonth(y, m)].
constexpr int64_t daysFromCivil(int64_t y, int m, int d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;                                    // [0, 399]
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;  // [0, 365]
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;           // [0, 146096]
    return era * 146097 + doe - kDaysFrom0000To18991230;
}

struct Ymd {
    int64_t y;
    int m;
    int d;
};

// Returns the civil date of a day counted from 1899-12-30.
constexpr Ymd civilFromDays(int64_t z) {
    z += kDaysFrom0000To18991230;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;                                  // [0, 146096]
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;  // [0, 399]
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);          // [0, 365]
    const int64_t mp = (5 * doy + 2) / 153;                               // [0, 11]
    const int d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);         // [1, 31]
    const int m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);            // [1, 12]
    return {yoe + era * 400 + (m <= 2), m, d};
}

static_assert(daysFromCivil(1899, 12, 30) == 0);
static_assert(daysFromCivil(1900, 1, 1) == 2);
static_assert(daysFromCivil(100, 1, 1) == -657434);
static_assert(daysFromCivil(9999, 12, 31) == 2958465);
static_assert(civilFromDays(-657434).y == 100 && civilFromDays(-657434).m == 1);
static_assert(civilFromDays(2958465).d == 31);

constexpr bool isLeapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

constexpr int daysInMonth(int y, int m) {
    constexpr int lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && isLeapYear(y) ? 29 : lengths[m - 1];
}

// The serial is discontinuous below zero; x is continuous and equals the serial from 0 up.
double continuousFromSerial(double serial) {
    if (serial >= 0) return serial;
    const double k = std::ceil(serial);
    return k - (serial - k);
}

double serialFromContinuous(double x) {
    if (x >= 0) return x;
    const double k = std::floor(x);
    return k + (k - x);
}

DateTime addSpan(DateTime t, double span) {
    return DateTime{serialFromContinuous(continuousFromSerial(t.serial) + span)};
}

// The GBK double-byte characters of the text forms (年 月 日 时 分 秒), spelt as bytes so that
// the parser reads the same whatever character set it is compiled with.
const char kYear[] = "\xC4\xEA";
const char kMonth[] = "\xD4\xC2";
const char kDay[] = "\xC8\xD5";
const char kHour[] = "\xCA\xB1";
const char kMinute[] = "\xB7\xD6";
const char kSecond[] = "\xC3\xEB";

struct Cursor {
    const std::string& text;
    size_t pos = 0;

    int readNumber(int maxDigits) {
        int value = 0;
        for (int i = 0; i < maxDigits && pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++i)
            value = value * 10 + (text[pos++] - '0');
        return value;
    }

    bool at(const char* gbk) const {
        return pos + 1 < text.size() && text[pos] == gbk[0] && text[pos + 1] == gbk[1];
    }

    // At most one separator: one of the ASCII bytes, or the one double-byte character.
    void skipSeparator(const char* ascii, const char* gbk) {
        if (pos < text.size()) {
            for (const char* a = ascii; *a; ++a) {
                if (text[pos] == *a) {
                    ++pos;
                    return;
                }
            }
        }
        if (at(gbk)) pos += 2;
    }
};

}  // namespace

DateTime fromCalendarFields(const CalendarFields& f) {
    const double days = static_cast<double>(daysFromCivil(f.year, f.month, f.day));
    const double t = (f.hour * 3600 + f.minute * 60 + f.second) / 86400.0;
    return DateTime{days >= 0 ? days + t : days - t};
}

DateTime addHours(DateTime t, int32_t n) { return n == 0 ? t : addSpan(t, n / 24.0); }

DateTime addSeconds(DateTime t, int32_t n) { return n == 0 ? t : addSpan(t, n / 86400.0); }

bool isEarliest(DateTime t) { return t.serial == kEarliestSerial; }

CalendarFields toCalendarFields(DateTime t) {
    double s = t.serial;
    if (s > kLatestSerial) s = kLatestSerial;
    if (s < kEarliestSerial) s = kEarliestSerial;
    constexpr double halfSecond = 0.5 / 86400.0;
    s += s > 0 ? halfSecond : -halfSecond;

    const double whole = std::trunc(s);
    const Ymd ymd = civilFromDays(static_cast<int64_t>(whole));
    const double absolute = std::fabs(s);
    const int secs = static_cast<int>((absolute - std::floor(absolute)) * 86400.0);  // [0, 86399]

    CalendarFields f;
    f.year = static_cast<int>(ymd.y);
    f.month = ymd.m;
    f.day = ymd.d;
    f.hour = secs / 3600;
    f.minute = (secs / 60) % 60;
    f.second = secs % 60;
    const int64_t dayNumber = static_cast<int64_t>(whole);
    f.dayOfWeek = static_cast<int>(((dayNumber % 7) + 7 + 6) % 7);  // 1899-12-30 was a Saturday
    return f;
}

std::string toDisplayText(DateTime t) {
    const CalendarFields f = toCalendarFields(t);
    char buffer[64];
    int n = std::snprintf(buffer, sizeof buffer, "%d%s%d%s%d%s", f.year, kYear, f.month, kMonth, f.day, kDay);
    if (f.second != 0)
        std::snprintf(buffer + n, sizeof buffer - n, "%d%s%d%s%d%s", f.hour, kHour, f.minute, kMinute, f.second, kSecond);
    else if (f.minute != 0)
        std::snprintf(buffer + n, sizeof buffer - n, "%d%s%d%s", f.hour, kHour, f.minute, kMinute);
    else if (f.hour != 0)
        std::snprintf(buffer + n, sizeof buffer - n, "%d%s", f.hour, kHour);
    return buffer;
}

std::string intToText(int32_t n) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%d", static_cast<int>(n));
    return buffer;
}

std::string normaliseFullWidth(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80) {
            out += text[i];
            continue;
        }
        if (i + 1 >= text.size()) break;  // a lead byte with no trail byte is dropped
        const auto trail = static_cast<unsigned char>(text[++i]);
        if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE)
            out += static_cast<char>(trail - 0x80);
        else if (lead == 0xA1 && trail == 0xA1)
            out += ' ';
        else if (lead == 0xA1 && trail == 0xAB)
            out += '~';
        else if (lead == 0xA1 && (trail == 0xEE || trail == 0xEF))
            out += '*';
        else {
            out += static_cast<char>(lead);
            out += static_cast<char>(trail);
        }
    }
    return out;
}

DateTime fromText(const std::string& raw) {
    const DateTime failed{kEarliestSerial};
    const std::string text = normaliseFullWidth(raw);
    if (text.empty()) return failed;

    Cursor c{text};
    CalendarFields f;
    f.year = c.readNumber(4);
    c.skipSeparator("-./:", kYear);
    f.month = c.readNumber(2);
    c.skipSeparator("-./:", kMonth);
    f.day = c.readNumber(2);
    c.skipSeparator(" -./:", kDay);
    f.hour = c.readNumber(2);
    c.skipSeparator("-./:", kHour);
    f.minute = c.readNumber(2);
    c.skipSeparator("-./:", kMinute);
    f.second = c.readNumber(2);
    if (c.pos != text.size() && !c.at(kSecond)) return failed;

    if (f.year < 100 || f.year > 9999 || f.month < 1 || f.month > 12) return failed;
    if (f.day < 1 || f.day > daysInMonth(f.year, f.month)) return failed;
    if (f.hour > 23 || f.minute > 59 || f.second > 59) return failed;
    return fromCalendarFields(f);
}
