#include "quorvel_process.h"

#include <vector>

#include "host_process.h"

#ifndef QUORVEL_EXE
#error "QUORVEL_EXE must name the program under test"
#endif

std::string windowsPath(std::string unixPath) {
    for (char& c : unixPath)
        if (c == '/') c = '\\';
    return "Z:" + unixPath;
}

namespace {

// The exe under test: QUORVEL_EXE_OVERRIDE in the environment wins (the 32-bit smoke test).
std::string programPath() {
    char buffer[1024];
    const DWORD n = GetEnvironmentVariableA("QUORVEL_EXE_OVERRIDE", buffer, sizeof buffer);
    return n > 0 && n < sizeof buffer ? windowsPath(buffer) : windowsPath(QUORVEL_EXE);
}

struct FindArgs {
    DWORD pid;
    HWND found;
};

BOOL CALLBACK findMainWindow(HWND hwnd, LPARAM lParam) {
    auto* args = reinterpret_cast<FindArgs*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    char name[64] = {};
    GetClassNameA(hwnd, name, sizeof name);
    if (pid == args->pid && lstrcmpA(name, "QuorvelMainWindow") == 0 && IsWindowVisible(hwnd)) {
        args->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

void sendMouse(int x, int y, DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv(y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE | flags;
    SendInput(1, &input, sizeof input);
}

}  // namespace

bool waitFor(const std::function<bool()>& condition, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > timeoutMs) return false;
        Sleep(20);
    }
    return true;
}

QuorvelProcess::QuorvelProcess(const std::string& httpProxy) {
    // Without a test server, a port where nothing listens: no test ever reaches the internet.
    SetEnvironmentVariableA("http_proxy", httpProxy.empty() ? "http://127.0.0.1:9" : httpProxy.c_str());
    path_ = programPath();
    std::string command = "\"" + path_ + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process_))
        return;
    FindArgs args{process_.dwProcessId, nullptr};
    waitFor([&] {
        EnumWindows(findMainWindow, reinterpret_cast<LPARAM>(&args));
        return args.found != nullptr || !running();
    }, 120000);  // a 32-bit program through qemu takes about a minute to start
    window_ = args.found;
}

QuorvelProcess::~QuorvelProcess() {
    if (!process_.hProcess) return;
    if (running()) {
        TerminateProcess(process_.hProcess, 1);
        WaitForSingleObject(process_.hProcess, 10000);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

bool QuorvelProcess::running() const { return WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT; }

bool QuorvelProcess::waitForExit(DWORD timeoutMs, DWORD* exitCode) {
    if (WaitForSingleObject(process_.hProcess, timeoutMs) != WAIT_OBJECT_0) return false;
    GetExitCodeProcess(process_.hProcess, exitCode);
    return true;
}

long QuorvelProcess::residentKib() const { return hostProcessFigureKib(path_, "VmRSS:"); }

GUITHREADINFO QuorvelProcess::threadState() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window_, nullptr), &info);
    return info;
}

void pressKey(WORD virtualKey) {
    INPUT keys[2] = {};
    keys[0].type = keys[1].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = keys[1].ki.wVk = virtualKey;
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, keys, sizeof(INPUT));
}

HWND QuorvelProcess::control(Control c) const {
    return window_ ? GetDlgItem(window_, 100 + static_cast<int>(c)) : nullptr;
}

std::string QuorvelProcess::text(Control c) const {
    char buffer[512] = {};
    SendMessageA(control(c), WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
    return buffer;
}

bool QuorvelProcess::enabled(Control c) const { return IsWindowEnabled(control(c)) != 0; }

int QuorvelProcess::checked(Control c) const {
    return SendMessageA(control(c), BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
}

RECT QuorvelProcess::rectInWindow(Control c) const {
    RECT r{};
    GetWindowRect(control(c), &r);
    MapWindowPoints(HWND_DESKTOP, window_, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void QuorvelProcess::click(Control c) const {
    RECT r;
    GetWindowRect(control(c), &r);
    clickAt((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

void QuorvelProcess::clickAt(int x, int y) const {
    pressAt(x, y);
    releaseAt(x, y);
}

void QuorvelProcess::pressAt(int x, int y) const {
    sendMouse(x, y, 0);
    sendMouse(x, y, MOUSEEVENTF_LEFTDOWN);
}

void QuorvelProcess::rightPressAt(int x, int y) const {
    sendMouse(x, y, 0);
    sendMouse(x, y, MOUSEEVENTF_RIGHTDOWN);
}

void QuorvelProcess::rightReleaseAt(int x, int y) const {
    sendMouse(x, y, 0);
    sendMouse(x, y, MOUSEEVENTF_RIGHTUP);
}

void QuorvelProcess::moveTo(int x, int y) const { sendMouse(x, y, 0); }

void QuorvelProcess::releaseAt(int x, int y) const {
    sendMouse(x, y, 0);
    sendMouse(x, y, MOUSEEVENTF_LEFTUP);
}

bool registryValueExists(const char* key, const char* value, DWORD* type) {
    HKEY h;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key, 0, KEY_READ, &h) != ERROR_SUCCESS) return false;
    const bool found = RegQueryValueExA(h, value, nullptr, type, nullptr, nullptr) == ERROR_SUCCESS;
    RegCloseKey(h);
    return found;
}

std::string registryText(const char* key, const char* value) {
    HKEY h;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key, 0, KEY_READ, &h) != ERROR_SUCCESS) return {};
    char buffer[1024] = {};
    DWORD size = sizeof buffer - 1;
    RegQueryValueExA(h, value, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(h);
    return buffer;
}

void deleteRegistryTree(const char* key) { RegDeleteTreeA(HKEY_LOCAL_MACHINE, key); }
