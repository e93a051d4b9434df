#include <gtest/gtest.h>

#include <cstring>

#include "time/date_time.h"

namespace {

DateTime at(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
    CalendarFields f;
    f.year = y;
    f.month = mo;
    f.day = d;
    f.hour = h;
    f.minute = mi;
    f.second = s;
    return fromCalendarFields(f);
}

std::string numeric(DateTime t) {
    const CalendarFields f = toCalendarFields(t);
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d", f.year, f.month, f.day, f.hour, f.minute,
                  f.second);
    return buffer;
}

bool sameBits(DateTime a, DateTime b) { return std::memcmp(&a.serial, &b.serial, sizeof(double)) == 0; }

TEST(DateTimeSerial, AnchorsAndTheDiscontinuityBelowZero) {
    EXPECT_EQ(numeric(DateTime{0.0}), "1899-12-30 00:00:00");
    EXPECT_EQ(numeric(DateTime{1.5}), "1899-12-31 12:00:00");
    EXPECT_EQ(numeric(DateTime{2.25}), "1900-01-01 06:00:00");
    EXPECT_EQ(numeric(DateTime{-1.25}), "1899-12-29 06:00:00");
    EXPECT_EQ(numeric(DateTime{-1.5}), "1899-12-29 12:00:00");
    EXPECT_EQ(at(1899, 12, 29, 6).serial, -1.25);
    EXPECT_EQ(at(100, 1, 1).serial, kEarliestSerial);
    EXPECT_EQ(at(9999, 12, 31).serial, kLatestSerial);
}

TEST(DateTimeSerial, EveryDayOfTheRangeRoundTripsAndFollowsTheDayBefore) {
    CalendarFields previous = toCalendarFields(DateTime{kEarliestSerial});
    EXPECT_EQ(previous.dayOfWeek, 5);  // 100-01-01 was a Friday
    for (double day = kEarliestSerial + 1; day <= kLatestSerial; day += 1) {
        const CalendarFields f = toCalendarFields(DateTime{day});
        ASSERT_EQ(fromCalendarFields(f).serial, day);
        ASSERT_EQ(f.dayOfWeek, (previous.dayOfWeek + 1) % 7);
        const bool nextDay = f.day == previous.day + 1 && f.month == previous.month;
        const bool nextMonth = f.day == 1 && (f.month == previous.month + 1 || (f.month == 1 && f.year == previous.year + 1));
        ASSERT_TRUE(nextDay || nextMonth) << day;
        previous = f;
    }
    EXPECT_EQ(toCalendarFields(at(2011, 6, 9)).dayOfWeek, 4);  // a Thursday
}

struct DisplayCase {
    DateTime instant;
    const char* text;
};

TEST(DateTimeDisplay, DropsTrailingZeroPartsAndClampsToTheRange) {
    const DisplayCase cases[] = {
        {at(2011, 6, 9, 20, 34, 57), "2011年6月9日20时34分57秒"},
        {at(2011, 6, 9, 20, 34, 0), "2011年6月9日20时34分"},
        {at(2011, 6, 9, 20, 0, 0), "2011年6月9日20时"},
        {at(2011, 6, 9, 20, 0, 5), "2011年6月9日20时0分5秒"},
        {at(2011, 6, 10), "2011年6月10日"},
        {at(2011, 6, 10, 0, 0, 5), "2011年6月10日0时0分5秒"},
        {at(2011, 6, 10, 0, 5, 0), "2011年6月10日0时5分"},
        {DateTime{kLatestSerial + 10.7}, "9999年12月31日"},
        {DateTime{kEarliestSerial - 3.2}, "100年1月1日"},
    };
    for (const DisplayCase& c : cases) EXPECT_EQ(toDisplayText(c.instant), c.text) << c.text;
}

struct TextCase {
    const char* text;
    const char* expected;  // nullptr: the earliest value
};

