// The remembered options, read back from the registry itself.
#include <windows.h>

#include <gtest/gtest.h>

#include "blackbox.h"

namespace {

struct IntegerOption {
    Control box;
    const char* value;
};

TEST_F(Program, EachIntegerOptionIsStoredAsADwordRemovedWhenUncheckedAndRestored) {
    for (const IntegerOption option : {IntegerOption{Control::选择框_自动退出, "zdtc"},
                                       IntegerOption{Control::选择框_自动校准, "qdxz"}}) {
        SCOPED_TRACE(option.value);
        {
            QuorvelProcess q;
            ASSERT_TRUE(q.started());
            EXPECT_EQ(q.checked(option.box), 0);
            q.click(option.box);
            DWORD type = 0;
            ASSERT_TRUE(waitFor([&] { return registryValueExists(kRudo, option.value, &type); }));
            EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
            HKEY key;
            ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kRudo, 0, KEY_READ, &key), ERROR_SUCCESS);
            DWORD data = 0, size = sizeof data;
            RegQueryValueExA(key, option.value, nullptr, nullptr, reinterpret_cast<BYTE*>(&data), &size);
            RegCloseKey(key);
            EXPECT_EQ(data, 1u);
        }
        {
            QuorvelProcess q;
            ASSERT_TRUE(q.started());
            EXPECT_EQ(q.checked(option.box), 1);
            q.click(option.box);
            EXPECT_TRUE(waitFor([&] { return !registryValueExists(kRudo, option.value); }));
        }
        QuorvelProcess q;
        ASSERT_TRUE(q.started());
        EXPECT_EQ(q.checked(option.box), 0);
    }
}

TEST_F(Program, StartWithWindowsWritesTheRunValueAndTheNotedPathAndRemovesBoth) {
    std::string run;
    {
        QuorvelProcess q;
        ASSERT_TRUE(q.started());
        q.click(Control::选择框_开机后自动启动);
        ASSERT_TRUE(waitFor([&] { return registryValueExists(kRudo, "启动路径"); }));
        run = registryText(kRunKey, "Rorovav urur");
        EXPECT_EQ(registryText(kRudo, "启动路径"), run);
        EXPECT_EQ(run, q.executablePath());
    }
    {
        QuorvelProcess q;
        ASSERT_TRUE(q.started());
        EXPECT_EQ(q.checked(Control::选择框_开机后自动启动), 1);
        EXPECT_EQ(q.checked(Control::选择框_自动退出), 0);
        EXPECT_EQ(q.checked(Control::选择框_自动校准), 0);
        q.click(Control::选择框_开机后自动启动);
        EXPECT_TRUE(waitFor([&] { return !registryValueExists(kRunKey, "Rorovav urur"); }));
        EXPECT_TRUE(waitFor([&] { return !registryValueExists(kRudo, "启动路径"); }));
    }
}

TEST_F(Program, AStoredPathInAnotherCaseOrTypeShowsStartWithWindowsUnchecked) {
    QuorvelProcess probe;  // only to learn the path the program notes for itself
    ASSERT_TRUE(probe.started());
    std::string otherCase = probe.executablePath();
    for (char& c : otherCase) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
    ASSERT_NE(otherCase, probe.executablePath());

    storeText(kRudo, "启动路径", otherCase);
    {
        QuorvelProcess q;
        ASSERT_TRUE(q.started());
        EXPECT_EQ(q.checked(Control::选择框_开机后自动启动), 0);
    }
    storeInteger(kRudo, "启动路径", 1);
    storeText(kRudo, "qdxz", "");
    QuorvelProcess q;
    ASSERT_TRUE(q.started());
    EXPECT_EQ(q.checked(Control::选择框_开机后自动启动), 0);
    EXPECT_EQ(q.checked(Control::选择框_自动校准), 1);  // presence alone counts
}

TEST_F(Program, WithBothAutomaticOptionsStoredItCalibratesAndEndsWithNoInput) {
    storeInteger(kRudo, "qdxz", 1);
    storeInteger(kRudo, "zdtc", 1);
    LoopbackHttpServer server(dateNowEarlyInASecond);
    // Wine may refuse a time that arrived late in its second; then the run is repeated.
    for (int attempt = 0; attempt < 4; ++attempt) {
        SCOPED_TRACE(attempt);
        QuorvelProcess q(server.url());
        ASSERT_TRUE(q.started());
        HWND refused = nullptr;
        ASSERT_TRUE(waitFor([&] { return shownBalloon() != nullptr || (refused = clockRefusedBox()) != nullptr; }));
        if (refused) continue;
        bool countedDown = false;
        ASSERT_TRUE(waitFor([&] {
            countedDown = countedDown || q.text(Control::编辑框_服务器时间) == "校准完成 0 秒后自动退出";
            return !q.running();
        }, 20000));
        ASSERT_TRUE(endsWithCodeZero(q, 5000));
        EXPECT_TRUE(countedDown);
        EXPECT_EQ(server.requests().size(), 1u + static_cast<size_t>(attempt));
        return;
    }
    FAIL() << "the clock change was refused every time";
}

}  // namespace
