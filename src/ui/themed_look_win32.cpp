// The themed look: edit boxes and combo boxes get a one-pixel frame in the scheme's colour
// with an inner frame in the window colour. A thread hook attaches it to controls created
// later too.
#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "ui/frame.h"
#include "ui/win32_owners.h"

namespace {

constexpr COLORREF kSchemeFrames[3] = {RGB(123, 158, 189), RGB(164, 185, 127), RGB(198, 197, 215)};
constexpr UINT_PTR kSubclassId = 0x51A7;

struct ThemedLook {
    HHOOK hook = nullptr;
    int scheme = 0;
    std::vector<HWND> attached;
} g_look;

COLORREF lessened(COLORREF c) {
    auto down = [](int v) { return v >= 32 ? v - 32 : 0; };
    return RGB(down(GetRValue(c)), down(GetGValue(c)), down(GetBValue(c)));
}

void drawFrame(HWND hwnd) {
    const BorrowedDc dc = BorrowedDc::ofWholeWindow(hwnd);
    RECT r;
    GetWindowRect(hwnd, &r);
    OffsetRect(&r, -r.left, -r.top);
    const bool disabled = !IsWindowEnabled(hwnd);
    const bool readOnly = (GetWindowLongA(hwnd, GWL_STYLE) & ES_READONLY) != 0;
    const COLORREF outer = disabled ? lessened(GetSysColor(COLOR_BTNFACE)) : kSchemeFrames[g_look.scheme - 1];
    const COLORREF inner = disabled || readOnly ? GetSysColor(COLOR_BTNFACE) : GetSysColor(COLOR_WINDOW);
    const OwnedBrush outerBrush(CreateSolidBrush(outer));
    FrameRect(dc.get(), &r, outerBrush.get());
    InflateRect(&r, -1, -1);
    const OwnedBrush innerBrush(CreateSolidBrush(inner));
    FrameRect(dc.get(), &r, innerBrush.get());
}

LRESULT CALLBACK themedProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    switch (message) {
        case WM_NCPAINT:
        case WM_PAINT:
        case WM_ENABLE:
        case WM_SETFOCUS:
        case WM_KILLFOCUS: {
            const LRESULT result = DefSubclassProc(hwnd, message, wParam, lParam);
            drawFrame(hwnd);
            return result;
        }
        case WM_NCDESTROY:
            RemoveWindowSubclass(hwnd, themedProc, kSubclassId);
            for (auto it = g_look.attached.begin(); it != g_look.attached.end(); ++it)
                if (*it == hwnd) {
                    g_look.attached.erase(it);
                    break;
                }
            break;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

bool handles(HWND hwnd) {
    char name[32] = {};
    GetClassNameA(hwnd, name, sizeof name);
    if (lstrcmpiA(name, "Edit") == 0) {
        char parent[32] = {};
        GetClassNameA(GetParent(hwnd), parent, sizeof parent);
        // The edit field inside a drop-down combo box is framed by the combo box itself.
        return lstrcmpiA(parent, "ComboBox") != 0 && lstrcmpiA(parent, WC_IPADDRESSA) != 0;
    }
    if (lstrcmpiA(name, "ComboBox") == 0) return (GetWindowLongA(hwnd, GWL_STYLE) & 3) != CBS_SIMPLE;
    return false;
}

void attach(HWND hwnd) {
    if (!handles(hwnd)) return;
    for (HWND known : g_look.attached)
        if (known == hwnd) return;
    if (SetWindowSubclass(hwnd, themedProc, kSubclassId, 0)) {
        g_look.attached.push_back(hwnd);
        RedrawWindow(hwnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
    }
}

BOOL CALLBACK attachChild(HWND hwnd, LPARAM) {
    attach(hwnd);
    return TRUE;
}

BOOL CALLBACK attachTopLevel(HWND hwnd, LPARAM) {
    attach(hwnd);
    EnumChildWindows(hwnd, attachChild, 0);
    return TRUE;
}

LRESULT CALLBACK creationHook(int code, WPARAM wParam, LPARAM lParam) {
    const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && message->message == WM_CREATE) attach(message->hwnd);
    return CallNextHookEx(g_look.hook, code, wParam, lParam);
}

int switchOff() {
    const bool hadHook = g_look.hook != nullptr;
    if (g_look.hook) UnhookWindowsHookEx(g_look.hook);
    g_look.hook = nullptr;
    const std::vector<HWND> attached = g_look.attached;
    for (HWND hwnd : attached) {
        RemoveWindowSubclass(hwnd, themedProc, kSubclassId);
        RedrawWindow(hwnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
    }
    g_look.attached.clear();
    return hadHook ? 1 : 0;
}

}  // namespace

int enableThemedLook(int scheme) {
    if (scheme < 1 || scheme > 3) return switchOff();
    switchOff();
    g_look.scheme = scheme;
    EnumThreadWindows(GetCurrentThreadId(), attachTopLevel, 0);
    g_look.hook = SetWindowsHookExA(WH_CALLWNDPROC, creationHook, nullptr, GetCurrentThreadId());
    return 1;
}
