#include "sync/sync_state.h"
#include "ui/controls.h"

std::string countdownText(int32_t count) { return "校准完成 " + intToText(count) + " 秒后自动退出"; }

void onTimerTick() {
    setText(Control::编辑框_系统时间, toDisplayText(now()));
    if (g_sync.serverTimeValid == 1) {
        setText(Control::编辑框_服务器时间, toDisplayText(g_sync.serverTime));
        g_sync.serverTime = addSeconds(g_sync.serverTime, 1);
        if (g_sync.exitArmed == 1) {
            setText(Control::编辑框_服务器时间, countdownText(g_sync.exitCountdown));
            g_sync.exitCountdown = g_sync.exitCountdown - 1;
            if (g_sync.exitCountdown < -1) requestDestroy();
        }
    }
    if (getChecked(Control::选择框_自动校准) == 1 && g_sync.autoFetchDone == 0) {
        g_sync.autoFetchDone = 1;  // before the fetch, so no nested tick starts another
        fetchServerTime();
    }
}
