#include "fakes.h"

#include "settings/settings_store.h"
#include "sync/sync_platform.h"
#include "sync/sync_state.h"
#include "time/time_probe.h"
#include "ui/form.h"

FakeWorld g_fake;

void resetFakeWorld() {
    g_fake = FakeWorld{};
    g_fake.items.assign(std::begin(kTimeServers), std::end(kTimeServers));
    g_fake.texts[Control::组合框1] = g_fake.items[0];
    g_fake.checked[Control::选择框_自动尝试下一服务器] = 1;
    g_sync = SyncState{};
}

void setText(Control c, const std::string& text) { g_fake.texts[c] = text; }
std::string getText(Control c) { return g_fake.texts[c]; }
void setDisabled(Control c, bool d) { g_fake.disabled[c] = d; }
int getChecked(Control c) { return g_fake.checked[c]; }
void setChecked(Control c, bool v) { g_fake.checked[c] = v ? 1 : 0; }
int getItemCount(Control) { return static_cast<int>(g_fake.items.size()); }
std::string getItemText(Control, int i) {
    return i < 0 || i >= static_cast<int>(g_fake.items.size()) ? std::string() : g_fake.items[static_cast<size_t>(i)];
}
void requestDestroy() { ++g_fake.destroyRequests; }
bool windowGone() { return g_fake.gone; }
bool showBalloon(int x, int y, const std::string& message, int, int) {
    g_fake.balloons.push_back(message);
    g_fake.balloonX = x;
    g_fake.balloonY = y;
    return true;
}

ServerTime queryServerTime(const std::string& server) {
    g_fake.probes.push_back(server);
    const auto it = g_fake.answers.find(server);
    if (it == g_fake.answers.end()) return {};
    return {true, it->second};
}

void pauseWithEvents(int) {
    ++g_fake.pauses;
    if (g_fake.duringPause) {
        auto once = std::move(g_fake.duringPause);
        g_fake.duringPause = nullptr;
        once();
    }
}
bool setLocalClock(DateTime t) {
    if (g_fake.clockAccepts) g_fake.clockWrites.push_back(t);
    return g_fake.clockAccepts;
}
int screenWidth() { return 1024; }
int screenHeight() { return 768; }
void showClockRefused() { ++g_fake.refusedBoxes; }

bool valueExists(int root, const std::string& path) {
    return root == LocalMachine && g_fake.registry.count(path) > 0;
}
std::string readText(int root, const std::string& path) {
    return valueExists(root, path) ? g_fake.registry[path] : std::string();
}
bool writeInteger(int root, const std::string& path, int32_t) {
    g_fake.registryLog.push_back("int " + path);
    if (root != LocalMachine || g_fake.refuseWrites.count(path)) return false;
    g_fake.registry[path] = "";
    return true;
}
bool writeText(int root, const std::string& path, const std::string& text) {
    g_fake.registryLog.push_back("text " + path + "=" + text);
    if (root != LocalMachine || g_fake.refuseWrites.count(path)) return false;
    g_fake.registry[path] = text;
    return true;
}
bool deleteValue(int, const std::string& path) {
    g_fake.registryLog.push_back("delete " + path);
    return g_fake.registry.erase(path) > 0;
}
