#include "ui/main_window_win32.h"

#include <commctrl.h>

#include <array>
#include <iterator>
#include <string>
#include <vector>

#include "ui/controls_win32.h"
#include "ui/form.h"
#include "ui/picture_decoding_win32.h"
#include "ui/pictures.h"
#include "ui/tray_logic.h"
#include "ui/win32_owners.h"

namespace {

const char kWindowClass[] = "QuorvelMainWindow";
constexpr UINT kDestroyRequest = WM_APP + 1;
constexpr UINT_PTR kTickTimer = 1;
constexpr int kFirstControlId = 100;
constexpr COLORREF kSeparatorColour = RGB(213, 230, 238);

// The window's record: every handle it owns lives here for the whole run.
struct MainWindowRecord {
    HINSTANCE instance = nullptr;
    HWND hwnd = nullptr;
    bool destroyRequested = false;
    bool gone = false;
    WindowBindings bindings;
    std::array<HWND, kControlCount> controls{};
    std::array<LabelData, kControlCount> labels{};
    std::array<PictureBoxData, kControlCount> pictureBoxes{};
    std::array<PictureButtonData, kControlCount> buttons{};
    std::vector<OwnedBitmap> pictures;
    OwnedBitmap background;
    OwnedFont timeLabelFont;
    OwnedBrush whiteBrush;
    OwnedBrush separatorBrush;
    OwnedIcon bigIcon, smallIcon;
} g_window;

int indexOf(Control c) { return static_cast<int>(c); }

HBITMAP keep(OwnedBitmap bitmap) {
    g_window.pictures.push_back(std::move(bitmap));
    return g_window.pictures.back().get();
}

void loadButtonPictures(Control c, std::initializer_list<const ByteBlock*> blocks) {
    PictureButtonData& data = g_window.buttons[indexOf(c)];
    int i = 0;
    for (const ByteBlock* block : blocks) data.pictures[i++] = keep(decodeGifOrBmp(*block));
}

void loadPictures() {
    using namespace pictures;
    g_window.background = decodeJpeg(background_jpg);
    g_window.pictureBoxes[indexOf(Control::图片框1)].picture = keep(decodeJpeg(decoration_jpg));
    g_window.pictureBoxes[indexOf(Control::图片框2)].picture = keep(decodeGifOrBmp(emblem_bmp));
    loadButtonPictures(Control::图形按钮_获取时间,
                       {&get_time_normal_gif, &get_time_over_gif, &get_time_pressed_gif, &get_time_disabled_gif});
    loadButtonPictures(Control::图形按钮_开始校准,
                       {&calibrate_normal_gif, &calibrate_over_gif, &calibrate_pressed_gif, &calibrate_disabled_gif});
    loadButtonPictures(Control::图形按钮_最小化, {&minimize_normal_bmp, &minimize_over_bmp, &minimize_pressed_bmp});
    loadButtonPictures(Control::图形按钮_关闭, {&close_normal_bmp, &close_over_bmp, &close_pressed_bmp});
    loadButtonPictures(Control::设置按钮, {&menu_normal_bmp, &menu_over_bmp, &menu_pressed_bmp});
}

int fontLineHeight(HWND hwnd, HGDIOBJ font) {
    const BorrowedDc dc = BorrowedDc::ofClient(hwnd);
    const SelectedObject selected(dc.get(), font);
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc.get(), &metrics);
    return metrics.tmHeight;
}

