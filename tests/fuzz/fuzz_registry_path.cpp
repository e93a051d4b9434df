// Any path text: the split never reads past the text, and key + "\" + value gives it back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "settings/registry_path.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const size_t at = lastSeparator(text);
    if (at != std::string::npos && (at >= text.size() || text[at] != '\\')) std::abort();
    const RegistryPath path = splitRegistryPath(text);
    const std::string joined = at == std::string::npos ? path.value : path.key + "\\" + path.value;
    if (joined != text) std::abort();
    return 0;
}
