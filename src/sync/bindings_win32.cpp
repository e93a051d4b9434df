#include "sync/bindings_win32.h"

#include "settings/options.h"
#include "sync/sync_state.h"
#include "ui/frame.h"
#include "ui/pictures.h"
#include "ui/tray.h"
#include "ui/tray_logic.h"

namespace {

void onCreate() {
    enableThemedLook(1);
    applyRoundedRegion(getHandle(), 4);
    loadOptions();
    g_sync.serverTimeValid = 0;
    setDisabled(Control::图形按钮_开始校准, true);
    setTrayIcon(pictures::quorvel_ico, kTrayTip);
    if (getChecked(Control::选择框_自动校准) != 1) g_sync.autoFetchDone = 1;
    g_sync.exitCountdown = 5;
    setText(Control::编辑框_系统时间, toDisplayText(now()));
}

void onDestroy() { removeTrayIcon(); }

}  // namespace

WindowBindings formBindings() {
    WindowBindings b;
    b.onCreate = onCreate;
    b.onTimerTick = onTimerTick;
    b.onClicked[static_cast<int>(Control::图形按钮_获取时间)] = fetchServerTime;
    b.onClicked[static_cast<int>(Control::图形按钮_开始校准)] = calibrateClock;
    b.onClicked[static_cast<int>(Control::图形按钮_最小化)] = onMinimizeClicked;
    b.onClicked[static_cast<int>(Control::图形按钮_关闭)] = onCloseClicked;
    b.onClicked[static_cast<int>(Control::设置按钮)] = onMenuButtonClicked;
    b.onClicked[static_cast<int>(Control::选择框_自动校准)] = onAutoCalibrateClicked;
    b.onClicked[static_cast<int>(Control::选择框_自动退出)] = onAutoExitClicked;
    b.onClicked[static_cast<int>(Control::选择框_开机后自动启动)] = onStartWithWindowsClicked;
    b.onTrayEvent = onTrayEvent;
    b.onPictureRightButtonDown = onPictureRightButtonDown;
    b.onMenuAction[MenuItem::MessageBoard] = onMessageBoardSelected;
    b.onMenuAction[MenuItem::Chat] = onChatSelected;
    b.onMenuAction[MenuItem::Exit] = onExitSelected;
    b.onDestroy = onDestroy;
    return b;
}
