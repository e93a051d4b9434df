// The real Quorvel.exe under Wine, driven from outside through the Win32 API and real input.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

#include "loopback_http_server.h"
#include "quorvel_process.h"
#include "ui/form.h"

namespace {

const char kRudo[] = "SYSTEM\\rudo";
const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

class Program : public testing::Test {
protected:
    void SetUp() override {
        deleteRegistryTree(kRudo);
        HKEY run;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kRunKey, 0, KEY_WRITE, &run) == ERROR_SUCCESS) {
            RegDeleteValueA(run, "Rorovav urur");
            RegCloseKey(run);
        }
    }
    static bool hasWindowText(HWND hwnd, const char* text) {
        char buffer[512] = {};
        SendMessageA(hwnd, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
        return std::strstr(buffer, text) != nullptr;
    }
};

HttpAnswer dateNow(const HttpRequestHead&) { return HttpAnswer{answerWithDate("200 OK", httpDateNow())}; }

HWND openMenu() {
    HWND menu = FindWindowA("#32768", nullptr);
    return menu && IsWindowVisible(menu) ? menu : nullptr;
}

// True when the window still stands after handling every message posted to it before this
// call: posted messages are handled in order, and this one opens the tray menu, which a window
// destroyed by an earlier queued request cannot do.
bool windowSurvivesItsPostedMessages(const QuorvelProcess& q) {
    PostMessageA(q.window(), 32868, 100, WM_RBUTTONUP);
    HWND menu = nullptr;
    if (!waitFor([&] { return (menu = openMenu()) != nullptr; }, 10000)) return false;
    pressKey(VK_ESCAPE);
    return waitFor([&] { return !IsWindowVisible(menu); });
}

