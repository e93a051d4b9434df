#include "sync/sync_platform.h"
#include "sync/sync_state.h"
#include "time/time_probe.h"
#include "ui/controls.h"

SyncState g_sync;

const char kSearchingText[] = "正在查找时间服务器......";
const char kAllFailedText[] = "时间服务器连接失败......";
const char kCalibratedBalloon[] = "校时完成 ！";
const char kClockRefusedText[] = "时间修改失败，请检查你是否有足够的权限修改本机时间！";
const char kClockRefusedTitle[] = "错误";

namespace {

// One probe of currentServer; true when it answered and its time was taken over.
bool probeCurrentServer() {
    const ServerTime answer = queryServerTime(g_sync.currentServer);
    if (!answer.ok) return false;
    acceptServerTime(answer.value);
    return true;
}

void failFetch() {
    setText(Control::编辑框_服务器时间, kAllFailedText);
    setDisabled(Control::图形按钮_获取时间, false);
    // 图形按钮_开始校准 stays disabled: there is no valid time to write into the clock.
}

}  // namespace

void fetchServerTime() {
    g_sync.serverTimeValid = 0;
    setDisabled(Control::图形按钮_获取时间, true);
    setDisabled(Control::图形按钮_开始校准, true);
    setText(Control::编辑框_服务器时间, kSearchingText);
    pauseWithEvents(1);
    // Closed during the pause: no further probe, and the controls are not touched again.
    if (windowGone()) return;

    g_sync.currentServer = getText(Control::组合框1);
    if (probeCurrentServer()) return;
    if (getChecked(Control::选择框_自动尝试下一服务器) != 1) {
        failFetch();
        return;
    }

    const int count = getItemCount(Control::组合框1);
    for (int i = 0; i < count; ++i) {
        setText(Control::组合框1, getItemText(Control::组合框1, i));
        g_sync.currentServer = getText(Control::组合框1);
        pauseWithEvents(1);
        if (windowGone()) return;
        if (probeCurrentServer()) break;
    }
    if (g_sync.serverTimeValid != 0) return;
    failFetch();
}

void acceptServerTime(DateTime t) {
    g_sync.serverTime = t;
    setDisabled(Control::图形按钮_获取时间, false);
    setDisabled(Control::图形按钮_开始校准, false);
    g_sync.serverTimeValid = 1;
    if (getChecked(Control::选择框_自动校准) == 1) calibrateClock();
}

void calibrateClock() {
    if (!setLocalClock(g_sync.serverTime)) {
        showClockRefused();
        return;
    }
    showBalloon(screenWidth() - 30, screenHeight() - 25, kCalibratedBalloon, -1, 1);
    if (getChecked(Control::选择框_自动退出) == 1) g_sync.exitArmed = 1;
}

void releaseSyncState() {
    g_sync.currentServer.clear();
    g_sync.currentServer.shrink_to_fit();
}
