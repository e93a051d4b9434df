#include <windows.h>

#include "sync/pause_logic.h"
#include "sync/sync_platform.h"
#include "sync/sync_state.h"
#include "ui/main_window_win32.h"

bool handlePendingEvents() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));  // left for the event loop
            return false;
        }
        dispatchWithFrameRules(msg);
    }
    return true;
}

void pauseWithEvents(int milliseconds) {
    if (milliseconds <= 0) return;
    const DWORD start = GetTickCount();
    do {
        if (!handlePendingEvents()) return;
        Sleep(0);
    } while (!pauseIsOver(start, GetTickCount(), static_cast<uint32_t>(milliseconds)));
}

bool setLocalClock(DateTime t) {
    const CalendarFields f = toCalendarFields(t);
    SYSTEMTIME s{};
    s.wYear = static_cast<WORD>(f.year);
    s.wMonth = static_cast<WORD>(f.month);
    s.wDay = static_cast<WORD>(f.day);
    s.wHour = static_cast<WORD>(f.hour);
    s.wMinute = static_cast<WORD>(f.minute);
    s.wSecond = static_cast<WORD>(f.second);
    s.wDayOfWeek = static_cast<WORD>(f.dayOfWeek);
    s.wMilliseconds = 0;
    return SetLocalTime(&s) != 0;
}

int screenWidth() { return GetSystemMetrics(SM_CXSCREEN); }
int screenHeight() { return GetSystemMetrics(SM_CYSCREEN); }

void showClockRefused() { MessageBoxA(nullptr, kClockRefusedText, kClockRefusedTitle, MB_OK | MB_ICONERROR | MB_TASKMODAL); }
