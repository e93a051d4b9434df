#include "ui/tray_logic.h"

const char kTrayTip[] = "Quorvel";
const char kMessageBoardUrl[] = "https://quorvel.github.io/guestbook/";
const char kChatUrl[] = "https://quorvel.github.io/chat/";

const std::vector<MenuItem> kMenuItems = {
    {"留言", MenuItem::MessageBoard},
    {"Q我吧", MenuItem::Chat},
    {"-", MenuItem::Separator},
    {"退出", MenuItem::Exit},
};

namespace {

uint16_t read16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
uint32_t read32(const uint8_t* p) { return read16(p) | static_cast<uint32_t>(read16(p + 2)) << 16; }

struct Entry {
    int width;
    int colours;
    size_t size;
    size_t offset;
};

}  // namespace

IconImageRef chooseTrayIconImage(const uint8_t* file, size_t size) {
    IconImageRef none;
    if (!file || size < 6 || read16(file) != 0 || read16(file + 2) != 1) return none;
    const size_t count = read16(file + 4);
    if (count == 0 || size < 6 + 16 * count) return none;

    std::vector<Entry> entries;
    for (size_t i = 0; i < count; ++i) {
        const uint8_t* e = file + 6 + 16 * i;
        const int width = e[0] == 0 ? 256 : e[0];
        // A colour count of 0 means 256 or more colours.
        const int colours = e[2] == 0 ? 256 : e[2];
        entries.push_back({width, colours, read32(e + 8), read32(e + 12)});
    }
    auto pick = [&](const Entry& e) {
        IconImageRef r;
        if (e.offset > size || e.size > size - e.offset || e.size < 40) return r;
        r.found = true;
        r.offset = e.offset;
        r.size = e.size;
        r.width = e.width;
        return r;
    };
    for (int wanted : {16, 32}) {
        bool widthPresent = false;
        for (const Entry& e : entries) {
            if (e.width != wanted) continue;
            widthPresent = true;
            if (e.colours >= 16) return pick(e);
        }
        if (!widthPresent) return pick(entries.back());
    }
    return pick(entries.back());
}

int trayEventKind(unsigned mouseMessage) {
    switch (mouseMessage) {
        case 514: return 1;  // WM_LBUTTONUP
        case 515: return 2;  // WM_LBUTTONDBLCLK
        case 517:            // WM_RBUTTONUP
        case 123: return 3;  // WM_CONTEXTMENU
        default: return 0;
    }
}

std::string cutTip(const std::string& tip) { return tip.substr(0, 62); }
