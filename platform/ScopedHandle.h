#pragma once
// One owning wrapper for every kind of Windows handle: a traits struct says what "no handle" is
// and how to close one. Move-only, so a handle is never closed twice.
#include <utility>

#include "Win32.h"

namespace platform {

template <typename Traits>
class ScopedHandle {
public:
    using handle_type = typename Traits::handle_type;

    ScopedHandle() = default;
    explicit ScopedHandle(handle_type handle) : handle_(handle) {}
    ~ScopedHandle() { reset(); }

    ScopedHandle(const ScopedHandle&) = delete;
    ScopedHandle& operator=(const ScopedHandle&) = delete;
    ScopedHandle(ScopedHandle&& other) noexcept : handle_(other.release()) {}
    ScopedHandle& operator=(ScopedHandle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }

    handle_type get() const { return handle_; }
    explicit operator bool() const { return handle_ != Traits::invalid(); }

    // For out-parameters of the API: closes what is held and lends the slot.
    handle_type* receive() {
        reset();
        return &handle_;
    }
    handle_type release() { return std::exchange(handle_, Traits::invalid()); }
    void reset(handle_type handle = Traits::invalid()) {
        if (handle_ != Traits::invalid()) Traits::close(handle_);
        handle_ = handle;
    }

private:
    handle_type handle_ = Traits::invalid();
};

struct GdiObjectTraits {
    using handle_type = HGDIOBJ;
    static handle_type invalid() { return nullptr; }
    static void close(handle_type h) { DeleteObject(h); }
};
using ScopedGdiObject = ScopedHandle<GdiObjectTraits>;

struct IconTraits {
    using handle_type = HICON;
    static handle_type invalid() { return nullptr; }
    static void close(handle_type h) { DestroyIcon(h); }
};
using ScopedIcon = ScopedHandle<IconTraits>;

struct MemoryDcTraits {
    using handle_type = HDC;
    static handle_type invalid() { return nullptr; }
    static void close(handle_type h) { DeleteDC(h); }
};
using ScopedMemoryDc = ScopedHandle<MemoryDcTraits>;

struct ModuleTraits {
    using handle_type = HMODULE;
    static handle_type invalid() { return nullptr; }
    static void close(handle_type h) { FreeLibrary(h); }
};
using ScopedModule = ScopedHandle<ModuleTraits>;

struct KernelHandleTraits {
    using handle_type = HANDLE;
    static handle_type invalid() { return nullptr; }
    static void close(handle_type h) { CloseHandle(h); }
};
using ScopedKernelHandle = ScopedHandle<KernelHandleTraits>;

}  // namespace platform
