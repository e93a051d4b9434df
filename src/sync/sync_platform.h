// What the controller needs from the platform, apart from the controls and the probe.
#pragma once

#include "time/date_time.h"

// Handles the events waiting now, as the event loop would; false once the loop is to end.
bool handlePendingEvents();
// Handles pending events for at least the given milliseconds; nothing for 0 or less.
void pauseWithEvents(int milliseconds);
// Writes the clock as local time; false when the system refuses.
bool setLocalClock(DateTime t);
int screenWidth();
int screenHeight();
// The task-modal error box of a refused clock change; returns when it is closed.
void showClockRefused();
