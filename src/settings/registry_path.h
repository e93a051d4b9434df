#pragma once

#include <string>

struct RegistryPath {
    std::string key;    // relative to the root; empty for the root itself
    std::string value;  // empty for the key's default value
};

// Splits at the last backslash that is not the trail byte of a GBK double-byte character.
RegistryPath splitRegistryPath(const std::string& fullPath);

// The index of that last separator, or npos; the scan stops at a lead byte before the end.
size_t lastSeparator(const std::string& text);
