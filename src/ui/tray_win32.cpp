#include "ui/tray.h"

#include <windows.h>
#include <shellapi.h>

#include <cstring>

#include "ui/controls.h"
#include "ui/main_window_win32.h"
#include "ui/tray_logic.h"
#include "ui/win32_owners.h"

namespace {

#ifndef _WIN64
static_assert(NOTIFYICONDATAA_V1_SIZE == 88, "the tray record is used in its 88-byte form");
#endif

struct TrayIcon {
    bool shown = false;
    OwnedIcon icon;
} g_tray;

NOTIFYICONDATAA baseRecord(const std::string& tip) {
    NOTIFYICONDATAA record{};
    record.cbSize = NOTIFYICONDATAA_V1_SIZE;
    record.hWnd = getHandle();
    record.uID = kTrayIconId;
    const std::string cut = cutTip(tip);
    std::memcpy(record.szTip, cut.c_str(), cut.size() + 1);
    return record;
}

OwnedIcon makeIcon(const ByteBlock& file) {
    const IconImageRef image = chooseTrayIconImage(file.data, file.size);
    if (!image.found) return {};
    return OwnedIcon(CreateIconFromResourceEx(const_cast<PBYTE>(file.data + image.offset),
                                              static_cast<DWORD>(image.size), TRUE, 0x00030000, image.width,
                                              image.width, LR_DEFAULTCOLOR));
}

}  // namespace

void setTrayIcon(const ByteBlock& iconFile, const std::string& tip) {
    OwnedIcon icon = makeIcon(iconFile);
    NOTIFYICONDATAA record = baseRecord(tip);
    if (g_tray.shown) {
        if (icon) {
            record.uFlags = kTrayFlags;
            record.uCallbackMessage = kTrayMessage;
            record.hIcon = icon.get();
            Shell_NotifyIconA(NIM_MODIFY, &record);
        } else {
            Shell_NotifyIconA(NIM_DELETE, &record);
            g_tray.shown = false;
        }
    } else if (icon) {
        record.uFlags = kTrayFlags;
        record.uCallbackMessage = kTrayMessage;
        record.hIcon = icon.get();
        Shell_NotifyIconA(NIM_ADD, &record);
        g_tray.shown = true;
    }
    g_tray.icon = std::move(icon);  // the old handle is destroyed here
}

void removeTrayIcon() {
    if (g_tray.shown) {
        NOTIFYICONDATAA record = baseRecord("");
        Shell_NotifyIconA(NIM_DELETE, &record);
        g_tray.shown = false;
    }
    g_tray.icon.reset();
}

void onTrayEvent(int) { popUpMenu(); }

void popUpMenu() {
    HWND window = getHandle();
    if (!window) return;
    OwnedMenu menu(CreatePopupMenu());
    if (!menu) return;
    for (const MenuItem& item : kMenuItems) {
        if (item.action == MenuItem::Separator)
            AppendMenuA(menu.get(), MF_SEPARATOR, 0, nullptr);
        else
            AppendMenuA(menu.get(), MF_STRING, kMenuCommandBase + item.action, item.text);
    }
    POINT cursor;
    GetCursorPos(&cursor);
    // Without the foreground the menu would not close when the user clicks elsewhere.
    SetForegroundWindow(window);
    TrackPopupMenu(menu.get(), TPM_RIGHTALIGN, cursor.x - 5, cursor.y - 5, 0, window, nullptr);
    // Lets the menu's own loop end cleanly before the next click on the tray.
    PostMessageA(window, WM_NULL, 0, 0);
}

void onPictureRightButtonDown(int, int, int) { popUpMenu(); }

void onMessageBoardSelected() { openWebLink(kMessageBoardUrl); }

void onChatSelected() { openWebLink(kChatUrl); }

void onExitSelected() { requestDestroy(); }

void openWebLink(const std::string& url) { ShellExecuteA(nullptr, "open", url.c_str(), nullptr, nullptr, SW_SHOWNORMAL); }
