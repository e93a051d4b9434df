// MainWindow on Win32: the window, its controls, its bound handlers and its event loop.
#pragma once

#include <windows.h>

#include "ui/controls.h"
#include "ui/tray_logic.h"

using Handler = void (*)();

// Plain functions bound to the window's events; unset ones do nothing.
struct WindowBindings {
    Handler onCreate = nullptr;  // the creation step, with every control in place
    Handler onTimerTick = nullptr;
    Handler onClicked[kControlCount] = {};
    void (*onTrayEvent)(int kind) = nullptr;
    void (*onPictureRightButtonDown)(int x, int y, int keys) = nullptr;
    Handler onMenuAction[MenuItem::Exit + 1] = {};  // by the item's action
    Handler onDestroy = nullptr;  // before the window's resources go
};

// A menu item's command is this plus its action.
constexpr UINT kMenuCommandBase = 40001;

// Creates the window and every control, runs the creation step, and shows it.
bool createMainWindow(HINSTANCE instance, const WindowBindings& bindings);
// Runs until the window is gone.
void runEventLoop();
// Handles one message as the event loop does: a press on the background, a label or a picture
// box starts a move, and Esc closes the window.
void dispatchWithFrameRules(MSG& msg);

HWND getHandle();
LRESULT sendMessage(UINT message, WPARAM wParam, LPARAM lParam);
HWND controlHandle(Control control);
HINSTANCE programInstance();
