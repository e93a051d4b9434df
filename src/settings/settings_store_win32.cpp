#include <windows.h>

#include <vector>

#include "settings/registry_path.h"
#include "settings/settings_store.h"
#include "time/live_handles.h"

namespace {

// Owns one open registry key.
class OwnedKey {
public:
    OwnedKey() = default;
    OwnedKey(const OwnedKey&) = delete;
    OwnedKey& operator=(const OwnedKey&) = delete;
    ~OwnedKey() {
        if (!key_) return;
        RegCloseKey(key_);
        --g_liveHandles;
    }
    bool open(HKEY root, const std::string& path, REGSAM access) {
        return took(RegOpenKeyExA(root, path.c_str(), 0, access, &key_));
    }
    // Creates the missing keys along the path too.
    bool create(HKEY root, const std::string& path) { return took(RegCreateKeyA(root, path.c_str(), &key_)); }
    HKEY get() const { return key_; }

private:
    bool took(LONG status) {
        if (status != ERROR_SUCCESS) {
            key_ = nullptr;
            return false;
        }
        ++g_liveHandles;
        return true;
    }
    HKEY key_ = nullptr;
};

HKEY hiveOf(int root) {
    switch (root) {
        case ClassesRoot: return HKEY_CLASSES_ROOT;
        case CurrentConfig: return HKEY_CURRENT_CONFIG;
        case LocalMachine: return HKEY_LOCAL_MACHINE;
        case Users: return HKEY_USERS;
        default: return HKEY_CURRENT_USER;
    }
}

bool openForWriting(int root, const RegistryPath& path, OwnedKey& key) {
    return key.open(hiveOf(root), path.key, KEY_WRITE) || key.create(hiveOf(root), path.key);
}

bool setValue(int root, const std::string& fullPath, DWORD type, const BYTE* data, DWORD size) {
    const RegistryPath path = splitRegistryPath(fullPath);
    OwnedKey key;
    if (!openForWriting(root, path, key)) return false;
    return RegSetValueExA(key.get(), path.value.c_str(), 0, type, data, size) == ERROR_SUCCESS;
}

}  // namespace

bool valueExists(int root, const std::string& fullPath) {
    const RegistryPath path = splitRegistryPath(fullPath);
    OwnedKey key;
    if (!key.open(hiveOf(root), path.key, KEY_READ)) return false;
    return RegQueryValueExA(key.get(), path.value.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

std::string readText(int root, const std::string& fullPath) {
    const RegistryPath path = splitRegistryPath(fullPath);
    OwnedKey key;
    if (!key.open(hiveOf(root), path.key, KEY_READ)) return {};
    DWORD type = 0, size = 0;
    if (RegQueryValueExA(key.get(), path.value.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return {};
    if (type != REG_SZ && type != REG_EXPAND_SZ) return {};
    std::vector<char> data(size + 1, '\0');  // one more, for data stored without its NUL
    if (RegQueryValueExA(key.get(), path.value.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size) !=
        ERROR_SUCCESS)
        return {};
    const std::string text(data.data());  // up to the first NUL
    if (type == REG_SZ) return text;
    const DWORD needed = ExpandEnvironmentStringsA(text.c_str(), nullptr, 0);
    if (needed == 0) return {};
    std::vector<char> expanded(needed, '\0');
    if (ExpandEnvironmentStringsA(text.c_str(), expanded.data(), needed) == 0) return {};
    return expanded.data();
}

bool writeInteger(int root, const std::string& fullPath, int32_t value) {
    const DWORD data = static_cast<DWORD>(value);
    return setValue(root, fullPath, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof data);
}

bool writeText(int root, const std::string& fullPath, const std::string& text) {
    return setValue(root, fullPath, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                    static_cast<DWORD>(text.size() + 1));
}

bool deleteValue(int root, const std::string& fullPath) {
    const RegistryPath path = splitRegistryPath(fullPath);
    {
        OwnedKey key;
        if (key.open(hiveOf(root), path.key, KEY_WRITE) &&
            RegDeleteValueA(key.get(), path.value.c_str()) == ERROR_SUCCESS)
            return true;
    }
    return RegDeleteKeyA(hiveOf(root), fullPath.c_str()) == ERROR_SUCCESS;
}
