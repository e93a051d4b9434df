#include <gtest/gtest.h>

#include "fakes.h"
#include "settings/options.h"
#include "settings/registry_path.h"

namespace {

TEST(RegistryPath, SplitsAtTheLastBackslashThatIsNotATrailByte) {
    struct {
        std::string full, key, value;
    } const cases[] = {
        {"SYSTEM\\rudo\\zdtc", "SYSTEM\\rudo", "zdtc"},
        {"SYSTEM\\rudo\\启动路径", "SYSTEM\\rudo", "启动路径"},
        {"zdtc", "", "zdtc"},
        {"SYSTEM\\rudo\\", "SYSTEM\\rudo", ""},
        {"Software\\Microsoft\\Windows\\CurrentVersion\\Run\\Rorovav urur",
         "Software\\Microsoft\\Windows\\CurrentVersion\\Run", "Rorovav urur"},
        // "\x95\x5C" is one double-byte character whose trail byte is the backslash byte.
        {"A\\B\x95\x5C", "A", "B\x95\x5C"},
        {"\x95\x5C", "", "\x95\x5C"},
        {"A\\\x95", "A", "\x95"},  // a lead byte at the end stops the scan
    };
    for (const auto& c : cases) {
        const RegistryPath p = splitRegistryPath(c.full);
        EXPECT_EQ(p.key, c.key) << c.full;
        EXPECT_EQ(p.value, c.value) << c.full;
    }
}

class Options : public testing::Test {
protected:
    void SetUp() override {
        resetFakeWorld();
        noteExecutablePath("C:\\Program Files\\Quorvel\\Quorvel.exe");
    }
};

TEST_F(Options, ExecutablePathReproducesTheReportedPathAndTheDriveRoot) {
    EXPECT_EQ(executablePath(), "C:\\Program Files\\Quorvel\\Quorvel.exe");
    EXPECT_EQ(runDirectory(), "C:\\Program Files\\Quorvel");
    noteExecutablePath("D:\\Quorvel.exe");
    EXPECT_EQ(executablePath(), "D:\\Quorvel.exe");
    EXPECT_EQ(runDirectory(), "D:");
    noteExecutablePath("C:\\工具\x95\x5C\\Q.exe");
    EXPECT_EQ(runDirectory(), "C:\\工具\x95\x5C");
}

TEST_F(Options, LoadShowsPresenceAndComparesTheStartPathByteForByte) {
    loadOptions();
    EXPECT_EQ(g_fake.checked[Control::选择框_开机后自动启动], 0);
    EXPECT_EQ(g_fake.checked[Control::选择框_自动校准], 0);
    EXPECT_EQ(g_fake.checked[Control::选择框_自动退出], 0);
    EXPECT_EQ(g_fake.checked[Control::选择框_自动尝试下一服务器], 1);

    g_fake.registry["SYSTEM\\rudo\\qdxz"] = "";
    g_fake.registry["SYSTEM\\rudo\\zdtc"] = "";
    g_fake.registry["SYSTEM\\rudo\\启动路径"] = "c:\\program files\\quorvel\\quorvel.exe";
    loadOptions();
    EXPECT_EQ(g_fake.checked[Control::选择框_开机后自动启动], 0);
    EXPECT_EQ(g_fake.checked[Control::选择框_自动校准], 1);
    EXPECT_EQ(g_fake.checked[Control::选择框_自动退出], 1);

    g_fake.registry["SYSTEM\\rudo\\启动路径"] = executablePath();
    loadOptions();
    EXPECT_EQ(g_fake.checked[Control::选择框_开机后自动启动], 1);
}

TEST_F(Options, AFlagIsWrittenWhenCheckedDeletedWhenUncheckedAndARefusalUnchecksTheBox) {
    g_fake.checked[Control::选择框_自动退出] = 1;
    onAutoExitClicked();
    EXPECT_EQ(g_fake.registry.count("SYSTEM\\rudo\\zdtc"), 1u);
    g_fake.checked[Control::选择框_自动退出] = 0;
    onAutoExitClicked();
    EXPECT_EQ(g_fake.registry.count("SYSTEM\\rudo\\zdtc"), 0u);

    g_fake.refuseWrites.insert("SYSTEM\\rudo\\qdxz");
    g_fake.checked[Control::选择框_自动校准] = 1;
    onAutoCalibrateClicked();
    EXPECT_EQ(g_fake.checked[Control::选择框_自动校准], 0);
    EXPECT_EQ(g_fake.registry.count("SYSTEM\\rudo\\qdxz"), 0u);
}

TEST_F(Options, StartWithWindowsWritesTheRunValueFirstAndOnlyThenTheStartPath) {
    const std::string run = "Software\\Microsoft\\Windows\\CurrentVersion\\Run\\Rorovav urur";
    g_fake.checked[Control::选择框_开机后自动启动] = 1;
    onStartWithWindowsClicked();
    EXPECT_EQ(g_fake.registryLog, (std::vector<std::string>{"text " + run + "=" + executablePath(),
                                                             "text SYSTEM\\rudo\\启动路径=" + executablePath()}));

    g_fake.registryLog.clear();
    g_fake.checked[Control::选择框_开机后自动启动] = 0;
    onStartWithWindowsClicked();
    onStartWithWindowsClicked();  // both already gone: still both attempted, in order
    EXPECT_EQ(g_fake.registryLog, (std::vector<std::string>{"delete " + run, "delete SYSTEM\\rudo\\启动路径",
                                                             "delete " + run, "delete SYSTEM\\rudo\\启动路径"}));

    g_fake.registryLog.clear();
    g_fake.refuseWrites.insert(run);
    g_fake.checked[Control::选择框_开机后自动启动] = 1;
    onStartWithWindowsClicked();
    EXPECT_EQ(g_fake.checked[Control::选择框_开机后自动启动], 0);
    EXPECT_EQ(g_fake.registryLog.size(), 1u);  // the start path is not written
}

}  // namespace
