#include "settings/registry_path.h"

size_t lastSeparator(const std::string& text) {
    size_t found = std::string::npos;
    for (size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte >= 0x80) {
            if (i + 1 >= text.size() || text[i + 1] == '\0') break;
            ++i;  // the trail byte is never a separator, even when it equals '\\'
        } else if (byte == '\0') {
            break;
        } else if (byte == '\\') {
            found = i;
        }
    }
    return found;
}

RegistryPath splitRegistryPath(const std::string& fullPath) {
    const size_t at = lastSeparator(fullPath);
    if (at == std::string::npos) return {"", fullPath};
    return {fullPath.substr(0, at), fullPath.substr(at + 1)};
}
