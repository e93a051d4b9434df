// The window's form: its size, its controls in creation order and their first state.
#pragma once

#include <string>

#include "ui/controls.h"

enum class ControlKind { Label, PictureBox, PictureButton, EditBox, Balloon, Timer, GroupBox, ComboBox, CheckBox };

struct ControlSpec {
    Control control;
    ControlKind kind;
    int left, top, width, height;
    const char* text;
    bool checked;
};

constexpr int kWindowWidth = 280;
constexpr int kWindowHeight = 366;
extern const char kWindowTitle[];
extern const char kCreditLine[];

extern const ControlSpec kForm[kControlCount];
extern const char* const kTimeServers[8];

struct Point {
    int x, y;
};

// Top-left corner that centres the window on a screen, by integer division.
Point centredOrigin(int screenWidth, int screenHeight);

// A box lower than the font's line plus both edges is made that tall.
int editBoxHeight(int requested, int fontLineHeight, int edgeWidth);

// The outline: the window's rectangle grown by one pixel right and down.
Point roundedRegionSize(int windowWidth, int windowHeight);