HWND createChild(const ControlSpec& entry) {
    const HMENU id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + indexOf(entry.control)));
    const DWORD child = WS_CHILD | WS_VISIBLE;
    HWND parent = g_window.hwnd;
    HINSTANCE inst = g_window.instance;
    const int x = entry.left, y = entry.top, w = entry.width, h = entry.height;
    switch (entry.kind) {
        case ControlKind::Label:
            return CreateWindowExA(0, kLabelClass, entry.text, child, x, y, w, h, parent, id, inst, nullptr);
        case ControlKind::PictureBox:
            return CreateWindowExA(0, kPictureBoxClass, "", child, x, y, w, h, parent, id, inst, nullptr);
        case ControlKind::PictureButton:
            return CreateWindowExA(0, kPictureButtonClass, "", child, x, y, w, h, parent, id, inst, nullptr);
        case ControlKind::EditBox: {
            const int height = editBoxHeight(h, fontLineHeight(parent, GetStockObject(DEFAULT_GUI_FONT)),
                                             GetSystemMetrics(SM_CYBORDER));
            return CreateWindowExA(WS_EX_STATICEDGE, "EDIT", entry.text, child | WS_TABSTOP | ES_CENTER | ES_AUTOHSCROLL,
                                   x, y, w, height, parent, id, inst, nullptr);
        }
        case ControlKind::GroupBox:
            return CreateWindowExA(0, "BUTTON", "", child | WS_DISABLED | BS_GROUPBOX, x, y, w, h, parent, id, inst,
                                   nullptr);
        case ControlKind::ComboBox:
            return CreateWindowExA(0, "COMBOBOX", "", child | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL,
                                   x, y, w, h + 200, parent, id, inst, nullptr);
        case ControlKind::CheckBox:
            return CreateWindowExA(0, "BUTTON", entry.text, child | WS_TABSTOP | BS_AUTOCHECKBOX | BS_MULTILINE | BS_VCENTER,
                                   x, y, w, h, parent, id, inst, nullptr);
        case ControlKind::Balloon:
        case ControlKind::Timer:
            return nullptr;  // no window of their own
    }
    return nullptr;
}

void setUpControl(const ControlSpec& entry, HWND hwnd) {
    const int i = indexOf(entry.control);
    switch (entry.kind) {
        case ControlKind::Label:
            g_window.labels[i].relief = entry.control == Control::标签1;
            if (entry.control == Control::标_时间服务器1 || entry.control == Control::标_时间服务器2)
                g_window.labels[i].font = g_window.timeLabelFont.get();
            attachControlData(hwnd, &g_window.labels[i]);
            break;
        case ControlKind::PictureBox:
            attachControlData(hwnd, &g_window.pictureBoxes[i]);
            break;
        case ControlKind::PictureButton:
            attachControlData(hwnd, &g_window.buttons[i]);
            break;
        case ControlKind::EditBox:
        case ControlKind::CheckBox:
            SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
            if (entry.checked) SendMessageA(hwnd, BM_SETCHECK, BST_CHECKED, 0);
            break;
        case ControlKind::ComboBox: {
            SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
            for (const char* server : kTimeServers) SendMessageA(hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(server));
            const LRESULT itemHeight = SendMessageA(hwnd, CB_GETITEMHEIGHT, 0, 0);
            SendMessageA(hwnd, CB_SETITEMHEIGHT, 0, itemHeight + 1);
            SendMessageA(hwnd, CB_SETCURSEL, 0, 0);
            break;
        }
        default:
            break;
    }
}

void paintBackground(HDC dc) {
    RECT r;
    GetClientRect(g_window.hwnd, &r);
    FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    if (!g_window.background) return;
    OwnedMemoryDc memory(CreateCompatibleDC(dc));
    SelectedObject picture(memory.get(), g_window.background.get());
    BitBlt(dc, 0, 0, kWindowWidth, kWindowHeight, memory.get(), 0, 0, SRCCOPY);
}

Control controlOfId(int id) { return static_cast<Control>(id - kFirstControlId); }

bool isControlId(int id) { return id >= kFirstControlId && id < kFirstControlId + kControlCount; }

void run(Handler h) {
    if (h) h();
}

LRESULT onCommand(WPARAM wParam) {
    const int id = LOWORD(wParam);
    const int action = id - static_cast<int>(kMenuCommandBase);
    if (action >= 0 && action < static_cast<int>(std::size(g_window.bindings.onMenuAction))) {
        run(g_window.bindings.onMenuAction[action]);
        return 0;
    }
    if (isControlId(id) && HIWORD(wParam) == BN_CLICKED) run(g_window.bindings.onClicked[indexOf(controlOfId(id))]);
    return 0;
}

