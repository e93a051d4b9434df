// The real program used hard: its resident memory stays where it was.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>

#include "blackbox.h"

namespace {

// Fetches by real clicks, each one until the server has answered and the button is back.
void fetchTimes(QuorvelProcess& q, LoopbackHttpServer& server, int count) {
    for (int i = 0; i < count; ++i) {
        const size_t before = server.requests().size();
        q.click(Control::图形按钮_获取时间);
        ASSERT_TRUE(waitFor([&] {
            return server.requests().size() == before + 1 && q.enabled(Control::图形按钮_获取时间) &&
                   q.enabled(Control::图形按钮_开始校准);
        }));
    }
}

void tickTimes(const QuorvelProcess& q, int count) {
    for (int i = 0; i < count; ++i) PostMessageA(q.window(), WM_TIMER, 1, 0);
    SendMessageA(q.window(), WM_NULL, 0, 0);  // after every posted tick
}

TEST_F(Program, TwoHundredFetchesAndAThousandTicksLeaveResidentMemoryWhereItWas) {
    LoopbackHttpServer server(dateNow);
    QuorvelProcess q(server.url());
    ASSERT_TRUE(q.started());
    fetchTimes(q, server, 10);
    tickTimes(q, 10);
    const long afterTen = q.residentKib();
    ASSERT_GT(afterTen, 0);
    fetchTimes(q, server, 190);
    tickTimes(q, 990);
    const long afterAll = q.residentKib();
    std::printf("Quorvel.exe resident: %ld KiB after 10 fetches and ticks, %ld KiB after 200 and 1000\n", afterTen,
                afterAll);
    EXPECT_LE(afterAll - afterTen, 1024) << "more than 1 MiB of growth";
    EXPECT_NE(q.text(Control::编辑框_服务器时间).find("年"), std::string::npos);
    EXPECT_TRUE(q.running());
}

}  // namespace
