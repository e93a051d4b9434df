// Instants as OLE Automation dates, and their text forms.
#pragma once

#include <cstdint>
#include <string>

// Days since 1899-12-30 as the whole part, time of day as the fraction. Below zero the whole
// part counts backwards while the fraction still runs forward from that day's midnight, so the
// serial jumps at every negative whole number; arithmetic goes through a continuous form.
struct DateTime {
    double serial = 0.0;
};

struct CalendarFields {
    int year = 100;     // 100..9999
    int month = 1;      // 1..12
    int day = 1;        // 1..31
    int hour = 0;       // 0..23
    int minute = 0;     // 0..59
    int second = 0;     // 0..59
    int dayOfWeek = 0;  // 0 = Sunday .. 6 = Saturday
};

constexpr double kEarliestSerial = -657434.0;  // 100-01-01 00:00:00
constexpr double kLatestSerial = 2958465.0;    // 9999-12-31 00:00:00

// The computer's local time now, fraction of a second dropped.
DateTime now();

DateTime addHours(DateTime t, int32_t n);
DateTime addSeconds(DateTime t, int32_t n);

// Parses "YYYY-MM-DD HH:MM:SS" and its looser relatives; the earliest value on any failure.
DateTime fromText(const std::string& text);
bool isEarliest(DateTime t);

// "2011年6月9日20时34分57秒", dropping trailing zero parts.
std::string toDisplayText(DateTime t);

// Clamps to the representable range and rounds to the nearest second.
CalendarFields toCalendarFields(DateTime t);

// The serial of already valid fields (dayOfWeek is ignored).
DateTime fromCalendarFields(const CalendarFields& f);

std::string intToText(int32_t n);

// Full-width GBK characters replaced by their ASCII forms; a lone lead byte at the end dropped.
std::string normaliseFullWidth(const std::string& text);
