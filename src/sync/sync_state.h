// The controller's program-wide record.
#pragma once

#include <cstdint>
#include <string>

#include "time/date_time.h"

struct SyncState {
    int32_t serverTimeValid = 0;
    std::string currentServer;
    DateTime serverTime{0.0};
    int32_t exitArmed = 0;
    int32_t autoFetchDone = 0;
    int32_t exitCountdown = 0;
};

extern SyncState g_sync;

void fetchServerTime();
void acceptServerTime(DateTime t);
void calibrateClock();
void onTimerTick();
void releaseSyncState();

extern const char kSearchingText[];
extern const char kAllFailedText[];
extern const char kCalibratedBalloon[];
extern const char kClockRefusedText[];
extern const char kClockRefusedTitle[];
std::string countdownText(int32_t count);
