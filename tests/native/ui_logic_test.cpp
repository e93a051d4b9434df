#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "ui/form.h"
#include "ui/picture_button_logic.h"
#include "ui/tray_logic.h"

#ifndef QUORVEL_ICON_FILE
#error "QUORVEL_ICON_FILE must name the program icon file"
#endif

namespace {

TEST(PictureButton, AClickIsAReleaseInsideAfterAPressInside) {
    PictureButtonModel b;
    onPointerMove(b, true, false);
    EXPECT_EQ(b.state, ButtonState::MouseOver);
    EXPECT_TRUE(onLeftDown(b).capture);
    EXPECT_EQ(b.state, ButtonState::Pressed);
    const ButtonReaction up = onLeftUp(b, true);
    EXPECT_TRUE(up.clicked);
    EXPECT_TRUE(up.release);
    EXPECT_EQ(b.state, ButtonState::Normal);
}

TEST(PictureButton, APressDraggedOffAndReleasedElsewhereIsNoClick) {
    PictureButtonModel b;
    onLeftDown(b);
    onPointerMove(b, false, true);
    EXPECT_EQ(b.state, ButtonState::Normal);
    EXPECT_TRUE(b.captured);  // kept while the button is held
    onPointerMove(b, true, true);
    EXPECT_EQ(b.state, ButtonState::Pressed);
    onPointerMove(b, false, true);
    EXPECT_FALSE(onLeftUp(b, false).clicked);

    onLeftDown(b);
    EXPECT_TRUE(onCaptureLost(b).repaint);  // a menu or the system took the mouse
    EXPECT_EQ(b.state, ButtonState::Normal);
    EXPECT_FALSE(onLeftUp(b, true).clicked);
}

TEST(PictureButton, ADisabledButtonIgnoresTheMouseAndShowsItsDisabledPicture) {
    PictureButtonModel b;
    EXPECT_TRUE(onEnabledChanged(b, false).repaint);
    EXPECT_FALSE(onLeftDown(b).capture);
    EXPECT_FALSE(onLeftUp(b, true).clicked);
    onPointerMove(b, true, false);
    EXPECT_EQ(choosePicture(b, {true, true, true}), ButtonPicture::Disabled);
    EXPECT_EQ(choosePicture(b, {true, true, false}), ButtonPicture::Normal);
    onEnabledChanged(b, true);
    onPointerMove(b, true, false);
    EXPECT_EQ(choosePicture(b, {true, true, true}), ButtonPicture::MouseOver);
    EXPECT_EQ(choosePicture(b, {false, true, true}), ButtonPicture::Normal);
}

TEST(Form, CentringSizesAndTheControlTable) {
    EXPECT_EQ(centredOrigin(1024, 768).x, 372);
    EXPECT_EQ(centredOrigin(1024, 768).y, 201);
    EXPECT_EQ(centredOrigin(1025, 769).x, 372);
    EXPECT_EQ(centredOrigin(1920, 1080).y, 357);
    EXPECT_EQ(roundedRegionSize(280, 366).x, 281);
    EXPECT_EQ(roundedRegionSize(280, 366).y, 367);
    EXPECT_EQ(editBoxHeight(22, 13, 1), 22);
    EXPECT_EQ(editBoxHeight(12, 13, 1), 15);
    for (int i = 0; i < kControlCount; ++i) EXPECT_EQ(static_cast<int>(kForm[i].control), i);
    int checked = 0;
    for (const ControlSpec& s : kForm) checked += s.checked;
    EXPECT_EQ(checked, 1);
    EXPECT_TRUE(kForm[static_cast<int>(Control::选择框_自动尝试下一服务器)].checked);
    for (const char* server : kTimeServers) {
        const std::string s = server;
        EXPECT_EQ(s.rfind("http://", 0), 0u) << s;
        EXPECT_EQ(s.find('/', 7), std::string::npos) << s;
    }
}

std::vector<uint8_t> iconDirectory(std::vector<std::pair<int, int>> widthAndColours) {
    std::vector<uint8_t> f = {0, 0, 1, 0, static_cast<uint8_t>(widthAndColours.size()), 0};
    const size_t dataStart = 6 + 16 * widthAndColours.size();
    for (size_t i = 0; i < widthAndColours.size(); ++i) {
        const size_t offset = dataStart + 40 * i;
        const uint8_t e[16] = {static_cast<uint8_t>(widthAndColours[i].first), static_cast<uint8_t>(widthAndColours[i].first),
                               static_cast<uint8_t>(widthAndColours[i].second), 0, 1, 0, 4, 0, 40, 0, 0, 0,
                               static_cast<uint8_t>(offset), static_cast<uint8_t>(offset >> 8), 0, 0};
        f.insert(f.end(), e, e + 16);
    }
    f.resize(dataStart + 40 * widthAndColours.size(), 0);
    return f;
}

TEST(TrayIcon, ChoosesTheFirst16PixelImageWithSixteenColoursOrFallsBack) {
    struct {
        std::vector<std::pair<int, int>> entries;
        int chosen;  // index, or -1 for none
    } const cases[] = {
        {{{32, 16}, {16, 0}, {16, 16}}, 1},  // 0 colours means 256 or more
        {{{16, 2}, {32, 2}, {32, 16}}, 2},
        {{{48, 16}, {24, 16}}, 1},            // no 16 px image: the last one
        {{{16, 8}, {24, 16}}, 1},             // no 32 px image after a poor 16 px one: the last one
        {{}, -1},
    };
    for (const auto& c : cases) {
        const std::vector<uint8_t> file = iconDirectory(c.entries);
        const IconImageRef r = chooseTrayIconImage(file.data(), file.size());
        EXPECT_EQ(r.found, c.chosen >= 0);
        if (c.chosen >= 0) {
            EXPECT_EQ(r.offset, 6 + 16 * c.entries.size() + 40 * static_cast<size_t>(c.chosen));
        }
    }
    std::vector<uint8_t> broken = iconDirectory({{16, 16}});
    broken[6 + 12] = 0xFF;  // offset far outside the file
    EXPECT_FALSE(chooseTrayIconImage(broken.data(), broken.size()).found);
    EXPECT_FALSE(chooseTrayIconImage(broken.data(), 5).found);
}

TEST(TrayIcon, TheProgramsOwnIconYieldsIts16PixelSixteenColourImage) {
    std::ifstream in(QUORVEL_ICON_FILE, std::ios::binary);
    const std::vector<uint8_t> file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_EQ(file.size(), 29926u);
    const IconImageRef r = chooseTrayIconImage(file.data(), file.size());
    ASSERT_TRUE(r.found);
    EXPECT_EQ(r.width, 16);
    EXPECT_EQ(file[r.offset + 14], 4);  // biBitCount of the chosen image
}

TEST(TrayIcon, MessagesMenuAndTip) {
    EXPECT_EQ(trayEventKind(514), 1);
    EXPECT_EQ(trayEventKind(515), 2);
    EXPECT_EQ(trayEventKind(517), 3);
    EXPECT_EQ(trayEventKind(123), 3);
    EXPECT_EQ(trayEventKind(513), 0);
    EXPECT_EQ(trayEventKind(512), 0);
    ASSERT_EQ(kMenuItems.size(), 4u);
    EXPECT_STREQ(kMenuItems[0].text, "留言");
    EXPECT_STREQ(kMenuItems[1].text, "Q我吧");
    EXPECT_STREQ(kMenuItems[2].text, "-");
    EXPECT_STREQ(kMenuItems[3].text, "退出");
    EXPECT_EQ(cutTip(std::string(100, 'x')).size(), 62u);
    EXPECT_EQ(cutTip("Quorvel"), "Quorvel");
}

}  // namespace
