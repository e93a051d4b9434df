// The program's own code in this process, driven hard: fetches, ticks and notices leave
// its resident memory and the handles its owners hold where they were.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>

#include "host_process.h"
#include "loopback_http_server.h"
#include "sync/bindings_win32.h"
#include "sync/sync_platform.h"
#include "sync/sync_state.h"
#include "time/live_handles.h"
#include "time/time_probe.h"
#include "ui/controls.h"
#include "ui/main_window_win32.h"

namespace {

// Resident memory as the host sees this (Wine) process.
long residentKib() { return statusFigureKib(readHostFile("Z:\\proc\\self\\status"), "VmRSS:"); }

void pumpMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) dispatchWithFrameRules(msg);
}

void work(int fetches, int ticks) {
    for (int i = 0; i < fetches; ++i) {
        fetchServerTime();
        if (i % 10 == 0) showBalloon(700, 500, "校时完成 ！", -1, 1);
        pumpMessages();
    }
    for (int i = 0; i < ticks; ++i) {
        onTimerTick();
        pumpMessages();
    }
}

TEST(LeakUnderWine, FetchesTicksAndNoticesLeaveMemoryAndHandlesWhereTheyWere) {
    LoopbackHttpServer server([](const HttpRequestHead&) { return HttpAnswer{answerWithDate("200 OK", httpDateNow())}; });
    SetEnvironmentVariableA("http_proxy", server.url().c_str());
    _putenv(("http_proxy=" + server.url()).c_str());
    setProbeWaitHandler(handlePendingEvents);  // as the program does
    ASSERT_TRUE(createMainWindow(GetModuleHandleA(nullptr), formBindings()));

    work(10, 10);
    ASSERT_EQ(server.requests().size(), 10u);
    ASSERT_EQ(g_sync.serverTimeValid, 1);
    const long handlesAfterTen = g_liveHandles.load();
    const long kibAfterTen = residentKib();
    ASSERT_GT(kibAfterTen, 0);

    work(190, 990);
    EXPECT_EQ(server.requests().size(), 200u);
    const long kibAfterAll = residentKib();
    std::printf("resident memory: %ld KiB after 10 fetches and ticks, %ld KiB after 200 and 1000; "
                "owned handles %ld and %ld\n", kibAfterTen, kibAfterAll, handlesAfterTen, g_liveHandles.load());
    EXPECT_EQ(g_liveHandles.load(), handlesAfterTen);
    EXPECT_LE(kibAfterAll - kibAfterTen, 1024) << "more than 1 MiB of growth";

    requestDestroy();
    for (int i = 0; i < 1000 && !windowGone(); ++i) pumpMessages();
    EXPECT_TRUE(windowGone());
}

}  // namespace