TEST_F(Program, TheWindowIsCentredRoundedAndHoldsTheWholeControlTableInOrder) {
    QuorvelProcess q;
    ASSERT_TRUE(q.started());
    RECT w;
    GetWindowRect(q.window(), &w);
    EXPECT_EQ(w.left, (GetSystemMetrics(SM_CXSCREEN) - 280) / 2);
    EXPECT_EQ(w.top, (GetSystemMetrics(SM_CYSCREEN) - 366) / 2);
    EXPECT_EQ(w.right - w.left, 280);
    EXPECT_EQ(w.bottom - w.top, 366);
    char title[64] = {};
    SendMessageA(q.window(), WM_GETTEXT, sizeof title, reinterpret_cast<LPARAM>(title));
    EXPECT_STREQ(title, "Quorvelv1.8");
    EXPECT_EQ(GetWindowLongA(q.window(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);

    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(q.window(), region), ERROR);
    // Rounded corners, but the right and bottom edges are not clipped.
    EXPECT_FALSE(PtInRegion(region, 0, 0));
    EXPECT_FALSE(PtInRegion(region, 279, 365));
    EXPECT_TRUE(PtInRegion(region, 140, 0));
    EXPECT_TRUE(PtInRegion(region, 279, 183));
    EXPECT_TRUE(PtInRegion(region, 140, 365));
    EXPECT_TRUE(PtInRegion(region, 3, 3));
    DeleteObject(region);

    int previousId = 0;
    for (HWND child = GetWindow(q.window(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const int id = GetDlgCtrlID(child);
        EXPECT_GT(id, previousId) << "created out of order";
        previousId = id;
    }

    for (const ControlSpec& entry : kForm) {
        if (entry.kind == ControlKind::Balloon || entry.kind == ControlKind::Timer) {
            EXPECT_EQ(q.control(entry.control), nullptr);
            continue;
        }
        SCOPED_TRACE(static_cast<int>(entry.control));
        ASSERT_NE(q.control(entry.control), nullptr);
        const RECT r = q.rectInWindow(entry.control);
        EXPECT_EQ(r.left, entry.left);
        EXPECT_EQ(r.top, entry.top);
        EXPECT_EQ(r.right - r.left, entry.width);
        if (entry.kind == ControlKind::EditBox) {
            EXPECT_GE(r.bottom - r.top, entry.height);
        } else if (entry.kind != ControlKind::ComboBox) {
            EXPECT_EQ(r.bottom - r.top, entry.height);
        }
        if (entry.kind == ControlKind::Label || entry.kind == ControlKind::CheckBox) {
            EXPECT_EQ(q.text(entry.control), entry.text);
        }
        if (entry.kind == ControlKind::CheckBox) {
            EXPECT_EQ(q.checked(entry.control), entry.checked ? 1 : 0);
        }
        const bool disabledAtStart = entry.control == Control::分组框3 || entry.control == Control::图形按钮_开始校准;
        EXPECT_EQ(q.enabled(entry.control), !disabledAtStart);
    }
    EXPECT_EQ(q.text(Control::组合框1), kTimeServers[0]);
    EXPECT_EQ(SendMessageA(q.control(Control::组合框1), CB_GETCOUNT, 0, 0), 8);
    EXPECT_EQ(q.text(Control::编辑框_服务器时间), "");
    EXPECT_NE(q.text(Control::编辑框_系统时间).find("年"), std::string::npos);
}

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
        return HttpAnswer{"HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\nConnection: close\r\n\r\n"};
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
    ASSERT_TRUE(waitFor([&] { return (box = FindWindowA(nullptr, "错误")) != nullptr; }));
    bool textFound = false;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        textFound = textFound || hasWindowText(child, "时间修改失败，请检查你是否有足够的权限修改本机时间！");
    EXPECT_TRUE(textFound);
    EXPECT_EQ(FindWindowA("QuorvelBalloon", nullptr), nullptr);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(waitFor([&] { return !IsWindow(box); }));
    EXPECT_TRUE(q.running());
}

TEST_F(Program, EscWithTheFocusInAnEditBoxEndsTheProgramCleanly) {
    QuorvelProcess q;
    ASSERT_TRUE(q.started());
    q.click(Control::编辑框_服务器时间);
    ASSERT_TRUE(waitFor([&] { return q.threadState().hwndFocus == q.control(Control::编辑框_服务器时间); }));
    pressKey(VK_ESCAPE);
    DWORD code = 99;
    ASSERT_TRUE(q.waitForExit(20000, &code));
    EXPECT_EQ(code, 0u);
}

TEST_F(Program, TheCloseButtonClosesOnAReleaseInsideOnly) {
    QuorvelProcess q;
    ASSERT_TRUE(q.started());
    RECT close;
    GetWindowRect(q.control(Control::图形按钮_关闭), &close);
    q.pressAt(close.left + 10, close.top + 8);
    ASSERT_TRUE(waitFor([&] { return q.threadState().hwndCapture == q.control(Control::图形按钮_关闭); }));
    q.releaseAt(close.left - 120, close.top + 150);
    // Once the button has let the mouse go, it has decided whether this was a click.
    ASSERT_TRUE(waitFor([&] { return q.threadState().hwndCapture == nullptr; }));
    EXPECT_TRUE(windowSurvivesItsPostedMessages(q));
    EXPECT_TRUE(q.running());
    q.click(Control::图形按钮_关闭);
    DWORD code = 99;
    ASSERT_TRUE(q.waitForExit(20000, &code));
    EXPECT_EQ(code, 0u);
}

bool inMoveLoop(const QuorvelProcess& q) { return (q.threadState().flags & GUI_INMOVESIZE) != 0; }

struct DragResult {
    RECT before, after;
};

// Presses on a control, waits until the program has taken the press (the move loop has begun,
// or the control has the focus), drags 40 px left and 30 px down, and releases.
DragResult drag(const QuorvelProcess& q, Control from, bool expectMoveLoop) {
    DragResult d;
    RECT r;
    GetWindowRect(q.control(from), &r);
    GetWindowRect(q.window(), &d.before);
    const int x = r.left + 20, y = r.top + 8;
    q.pressAt(x, y);
    if (expectMoveLoop) {
        EXPECT_TRUE(waitFor([&] { return inMoveLoop(q); }));
    } else {
        EXPECT_TRUE(waitFor([&] { return q.threadState().hwndFocus == q.control(from); }));
        EXPECT_FALSE(inMoveLoop(q));
    }
    for (int i = 1; i <= 10; ++i) q.moveTo(x - 4 * i, y + 3 * i);
    q.releaseAt(x - 40, y + 30);
    EXPECT_TRUE(waitFor([&] { return !inMoveLoop(q) && SendMessageA(q.window(), WM_NULL, 0, 0) == 0; }));
    GetWindowRect(q.window(), &d.after);
    return d;
}

TEST_F(Program, DraggingTheTitleLabelMovesTheWindow) {
    QuorvelProcess q;
    ASSERT_TRUE(q.started());
    const DragResult d = drag(q, Control::标签1, true);
    EXPECT_EQ(d.after.left, d.before.left - 40);
    EXPECT_EQ(d.after.top, d.before.top + 30);
}

TEST_F(Program, DraggingAnEditBoxDoesNotMoveTheWindow) {
    QuorvelProcess q;
    ASSERT_TRUE(q.started());
    const DragResult d = drag(q, Control::编辑框_系统时间, false);
    EXPECT_EQ(d.after.left, d.before.left);
    EXPECT_EQ(d.after.top, d.before.top);
}

TEST_F(Program, CheckedOptionsAreWrittenToTheRegistryAndSurviveARestart) {
    {
        QuorvelProcess q;
        ASSERT_TRUE(q.started());
        EXPECT_EQ(q.checked(Control::选择框_自动退出), 0);
        q.click(Control::选择框_自动退出);
        DWORD type = 0;
        ASSERT_TRUE(waitFor([&] { return registryValueExists(kRudo, "zdtc", &type); }));
        EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
        q.click(Control::选择框_开机后自动启动);
        ASSERT_TRUE(waitFor([&] { return registryValueExists(kRudo, "启动路径"); }));
        const std::string run = registryText(kRunKey, "Rorovav urur");
        EXPECT_EQ(registryText(kRudo, "启动路径"), run);
        EXPECT_NE(run.find("Quorvel.exe"), std::string::npos);
        EXPECT_EQ(run.rfind("Z:\\", 0), 0u);
    }
    {
        QuorvelProcess q;
        ASSERT_TRUE(q.started());
        EXPECT_EQ(q.checked(Control::选择框_自动退出), 1);
        EXPECT_EQ(q.checked(Control::选择框_开机后自动启动), 1);
        EXPECT_EQ(q.checked(Control::选择框_自动校准), 0);
        q.click(Control::选择框_自动退出);
        EXPECT_TRUE(waitFor([&] { return !registryValueExists(kRudo, "zdtc"); }));
        q.click(Control::选择框_开机后自动启动);
        EXPECT_TRUE(waitFor([&] { return !registryValueExists(kRunKey, "Rorovav urur"); }));
        EXPECT_TRUE(waitFor([&] { return !registryValueExists(kRudo, "启动路径"); }));
    }
}

TEST_F(Program, AStoredPathInAnotherCaseOrTypeShowsStartWithWindowsUnchecked) {
    HKEY key;
    ASSERT_EQ(RegCreateKeyA(HKEY_LOCAL_MACHINE, kRudo, &key), ERROR_SUCCESS);
    const DWORD one = 1;
    RegSetValueExA(key, "启动路径", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), sizeof one);
    RegSetValueExA(key, "qdxz", 0, REG_SZ, reinterpret_cast<const BYTE*>(""), 1);
    RegCloseKey(key);
    QuorvelProcess q;
    ASSERT_TRUE(q.started());
    EXPECT_EQ(q.checked(Control::选择框_开机后自动启动), 0);
    EXPECT_EQ(q.checked(Control::选择框_自动校准), 1);  // presence alone counts
}

TEST_F(Program, TheTrayCallbackOpensTheMenuAndItsExitEndsTheProgram) {
    QuorvelProcess q;
    ASSERT_TRUE(q.started());
    for (LPARAM mouse : {517, 514, 515}) {
        SCOPED_TRACE(mouse);
        PostMessageA(q.window(), 32868, 100, mouse);
        HWND menu = nullptr;
        ASSERT_TRUE(waitFor([&] { return (menu = openMenu()) != nullptr; }));
        POINT cursor;
        GetCursorPos(&cursor);
        RECT r;
        GetWindowRect(menu, &r);
        EXPECT_LE(r.right, cursor.x - 5 + 1);
        EXPECT_GE(r.right, cursor.x - 5 - 1);
        EXPECT_EQ(r.top, cursor.y - 5);
        pressKey(VK_ESCAPE);
        ASSERT_TRUE(waitFor([&] { return !IsWindowVisible(menu); }));
        EXPECT_TRUE(q.running());
    }
    PostMessageA(q.window(), 32868, 100, 517);
    ASSERT_TRUE(waitFor([] { return openMenu() != nullptr; }));
    pressKey(VK_UP);  // from no selection, Up picks the last item, "退出"
    pressKey(VK_RETURN);
    DWORD code = 99;
    ASSERT_TRUE(q.waitForExit(20000, &code));
    EXPECT_EQ(code, 0u);
}

}  // namespace
