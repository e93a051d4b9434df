// The program's entry: platform services, the window and its creation step, the event loop.
#include <windows.h>
#include <ole2.h>

#include <cstdlib>
#include <string>

#include "settings/options.h"
#include "sync/bindings_win32.h"
#include "sync/sync_platform.h"
#include "sync/sync_state.h"
#include "time/time_probe.h"

namespace {

// The full path of the running executable, however long: a path cut at the buffer's end would
// name a file that does not exist.
std::string reportedExecutablePath() {
    std::string path(260, '\0');
    for (;;) {
        const DWORD n = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) return {};
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

void releaseAtExit() { releaseSyncState(); }

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    OleInitialize(nullptr);
    const std::string path = reportedExecutablePath();
    noteExecutablePath(path);
    SetCurrentDirectoryA((runDirectory() + "\\").c_str());  // "C:" alone would mean C:'s current folder
    std::atexit(releaseAtExit);
    setProbeWaitHandler(handlePendingEvents);  // the window stays alive while a probe waits

    if (createMainWindow(instance, formBindings())) runEventLoop();
    OleUninitialize();
    return 0;
}
