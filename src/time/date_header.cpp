#include "time/date_header.h"

#include <cstring>

namespace {

const char* const kMonthNames[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                     "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

bool isSpaceByte(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

}  // namespace

std::vector<std::string> splitOnSpaces(const std::string& text) {
    std::vector<std::string> fields;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == ' ') {
            fields.push_back(text.substr(start, i - start));
            start = i + 1;
        }
    }
    if (start < text.size()) fields.push_back(text.substr(start));
    return fields;
}

int32_t fieldInteger(const std::string& field) {
    const std::string text = normaliseFullWidth(field);
    size_t i = 0;
    while (i < text.size() && isSpaceByte(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    uint32_t value = 0;  // unsigned, so that overflow wraps instead of being undefined
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = value * 10u + static_cast<uint32_t>(text[i] - '0');
    if (negative) value = 0u - value;
    return static_cast<int32_t>(value);
}

ParsedDate parseDateHeader(const std::string& text) {
    ParsedDate result;
    result.value = now();

    const std::vector<std::string> fields = splitOnSpaces(text);
    if (fields.size() != 6) return result;
    const std::string& day = fields[1];
    const std::string& month = fields[2];
    const std::string& year = fields[3];
    const std::string& time = fields[4];
    if (fields[5] != "GMT") return result;

    const int32_t yearNumber = fieldInteger(year);
    if (yearNumber < 2009 || yearNumber > 5000) return result;

    int monthNumber = 0;
    for (int m = 0; m < 12; ++m)
        if (month == kMonthNames[m]) monthNumber = m + 1;
    if (monthNumber == 0) return result;

    const int32_t dayNumber = fieldInteger(day);
    if (dayNumber < 1 || dayNumber > 31) return result;

    const char monthDigits[3] = {static_cast<char>('0' + monthNumber / 10),
                                 static_cast<char>('0' + monthNumber % 10), '\0'};
    const DateTime parsed = fromText(year + "-" + monthDigits + "-" + day + " " + time);
    // A date or time that does not exist (31 Jun, 25:00:00) is a bad answer, not year 100.
    if (isEarliest(parsed)) return result;

    result.ok = true;
    result.value = parsed;
    return result;
}
