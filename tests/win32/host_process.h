// What the host (Linux) knows of Wine processes, read through Wine's Z: drive. Wine reports
// no memory figures of its own for other processes.
#pragma once

#include <string>

// A whole file, as bytes; empty when it cannot be read.
std::string readHostFile(const std::string& windowsPath);

// A "Field:   N kB" figure of a /proc status text, in KiB; -1 when it is absent.
long statusFigureKib(const std::string& status, const char* field);

// That figure for the host process whose command line ends with commandTail (case ignored);
// -1 when there is none.
long hostProcessFigureKib(const std::string& commandTail, const char* field);
