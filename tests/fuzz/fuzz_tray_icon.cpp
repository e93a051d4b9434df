// Any file as an icon file: the chosen image always lies inside it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "ui/tray_logic.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // A copy of exactly the input's size, so any read past its end is caught.
    const std::vector<uint8_t> file(data, data + size);
    const IconImageRef image = chooseTrayIconImage(file.data(), file.size());
    if (image.found && (image.offset > size || image.size > size - image.offset)) std::abort();
    return 0;
}
