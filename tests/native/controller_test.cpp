#include <gtest/gtest.h>

#include "fakes.h"
#include "sync/pause_logic.h"
#include "sync/sync_state.h"

namespace {

const DateTime kServerTime = fromText("2011-06-09 20:34:56");

class Controller : public testing::Test {
protected:
    void SetUp() override {
        resetFakeWorld();
        g_sync.exitCountdown = 5;  // as the creation step leaves it
    }
    void answer(const std::string& server) { g_fake.answers[server] = kServerTime; }
    std::string serverBox() { return g_fake.texts[Control::编辑框_服务器时间]; }
    bool disabled(Control c) { return g_fake.disabled[c]; }
};

TEST_F(Controller, TheShownServerFirstThenTheWholeListUntilOneAnswers) {
    g_fake.texts[Control::组合框1] = "http://typed.example";
    answer(g_fake.items[2]);
    fetchServerTime();
    const std::vector<std::string> expected = {"http://typed.example", g_fake.items[0], g_fake.items[1],
                                               g_fake.items[2]};
    EXPECT_EQ(g_fake.probes, expected);
    EXPECT_EQ(g_fake.texts[Control::组合框1], g_fake.items[2]);
    EXPECT_EQ(g_sync.serverTimeValid, 1);
    EXPECT_EQ(g_sync.serverTime.serial, kServerTime.serial);
    EXPECT_EQ(serverBox(), "正在查找时间服务器......");  // until the next tick
    EXPECT_FALSE(disabled(Control::图形按钮_获取时间));
    EXPECT_FALSE(disabled(Control::图形按钮_开始校准));
}

TEST_F(Controller, NoServerAnsweringMakesNPlusOneProbesAndEndsOnTheLastItem) {
    fetchServerTime();
    EXPECT_EQ(g_fake.probes.size(), g_fake.items.size() + 1);
    EXPECT_EQ(g_fake.probes.front(), g_fake.items[0]);  // the shown text, tried again in its turn
    EXPECT_EQ(g_fake.texts[Control::组合框1], g_fake.items.back());
    EXPECT_EQ(serverBox(), "时间服务器连接失败......");
    EXPECT_EQ(g_sync.serverTimeValid, 0);
    EXPECT_FALSE(disabled(Control::图形按钮_获取时间));
    EXPECT_TRUE(disabled(Control::图形按钮_开始校准));  // no valid time to write
}

TEST_F(Controller, FallbackOffMeansOneProbeAndAnEmptyListAddsNothing) {
    g_fake.checked[Control::选择框_自动尝试下一服务器] = 0;
    fetchServerTime();
    EXPECT_EQ(g_fake.probes.size(), 1u);
    EXPECT_EQ(serverBox(), "时间服务器连接失败......");

    resetFakeWorld();
    g_fake.items.clear();
    g_fake.texts[Control::组合框1] = "http://only.example";
    fetchServerTime();
    EXPECT_EQ(g_fake.probes, std::vector<std::string>{"http://only.example"});
    EXPECT_EQ(serverBox(), "时间服务器连接失败......");
}

TEST_F(Controller, DuringAFetchBothButtonsAreDisabledAndTheTimeIsInvalid) {
    g_sync.serverTimeValid = 1;
    g_fake.duringPause = [&] {
        EXPECT_TRUE(disabled(Control::图形按钮_获取时间));
        EXPECT_TRUE(disabled(Control::图形按钮_开始校准));
        EXPECT_EQ(g_sync.serverTimeValid, 0);
        EXPECT_EQ(serverBox(), "正在查找时间服务器......");
    };
    answer(g_fake.items[0]);
    fetchServerTime();
    EXPECT_EQ(g_fake.pauses, 1);
}

TEST_F(Controller, AClosedWindowDuringThePauseEndsTheFetchWithoutAnotherProbe) {
    g_fake.duringPause = [] { g_fake.gone = true; };
    fetchServerTime();
    EXPECT_TRUE(g_fake.probes.empty());
    EXPECT_EQ(serverBox(), "正在查找时间服务器......");

    resetFakeWorld();
    int pauses = 0;
    std::function<void()> closeOnSecondPause = [&] {
        if (++pauses == 2) g_fake.gone = true;
        else g_fake.duringPause = closeOnSecondPause;
    };
    g_fake.duringPause = closeOnSecondPause;
    fetchServerTime();
    EXPECT_EQ(g_fake.probes.size(), 1u);  // the first probe, then the window went
    EXPECT_NE(serverBox(), "时间服务器连接失败......");
}

TEST_F(Controller, AutoCalibrateSetsTheClockAfterEverySuccess) {
    g_fake.checked[Control::选择框_自动校准] = 1;
    answer(g_fake.items[0]);
    fetchServerTime();
    fetchServerTime();
    ASSERT_EQ(g_fake.clockWrites.size(), 2u);
    EXPECT_EQ(g_fake.clockWrites[0].serial, kServerTime.serial);
    EXPECT_EQ(g_fake.balloons, (std::vector<std::string>{"校时完成 ！", "校时完成 ！"}));
    EXPECT_EQ(g_fake.balloonX, 1024 - 30);
    EXPECT_EQ(g_fake.balloonY, 768 - 25);
    EXPECT_EQ(g_sync.exitArmed, 0);  // auto-exit is not checked
}

TEST_F(Controller, ARefusedClockShowsTheErrorBoxOnlyAndArmsNothing) {
    g_fake.checked[Control::选择框_自动退出] = 1;
    g_fake.clockAccepts = false;
    g_sync.serverTime = kServerTime;
    g_sync.serverTimeValid = 1;
    calibrateClock();
    EXPECT_EQ(g_fake.refusedBoxes, 1);
    EXPECT_TRUE(g_fake.balloons.empty());
    EXPECT_EQ(g_sync.exitArmed, 0);
    EXPECT_EQ(g_sync.serverTimeValid, 1);
    EXPECT_EQ(g_sync.serverTime.serial, kServerTime.serial);
}

TEST_F(Controller, ArmingNeedsAutoExitCheckedAtTheCalibration) {
    g_sync.serverTime = kServerTime;
    calibrateClock();
    g_fake.checked[Control::选择框_自动退出] = 1;
    EXPECT_EQ(g_sync.exitArmed, 0);
    calibrateClock();
    EXPECT_EQ(g_sync.exitArmed, 1);
}

class Tick : public Controller {};

TEST_F(Tick, TheFirstTickShowsTheFetchedTimeThenOneSecondMoreEachTick) {
    answer(g_fake.items[0]);
    fetchServerTime();
    onTimerTick();
    EXPECT_EQ(serverBox(), "2011年6月9日20时34分56秒");
    onTimerTick();
    EXPECT_EQ(serverBox(), "2011年6月9日20时34分57秒");
    EXPECT_FALSE(g_fake.texts[Control::编辑框_系统时间].empty());
}

TEST_F(Tick, TheCountdownShowsFiveToMinusOneAndClosesOnTheSeventhTick) {
    g_sync.serverTimeValid = 1;
    g_sync.exitArmed = 1;
    const char* const shown[] = {"5", "4", "3", "2", "1", "0", "-1"};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(g_fake.destroyRequests, 0) << i;
        onTimerTick();
        EXPECT_EQ(serverBox(), std::string("校准完成 ") + shown[i] + " 秒后自动退出");
    }
    EXPECT_EQ(g_fake.destroyRequests, 1);
}

