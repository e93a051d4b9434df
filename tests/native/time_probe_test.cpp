#include <gtest/gtest.h>

#include <vector>

#include "time/time_probe.h"

namespace {

// Plays the server's side of one exchange and advances a fake tick counter while "on the wire".
class FakeExchange final : public DateHeaderExchange {
public:
    FakeExchange(std::string header, uint32_t elapsedMs) : header_(std::move(header)), elapsedMs_(elapsedMs) {}
    void open(const std::string& url) override { urls.push_back(url); }
    std::string sendAndReadDate() override {
        ++sends;
        ticks += elapsedMs_;
        return header_;
    }
    std::vector<std::string> urls;
    int sends = 0;
    static uint32_t ticks;

private:
    std::string header_;
    uint32_t elapsedMs_;
};
uint32_t FakeExchange::ticks = 0;

uint32_t fakeTicks() { return FakeExchange::ticks; }

struct ProbeCase {
    const char* header;
    uint32_t startTick;
    uint32_t elapsedMs;
    const char* display;  // nullptr: the probe fails
};

TEST(TimeProbe, CompensatesWithEightHoursAndTheWholeElapsedSeconds) {
    const ProbeCase cases[] = {
        {"Thu, 09 Jun 2011 12:34:56 GMT", 1000, 1234, "2011年6月9日20时34分57秒"},
        {"Thu, 09 Jun 2011 12:34:56 GMT", 1000, 999, "2011年6月9日20时34分56秒"},
        {"Thu, 09 Jun 2011 12:34:56 GMT", 1000, 1000, "2011年6月9日20时34分57秒"},
        {"Thu, 09 Jun 2011 12:34:56 GMT", 1000, 2999, "2011年6月9日20时34分58秒"},
        {"Thu, 09 Jun 2011 12:34:56 GMT", 0xFFFFFF00u, 1300, "2011年6月9日20时34分57秒"},  // counter wraps
        {"Thu, 09 Jun 2011 23:30:00 GMT", 5, 200, "2011年6月10日7时30分"},
        {"Thu, 31 Dec 2015 16:00:00 GMT", 5, 0, "2016年1月1日"},
        {"", 5, 10, nullptr},
        {"Thu, 09 Jun 2011 12:34:56 UTC", 5, 10, nullptr},
        {"Thu, 31 Jun 2011 12:34:56 GMT", 5, 10, nullptr},
    };
    for (const ProbeCase& c : cases) {
        FakeExchange::ticks = c.startTick;
        FakeExchange exchange(c.header, c.elapsedMs);
        const ServerTime result = queryServerTimeVia(exchange, "http://time.example", fakeTicks);
        EXPECT_EQ(result.ok, c.display != nullptr) << c.header;
        if (c.display && result.ok) {
            EXPECT_EQ(toDisplayText(result.value), c.display) << c.header;
        }
        EXPECT_EQ(exchange.sends, 1);
        ASSERT_EQ(exchange.urls.size(), 1u);
        EXPECT_EQ(exchange.urls[0], "http://time.example/123.123");
    }
}

TEST(TimeProbe, ElapsedTimeIsSignedSoATickReadingThatGoesBackSubtracts) {
    const DateTime gmt = fromText("2011-06-09 12:34:56");
    EXPECT_EQ(toDisplayText(compensateServerTime(gmt, 5000, 2000)), "2011年6月9日20时34分53秒");
    EXPECT_EQ(toDisplayText(compensateServerTime(gmt, 0xFFFFFC18u, 0x000003E8u)), "2011年6月9日20时34分58秒");
}

TEST(TimeProbe, TheUrlIsJoinedWithoutAnyCheck) {
    EXPECT_EQ(probeUrl(""), "/123.123");
    EXPECT_EQ(probeUrl("http://a.example/"), "http://a.example//123.123");
    EXPECT_EQ(probeUrl("not a url"), "not a url/123.123");
}

}  // namespace
