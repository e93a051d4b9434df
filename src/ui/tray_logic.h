// Decisions of the tray icon and its pop-up menu: which icon image, which event, which items.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct IconImageRef {
    bool found = false;
    size_t offset = 0;  // of the image's data in the icon file
    size_t size = 0;
    int width = 0;
};

// The first image of the wanted width with at least 16 colours, 16 px first, then 32 px;
// without an image of the wanted width, the last image of the directory. Nothing for a file
// that is not an icon file or whose entry points outside it.
IconImageRef chooseTrayIconImage(const uint8_t* file, size_t size);

constexpr unsigned kTrayMessage = 32868;  // 0x8064
constexpr unsigned kTrayIconId = 100;
constexpr unsigned kTrayFlags = 7;  // NIF_MESSAGE | NIF_ICON | NIF_TIP
extern const char kTrayTip[];

// 0 for mouse messages that are no tray event; 1 left click, 2 double click, 3 right click.
int trayEventKind(unsigned mouseMessage);

// At most 62 bytes of the tip, so that it fits the record with its zero byte.
std::string cutTip(const std::string& tip);

struct MenuItem {
    const char* text;
    enum Action { MessageBoard, Chat, Separator, Exit } action;
};
extern const std::vector<MenuItem> kMenuItems;

extern const char kMessageBoardUrl[];
extern const char kChatUrl[];
