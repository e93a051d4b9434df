// One move-only owner per kind of Win32 handle, so each handle is freed exactly once.
#pragma once

#include <windows.h>

#include <utility>

#include "time/live_handles.h"

template <typename Handle, BOOL(WINAPI* Free)(Handle)>
class Owned {
public:
    Owned() = default;
    explicit Owned(Handle h) : h_(h) {
        if (h_) ++g_liveHandles;
    }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    Owned(Owned&& o) noexcept : h_(std::exchange(o.h_, nullptr)) {}
    Owned& operator=(Owned&& o) noexcept {
        if (this != &o) {
            reset();
            h_ = std::exchange(o.h_, nullptr);  // counted already, by o
        }
        return *this;
    }
    ~Owned() { reset(); }
    void reset(Handle h = nullptr) {
        if (h_) {
            Free(h_);
            --g_liveHandles;
        }
        h_ = h;
        if (h_) ++g_liveHandles;
    }
    Handle get() const { return h_; }
    // Hands the handle over to a new owner (the system, for a window region).
    Handle release() {
        if (h_) --g_liveHandles;
        return std::exchange(h_, nullptr);
    }
    explicit operator bool() const { return h_ != nullptr; }

private:
    Handle h_ = nullptr;
};

inline BOOL WINAPI deleteBitmap(HBITMAP h) { return DeleteObject(h); }
inline BOOL WINAPI deleteFont(HFONT h) { return DeleteObject(h); }
inline BOOL WINAPI deleteBrush(HBRUSH h) { return DeleteObject(h); }
inline BOOL WINAPI deletePen(HPEN h) { return DeleteObject(h); }
inline BOOL WINAPI deleteRegion(HRGN h) { return DeleteObject(h); }
inline BOOL WINAPI deleteDc(HDC h) { return DeleteDC(h); }

using OwnedBitmap = Owned<HBITMAP, deleteBitmap>;
using OwnedFont = Owned<HFONT, deleteFont>;
using OwnedBrush = Owned<HBRUSH, deleteBrush>;
using OwnedPen = Owned<HPEN, deletePen>;
using OwnedRegion = Owned<HRGN, deleteRegion>;
using OwnedIcon = Owned<HICON, DestroyIcon>;
using OwnedMenu = Owned<HMENU, DestroyMenu>;
using OwnedMemoryDc = Owned<HDC, deleteDc>;

// A DC borrowed from a window (its client area or the whole window) and given back at scope end.
class BorrowedDc {
public:
    static BorrowedDc ofClient(HWND window) { return BorrowedDc(window, GetDC(window)); }
    static BorrowedDc ofWholeWindow(HWND window) { return BorrowedDc(window, GetWindowDC(window)); }
    BorrowedDc(const BorrowedDc&) = delete;
    BorrowedDc& operator=(const BorrowedDc&) = delete;
    ~BorrowedDc() {
        if (!dc_) return;
        ReleaseDC(window_, dc_);
        --g_liveHandles;
    }
    HDC get() const { return dc_; }

private:
    BorrowedDc(HWND window, HDC dc) : window_(window), dc_(dc) {
        if (dc_) ++g_liveHandles;
    }
    HWND window_;
    HDC dc_;
};

// Selects an object into a DC for one scope and puts the old one back.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;
    ~SelectedObject() { SelectObject(dc_, old_); }

private:
    HDC dc_;
    HGDIOBJ old_;
};
