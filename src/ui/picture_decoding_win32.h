#pragma once

#include "ui/pictures.h"
#include "ui/win32_owners.h"

// A JPEG from memory through libjpeg, as a 24-bit DIB section; empty when it cannot be read.
OwnedBitmap decodeJpeg(const ByteBlock& block);
// A GIF or BMP from memory through the platform's picture loader.
OwnedBitmap decodeGifOrBmp(const ByteBlock& block);
