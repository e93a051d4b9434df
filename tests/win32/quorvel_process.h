// Drives the real Quorvel.exe from a test: start it, find its window, read and click controls.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "ui/controls.h"

// A host path as Wine's Z: drive shows it.
std::string windowsPath(std::string unixPath);

// Waits for a condition by polling; no fixed sleeps. False when it did not hold in time.
bool waitFor(const std::function<bool()>& condition, DWORD timeoutMs = 30000);

class QuorvelProcess {
public:
    // httpProxy: the loopback server that stands in for every time server ("" for one that
    // refuses every connection).
    explicit QuorvelProcess(const std::string& httpProxy = "");
    ~QuorvelProcess();
    QuorvelProcess(const QuorvelProcess&) = delete;
    QuorvelProcess& operator=(const QuorvelProcess&) = delete;

    bool started() const { return window_ != nullptr; }
    // The Windows path the program was started from.
    std::string executablePath() const { return path_; }
    HWND window() const { return window_; }
    HWND control(Control c) const;
    std::string text(Control c) const;
    bool enabled(Control c) const;
    int checked(Control c) const;
    RECT rectInWindow(Control c) const;

    // Real input: moves the pointer to the centre of the control (or a window point) and clicks.
    void click(Control c) const;
    void clickAt(int screenX, int screenY) const;
    void pressAt(int screenX, int screenY) const;
    void rightPressAt(int screenX, int screenY) const;
    void rightReleaseAt(int screenX, int screenY) const;
    void moveTo(int screenX, int screenY) const;
    void releaseAt(int screenX, int screenY) const;

    bool waitForExit(DWORD timeoutMs, DWORD* exitCode);
    // Resident memory of the Wine process that runs the program, as the host sees it (KiB;
    // -1 when it cannot be found). Wine itself reports no memory figures for other processes.
    long residentKib() const;
    // What the program's user-interface thread holds now: focus, capture, move loop.
    GUITHREADINFO threadState() const;
    bool running() const;

private:
    PROCESS_INFORMATION process_{};
    HWND window_ = nullptr;
    std::string path_;
};

// Real keyboard input: one press and release of a key.
void pressKey(WORD virtualKey);

// Registry helpers that read the shared prefix's registry directly, not through the program.
bool registryValueExists(const char* key, const char* value, DWORD* type = nullptr);
std::string registryText(const char* key, const char* value);
void deleteRegistryTree(const char* key);
