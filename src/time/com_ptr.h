// Owns one reference to a COM interface; move-only, so a reference is never released twice.
#pragma once

#include <windows.h>

#include <utility>

#include "time/live_handles.h"

template <typename T>
class ComPtr {
public:
    ComPtr() = default;
    explicit ComPtr(T* adopted) : p_(adopted) {
        if (p_) ++g_liveHandles;
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept {
        if (this != &other) {
            reset();
            p_ = std::exchange(other.p_, nullptr);
        }
        return *this;
    }
    ~ComPtr() { reset(); }

    void reset() {
        if (!p_) return;
        --g_liveHandles;
        std::exchange(p_, nullptr)->Release();
    }
    T* get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    // For out-parameters of creating calls; releases what was held first. What the call
    // leaves there is counted when the call's full expression ends.
    class OutParameter {
    public:
        explicit OutParameter(ComPtr& owner) : owner_(owner) {}
        OutParameter(const OutParameter&) = delete;
        OutParameter& operator=(const OutParameter&) = delete;
        ~OutParameter() {
            if (owner_.p_) ++g_liveHandles;
        }
        operator T**() const { return &owner_.p_; }
        operator void**() const { return reinterpret_cast<void**>(&owner_.p_); }

    private:
        ComPtr& owner_;
    };
    OutParameter put() {
        reset();
        return OutParameter(*this);
    }
    OutParameter putVoid() { return put(); }

private:
    T* p_ = nullptr;
};

// A VARIANT that is cleared on every path.
class ScopedVariant {
public:
    ScopedVariant() { VariantInit(&v_); }
    ScopedVariant(const ScopedVariant&) = delete;
    ScopedVariant& operator=(const ScopedVariant&) = delete;
    ~ScopedVariant() { VariantClear(&v_); }
    VARIANT* get() { return &v_; }
    const VARIANT& operator*() const { return v_; }

private:
    VARIANT v_;
};
