// Fetching the time over the real server list, and setting the clock.
#include <windows.h>

#include <gtest/gtest.h>

#include "ui/form.h"
#include "blackbox.h"

namespace {

TEST_F(Program, AFetchShowsTheSearchThenTheServersTimeTickingAndEnablesCalibration) {
    LoopbackHttpServer server([](const HttpRequestHead& r) {
        HttpAnswer a = dateNow(r);
        a.delayMs = 400;  // long enough to see the search text
        return a;
    });
    QuorvelProcess q(server.url());
    ASSERT_TRUE(q.started());
    q.click(Control::图形按钮_获取时间);
    EXPECT_TRUE(waitFor([&] { return q.text(Control::编辑框_服务器时间) == "正在查找时间服务器......"; }));
    EXPECT_TRUE(waitFor([&] { return q.text(Control::编辑框_服务器时间).find("年") != std::string::npos; }));
    const std::string first = q.text(Control::编辑框_服务器时间);
    EXPECT_TRUE(waitFor([&] { return q.text(Control::编辑框_服务器时间) != first; }, 5000));  // it ticks
    EXPECT_TRUE(q.enabled(Control::图形按钮_开始校准));
    EXPECT_TRUE(q.enabled(Control::图形按钮_获取时间));
    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].host, "www.ntsc.ac.cn");
    EXPECT_EQ(requests[0].requestLine.rfind("HEAD http://www.ntsc.ac.cn", 0), 0u) << requests[0].requestLine;
    EXPECT_NE(requests[0].requestLine.find("/123.123 HTTP/1.1"), std::string::npos);
}

TEST_F(Program, WhenNoServerAnswersEveryServerIsAskedInOrderAndTheFailureIsShown) {
    LoopbackHttpServer server([](const HttpRequestHead&) {
        return notFound();
    });
    QuorvelProcess q(server.url());
    ASSERT_TRUE(q.started());
    q.click(Control::图形按钮_获取时间);
    ASSERT_TRUE(waitFor([&] { return q.text(Control::编辑框_服务器时间) == "时间服务器连接失败......"; }, 60000));
    EXPECT_TRUE(q.enabled(Control::图形按钮_获取时间));
    EXPECT_FALSE(q.enabled(Control::图形按钮_开始校准));
    EXPECT_EQ(q.text(Control::组合框1), kTimeServers[7]);
    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 9u);
    EXPECT_EQ(requests[0].host, "www.ntsc.ac.cn");
    for (int i = 0; i < 8; ++i) EXPECT_EQ("http://" + requests[static_cast<size_t>(i) + 1].host, kTimeServers[i]);
}

TEST_F(Program, ARefusedCalibrationShowsTheErrorBoxAndNoBalloon) {
    // Two hours off: Wine refuses any clock change of more than half a second.
    LoopbackHttpServer server([](const HttpRequestHead&) {
        return HttpAnswer{answerWithDate("200 OK", "Thu, 09 Jun 2011 12:34:56 GMT")};
    });
    QuorvelProcess q(server.url());
    ASSERT_TRUE(q.started());
    q.click(Control::图形按钮_获取时间);
    ASSERT_TRUE(waitFor([&] { return q.enabled(Control::图形按钮_开始校准); }));
    q.click(Control::图形按钮_开始校准);
    HWND box = nullptr;
    ASSERT_TRUE(waitFor([&] { return (box = clockRefusedBox()) != nullptr; }));
    EXPECT_TRUE(boxHoldsText(box, "时间修改失败，请检查你是否有足够的权限修改本机时间！"));
    EXPECT_EQ(FindWindowA("QuorvelBalloon", nullptr), nullptr);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(waitFor([&] { return !IsWindow(box); }));
    EXPECT_TRUE(q.running());
    // Nothing was armed: the time keeps ticking, no countdown starts.
    const std::string shown = q.text(Control::编辑框_服务器时间);
    EXPECT_TRUE(waitFor([&] { return q.text(Control::编辑框_服务器时间) != shown; }, 5000));
    EXPECT_EQ(q.text(Control::编辑框_服务器时间).find("校准完成"), std::string::npos);
}

// Fetches and calibrates; Wine may still refuse a time that arrived too late in its second,
// so a refusal is dismissed and the fetch repeated, a few times at most.
bool calibrateWithRetries(QuorvelProcess& q) {
    for (int attempt = 0; attempt < 4; ++attempt) {
        q.click(Control::图形按钮_获取时间);
        HWND box = nullptr;
        if (!waitFor([&] { return shownBalloon() != nullptr || (box = clockRefusedBox()) != nullptr; })) return false;
        if (!box) return true;
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        if (!waitFor([&] { return !IsWindow(box) && q.enabled(Control::图形按钮_获取时间); })) return false;
    }
    return false;
}

TEST_F(Program, AnAcceptedCalibrationShowsTheNoticeThenCountsDownAndEndsTheProgram) {
    LoopbackHttpServer server(dateNowEarlyInASecond);
    QuorvelProcess q(server.url());
    ASSERT_TRUE(q.started());
    q.click(Control::选择框_自动校准);  // calibrates right after the fetch, while the time is fresh
    q.click(Control::选择框_自动退出);
    ASSERT_TRUE(waitFor([&] { return q.checked(Control::选择框_自动退出) == 1; }));
    ASSERT_TRUE(calibrateWithRetries(q));

    HWND balloon = shownBalloon();
    ASSERT_NE(balloon, nullptr);
    char text[64] = {};
    GetWindowTextA(balloon, text, sizeof text);
    RECT r;
    GetWindowRect(balloon, &r);
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
    EXPECT_GT(r.left, screenWidth / 2);
    EXPECT_GT(r.top, screenHeight / 2);
    EXPECT_LE(r.right, screenWidth);
    EXPECT_LE(r.bottom, screenHeight);
    EXPECT_GE(r.right, screenWidth - 60);
    EXPECT_GE(r.bottom, screenHeight - 60);
    EXPECT_STREQ(text, "校时完成 ！");

    // Each count stands for a whole tick, so polling sees every one of them.
    std::vector<std::string> seen;
    const bool ended = waitFor([&] {
        const std::string shown = q.text(Control::编辑框_服务器时间);
        if (shown.rfind("校准完成", 0) == 0 && (seen.empty() || seen.back() != shown)) seen.push_back(shown);
        return !q.running();
    }, 20000);
    ASSERT_TRUE(ended);
    const std::vector<std::string> expected = {"校准完成 5 秒后自动退出", "校准完成 4 秒后自动退出",
                                               "校准完成 3 秒后自动退出", "校准完成 2 秒后自动退出",
                                               "校准完成 1 秒后自动退出", "校准完成 0 秒后自动退出",
                                               "校准完成 -1 秒后自动退出"};
    EXPECT_EQ(seen, expected);
    ASSERT_TRUE(endsWithCodeZero(q, 5000));
}

}  // namespace
