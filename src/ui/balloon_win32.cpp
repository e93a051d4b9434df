// 气球提示框1: a light-yellow balloon shown at a screen point, fading in and, when asked,
// hiding itself after its display time.
#include <windows.h>

#include <string>

#include "ui/controls.h"
#include "ui/controls_win32.h"
#include "ui/main_window_win32.h"
#include "ui/win32_owners.h"

namespace {

const char kBalloonClassName[] = "QuorvelBalloon";
constexpr UINT_PTR kFadeTimer = 1;
constexpr UINT_PTR kHideTimer = 2;
constexpr UINT kFadeStepMs = 10;
constexpr UINT kDisplayMs = 3000;
constexpr int kAlphaStep = 26;
constexpr int kTail = 10;  // height of the pointer under the body

struct Balloon {
    HWND hwnd = nullptr;
    std::string text;
    OwnedFont font;
    int alpha = 0;
    int fadeDirection = 0;  // +1 fading in, -1 fading out
    bool autoHide = false;
} g_balloon;

void paintBalloon(HWND hwnd, HDC dc) {
    RECT r;
    GetClientRect(hwnd, &r);
    OwnedBrush fill(CreateSolidBrush(RGB(255, 255, 225)));
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SelectedObject brush(dc, fill.get());
    SelectedObject pen(dc, GetStockObject(BLACK_PEN));
    const int bodyBottom = r.bottom - kTail;
    const POINT outline[] = {{r.left, r.top},          {r.right - 1, r.top},           {r.right - 1, r.bottom - 1},
                             {r.right - 14, bodyBottom - 1}, {r.left, bodyBottom - 1}};
    Polygon(dc, outline, 5);
    SelectedObject font(dc, g_balloon.font.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    RECT textArea{r.left + 8, r.top + 6, r.right - 8, bodyBottom - 6};
    DrawTextA(dc, g_balloon.text.c_str(), static_cast<int>(g_balloon.text.size()), &textArea,
              DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX);
}

LRESULT CALLBACK balloonProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (handlePaint(hwnd, message, wParam, paintBalloon)) return 0;
    switch (message) {
        case WM_TIMER:
            if (wParam == kHideTimer) {
                KillTimer(hwnd, kHideTimer);
                g_balloon.fadeDirection = -1;
                SetTimer(hwnd, kFadeTimer, kFadeStepMs, nullptr);
            } else if (wParam == kFadeTimer) {
                g_balloon.alpha += g_balloon.fadeDirection * kAlphaStep;
                if (g_balloon.alpha >= 255) {
                    g_balloon.alpha = 255;
                    KillTimer(hwnd, kFadeTimer);
                    if (g_balloon.autoHide) SetTimer(hwnd, kHideTimer, kDisplayMs, nullptr);
                }
                if (g_balloon.alpha <= 0) {
                    KillTimer(hwnd, kFadeTimer);
                    DestroyWindow(hwnd);
                    return 0;
                }
                SetLayeredWindowAttributes(hwnd, 0, static_cast<BYTE>(g_balloon.alpha), LWA_ALPHA);
            }
            return 0;
        case WM_LBUTTONDOWN:  // a click dismisses it
            DestroyWindow(hwnd);
            return 0;
        case WM_DESTROY:
            g_balloon.hwnd = nullptr;
            return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace

bool showBalloon(int x, int y, const std::string& message, int /*iconIndex: the box has no images*/, int autoHide) {
    HWND owner = getHandle();
    if (!owner) return false;
    static bool registered = false;
    if (!registered) {
        WNDCLASSA wc{};
        wc.lpfnWndProc = balloonProc;
        wc.hInstance = programInstance();
        wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
        wc.lpszClassName = kBalloonClassName;
        registered = RegisterClassA(&wc) != 0;
        if (!registered) return false;
    }
    if (g_balloon.hwnd) DestroyWindow(g_balloon.hwnd);
    const BorrowedDc screen = BorrowedDc::ofClient(nullptr);
    if (!g_balloon.font) {
        const int height = -MulDiv(9, GetDeviceCaps(screen.get(), LOGPIXELSY), 72);
        g_balloon.font.reset(CreateFontA(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, GB2312_CHARSET, 0, 0, 0, 0, "宋体"));
    }
    g_balloon.text = message;
    g_balloon.autoHide = autoHide == 1;

    SIZE extent{};
    {
        SelectedObject font(screen.get(), g_balloon.font.get());
        GetTextExtentPoint32A(screen.get(), message.c_str(), static_cast<int>(message.size()), &extent);
    }
    const int width = extent.cx + 16;
    const int height = extent.cy + 12 + kTail;
    // The pointer's tip sits on the requested point; the body lies above and to its left.
    g_balloon.hwnd = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_LAYERED | WS_EX_NOACTIVATE,
                                     kBalloonClassName, message.c_str(), WS_POPUP, x - width + 12, y - height, width, height, owner,
                                     nullptr, programInstance(), nullptr);
    if (!g_balloon.hwnd) return false;
    g_balloon.alpha = 0;
    g_balloon.fadeDirection = 1;
    SetLayeredWindowAttributes(g_balloon.hwnd, 0, 0, LWA_ALPHA);
    ShowWindow(g_balloon.hwnd, SW_SHOWNOACTIVATE);
    SetTimer(g_balloon.hwnd, kFadeTimer, kFadeStepMs, nullptr);
    return true;
}
