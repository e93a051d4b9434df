// Link-time stand-ins for the window, the probe, the clock and the registry.
#pragma once

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "time/date_time.h"
#include "ui/controls.h"

struct FakeWorld {
    // Window
    std::map<Control, std::string> texts;
    std::map<Control, bool> disabled;
    std::map<Control, int> checked;
    std::vector<std::string> items;
    int destroyRequests = 0;
    bool gone = false;
    std::vector<std::string> balloons;
    int balloonX = 0, balloonY = 0;
    // Probe: answers per server text; absent servers fail
    std::map<std::string, DateTime> answers;
    std::vector<std::string> probes;
    // Platform
    std::function<void()> duringPause;
    int pauses = 0;
    bool clockAccepts = true;
    std::vector<DateTime> clockWrites;
    int refusedBoxes = 0;
    // Registry: full path -> text ("" for integers), with writes that can be refused
    std::map<std::string, std::string> registry;
    std::set<std::string> refuseWrites;
    std::vector<std::string> registryLog;
};

extern FakeWorld g_fake;
void resetFakeWorld();
