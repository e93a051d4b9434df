// The registry-backed store of the remembered options. Each call opens and closes its key.
#pragma once

#include <cstdint>
#include <string>

enum RegistryRoot : int { ClassesRoot = 1, CurrentConfig = 2, CurrentUser = 3, LocalMachine = 4, Users = 5 };

bool valueExists(int root, const std::string& fullPath);
std::string readText(int root, const std::string& fullPath);
bool writeInteger(int root, const std::string& fullPath, int32_t value);
bool writeText(int root, const std::string& fullPath, const std::string& text);
bool deleteValue(int root, const std::string& fullPath);
