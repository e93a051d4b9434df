#include "ui/form.h"

const char kWindowTitle[] = "Quorvelv1.8";
const char kCreditLine[] = "Quorvel 校时工具 · 作者：Quorvel 开发组";

const ControlSpec kForm[kControlCount] = {
    {Control::标签1, ControlKind::Label, 36, 4, 104, 24, "Quorvelv1.8", false},
    {Control::图片框2, ControlKind::PictureBox, 9, 5, 20, 20, "", false},
    {Control::图形按钮_开始校准, ControlKind::PictureButton, 168, 132, 94, 28, "", false},
    {Control::图形按钮_获取时间, ControlKind::PictureButton, 22, 132, 94, 28, "", false},
    {Control::标_时间服务器2, ControlKind::Label, 16, 83, 60, 22, "本机时间：", false},
    {Control::标_时间服务器1, ControlKind::Label, 16, 42, 60, 22, "标准时间：", false},
    {Control::编辑框_系统时间, ControlKind::EditBox, 84, 83, 180, 22, "", false},
    {Control::编辑框_服务器时间, ControlKind::EditBox, 84, 42, 180, 22, "", false},
    {Control::标_时间服务器, ControlKind::Label, 13, 183, 64, 20, "时间服务器", false},
    {Control::图形按钮_最小化, ControlKind::PictureButton, 210, 1, 26, 17, "", false},
    {Control::图形按钮_关闭, ControlKind::PictureButton, 235, 1, 36, 17, "", false},
    {Control::气球提示框1, ControlKind::Balloon, 136, 253, 26, 26, "", false},
    {Control::时钟1, ControlKind::Timer, 136, 293, 26, 26, "", false},
    {Control::分组框3, ControlKind::GroupBox, 7, 171, 265, 1, "", false},
    {Control::组合框1, ControlKind::ComboBox, 77, 183, 192, 20, "", false},
    {Control::选择框_自动尝试下一服务器, ControlKind::CheckBox, 14, 220, 189, 20, "连接失败后自动尝试下一服务器", true},
    {Control::选择框_自动校准, ControlKind::CheckBox, 15, 246, 109, 20, "启动后自动校准", false},
    {Control::选择框_自动退出, ControlKind::CheckBox, 15, 271, 109, 20, "校准后自动退出", false},
    {Control::选择框_开机后自动启动, ControlKind::CheckBox, 15, 297, 109, 20, "开机后自动启动", false},
    {Control::标签2, ControlKind::Label, 14, 329, 256, 24, kCreditLine, false},
    {Control::图片框1, ControlKind::PictureBox, 178, 254, 64, 64, "", false},
    {Control::设置按钮, ControlKind::PictureButton, 183, 1, 27, 17, "", false},
};

// A national time service first, then search engines, then large portals.
const char* const kTimeServers[8] = {
    "http://www.ntsc.ac.cn", "http://www.baidu.com", "http://www.bing.com", "http://www.sogou.com",
    "http://www.qq.com",     "http://www.163.com",   "http://www.sina.com.cn", "http://www.sohu.com",
};

Point centredOrigin(int screenWidth, int screenHeight) {
    return {(screenWidth - kWindowWidth) / 2, (screenHeight - kWindowHeight) / 2};
}

int editBoxHeight(int requested, int fontLineHeight, int edgeWidth) {
    const int least = fontLineHeight + 2 * edgeWidth;
    return requested < least ? least : requested;
}

Point roundedRegionSize(int windowWidth, int windowHeight) { return {windowWidth + 1, windowHeight + 1}; }
