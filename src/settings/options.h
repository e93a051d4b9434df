// The option check boxes and start with Windows.
#pragma once

#include <string>

extern const char kAutoExitValue[];
extern const char kAutoCalibrateValue[];
extern const char kStartPathValue[];
extern const char kRunValue[];

void loadOptions();
void onAutoExitClicked();
void onAutoCalibrateClicked();
void onStartWithWindowsClicked();

// Noted once at start-up from the path the system reports for the running executable.
void noteExecutablePath(const std::string& reportedPath);
std::string executablePath();
std::string runDirectory();
