#include "blackbox.h"

#include <cstring>

const char kRudo[] = "SYSTEM\\rudo";
const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

void Program::SetUp() {
    deleteRegistryTree(kRudo);
    HKEY run;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kRunKey, 0, KEY_WRITE, &run) == ERROR_SUCCESS) {
        RegDeleteValueA(run, "Rorovav urur");
        RegCloseKey(run);
    }
}

HttpAnswer dateNow(const HttpRequestHead&) { return HttpAnswer{answerWithDate("200 OK", httpDateNow())}; }

HttpAnswer notFound() { return HttpAnswer{"HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\nConnection: close\r\n\r\n"}; }

testing::AssertionResult endsWithCodeZero(QuorvelProcess& q, DWORD timeoutMs) {
    DWORD code = 99;
    if (!q.waitForExit(timeoutMs, &code)) return testing::AssertionFailure() << "still running after " << timeoutMs << " ms";
    if (code != 0) return testing::AssertionFailure() << "ended with exit code " << code;
    return testing::AssertionSuccess();
}

HttpAnswer dateNowEarlyInASecond(const HttpRequestHead&) {
    // Wine takes a new clock time only within half a second of its own; the program writes
    // whole seconds. Late in a second, wait for the next one (the exchange stays under 1 s).
    SYSTEMTIME now;
    GetSystemTime(&now);
    if (now.wMilliseconds > 200) Sleep(1000 - now.wMilliseconds + 5);
    return HttpAnswer{answerWithDate("200 OK", httpDateNow())};
}

// Menus closed earlier may linger as hidden windows of the same class: take the visible one.
HWND openMenu() {
    for (HWND menu = FindWindowExA(nullptr, nullptr, "#32768", nullptr); menu;
         menu = FindWindowExA(nullptr, menu, "#32768", nullptr))
        if (IsWindowVisible(menu)) return menu;
    return nullptr;
}

// Posted messages are handled in order, and this one opens the tray menu, which a window
// destroyed by an earlier queued request cannot do.
bool windowSurvivesItsPostedMessages(const QuorvelProcess& q) {
    PostMessageA(q.window(), 32868, 100, WM_RBUTTONUP);
    HWND menu = nullptr;
    if (!waitFor([&] { return (menu = openMenu()) != nullptr; }, 10000)) return false;
    pressKey(VK_ESCAPE);
    return waitFor([&] { return !IsWindowVisible(menu); });
}

HWND clockRefusedBox() { return FindWindowA(nullptr, "错误"); }

bool boxHoldsText(HWND box, const char* text) {
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char buffer[512] = {};
        SendMessageA(child, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
        if (std::strstr(buffer, text)) return true;
    }
    return false;
}

HWND shownBalloon() {
    HWND balloon = FindWindowA("QuorvelBalloon", nullptr);
    return balloon && IsWindowVisible(balloon) ? balloon : nullptr;
}

namespace {

bool inMoveLoop(const QuorvelProcess& q) { return (q.threadState().flags & GUI_INMOVESIZE) != 0; }

}  // namespace

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

namespace {

void storeValue(const char* key, const char* value, DWORD type, const void* data, DWORD size) {
    HKEY h;
    ASSERT_EQ(RegCreateKeyA(HKEY_LOCAL_MACHINE, key, &h), ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExA(h, value, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
    RegCloseKey(h);
}

}  // namespace

void storeText(const char* key, const char* value, const std::string& text) {
    storeValue(key, value, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
}

void storeInteger(const char* key, const char* value, DWORD data) {
    storeValue(key, value, REG_DWORD, &data, sizeof data);
}
