// The window classes of the program's own controls.
#pragma once

#include <windows.h>

#include <array>

#include "ui/picture_button_logic.h"
#include "ui/win32_owners.h"

extern const char kLabelClass[];
extern const char kPictureBoxClass[];
extern const char kPictureButtonClass[];
extern const char kBalloonClass[];

bool registerControlClasses(HINSTANCE instance);

constexpr COLORREF kTextColour = RGB(44, 118, 158);

// A picture box tells its parent of a right-button press with this message (same parameters).
constexpr UINT kPictureRightButtonMessage = WM_APP + 2;

// Per-control data, owned by the main window's record and attached to the control's HWND.
struct LabelData {
    HFONT font = nullptr;  // not owned
    bool relief = false;
};

struct PictureBoxData {
    HBITMAP picture = nullptr;  // not owned
};

struct PictureButtonData {
    PictureButtonModel model;
    std::array<HBITMAP, 4> pictures{};  // normal, mouse over, pressed, disabled; not owned
    bool tracking = false;
};

// Serves WM_PAINT and WM_PRINTCLIENT with one paint routine; false for any other message.
using PaintRoutine = void (*)(HWND, HDC);
bool handlePaint(HWND hwnd, UINT message, WPARAM wParam, PaintRoutine paint);

// Draws a picture button as it looks now (also used on a memory DC by tests).
void paintPictureButton(HDC dc, const RECT& area, const PictureButtonData& data);

// A picture button tells its parent of a click as a BN_CLICKED command.
void attachControlData(HWND control, void* data);
