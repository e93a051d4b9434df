// What the black-box suites share: a clean registry per test, time-server answers, the menu.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "loopback_http_server.h"
#include "quorvel_process.h"

extern const char kRudo[];
extern const char kRunKey[];

// Every test starts with no remembered options.
class Program : public testing::Test {
protected:
    void SetUp() override;
};

// The answer of a good server: its current time.
HttpAnswer dateNow(const HttpRequestHead&);
// A server that has no such page (and no Date).
HttpAnswer notFound();
// Its current time, answered early in a second so that Wine takes it as the clock's own time.
HttpAnswer dateNowEarlyInASecond(const HttpRequestHead&);

// The program ends by itself within the time, with exit code 0.
testing::AssertionResult endsWithCodeZero(QuorvelProcess& q, DWORD timeoutMs = 20000);

// The pop-up menu when it is open.
HWND openMenu();
// True when the window still stands after handling every message posted to it before.
bool windowSurvivesItsPostedMessages(const QuorvelProcess& q);

// The error box "错误" of a refused clock change, and whether it holds a text.
HWND clockRefusedBox();
bool boxHoldsText(HWND box, const char* text);

// The calibration notice when it is showing.
HWND shownBalloon();

struct DragResult {
    RECT before, after;  // the window's rectangle
};

// Presses on a control, waits until the program has taken the press (the move loop has begun,
// or the control has the focus), drags 40 px left and 30 px down, and releases.
DragResult drag(const QuorvelProcess& q, Control from, bool expectMoveLoop);

// Sets a REG_SZ (empty) or REG_DWORD value under HKLM, creating the key.
void storeText(const char* key, const char* value, const std::string& text);
void storeInteger(const char* key, const char* value, DWORD data);
