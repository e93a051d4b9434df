// Asks one web server for its time: one HEAD request, only the Date header, turned into UTC+8.
#pragma once

#include <cstdint>
#include <string>

#include "time/date_time.h"

struct ServerTime {
    bool ok = false;
    DateTime value;  // UTC+8, compensated for the exchange; undefined unless ok
};

// The HTTP side of one probe, so the sequence and the compensation can run against a fake.
class DateHeaderExchange {
public:
    virtual ~DateHeaderExchange() = default;
    virtual void open(const std::string& url) = 0;
    // Sends the request and returns the Date header's value, empty on any failure.
    virtual std::string sendAndReadDate() = 0;
};

using TickSource = uint32_t (*)();

// The request goes to serverText + "/123.123", joined without any check.
std::string probeUrl(const std::string& serverText);

// GMT + 8 hours + the whole seconds between the two tick readings (which may wrap).
DateTime compensateServerTime(DateTime gmt, uint32_t sentTick, uint32_t parsedTick);

ServerTime queryServerTimeVia(DateHeaderExchange& exchange, const std::string& serverText, TickSource ticks);

// The real probe over the platform's HTTP automation object.
ServerTime queryServerTime(const std::string& serverText);

// Called whenever events arrive while a probe waits for its answer, so that the window stays
// alive meanwhile; without one, events wait until the probe has ended.
using ProbeWaitHandler = bool (*)();
void setProbeWaitHandler(ProbeWaitHandler handler);
