// The window's controls under their form names, and the operations other modules use on them.
#pragma once

#include <string>

enum class Control {
    标签1,
    图片框2,
    图形按钮_开始校准,
    图形按钮_获取时间,
    标_时间服务器2,
    标_时间服务器1,
    编辑框_系统时间,
    编辑框_服务器时间,
    标_时间服务器,
    图形按钮_最小化,
    图形按钮_关闭,
    气球提示框1,
    时钟1,
    分组框3,
    组合框1,
    选择框_自动尝试下一服务器,
    选择框_自动校准,
    选择框_自动退出,
    选择框_开机后自动启动,
    标签2,
    图片框1,
    设置按钮,
};
constexpr int kControlCount = static_cast<int>(Control::设置按钮) + 1;

void setText(Control control, const std::string& text);
std::string getText(Control control);
void setDisabled(Control control, bool disabled);
int getChecked(Control control);
void setChecked(Control control, bool checked);
int getItemCount(Control control);
std::string getItemText(Control control, int index);

// Queues the window's destruction; it happens once the running handler has returned.
void requestDestroy();
// True once the window has been destroyed (or is being), so late work can stand back.
bool windowGone();

// Shows the balloon of 气球提示框1 at a screen point; false when the box cannot show it.
bool showBalloon(int x, int y, const std::string& message, int iconIndex, int autoHide);
