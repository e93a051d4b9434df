#include "time/time_probe.h"

#include "time/date_header.h"

std::string probeUrl(const std::string& serverText) { return serverText + "/123.123"; }

DateTime compensateServerTime(DateTime gmt, uint32_t sentTick, uint32_t parsedTick) {
    const auto elapsedMs = static_cast<int32_t>(parsedTick - sentTick);  // modulo 2^32, wrap-safe
    const int32_t elapsedSeconds = elapsedMs / 1000;                     // truncated toward zero
    return addSeconds(addHours(gmt, 8), elapsedSeconds);
}

ServerTime queryServerTimeVia(DateHeaderExchange& exchange, const std::string& serverText, TickSource ticks) {
    ServerTime result;
    exchange.open(probeUrl(serverText));
    const uint32_t sentTick = ticks();
    const std::string header = exchange.sendAndReadDate();
    if (header.empty()) return result;
    const ParsedDate parsed = parseDateHeader(header);
    if (!parsed.ok) return result;
    const uint32_t parsedTick = ticks();
    result.ok = true;
    result.value = compensateServerTime(parsed.value, sentTick, parsedTick);
    return result;
}
