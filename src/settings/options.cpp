#include "settings/options.h"

#include "settings/registry_path.h"
#include "settings/settings_store.h"
#include "ui/controls.h"

const char kAutoExitValue[] = "SYSTEM\\rudo\\zdtc";
const char kAutoCalibrateValue[] = "SYSTEM\\rudo\\qdxz";
const char kStartPathValue[] = "SYSTEM\\rudo\\启动路径";
const char kRunValue[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run\\Rorovav urur";

namespace {

std::string g_runDirectory;
std::string g_fileName;

void saveFlag(Control box, const char* path) {
    if (getChecked(box) == 1) {
        if (!writeInteger(LocalMachine, path, 1)) setChecked(box, false);
    } else {
        deleteValue(LocalMachine, path);
    }
}

}  // namespace

void noteExecutablePath(const std::string& reportedPath) {
    const size_t at = lastSeparator(reportedPath);
    g_runDirectory = at == std::string::npos ? "" : reportedPath.substr(0, at);
    g_fileName = at == std::string::npos ? reportedPath : reportedPath.substr(at + 1);
}

std::string executablePath() { return g_runDirectory + "\\" + g_fileName; }

std::string runDirectory() { return g_runDirectory; }

void loadOptions() {
    const bool registered =
        valueExists(LocalMachine, kStartPathValue) && readText(LocalMachine, kStartPathValue) == executablePath();
    setChecked(Control::选择框_开机后自动启动, registered);
    setChecked(Control::选择框_自动校准, valueExists(LocalMachine, kAutoCalibrateValue));
    setChecked(Control::选择框_自动退出, valueExists(LocalMachine, kAutoExitValue));
}

void onAutoExitClicked() { saveFlag(Control::选择框_自动退出, kAutoExitValue); }

void onAutoCalibrateClicked() { saveFlag(Control::选择框_自动校准, kAutoCalibrateValue); }

void onStartWithWindowsClicked() {
    if (getChecked(Control::选择框_开机后自动启动) == 1) {
        if (!writeText(LocalMachine, kRunValue, executablePath())) {
            setChecked(Control::选择框_开机后自动启动, false);
            return;
        }
        writeText(LocalMachine, kStartPathValue, executablePath());
    } else {
        deleteValue(LocalMachine, kRunValue);
        deleteValue(LocalMachine, kStartPathValue);
    }
}
