// The option store against the real registry: what each operation leaves there.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "settings/settings_store.h"

namespace {

const char kKey[] = "SYSTEM\\quorvel-store-test";

class Store : public testing::Test {
protected:
    void SetUp() override { RegDeleteTreeA(HKEY_LOCAL_MACHINE, kKey); }
    void TearDown() override { RegDeleteTreeA(HKEY_LOCAL_MACHINE, kKey); }

    static std::string path(const std::string& name) { return std::string(kKey) + "\\" + name; }
    static void put(const char* name, DWORD type, const void* data, DWORD size) {
        HKEY key;
        ASSERT_EQ(RegCreateKeyA(HKEY_LOCAL_MACHINE, kKey, &key), ERROR_SUCCESS);
        ASSERT_EQ(RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
        RegCloseKey(key);
    }
    // The value as stored: its type and raw bytes; false when it is absent.
    static bool stored(const std::string& key, const std::string& name, DWORD* type, std::string* bytes) {
        HKEY h;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return false;
        char data[256];
        DWORD size = sizeof data;
        const bool found = RegQueryValueExA(h, name.c_str(), nullptr, type, reinterpret_cast<BYTE*>(data), &size) ==
                           ERROR_SUCCESS;
        RegCloseKey(h);
        if (found) bytes->assign(data, size);
        return found;
    }
};

TEST_F(Store, AValueExistsWhateverItsTypeOrData) {
    const DWORD zero = 0;
    put("text", REG_SZ, "x", 2);
    put("zero", REG_DWORD, &zero, sizeof zero);
    put("empty", REG_SZ, "", 0);
    for (const char* name : {"text", "zero", "empty"}) EXPECT_TRUE(valueExists(LocalMachine, path(name))) << name;
    EXPECT_FALSE(valueExists(LocalMachine, path("absent")));
    EXPECT_FALSE(valueExists(LocalMachine, "SYSTEM\\quorvel-no-such-key\\qdxz"));
}

TEST_F(Store, ReadTextGivesOnlyTextValuesAndExpandsReferences) {
    const DWORD one = 1;
    put("dword", REG_DWORD, &one, sizeof one);
    put("text", REG_SZ, "C:\\a b\\c.exe", 13);
    put("expand", REG_EXPAND_SZ, "%QUORVEL_TEST_DIR%\\q.exe", 25);
    put("empty", REG_SZ, "", 1);
    put("unterminated", REG_SZ, "abc", 3);
    SetEnvironmentVariableA("QUORVEL_TEST_DIR", "D:\\tools");
    struct Case {
        std::string fullPath;
        std::string expected;
    };
    const Case cases[] = {
        {path("dword"), ""},
        {path("absent"), ""},
        {"SYSTEM\\quorvel-no-such-key\\text", ""},
        {path("text"), "C:\\a b\\c.exe"},
        {path("expand"), "D:\\tools\\q.exe"},
        {path("empty"), ""},
        {path("unterminated"), "abc"},
    };
    for (const Case& c : cases) EXPECT_EQ(readText(LocalMachine, c.fullPath), c.expected) << c.fullPath;
}

TEST_F(Store, WritesCreateTheMissingKeysAndStoreExactlyTheirBytes) {
    ASSERT_TRUE(writeInteger(LocalMachine, std::string(kKey) + "\\deeper\\zdtc", 1));
    DWORD type = 0;
    std::string bytes;
    ASSERT_TRUE(stored(std::string(kKey) + "\\deeper", "zdtc", &type, &bytes));
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(bytes, std::string("\x01\x00\x00\x00", 4));

    ASSERT_TRUE(writeText(LocalMachine, path("empty"), ""));
    ASSERT_TRUE(stored(kKey, "empty", &type, &bytes));
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(bytes, std::string(1, '\0'));

    ASSERT_TRUE(writeText(LocalMachine, path("路径"), "Z:\\程序\\Quorvel.exe"));
    ASSERT_TRUE(stored(kKey, "路径", &type, &bytes));
    EXPECT_EQ(bytes, std::string("Z:\\程序\\Quorvel.exe") + '\0');
}

TEST_F(Store, ABackslashTrailByteIsNoSeparator) {
    // The last character's second byte is 0x5C, the backslash.
    const std::string name = std::string("名") + "\x81" "\x5C";
    ASSERT_TRUE(writeText(LocalMachine, path(name), "v"));
    DWORD type = 0;
    std::string bytes;
    EXPECT_TRUE(stored(kKey, name, &type, &bytes));
    EXPECT_EQ(readText(LocalMachine, path(name)), "v");
    EXPECT_TRUE(deleteValue(LocalMachine, path(name)));
    EXPECT_FALSE(stored(kKey, name, &type, &bytes));
}

TEST_F(Store, APathWithoutBackslashIsAValueDirectlyUnderTheRoot) {
    const char name[] = "quorvel-store-test-value";
    ASSERT_TRUE(writeText(CurrentUser, name, "top"));
    HKEY root = HKEY_CURRENT_USER;
    char data[16] = {};
    DWORD size = sizeof data;
    EXPECT_EQ(RegQueryValueExA(root, name, nullptr, nullptr, reinterpret_cast<BYTE*>(data), &size), ERROR_SUCCESS);
    EXPECT_STREQ(data, "top");
    EXPECT_TRUE(valueExists(CurrentUser, name));
    EXPECT_TRUE(deleteValue(CurrentUser, name));
    EXPECT_FALSE(valueExists(CurrentUser, name));
}

TEST_F(Store, DeletingAnAbsentValueRemovesOnlyAKeyAtTheWholePath) {
    put("keep", REG_SZ, "k", 2);
    EXPECT_FALSE(deleteValue(LocalMachine, path("zdtc")));
    EXPECT_TRUE(valueExists(LocalMachine, path("keep")));

    HKEY sub;
    ASSERT_EQ(RegCreateKeyA(HKEY_LOCAL_MACHINE, path("zdtc").c_str(), &sub), ERROR_SUCCESS);
    RegCloseKey(sub);
    EXPECT_TRUE(deleteValue(LocalMachine, path("zdtc")));
    EXPECT_NE(RegOpenKeyExA(HKEY_LOCAL_MACHINE, path("zdtc").c_str(), 0, KEY_READ, &sub), ERROR_SUCCESS);
    EXPECT_TRUE(valueExists(LocalMachine, path("keep")));

    EXPECT_TRUE(deleteValue(LocalMachine, path("keep")));
    EXPECT_FALSE(valueExists(LocalMachine, path("keep")));
}

}  // namespace