LRESULT onControlColour(HDC dc, HWND control) {
    SetTextColor(dc, kTextColour);
    SetBkColor(dc, RGB(255, 255, 255));
    if (control == g_window.controls[indexOf(Control::分组框3)]) {
        SetBkColor(dc, kSeparatorColour);
        return reinterpret_cast<LRESULT>(g_window.separatorBrush.get());
    }
    return reinterpret_cast<LRESULT>(g_window.whiteBrush.get());
}

LRESULT CALLBACK mainWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND:
            paintBackground(reinterpret_cast<HDC>(wParam));
            return 1;
        case WM_PRINTCLIENT:
            paintBackground(reinterpret_cast<HDC>(wParam));
            return 0;
        case WM_TIMER:
            if (wParam == kTickTimer) run(g_window.bindings.onTimerTick);
            return 0;
        case WM_COMMAND:
            return onCommand(wParam);
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORLISTBOX:
            return onControlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        case kPictureRightButtonMessage:
            if (g_window.bindings.onPictureRightButtonDown)
                g_window.bindings.onPictureRightButtonDown(static_cast<short>(LOWORD(lParam)),
                                                           static_cast<short>(HIWORD(lParam)), static_cast<int>(wParam));
            return 0;
        case kDestroyRequest:
            DestroyWindow(hwnd);
            return 0;
        case WM_DESTROY:
            g_window.gone = true;
            KillTimer(hwnd, kTickTimer);
            run(g_window.bindings.onDestroy);
            PostQuitMessage(0);
            return 0;
        case WM_NCDESTROY:
            g_window.hwnd = nullptr;
            break;
    }
    if (message == kTrayMessage) {
        const int kind = trayEventKind(static_cast<unsigned>(lParam));
        if (kind != 0 && g_window.bindings.onTrayEvent) g_window.bindings.onTrayEvent(kind);
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

void paintSeparator(HWND hwnd, HDC dc) {
    RECT r;
    GetClientRect(hwnd, &r);
    FillRect(dc, &r, g_window.separatorBrush.get());
}

// Fills the one-pixel group box with the separator colour instead of drawing a frame.
LRESULT CALLBACK separatorProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (handlePaint(hwnd, message, wParam, paintSeparator)) return 0;
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

bool isInWindow(HWND hwnd) { return hwnd && (hwnd == g_window.hwnd || IsChild(g_window.hwnd, hwnd)); }

bool isDragSurface(HWND hwnd) {
    char name[32] = {};
    GetClassNameA(hwnd, name, sizeof name);
    return GetParent(hwnd) == g_window.hwnd &&
           (lstrcmpA(name, kLabelClass) == 0 || lstrcmpA(name, kPictureBoxClass) == 0);
}

}  // namespace

bool createMainWindow(HINSTANCE instance, const WindowBindings& bindings) {
    g_window.instance = instance;
    g_window.bindings = bindings;
    if (!registerControlClasses(instance)) return false;

    g_window.bigIcon.reset(static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(1), IMAGE_ICON,
                                                         GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0)));
    g_window.smallIcon.reset(static_cast<HICON>(LoadImageA(
        instance, MAKEINTRESOURCEA(1), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0)));

    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = mainWindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hIcon = g_window.bigIcon.get();
    wc.hIconSm = g_window.smallIcon.get();
    wc.lpszClassName = kWindowClass;
    if (!RegisterClassExA(&wc)) return false;

    loadPictures();
    g_window.whiteBrush.reset(CreateSolidBrush(RGB(255, 255, 255)));
    g_window.separatorBrush.reset(CreateSolidBrush(kSeparatorColour));
    g_window.timeLabelFont.reset(
        CreateFontA(14, 0, 0, 0, FW_NORMAL, 0, 0, 0, GB2312_CHARSET, 0, 0, 0, 0, "宋体"));

    const Point origin = centredOrigin(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    g_window.hwnd = CreateWindowExA(WS_EX_APPWINDOW, kWindowClass, kWindowTitle,
                                    WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN, origin.x, origin.y,
                                    kWindowWidth, kWindowHeight, nullptr, nullptr, instance, nullptr);
    if (!g_window.hwnd) return false;

    for (const ControlSpec& entry : kForm) {
        if (entry.kind == ControlKind::Timer) {
            SetTimer(g_window.hwnd, kTickTimer, 1000, nullptr);
            continue;
        }
        HWND control = createChild(entry);
        g_window.controls[indexOf(entry.control)] = control;
        if (control) setUpControl(entry, control);
    }
    SetWindowSubclass(g_window.controls[indexOf(Control::分组框3)], separatorProc, 1, 0);

    run(g_window.bindings.onCreate);
    if (!g_window.hwnd) return false;
    ShowWindow(g_window.hwnd, SW_SHOWNORMAL);
    UpdateWindow(g_window.hwnd);
    return true;
}

