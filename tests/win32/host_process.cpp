#include "host_process.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>

std::string readHostFile(const std::string& windowsPath) {
    std::string text;
    if (FILE* f = std::fopen(windowsPath.c_str(), "rb")) {
        char buffer[4096];
        size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) text.append(buffer, n);
        std::fclose(f);
    }
    return text;
}

long statusFigureKib(const std::string& status, const char* field) {
    const size_t at = status.find(field);
    if (at == std::string::npos) return -1;
    return std::strtol(status.c_str() + at + std::char_traits<char>::length(field), nullptr, 10);
}

long hostProcessFigureKib(const std::string& commandTail, const char* field) {
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA("Z:\\proc\\*", &entry);
    if (find == INVALID_HANDLE_VALUE) return -1;
    long kib = -1;
    do {
        if (entry.cFileName[0] < '0' || entry.cFileName[0] > '9') continue;
        const std::string dir = std::string("Z:\\proc\\") + entry.cFileName + "\\";
        const std::string command = readHostFile(dir + "cmdline").c_str();  // up to its first NUL
        if (command.size() < commandTail.size() ||
            lstrcmpiA(command.c_str() + command.size() - commandTail.size(), commandTail.c_str()) != 0)
            continue;
        kib = statusFigureKib(readHostFile(dir + "status"), field);
    } while (kib < 0 && FindNextFileA(find, &entry));
    FindClose(find);
    return kib;
}