TEST_F(Tick, AFetchPausesTheCountdownAndASuccessResumesItWhereItStood) {
    g_fake.checked[Control::选择框_自动退出] = 1;
    answer(g_fake.items[0]);
    g_sync.serverTime = kServerTime;
    calibrateClock();
    g_sync.serverTimeValid = 1;
    onTimerTick();
    onTimerTick();  // showed 5, then 4
    g_fake.answers.clear();
    fetchServerTime();  // fails: paused
    onTimerTick();
    EXPECT_EQ(serverBox(), "时间服务器连接失败......");
    answer(g_fake.items[0]);
    fetchServerTime();
    calibrateClock();  // a second calibration does not restart the count
    onTimerTick();
    EXPECT_EQ(serverBox(), "校准完成 3 秒后自动退出");
    EXPECT_EQ(g_fake.destroyRequests, 0);
}

TEST_F(Tick, TheAutomaticFetchStartsOnceAndOnlyWhileItIsDue) {
    g_fake.checked[Control::选择框_自动校准] = 1;
    answer(g_fake.items[0]);
    g_fake.duringPause = [] { onTimerTick(); };  // a nested tick must not fetch again
    onTimerTick();
    EXPECT_EQ(g_fake.probes.size(), 1u);
    EXPECT_EQ(g_sync.autoFetchDone, 1);
    onTimerTick();
    EXPECT_EQ(g_fake.probes.size(), 1u);

    resetFakeWorld();
    g_sync.autoFetchDone = 1;  // unchecked at creation
    g_fake.checked[Control::选择框_自动校准] = 1;
    onTimerTick();
    EXPECT_TRUE(g_fake.probes.empty());

    resetFakeWorld();  // checked at creation, unchecked before the first tick, checked later
    answer(g_fake.items[0]);
    onTimerTick();
    EXPECT_TRUE(g_fake.probes.empty());
    g_fake.checked[Control::选择框_自动校准] = 1;
    onTimerTick();
    EXPECT_EQ(g_fake.probes.size(), 1u);
}

TEST(PauseLogic, ElapsedTimeSurvivesTheTickCounterWrapping) {
    EXPECT_FALSE(pauseIsOver(1000, 1000, 1));
    EXPECT_FALSE(pauseIsOver(1000, 1001, 1));
    EXPECT_TRUE(pauseIsOver(1000, 1002, 1));
    EXPECT_FALSE(pauseIsOver(0xFFFFFFFFu, 0u, 1));
    EXPECT_TRUE(pauseIsOver(0xFFFFFFFFu, 1u, 1));  // "noted + 1" would wrap to 0 and never be passed
    EXPECT_TRUE(pauseIsOver(0xFFFFFFFEu, 5u, 1));
}

TEST(SyncRelease, ReleasingTwiceOrWithNothingHeldIsHarmless) {
    g_sync.currentServer.clear();
    releaseSyncState();
    g_sync.currentServer = "http://x.example";
    releaseSyncState();
    releaseSyncState();
    EXPECT_TRUE(g_sync.currentServer.empty());
}

}  // namespace
