#include "ui/picture_decoding_win32.h"

#include <ole2.h>
#include <olectl.h>

#include <csetjmp>
#include <cstdio>
#include <cstring>

extern "C" {
#include <jpeglib.h>
}

#include "time/com_ptr.h"

namespace {

struct JpegErrorJump {
    jpeg_error_mgr manager;
    jmp_buf jump;
};

void jumpOnError(j_common_ptr info) { longjmp(reinterpret_cast<JpegErrorJump*>(info->err)->jump, 1); }

// libjpeg reports errors by longjmp, so nothing with a destructor may live in this frame, and
// the handle is volatile so that its value is still known after the jump.
HBITMAP decodeJpegRaw(const ByteBlock& block) {
    jpeg_decompress_struct info;
    JpegErrorJump error;
    info.err = jpeg_std_error(&error.manager);
    error.manager.error_exit = jumpOnError;
    HBITMAP volatile bitmap = nullptr;
    if (setjmp(error.jump)) {
        jpeg_destroy_decompress(&info);
        if (bitmap) DeleteObject(bitmap);
        return nullptr;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, block.data, static_cast<unsigned long>(block.size));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);

    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof bmi.bmiHeader;
    bmi.bmiHeader.biWidth = static_cast<LONG>(info.output_width);
    bmi.bmiHeader.biHeight = -static_cast<LONG>(info.output_height);  // top-down rows
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    bitmap = CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap) {
        jpeg_destroy_decompress(&info);
        return nullptr;
    }
    const size_t stride = (info.output_width * 3 + 3) & ~3u;
    while (info.output_scanline < info.output_height) {
        auto* row = static_cast<unsigned char*>(bits) + stride * info.output_scanline;
        JSAMPROW rows[1] = {row};
        jpeg_read_scanlines(&info, rows, 1);
        for (unsigned x = 0; x < info.output_width; ++x) std::swap(row[x * 3], row[x * 3 + 2]);  // RGB to BGR
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return bitmap;
}

}  // namespace

OwnedBitmap decodeJpeg(const ByteBlock& block) { return OwnedBitmap(decodeJpegRaw(block)); }

OwnedBitmap decodeGifOrBmp(const ByteBlock& block) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, block.size);
    if (!memory) return {};
    std::memcpy(GlobalLock(memory), block.data, block.size);
    GlobalUnlock(memory);
    ComPtr<IStream> stream;
    if (FAILED(CreateStreamOnHGlobal(memory, TRUE, stream.put()))) {  // the stream frees the memory
        GlobalFree(memory);
        return {};
    }
    ComPtr<IPicture> picture;
    if (FAILED(OleLoadPicture(stream.get(), static_cast<LONG>(block.size), FALSE, IID_IPicture, picture.putVoid())))
        return {};
    OLE_HANDLE handle = 0;
    if (FAILED(picture->get_Handle(&handle)) || !handle) return {};
    // The picture object owns its bitmap; keep a copy of our own.
    return OwnedBitmap(static_cast<HBITMAP>(
        CopyImage(reinterpret_cast<HBITMAP>(static_cast<uintptr_t>(handle)), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}
