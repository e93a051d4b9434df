#include "ui/controls_win32.h"

const char kLabelClass[] = "QuorvelLabel";
const char kPictureBoxClass[] = "QuorvelPictureBox";
const char kPictureButtonClass[] = "QuorvelPictureButton";

namespace {

template <typename T>
T* dataOf(HWND hwnd) {
    return reinterpret_cast<T*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

void notifyParent(HWND hwnd, WORD code) {
    SendMessageA(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), code), reinterpret_cast<LPARAM>(hwnd));
}

void paintLabel(HWND hwnd, HDC dc) {
    RECT r;
    GetClientRect(hwnd, &r);
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    const LabelData* data = dataOf<LabelData>(hwnd);
    char text[256];
    const int n = GetWindowTextA(hwnd, text, sizeof text);
    SelectedObject font(dc, data && data->font ? data->font : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    const UINT format = DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOCLIP | DT_NOPREFIX;
    if (data && data->relief) {
        RECT shifted = r;
        OffsetRect(&shifted, 1, 1);
        SetTextColor(dc, RGB(255, 255, 255));
        DrawTextA(dc, text, n, &shifted, format);
    }
    SetTextColor(dc, kTextColour);
    DrawTextA(dc, text, n, &r, format);
}

LRESULT CALLBACK labelProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (handlePaint(hwnd, message, wParam, paintLabel)) return 0;
    switch (message) {
        case WM_SETTEXT: {
            const LRESULT result = DefWindowProcA(hwnd, message, wParam, lParam);
            InvalidateRect(hwnd, nullptr, FALSE);
            return result;
        }
        case WM_ERASEBKGND:
            return 1;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

void paintPictureBox(HWND hwnd, HDC dc) {
    RECT r;
    GetClientRect(hwnd, &r);
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    const PictureBoxData* data = dataOf<PictureBoxData>(hwnd);
    if (!data || !data->picture) return;
    OwnedMemoryDc memory(CreateCompatibleDC(dc));
    SelectedObject picture(memory.get(), data->picture);
    BitBlt(dc, 0, 0, r.right, r.bottom, memory.get(), 0, 0, SRCCOPY);
}

LRESULT CALLBACK pictureBoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (handlePaint(hwnd, message, wParam, paintPictureBox)) return 0;
    switch (message) {
        case WM_ERASEBKGND:
            return 1;
        case WM_RBUTTONDOWN:
            SendMessageA(GetParent(hwnd), kPictureRightButtonMessage, wParam, lParam);
            return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

bool pointerInside(HWND hwnd, LPARAM lParam) {
    RECT r;
    GetClientRect(hwnd, &r);
    const POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    return PtInRect(&r, p) != 0;
}

void carryOut(HWND hwnd, const ButtonReaction& r) {
    if (r.capture) SetCapture(hwnd);
    if (r.release && GetCapture() == hwnd) ReleaseCapture();
    if (r.repaint) {
        InvalidateRect(hwnd, nullptr, FALSE);
        UpdateWindow(hwnd);
    }
    if (r.clicked) notifyParent(hwnd, BN_CLICKED);
}

void paintPictureButtonWindow(HWND hwnd, HDC dc) {
    RECT r;
    GetClientRect(hwnd, &r);
    paintPictureButton(dc, r, *dataOf<PictureButtonData>(hwnd));
}

LRESULT CALLBACK pictureButtonProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    PictureButtonData* data = dataOf<PictureButtonData>(hwnd);
    if (!data) return DefWindowProcA(hwnd, message, wParam, lParam);
    if (handlePaint(hwnd, message, wParam, paintPictureButtonWindow)) return 0;
    switch (message) {
        case WM_ERASEBKGND:
            return 1;
        case WM_MOUSEMOVE:
            if (!data->tracking && data->model.enabled) {
                TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, hwnd, 0};
                data->tracking = TrackMouseEvent(&track) != 0;
            }
            carryOut(hwnd, onPointerMove(data->model, pointerInside(hwnd, lParam), (wParam & MK_LBUTTON) != 0));
            return 0;
        case WM_MOUSELEAVE:
            data->tracking = false;
            carryOut(hwnd, onPointerLeave(data->model));
            return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            carryOut(hwnd, onLeftDown(data->model));
            return 0;
        case WM_LBUTTONUP:
            carryOut(hwnd, onLeftUp(data->model, pointerInside(hwnd, lParam)));
            return 0;
        case WM_CAPTURECHANGED:
            if (reinterpret_cast<HWND>(lParam) != hwnd) carryOut(hwnd, onCaptureLost(data->model));
            return 0;
        case WM_ENABLE:
            carryOut(hwnd, onEnabledChanged(data->model, wParam != 0));
            return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

bool registerClass(HINSTANCE instance, const char* name, WNDPROC proc, UINT style) {
    WNDCLASSA wc{};
    wc.style = style;
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.lpszClassName = name;
    return RegisterClassA(&wc) != 0;
}

}  // namespace

bool handlePaint(HWND hwnd, UINT message, WPARAM wParam, PaintRoutine paint) {
    if (message == WM_PRINTCLIENT) {
        paint(hwnd, reinterpret_cast<HDC>(wParam));
        return true;
    }
    if (message != WM_PAINT) return false;
    PAINTSTRUCT ps;
    paint(hwnd, BeginPaint(hwnd, &ps));
    EndPaint(hwnd, &ps);
    return true;
}

void paintPictureButton(HDC dc, const RECT& area, const PictureButtonData& data) {
    FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    ButtonPictures available;
    available.hasMouseOver = data.pictures[1] != nullptr;
    available.hasPressed = data.pictures[2] != nullptr;
    available.hasDisabled = data.pictures[3] != nullptr;
    const HBITMAP picture = data.pictures[static_cast<int>(choosePicture(data.model, available))];
    if (!picture) return;
    BITMAP info;
    GetObjectA(picture, sizeof info, &info);
    OwnedMemoryDc memory(CreateCompatibleDC(dc));
    SelectedObject selected(memory.get(), picture);
    BitBlt(dc, area.left, area.top, info.bmWidth, info.bmHeight, memory.get(), 0, 0, SRCCOPY);
}

void attachControlData(HWND control, void* data) {
    SetWindowLongPtrA(control, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(data));
}

bool registerControlClasses(HINSTANCE instance) {
    return registerClass(instance, kLabelClass, labelProc, 0) &&
           registerClass(instance, kPictureBoxClass, pictureBoxProc, 0) &&
           registerClass(instance, kPictureButtonClass, pictureButtonProc, 0);
}
