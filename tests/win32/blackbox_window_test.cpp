// The window and its frame: layout, outline, moving, closing.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <set>
#include <vector>

#include "ui/form.h"
#include "blackbox.h"

namespace {

void expectRoundedOutline(const QuorvelProcess& q) {
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(q.window(), region), ERROR);
    // Rounded corners, but the right and bottom edges are not clipped.
    EXPECT_FALSE(PtInRegion(region, 0, 0));
    EXPECT_FALSE(PtInRegion(region, 279, 365));
    EXPECT_TRUE(PtInRegion(region, 140, 0));
    EXPECT_TRUE(PtInRegion(region, 279, 183));
    EXPECT_TRUE(PtInRegion(region, 140, 365));
    EXPECT_TRUE(PtInRegion(region, 3, 3));
    DeleteObject(region);
}

void expectControlTable(const QuorvelProcess& q) {
    int previousId = 0;
    for (HWND child = GetWindow(q.window(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const int id = GetDlgCtrlID(child);
        EXPECT_GT(id, previousId) << "created out of order";
        previousId = id;
    }
    for (const ControlSpec& entry : kForm) {
        if (entry.kind == ControlKind::Balloon || entry.kind == ControlKind::Timer) {
            EXPECT_EQ(q.control(entry.control), nullptr);
            continue;
        }
        SCOPED_TRACE(static_cast<int>(entry.control));
        ASSERT_NE(q.control(entry.control), nullptr);
        EXPECT_TRUE(IsWindowVisible(q.control(entry.control)));
        const RECT r = q.rectInWindow(entry.control);
        EXPECT_EQ(r.left, entry.left);
        EXPECT_EQ(r.top, entry.top);
        EXPECT_EQ(r.right - r.left, entry.width);
        if (entry.kind == ControlKind::EditBox) {
            EXPECT_GE(r.bottom - r.top, entry.height);
        } else if (entry.kind != ControlKind::ComboBox) {
            EXPECT_EQ(r.bottom - r.top, entry.height);
        }
        if (entry.kind == ControlKind::Label || entry.kind == ControlKind::CheckBox) {
            EXPECT_EQ(q.text(entry.control), entry.text);
        }
        if (entry.kind == ControlKind::CheckBox) {
            EXPECT_EQ(q.checked(entry.control), entry.checked ? 1 : 0);
        }
        const bool disabledAtStart = entry.control == Control::分组框3 || entry.control == Control::图形按钮_开始校准;
        EXPECT_EQ(q.enabled(entry.control), !disabledAtStart);
    }
}

TEST_F(Program, TheWindowIsCentredRoundedAndHoldsTheWholeControlTableInOrder) {
    QuorvelProcess q;
    ASSERT_TRUE(q.started());
    RECT w;
    GetWindowRect(q.window(), &w);
    EXPECT_EQ(w.left, (GetSystemMetrics(SM_CXSCREEN) - 280) / 2);
    EXPECT_EQ(w.top, (GetSystemMetrics(SM_CYSCREEN) - 366) / 2);
    EXPECT_EQ(w.right - w.left, 280);
    EXPECT_EQ(w.bottom - w.top, 366);
    char title[64] = {};
    SendMessageA(q.window(), WM_GETTEXT, sizeof title, reinterpret_cast<LPARAM>(title));
    EXPECT_STREQ(title, "Quorvelv1.8");
    EXPECT_EQ(GetWindowLongA(q.window(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    expectRoundedOutline(q);
    expectControlTable(q);
    EXPECT_EQ(q.text(Control::组合框1), kTimeServers[0]);
    EXPECT_EQ(SendMessageA(q.control(Control::组合框1), CB_GETCOUNT, 0, 0), 8);
    EXPECT_EQ(q.text(Control::编辑框_服务器时间), "");
    EXPECT_NE(q.text(Control::编辑框_系统时间).find("年"), std::string::npos);
}

TEST_F(Program, MinimiseKeepsTheClockTickingAndRestoreBringsBackOutlineAndControls) {
    QuorvelProcess q;
    ASSERT_TRUE(q.started());
    q.click(Control::图形按钮_最小化);
    ASSERT_TRUE(waitFor([&] { return IsIconic(q.window()) != 0; }));
    const std::string before = q.text(Control::编辑框_系统时间);
    EXPECT_TRUE(waitFor([&] { return q.text(Control::编辑框_系统时间) != before; }, 5000));
    EXPECT_TRUE(q.running());
    PostMessageA(q.window(), WM_SYSCOMMAND, SC_RESTORE, 0);
    ASSERT_TRUE(waitFor([&] { return !IsIconic(q.window()) && IsWindowVisible(q.window()); }));
    RECT w;
    GetWindowRect(q.window(), &w);
    EXPECT_EQ(w.left, (GetSystemMetrics(SM_CXSCREEN) - 280) / 2);
    EXPECT_EQ(w.right - w.left, 280);
    EXPECT_EQ(w.bottom - w.top, 366);
    expectRoundedOutline(q);
    expectControlTable(q);
}

// The window as it looks on the screen, as 24-bit rows from the top.
struct Capture {
    int width = 0, height = 0;
    std::vector<unsigned char> pixels;
};

Capture captureWindow(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    Capture c;
    c.width = r.right - r.left;
    c.height = r.bottom - r.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, c.width, c.height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, c.width, c.height, screen, r.left, r.top, SRCCOPY);
    SelectObject(memory, old);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = c.width;
    info.bmiHeader.biHeight = -c.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    const int stride = (c.width * 3 + 3) & ~3;
    c.pixels.resize(static_cast<size_t>(stride) * c.height);
    GetDIBits(memory, bitmap, 0, c.height, c.pixels.data(), &info, DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return c;
}

size_t distinctColours(const Capture& c, const RECT& area) {
    std::set<unsigned> colours;
    const int stride = (c.width * 3 + 3) & ~3;
    for (int y = std::max(0, static_cast<int>(area.top)); y < std::min(c.height, static_cast<int>(area.bottom)); ++y)
        for (int x = std::max(0, static_cast<int>(area.left)); x < std::min(c.width, static_cast<int>(area.right)); ++x) {
            const unsigned char* p = &c.pixels[static_cast<size_t>(y) * stride + x * 3];
            colours.insert(p[0] | p[1] << 8 | p[2] << 16);
        }
    return colours.size();
}

COLORREF pixelAt(const Capture& c, int x, int y) {
    const int stride = (c.width * 3 + 3) & ~3;
    const unsigned char* p = &c.pixels[static_cast<size_t>(y) * stride + x * 3];
    return RGB(p[2], p[1], p[0]);
}

// Every control has drawn itself: none is still one flat colour.
bool everyControlPainted(const QuorvelProcess& q, const Capture& c) {
    for (const ControlSpec& entry : kForm) {
        if (!q.control(entry.control) || entry.kind == ControlKind::GroupBox) continue;
        if (distinctColours(c, q.rectInWindow(entry.control)) < 2) return false;
    }
    return true;
}

bool saveBitmap(const Capture& c, const char* path) {
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = c.width;
    info.biHeight = -c.height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(c.pixels.size());
    FILE* out = std::fopen(path, "wb");
    if (!out) return false;
    std::fwrite(&file, sizeof file, 1, out);
    std::fwrite(&info, sizeof info, 1, out);
    std::fwrite(c.pixels.data(), 1, c.pixels.size(), out);
    return std::fclose(out) == 0;
}

TEST_F(Program, TheStartedWindowIsPaintedWithItsPicturesAndKeptAsAScreenshot) {
    QuorvelProcess q;
    ASSERT_TRUE(q.started());
    Capture shot;
    ASSERT_TRUE(waitFor([&] { return q.text(Control::编辑框_系统时间).find("年") != std::string::npos; }));
    EXPECT_TRUE(waitFor([&] {
        shot = captureWindow(q.window());
        return everyControlPainted(q, shot);
    }));
    // The background picture alone holds far more than a few flat colours.
    EXPECT_GT(distinctColours(shot, RECT{0, 0, shot.width, shot.height}), 200u);
    // The themed look frames edit boxes, the combo box and the check boxes' box in its colour.
    const COLORREF frame = RGB(123, 158, 189);
    for (Control c : {Control::编辑框_服务器时间, Control::编辑框_系统时间, Control::组合框1}) {
        const RECT r = q.rectInWindow(c);
        EXPECT_EQ(pixelAt(shot, r.left, (r.top + r.bottom) / 2), frame) << static_cast<int>(c);
        EXPECT_EQ(pixelAt(shot, (r.left + r.right) / 2, r.top), frame) << static_cast<int>(c);
    }
    for (Control c : {Control::选择框_自动尝试下一服务器, Control::选择框_开机后自动启动}) {
        const RECT r = q.rectInWindow(c);
        EXPECT_EQ(pixelAt(shot, r.left, (r.top + r.bottom) / 2), frame) << static_cast<int>(c);
    }
    // Kept beside the tests for people to look at.
    EXPECT_TRUE(saveBitmap(shot, "quorvel-window.bmp"));
}

TEST_F(Program, EscWithTheFocusInAnEditBoxOrTheComboBoxEndsTheProgramCleanly) {
    for (Control focused : {Control::编辑框_服务器时间, Control::组合框1}) {
        SCOPED_TRACE(static_cast<int>(focused));
        QuorvelProcess q;
        ASSERT_TRUE(q.started());
        // The drop-down's own edit field takes the focus: a child of the combo box.
        RECT r;
        GetWindowRect(q.control(focused), &r);
        q.clickAt(r.left + 30, (r.top + r.bottom) / 2);
        ASSERT_TRUE(waitFor([&] {
            const HWND focus = q.threadState().hwndFocus;
            return focus && (focus == q.control(focused) || GetParent(focus) == q.control(focused));
        }));
        pressKey(VK_ESCAPE);
        ASSERT_TRUE(endsWithCodeZero(q));
    }
}

TEST_F(Program, TheCloseButtonClosesOnAReleaseInsideOnly) {
    QuorvelProcess q;
    ASSERT_TRUE(q.started());
    RECT close;
    GetWindowRect(q.control(Control::图形按钮_关闭), &close);
    q.pressAt(close.left + 10, close.top + 8);
    ASSERT_TRUE(waitFor([&] { return q.threadState().hwndCapture == q.control(Control::图形按钮_关闭); }));
    q.releaseAt(close.left - 120, close.top + 150);
    // Once the button has let the mouse go, it has decided whether this was a click.
    ASSERT_TRUE(waitFor([&] { return q.threadState().hwndCapture == nullptr; }));
    EXPECT_TRUE(windowSurvivesItsPostedMessages(q));
    EXPECT_TRUE(q.running());
    q.click(Control::图形按钮_关闭);
    ASSERT_TRUE(endsWithCodeZero(q));
}

TEST_F(Program, DraggingTheTitleLabelMovesTheWindow) {
    QuorvelProcess q;
    ASSERT_TRUE(q.started());
    const DragResult d = drag(q, Control::标签1, true);
    EXPECT_EQ(d.after.left, d.before.left - 40);
    EXPECT_EQ(d.after.top, d.before.top + 30);
}

TEST_F(Program, DraggingAnEditBoxDoesNotMoveTheWindow) {
    QuorvelProcess q;
    ASSERT_TRUE(q.started());
    const DragResult d = drag(q, Control::编辑框_系统时间, false);
    EXPECT_EQ(d.after.left, d.before.left);
    EXPECT_EQ(d.after.top, d.before.top);
}

}  // namespace