TEST(DateTimeFromText, ReadsTheNumericFormsAndFailsWithTheEarliestValue) {
    const TextCase cases[] = {
        {"2011-06-09 12:34:56", "2011-06-09 12:34:56"},
        {"2011-06-9 12:34:56", "2011-06-09 12:34:56"},
        {"2011-06-09 12:34", "2011-06-09 12:34:00"},
        {"2011-06-09", "2011-06-09 00:00:00"},
        {"2011年6月9日12时34分56秒", "2011-06-09 12:34:56"},
        {"2011年6月9日12时34分56秒以后", "2011-06-09 12:34:56"},
        {"2011/6/9", "2011-06-09 00:00:00"},
        {"２０１１－０６－０９　１２：３４：５６", "2011-06-09 12:34:56"},
        {"2012-02-29 00:00:00", "2012-02-29 00:00:00"},
        {"2011-02-29 00:00:00", nullptr},
        {"2011-06-09 24:00:00", nullptr},
        {"2011-06-09 12:60:00", nullptr},
        {"2011-06-09T12:34:56", nullptr},
        {" 2011-06-09", nullptr},
        {"", nullptr},
        {"0099-12-31", nullptr},
        {"2011-13-01", nullptr},
    };
    for (const TextCase& c : cases) {
        const DateTime t = fromText(c.text);
        if (c.expected)
            EXPECT_EQ(numeric(t), c.expected) << c.text;
        else
            EXPECT_TRUE(isEarliest(t)) << c.text;
    }
}

TEST(DateTimeFromText, NormalisesFullWidthGbkAndDropsALoneLeadByte) {
    EXPECT_EQ(normaliseFullWidth("\xA3\xB1\xA1\xA1\xA1\xAB\xA1\xEE\xA1\xEF"), "1 ~**");
    EXPECT_EQ(normaliseFullWidth("年\xA3"), "年");
    EXPECT_EQ(normaliseFullWidth("a\xA3\xFE"), "a~");
    EXPECT_TRUE(isEarliest(fromText("\xA3")));
}

TEST(DateTimeArithmetic, AddsHoursAndSecondsThroughTheContinuousForm) {
    EXPECT_EQ(toDisplayText(addSeconds(addHours(at(2011, 6, 9, 12, 34, 56), 8), 1)), "2011年6月9日20时34分57秒");

    DateTime t = at(2011, 6, 9, 20, 34, 57);
    for (int i = 0; i < 86400; ++i) t = addSeconds(t, 1);
    EXPECT_EQ(toDisplayText(t), "2011年6月10日20时34分57秒");

    EXPECT_EQ(numeric(addHours(DateTime{-1.25}, 24)), "1899-12-30 06:00:00");
    EXPECT_EQ(numeric(addHours(DateTime{0.25}, -12)), "1899-12-29 18:00:00");
    EXPECT_EQ(numeric(addSeconds(at(1900, 1, 1), -1)), "1899-12-31 23:59:59");

    const DateTime shifted = addHours(DateTime{kEarliestSerial}, 8);
    EXPECT_NEAR(shifted.serial, -657434.0 - 1.0 / 3.0, 1e-9);
    EXPECT_EQ(toDisplayText(shifted), "100年1月1日");
}

TEST(DateTimeArithmetic, ZeroReturnsTheArgumentBitForBitEvenOutsideTheRange) {
    for (double serial : {0.1, -1.25, kLatestSerial + 99.123, kEarliestSerial - 5.5, 40703.857604166664}) {
        EXPECT_TRUE(sameBits(addSeconds(DateTime{serial}, 0), DateTime{serial}));
        EXPECT_TRUE(sameBits(addHours(DateTime{serial}, 0), DateTime{serial}));
    }
}

TEST(DateTimeArithmetic, EightHoursNeverLosesASecondWhenRead) {
    // The shift by 8/24 of a day is inexact; reading must round, or about one value in six
    // would show a second too few.
    for (int s = 0; s < 86400; s += 7) {
        const DateTime base = at(2011, 6, 9, s / 3600, (s / 60) % 60, s % 60);
        const CalendarFields f = toCalendarFields(addHours(base, 8));
        const int shifted = (s + 8 * 3600) % 86400;
        ASSERT_EQ(f.hour * 3600 + f.minute * 60 + f.second, shifted) << s;
    }
}

TEST(DateTimeIntText, PlainDecimal) {
    EXPECT_EQ(intToText(5), "5");
    EXPECT_EQ(intToText(0), "0");
    EXPECT_EQ(intToText(-1), "-1");
    EXPECT_EQ(intToText(INT32_MIN), "-2147483648");
}

}  // namespace
