// Reads the HTTP Date header ("Thu, 09 Jun 2011 12:34:56 GMT") into a GMT DateTime.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "time/date_time.h"

struct ParsedDate {
    bool ok = false;
    DateTime value;  // the GMT instant when ok; the local time at the call otherwise
};

ParsedDate parseDateHeader(const std::string& text);

// Every space ends a field (so adjacent spaces give empty fields); a trailing remainder is a
// field only when it is not empty.
std::vector<std::string> splitOnSpaces(const std::string& text);

// Leading white space, an optional sign, then digits; wraps in 32 bits; no digit gives 0.
int32_t fieldInteger(const std::string& field);
