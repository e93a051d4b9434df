// The tray icon, its pop-up menu and the web links.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "blackbox.h"

#ifndef QUORVEL_BROWSER_SCRIPT
#error "QUORVEL_BROWSER_SCRIPT must name the recording browser"
#endif

namespace {

const LPARAM kTrayMouseMessages[] = {WM_RBUTTONUP, WM_LBUTTONUP, WM_LBUTTONDBLCLK};

// Whether the shell holds the program's icon: only an icon that is there can be modified.
bool trayIconPresent(HWND owner) {
    NOTIFYICONDATAA data{};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = owner;
    data.uID = 100;
    return Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
}

HWND openMenuThroughTheTray(const QuorvelProcess& q, LPARAM mouse = WM_RBUTTONUP) {
    PostMessageA(q.window(), 32868, 100, mouse);
    HWND menu = nullptr;
    waitFor([&] { return (menu = openMenu()) != nullptr; });
    return menu;
}

void expectMenuBesideTheCursor(HWND menu) {
    POINT cursor;
    GetCursorPos(&cursor);
    RECT r;
    GetWindowRect(menu, &r);
    EXPECT_LE(r.right, cursor.x - 5 + 1);
    EXPECT_GE(r.right, cursor.x - 5 - 1);
    EXPECT_EQ(r.top, cursor.y - 5);
}

void closeMenuWithEsc(HWND menu) {
    pressKey(VK_ESCAPE);
    EXPECT_TRUE(waitFor([&] { return !IsWindowVisible(menu); }));
}

TEST_F(Program, TheTrayIconIsAddedAtStartAndRemovedAtTheEnd) {
    QuorvelProcess q;
    ASSERT_TRUE(q.started());
    const HWND window = q.window();
    EXPECT_TRUE(trayIconPresent(window));
    NOTIFYICONDATAA otherId{};
    otherId.cbSize = NOTIFYICONDATAA_V1_SIZE;
    otherId.hWnd = window;
    otherId.uID = 101;
    EXPECT_FALSE(Shell_NotifyIconA(NIM_MODIFY, &otherId));  // the check tells icons apart
    pressKey(VK_ESCAPE);
    ASSERT_TRUE(endsWithCodeZero(q));
    // Wine's shell also drops the icons of windows that are gone, so this shows that no icon
    // outlives the program, not which of the two removed it.
    EXPECT_FALSE(trayIconPresent(window));
}

TEST_F(Program, EveryTrayClickOpensTheMenuBesideTheCursorAndEscClosesIt) {
    QuorvelProcess q;
    ASSERT_TRUE(q.started());
    for (LPARAM mouse : kTrayMouseMessages) {
        SCOPED_TRACE(mouse);
        HWND menu = openMenuThroughTheTray(q, mouse);
        ASSERT_NE(menu, nullptr);
        expectMenuBesideTheCursor(menu);
        closeMenuWithEsc(menu);
        EXPECT_TRUE(q.running());
    }
    // Other mouse messages of the icon are no event.
    PostMessageA(q.window(), 32868, 100, WM_MOUSEMOVE);
    PostMessageA(q.window(), 32868, 100, WM_RBUTTONDOWN);
    EXPECT_TRUE(windowSurvivesItsPostedMessages(q));
}

TEST_F(Program, AClickElsewhereClosesTheMenuWithNoItemChosen) {
    QuorvelProcess q;
    ASSERT_TRUE(q.started());
    RECT w;
    GetWindowRect(q.window(), &w);
    q.moveTo(w.left + 140, w.top + 200);
    HWND menu = openMenuThroughTheTray(q);
    ASSERT_NE(menu, nullptr);
    // Below the window's left part: neither the menu nor anything of the program.
    q.clickAt(w.left + 20, w.bottom + 40);
    EXPECT_TRUE(waitFor([&] { return !IsWindowVisible(menu); }));
    EXPECT_TRUE(windowSurvivesItsPostedMessages(q));
    EXPECT_TRUE(q.running());
}

TEST_F(Program, ExitFromTheMenuEndsTheProgramAlsoWhenMinimised) {
    for (bool minimised : {false, true}) {
        SCOPED_TRACE(minimised);
        QuorvelProcess q;
        ASSERT_TRUE(q.started());
        if (minimised) {
            q.click(Control::图形按钮_最小化);
            ASSERT_TRUE(waitFor([&] { return IsIconic(q.window()) != 0; }));
        }
        ASSERT_NE(openMenuThroughTheTray(q), nullptr);
        pressKey(VK_UP);  // from no selection, Up picks the last item, "退出"
        pressKey(VK_RETURN);
        ASSERT_TRUE(endsWithCodeZero(q));
    }
}

TEST_F(Program, TheMenuButtonAndARightPressOnTheDecorationOpenTheMenu) {
    QuorvelProcess q;
    ASSERT_TRUE(q.started());
    q.click(Control::设置按钮);
    HWND menu = nullptr;
    ASSERT_TRUE(waitFor([&] { return (menu = openMenu()) != nullptr; }));
    expectMenuBesideTheCursor(menu);
    closeMenuWithEsc(menu);

    RECT picture;
    GetWindowRect(q.control(Control::图片框1), &picture);
    q.rightPressAt(picture.left + 30, picture.top + 30);
    ASSERT_TRUE(waitFor([&] { return (menu = openMenu()) != nullptr; }));
    expectMenuBesideTheCursor(menu);
    q.rightReleaseAt(picture.left + 30, picture.top + 30);
    closeMenuWithEsc(menu);
    EXPECT_TRUE(q.running());
}

TEST_F(Program, ALeftPressOnTheDecorationMovesTheWindow) {
    QuorvelProcess q;
    ASSERT_TRUE(q.started());
    const DragResult d = drag(q, Control::图片框1, true);
    EXPECT_EQ(d.after.left, d.before.left - 40);
    EXPECT_EQ(d.after.top, d.before.top + 30);
}

class WebLinks : public Program {
protected:
    void SetUp() override {
        Program::SetUp();
        log_ = std::string(QUORVEL_BROWSER_SCRIPT);
        log_ = log_.substr(0, log_.rfind('/') + 1) + "browser-calls.txt";
        std::remove(windowsPath(log_).c_str());
        HKEY key;
        ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, "Software\\Wine\\WineBrowser", &key), ERROR_SUCCESS);
        const std::string browser = QUORVEL_BROWSER_SCRIPT;
        RegSetValueExA(key, "Browsers", 0, REG_SZ, reinterpret_cast<const BYTE*>(browser.c_str()),
                       static_cast<DWORD>(browser.size() + 1));
        RegCloseKey(key);
    }
    std::string recorded() const {
        std::ifstream in(windowsPath(log_));
        std::stringstream all;
        all << in.rdbuf();
        return all.str();
    }
    std::string log_;
};

TEST_F(WebLinks, EachLinkHandsItsAddressToTheBrowser) {
    struct Link {
        int downPresses;  // from no selection, the first Down picks the first item
        const char* address;
    };
    for (const Link link : {Link{1, "https://quorvel.github.io/guestbook/"}, Link{2, "https://quorvel.github.io/chat/"}}) {
        SCOPED_TRACE(link.address);
        QuorvelProcess q;
        ASSERT_TRUE(q.started());
        const size_t before = recorded().size();
        ASSERT_NE(openMenuThroughTheTray(q), nullptr);
        for (int i = 0; i < link.downPresses; ++i) pressKey(VK_DOWN);
        pressKey(VK_RETURN);
        ASSERT_TRUE(waitFor([&] { return recorded().size() > before; }));
        EXPECT_EQ(recorded().substr(before), std::string(link.address) + "\n");
        EXPECT_TRUE(q.running());
    }
}

}  // namespace
