// The program's pictures, embedded as byte blocks and decoded once into bitmaps.
#pragma once

#include <cstddef>

struct ByteBlock {
    const unsigned char* data;
    size_t size;
};

namespace pictures {
extern const ByteBlock background_jpg, decoration_jpg, emblem_bmp, quorvel_ico;
extern const ByteBlock get_time_normal_gif, get_time_over_gif, get_time_pressed_gif, get_time_disabled_gif;
extern const ByteBlock calibrate_normal_gif, calibrate_over_gif, calibrate_pressed_gif, calibrate_disabled_gif;
extern const ByteBlock minimize_normal_bmp, minimize_over_bmp, minimize_pressed_bmp;
extern const ByteBlock close_normal_bmp, close_over_bmp, close_pressed_bmp;
extern const ByteBlock menu_normal_bmp, menu_over_bmp, menu_pressed_bmp;
}  // namespace pictures
