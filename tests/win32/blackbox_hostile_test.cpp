// Bad servers and faults: each probe fails cleanly, the fallback goes on, nothing is lost.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>

#include "blackbox.h"

namespace {

const char kFailed[] = "时间服务器连接失败......";

struct HostileCase {
    const char* name;
    HttpAnswer answer;
};

std::string withDate(const std::string& date) { return answerWithDate("200 OK", date); }

std::vector<HostileCase> hostileCases() {
    HttpAnswer late{withDate(httpDateNow())};
    late.delayMs = 6000;  // past the 5 s receive time-out
    HttpAnswer silent;
    silent.hold = true;
    return {
        {"answers after 6 s", late},
        {"accepts and never answers", silent},
        {"garbage status line", HttpAnswer{"SPLAT 99 ??\r\nDate: " + httpDateNow() + "\r\n\r\n"}},
        {"64 KiB Date", HttpAnswer{withDate(std::string(65536, '7'))}},
        {"high bytes and a NUL in Date", HttpAnswer{withDate(std::string("Thu, 09 J\xFF\x00n 2011 12:34:56 GMT", 31))}},
        {"closed inside the headers", HttpAnswer{"HTTP/1.1 200 OK\r\nContent-Le"}},
        {"a Date the parser rejects", HttpAnswer{withDate("Thu, 31 Jun 2011 25:61:00 GMT")}},
    };
}

// The first server of the list turns hostile (it is asked twice: as the shown text and as
// item 0); the others answer 404 at once; once healed, every server tells the time.
class HostileServer {
public:
    explicit HostileServer(HttpAnswer hostile)
        : hostile_(std::move(hostile)), server_([this](const HttpRequestHead& r) { return answer(r); }) {}
    void heal() { healed_ = true; }
    std::string url() const { return server_.url(); }
    std::vector<HttpRequestHead> requests() { return server_.requests(); }

private:
    HttpAnswer answer(const HttpRequestHead& r) {
        if (healed_) return dateNow(r);
        if (r.host == "www.ntsc.ac.cn") return hostile_;
        return notFound();
    }
    HttpAnswer hostile_;
    std::atomic<bool> healed_{false};
    LoopbackHttpServer server_;
};

TEST_F(Program, EveryHostileAnswerFailsItsProbeAndTheNextFetchSucceeds) {
    for (const HostileCase& c : hostileCases()) {
        SCOPED_TRACE(c.name);
        HostileServer server(c.answer);
        QuorvelProcess q(server.url());
        ASSERT_TRUE(q.started());
        q.click(Control::图形按钮_获取时间);
        ASSERT_TRUE(waitFor([&] { return q.text(Control::编辑框_服务器时间) == kFailed; }, 90000));
        EXPECT_EQ(server.requests().size(), 9u);  // the fallback went through the whole list
        EXPECT_TRUE(q.enabled(Control::图形按钮_获取时间));
        EXPECT_FALSE(q.enabled(Control::图形按钮_开始校准));

        server.heal();
        q.click(Control::图形按钮_获取时间);
        EXPECT_TRUE(waitFor([&] { return q.text(Control::编辑框_服务器时间).find("年") != std::string::npos; }));
        EXPECT_TRUE(q.enabled(Control::图形按钮_开始校准));
        EXPECT_TRUE(q.running());
    }
}

TEST_F(Program, ClosingTheWindowDuringAProbeEndsTheProgramWithNoFurtherProbe) {
    for (bool withEsc : {true, false}) {
        SCOPED_TRACE(withEsc ? "Esc" : "close button");
        LoopbackHttpServer server([](const HttpRequestHead&) {
            HttpAnswer a = notFound();
            a.delayMs = 2000;
            return a;
        });
        QuorvelProcess q(server.url());
        ASSERT_TRUE(q.started());
        q.click(Control::图形按钮_获取时间);
        ASSERT_TRUE(waitFor([&] { return server.requests().size() == 1; }));
        // The window closes while the probe waits; the probe ends and no further one starts.
        if (withEsc)
            pressKey(VK_ESCAPE);
        else
            q.click(Control::图形按钮_关闭);
        ASSERT_TRUE(endsWithCodeZero(q, 30000));
        EXPECT_EQ(server.requests().size(), 1u);
    }
}

TEST_F(Program, TheWindowStaysAliveWhileAProbeWaitsForItsAnswer) {
    LoopbackHttpServer server([](const HttpRequestHead& r) {
        HttpAnswer a = dateNow(r);
        a.delayMs = 3000;
        return a;
    });
    QuorvelProcess q(server.url());
    ASSERT_TRUE(q.started());
    q.click(Control::图形按钮_获取时间);
    ASSERT_TRUE(waitFor([&] { return server.requests().size() == 1; }));
    // While the server keeps the answer back, the window answers messages, keeps ticking and
    // can be moved.
    DWORD_PTR ignored;
    EXPECT_NE(SendMessageTimeoutA(q.window(), WM_NULL, 0, 0, SMTO_BLOCK, 500, &ignored), 0);
    const std::string local = q.text(Control::编辑框_系统时间);
    EXPECT_TRUE(waitFor([&] { return q.text(Control::编辑框_系统时间) != local; }, 2500));
    EXPECT_EQ(q.text(Control::编辑框_服务器时间), "正在查找时间服务器......");
    const DragResult d = drag(q, Control::标签1, true);
    EXPECT_EQ(d.after.left, d.before.left - 40);
    // Then the answer is taken as usual.
    EXPECT_TRUE(waitFor([&] { return q.text(Control::编辑框_服务器时间).find("年") != std::string::npos; }));
    EXPECT_EQ(server.requests().size(), 1u);
}

TEST_F(Program, TwoCopiesWorkSideBySideAndShareTheOptionsAtTheirNextStart) {
    LoopbackHttpServer server(dateNow);
    QuorvelProcess first(server.url());
    ASSERT_TRUE(first.started());
    QuorvelProcess second(server.url());
    ASSERT_TRUE(second.started());
    ASSERT_NE(first.window(), second.window());
    // Side by side, so that real clicks reach each one.
    RECT r;
    GetWindowRect(first.window(), &r);
    SetWindowPos(first.window(), nullptr, r.left - 150, r.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(second.window(), nullptr, r.left + 150, r.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(waitFor([&] {
        RECT a, b;
        GetWindowRect(first.window(), &a);
        GetWindowRect(second.window(), &b);
        return a.left == r.left - 150 && b.left == r.left + 150;
    }));

    for (QuorvelProcess* q : {&first, &second}) {
        q->click(Control::图形按钮_获取时间);
        EXPECT_TRUE(waitFor([&] { return q->text(Control::编辑框_服务器时间).find("年") != std::string::npos; }));
    }
    first.click(Control::选择框_自动退出);
    ASSERT_TRUE(waitFor([&] { return registryValueExists(kRudo, "zdtc"); }));
    EXPECT_EQ(second.checked(Control::选择框_自动退出), 0);  // read only at start
    QuorvelProcess third(server.url());
    ASSERT_TRUE(third.started());
    EXPECT_EQ(third.checked(Control::选择框_自动退出), 1);
}

}  // namespace
