#include "ui/frame.h"

#include "ui/form.h"
#include "ui/main_window_win32.h"
#include "ui/tray.h"
#include "ui/win32_owners.h"

void applyRoundedRegion(HWND window, int cornerSize) {
    RECT r;
    GetWindowRect(window, &r);
    const Point size = roundedRegionSize(r.right - r.left, r.bottom - r.top);
    OwnedRegion region(CreateRoundRectRgn(0, 0, size.x, size.y, cornerSize, cornerSize));
    // Once set, the region belongs to the window.
    if (region && SetWindowRgn(window, region.get(), TRUE)) region.release();
}

void onMinimizeClicked() { sendMessage(WM_SYSCOMMAND, SC_MINIMIZE, 0); }

void onCloseClicked() { requestDestroy(); }

void onMenuButtonClicked() { popUpMenu(); }