void dispatchWithFrameRules(MSG& msg) {
    if (msg.message == WM_LBUTTONDOWN && isInWindow(msg.hwnd)) {
        if (msg.hwnd == g_window.hwnd) {
            PostMessageA(g_window.hwnd, WM_NCLBUTTONDOWN, HTCAPTION, 0);
        } else if (isDragSurface(msg.hwnd)) {
            PostMessageA(g_window.hwnd, WM_NCLBUTTONDOWN, HTCAPTION, 0);
            return;  // the label or picture box never sees the press
        }
    }
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE && isInWindow(msg.hwnd)) {
        SendMessageA(g_window.hwnd, WM_CLOSE, 0, 0);
        return;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
}

void runEventLoop() {
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) dispatchWithFrameRules(msg);
}

HWND getHandle() { return g_window.hwnd; }

LRESULT sendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return g_window.hwnd ? SendMessageA(g_window.hwnd, message, wParam, lParam) : 0;
}

HWND controlHandle(Control control) { return g_window.controls[indexOf(control)]; }

HINSTANCE programInstance() { return g_window.instance; }

// Control operations. After the window is gone they do nothing and read as empty.
void setText(Control control, const std::string& text) {
    if (HWND h = controlHandle(control); h && !g_window.gone) SetWindowTextA(h, text.c_str());
}

std::string getText(Control control) {
    HWND h = controlHandle(control);
    if (!h || g_window.gone) return {};
    std::string text(static_cast<size_t>(GetWindowTextLengthA(h)) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(h, text.data(), static_cast<int>(text.size()))));
    return text;
}

void setDisabled(Control control, bool disabled) {
    if (HWND h = controlHandle(control); h && !g_window.gone) EnableWindow(h, !disabled);
}

int getChecked(Control control) {
    HWND h = controlHandle(control);
    return h && !g_window.gone && SendMessageA(h, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
}

void setChecked(Control control, bool checked) {
    if (HWND h = controlHandle(control); h && !g_window.gone)
        SendMessageA(h, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

int getItemCount(Control control) {
    HWND h = controlHandle(control);
    if (!h || g_window.gone) return 0;
    const LRESULT n = SendMessageA(h, CB_GETCOUNT, 0, 0);
    return n < 0 ? 0 : static_cast<int>(n);
}

std::string getItemText(Control control, int index) {
    HWND h = controlHandle(control);
    if (!h || g_window.gone || index < 0 || index >= getItemCount(control)) return {};
    const LRESULT length = SendMessageA(h, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length < 0) return {};
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const LRESULT n = SendMessageA(h, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(n < 0 ? 0 : static_cast<size_t>(n));
    return text;
}

void requestDestroy() {
    if (g_window.hwnd && !g_window.destroyRequested) {
        g_window.destroyRequested = true;
        PostMessageA(g_window.hwnd, kDestroyRequest, 0, 0);
    }
}

bool windowGone() { return g_window.gone || g_window.destroyRequested; }
