// The real probe over Wine's WinHTTP automation object against a loopback server.
#include <windows.h>

#include <gtest/gtest.h>

#include "loopback_http_server.h"
#include "time/time_probe.h"

namespace {

const char kDate[] = "Thu, 09 Jun 2011 12:34:56 GMT";
const double kShownSerial = 40703.857592592591;  // 2011-06-09 20:34:56, the Date plus 8 hours

struct Probed {
    ServerTime result;
    DWORD outerMs;
};

Probed probe(const std::string& server) {
    const DWORD start = GetTickCount();
    Probed p{queryServerTime(server), 0};
    p.outerMs = GetTickCount() - start;
    return p;
}

// The compensation is the whole seconds of the exchange, so it lies between the seconds we
// know it took at least and the seconds the whole call took.
void expectCompensatedBetween(const Probed& p, int atLeastSeconds) {
    ASSERT_TRUE(p.result.ok);
    const double addedSeconds = (p.result.value.serial - kShownSerial) * 86400.0;
    EXPECT_GE(addedSeconds, atLeastSeconds - 0.01);
    EXPECT_LE(addedSeconds, p.outerMs / 1000 + 0.01);
}

TEST(ProbeUnderWine, A404WithAValidDateIsATimeAndTheRequestIsOneHead) {
    LoopbackHttpServer server([](const HttpRequestHead&) { return HttpAnswer{answerWithDate("404 Not Found", kDate)}; });
    const Probed p = probe(server.url());
    expectCompensatedBetween(p, 0);
    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].requestLine, "HEAD /123.123 HTTP/1.1");
}

TEST(ProbeUnderWine, AnAnswerDelayedBeyondOneSecondAddsThatSecond) {
    LoopbackHttpServer server([](const HttpRequestHead&) {
        HttpAnswer a{answerWithDate("200 OK", kDate)};
        a.delayMs = 1200;
        return a;
    });
    expectCompensatedBetween(probe(server.url()), 1);
}

TEST(ProbeUnderWine, FailuresComeBackAsNotOk) {
    LoopbackHttpServer noDate([](const HttpRequestHead&) {
        return HttpAnswer{"HTTP/1.1 200 OK\r\nContent-Length: 0\r\nConnection: close\r\n\r\n"};
    });
    EXPECT_FALSE(probe(noDate.url()).result.ok);

    LoopbackHttpServer rejected([](const HttpRequestHead&) {
        return HttpAnswer{answerWithDate("200 OK", "Thu, 09 Jun 2011 12:34:56 UTC")};
    });
    EXPECT_FALSE(probe(rejected.url()).result.ok);

    LoopbackHttpServer impossible([](const HttpRequestHead&) {
        return HttpAnswer{answerWithDate("200 OK", "Thu, 31 Jun 2011 12:34:56 GMT")};
    });
    EXPECT_FALSE(probe(impossible.url()).result.ok);

    int refusedPort;
    {
        LoopbackHttpServer closed([](const HttpRequestHead&) { return HttpAnswer{}; });
        refusedPort = closed.port();
    }
    EXPECT_FALSE(probe("http://127.0.0.1:" + std::to_string(refusedPort)).result.ok);

    EXPECT_FALSE(probe("this is no url").result.ok);
    EXPECT_FALSE(probe("").result.ok);
}

TEST(ProbeUnderWine, AServerSlowerThanTheReceiveTimeOutEndsTheProbe) {
    for (bool silent : {false, true}) {
        SCOPED_TRACE(silent ? "never answers" : "answers after 6 s");
        LoopbackHttpServer server([silent](const HttpRequestHead&) {
            HttpAnswer a{answerWithDate("200 OK", kDate)};
            a.delayMs = 6000;
            a.hold = silent;
            return a;
        });
        const Probed p = probe(server.url());
        EXPECT_FALSE(p.result.ok);
        EXPECT_LT(p.outerMs, 5900u);
    }
}

}  // namespace
