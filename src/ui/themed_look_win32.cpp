// The themed look: edit boxes and combo boxes get a one-pixel frame in the scheme's colour
// with an inner frame in the window colour, the combo box's drop-down button and the check
// boxes' box are painted in the scheme's colours. A thread hook attaches it to controls
// created later too.
#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "ui/frame.h"
#include "ui/win32_owners.h"

namespace {

constexpr COLORREF kSchemeFrames[3] = {RGB(123, 158, 189), RGB(164, 185, 127), RGB(198, 197, 215)};
// The light end of each scheme's button shading, and its mark colour (check, arrow).
constexpr COLORREF kSchemeShades[3] = {RGB(220, 232, 245), RGB(228, 238, 210), RGB(234, 233, 242)};
constexpr COLORREF kSchemeMarks[3] = {RGB(33, 72, 122), RGB(66, 94, 28), RGB(84, 82, 112)};
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

enum class Kind { Edit, ComboBox, CheckBox };

Kind kindOf(HWND hwnd) {
    char name[32] = {};
    GetClassNameA(hwnd, name, sizeof name);
    if (lstrcmpiA(name, "ComboBox") == 0) return Kind::ComboBox;
    if (lstrcmpiA(name, "Button") == 0) return Kind::CheckBox;
    return Kind::Edit;
}

COLORREF mixed(COLORREF a, COLORREF b, int partOfB, int parts) {
    auto mix = [&](int x, int y) { return x + (y - x) * partOfB / parts; };
    return RGB(mix(GetRValue(a), GetRValue(b)), mix(GetGValue(a), GetGValue(b)), mix(GetBValue(a), GetBValue(b)));
}

// Top to bottom from the window colour to the scheme's shade.
void fillShaded(HDC dc, const RECT& r, COLORREF shade) {
    const int height = r.bottom - r.top;
    for (int y = 0; y < height; ++y) {
        const OwnedBrush line(CreateSolidBrush(mixed(GetSysColor(COLOR_WINDOW), shade, y + 1, height)));
        const RECT row{r.left, r.top + y, r.right, r.top + y + 1};
        FillRect(dc, &row, line.get());
    }
}

void frameWith(HDC dc, const RECT& r, COLORREF colour) {
    const OwnedBrush brush(CreateSolidBrush(colour));
    FrameRect(dc, &r, brush.get());
}

void drawPolyline(HDC dc, const POINT* points, int count, COLORREF colour, int width) {
    const OwnedPen pen(CreatePen(PS_SOLID, width, colour));
    SelectedObject selected(dc, pen.get());
    Polyline(dc, points, count);
}

void drawDropButton(HWND hwnd) {
    const BorrowedDc dc = BorrowedDc::ofClient(hwnd);
    RECT r;
    GetClientRect(hwnd, &r);
    const int width = GetSystemMetrics(SM_CYVTHUMB);
    const RECT button{r.right - 2 - width, r.top + 2, r.right - 2, r.bottom - 2};
    const bool disabled = !IsWindowEnabled(hwnd);
    const int s = g_look.scheme - 1;
    if (disabled) {
        const OwnedBrush face(CreateSolidBrush(GetSysColor(COLOR_BTNFACE)));
        FillRect(dc.get(), &button, face.get());
    } else {
        fillShaded(dc.get(), button, kSchemeShades[s]);
    }
    frameWith(dc.get(), button, disabled ? lessened(GetSysColor(COLOR_BTNFACE)) : kSchemeFrames[s]);
    const int cx = (button.left + button.right) / 2, cy = (button.top + button.bottom) / 2;
    const COLORREF mark = disabled ? GetSysColor(COLOR_GRAYTEXT) : kSchemeMarks[s];
    const OwnedBrush fill(CreateSolidBrush(mark));
    const OwnedPen edge(CreatePen(PS_SOLID, 1, mark));
    SelectedObject brush(dc.get(), fill.get());
    SelectedObject pen(dc.get(), edge.get());
    const POINT arrow[] = {{cx - 4, cy - 2}, {cx + 3, cy - 2}, {cx, cy + 2}};
    Polygon(dc.get(), arrow, 3);
}

void drawCheckBox(HWND hwnd) {
    const BorrowedDc dc = BorrowedDc::ofClient(hwnd);
    RECT r;
    GetClientRect(hwnd, &r);
    constexpr int kBox = 13;
    const RECT box{r.left, (r.bottom - kBox) / 2, r.left + kBox, (r.bottom - kBox) / 2 + kBox};
    const bool disabled = !IsWindowEnabled(hwnd);
    const bool pressed = (SendMessageA(hwnd, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0;
    const bool checked = SendMessageA(hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
    const int s = g_look.scheme - 1;
    RECT inside = box;
    InflateRect(&inside, -1, -1);
    if (disabled) {
        const OwnedBrush face(CreateSolidBrush(GetSysColor(COLOR_BTNFACE)));
        FillRect(dc.get(), &inside, face.get());
    } else if (pressed) {
        const OwnedBrush shade(CreateSolidBrush(kSchemeShades[s]));
        FillRect(dc.get(), &inside, shade.get());
    } else {
        fillShaded(dc.get(), inside, kSchemeShades[s]);
    }
    frameWith(dc.get(), box, disabled ? lessened(GetSysColor(COLOR_BTNFACE)) : kSchemeFrames[s]);
    if (checked) {
        const POINT tick[] = {{box.left + 3, box.top + 6}, {box.left + 5, box.top + 9}, {box.left + 10, box.top + 3}};
        drawPolyline(dc.get(), tick, 3, disabled ? GetSysColor(COLOR_GRAYTEXT) : kSchemeMarks[s], 2);
    }
}

void drawFrame(HWND hwnd) {
    if (kindOf(hwnd) == Kind::CheckBox) {
        drawCheckBox(hwnd);
        return;
    }
    const BorrowedDc dc = BorrowedDc::ofWholeWindow(hwnd);
    RECT r;
    GetWindowRect(hwnd, &r);
    OffsetRect(&r, -r.left, -r.top);
    const bool disabled = !IsWindowEnabled(hwnd);
    const bool readOnly = (GetWindowLongA(hwnd, GWL_STYLE) & ES_READONLY) != 0;
    const COLORREF outer = disabled ? lessened(GetSysColor(COLOR_BTNFACE)) : kSchemeFrames[g_look.scheme - 1];
    const COLORREF inner = disabled || readOnly ? GetSysColor(COLOR_BTNFACE) : GetSysColor(COLOR_WINDOW);
    frameWith(dc.get(), r, outer);
    InflateRect(&r, -1, -1);
    frameWith(dc.get(), r, inner);
    if (kindOf(hwnd) == Kind::ComboBox) drawDropButton(hwnd);
}

LRESULT CALLBACK themedProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    switch (message) {
        case WM_NCPAINT:
        case WM_PAINT:
        case WM_ENABLE:
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
        // Buttons and combo boxes also repaint themselves outside WM_PAINT on these.
        case BM_SETCHECK:
        case BM_SETSTATE:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_MOUSEMOVE:
        case WM_CAPTURECHANGED:
        case WM_KEYUP:
        case WM_UPDATEUISTATE: {
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
    if (lstrcmpiA(name, "Button") == 0) {
        const LONG type = GetWindowLongA(hwnd, GWL_STYLE) & BS_TYPEMASK;
        return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX;
    }
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
