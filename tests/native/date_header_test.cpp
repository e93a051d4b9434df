#include <gtest/gtest.h>

#include "time/date_header.h"

namespace {

struct HeaderCase {
    const char* header;
    const char* expected;  // nullptr: rejected
};

std::string numeric(DateTime t) {
    const CalendarFields f = toCalendarFields(t);
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%d-%02d-%02d %02d:%02d:%02d", f.year, f.month, f.day, f.hour, f.minute,
                  f.second);
    return buffer;
}

TEST(DateHeader, AcceptsTheServersFormAndRejectsEverythingElse) {
    const HeaderCase cases[] = {
        {"Thu, 09 Jun 2011 12:34:56 GMT", "2011-06-09 12:34:56"},
        {"Thu, 9 Jun 2011 12:34:56 GMT", "2011-06-09 12:34:56"},
        {"Thu, 09 Jun 2011 12:34:56 GMT ", "2011-06-09 12:34:56"},
        {" Thu, 09 Jun 2011 12:34:56 GMT", nullptr},
        {"Thu,  09 Jun 2011 12:34:56 GMT", nullptr},
        {"Xyz 09 Jun 2011 12:34:56 GMT", "2011-06-09 12:34:56"},
        {"Thu, 09 jun 2011 12:34:56 GMT", nullptr},
        {"Thu, 09 Jun 2011 12:34:56 gmt", nullptr},
        {"Thu, 09 Jun 2011 12:34:56 UTC", nullptr},
        {"Mon, 09 Jun 2008 12:34:56 GMT", nullptr},
        {"Wed, 31 Dec 5000 23:59:59 GMT", "5000-12-31 23:59:59"},
        {"Thu, 01 Jan 5001 00:00:00 GMT", nullptr},
        {"Thu, 00 Jun 2011 12:34:56 GMT", nullptr},
        {"Thu, 32 Jun 2011 12:34:56 GMT", nullptr},
        {"Thu, 09 Jun 2011 12:34 GMT", "2011-06-09 12:34:00"},
        {"Thursday, 09-Jun-11 12:34:56 GMT", nullptr},
        {"Thu Jun  9 12:34:56 2011", nullptr},
        {"", nullptr},
        {"Fri, 12 Dec 2025 00:00:00 GMT", "2025-12-12 00:00:00"},
        // A date or time that does not exist is a bad answer, not year 100.
        {"Thu, 31 Jun 2011 12:34:56 GMT", nullptr},
        {"Thu, 09 Jun 2011 25:00:00 GMT", nullptr},
        {"Thu, 29 Feb 2011 00:00:00 GMT", nullptr},
        {"Thu, 09 Jun 2011 12:34:56x GMT", nullptr},
        {"Thu, 09 Jun 4294969307 12:34:56 GMT", nullptr},  // wraps to 2011, then fromText sees 10 digits
    };
    for (const HeaderCase& c : cases) {
        const ParsedDate parsed = parseDateHeader(c.header);
        EXPECT_EQ(parsed.ok, c.expected != nullptr) << '"' << c.header << '"';
        if (c.expected && parsed.ok) {
            EXPECT_EQ(numeric(parsed.value), c.expected) << c.header;
        }
    }
}

TEST(DateHeader, ARejectionCarriesTheLocalTimeOfTheCall) {
    const DateTime before = now();
    const ParsedDate parsed = parseDateHeader("nonsense");
    EXPECT_FALSE(parsed.ok);
    EXPECT_GE(parsed.value.serial, before.serial);
    EXPECT_LE(parsed.value.serial, now().serial + 1e-9);
}

TEST(DateHeaderFields, SplitOnEverySingleSpace) {
    using Fields = std::vector<std::string>;
    EXPECT_EQ(splitOnSpaces(""), Fields{});
    EXPECT_EQ(splitOnSpaces("a"), Fields{"a"});
    EXPECT_EQ(splitOnSpaces("a b"), (Fields{"a", "b"}));
    EXPECT_EQ(splitOnSpaces("a  b"), (Fields{"a", "", "b"}));
    EXPECT_EQ(splitOnSpaces(" a"), (Fields{"", "a"}));
    EXPECT_EQ(splitOnSpaces("a "), Fields{"a"});
    EXPECT_EQ(splitOnSpaces("a  "), (Fields{"a", ""}));
    EXPECT_EQ(splitOnSpaces(" "), Fields{""});
}

TEST(DateHeaderFields, IntegerReadingLikeAtoiButWrapping) {
    struct {
        const char* field;
        int32_t value;
    } const cases[] = {
        {"", 0},          {"x", 0},           {"09x", 9},      {" \t\n\v\f\r12", 12},
        {"+7", 7},        {"-7", -7},         {"--7", 0},      {"２０１１", 2011},
        {"2147483647", INT32_MAX}, {"2147483648", INT32_MIN}, {"4294969307", 2011}, {"-2147483648", INT32_MIN},
        {"99999999999999999999", 1661992959},
    };
    for (const auto& c : cases) EXPECT_EQ(fieldInteger(c.field), c.value) << c.field;
}

}  // namespace
