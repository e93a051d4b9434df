// The handlers bound to the window's events, and its creation step in its fixed order.
#pragma once

#include "ui/main_window_win32.h"

WindowBindings formBindings();
