// The borderless window's frame: rounded outline, title-bar buttons, themed look of controls.
#pragma once

#include <windows.h>

void applyRoundedRegion(HWND window, int cornerSize);
void onMinimizeClicked();
void onCloseClicked();
void onMenuButtonClicked();

// 1 to 3 switch the themed look on with that colour scheme; anything else switches it off.
int enableThemedLook(int scheme);
