// Owning wrappers for Windows handles: each closes its handle exactly once, cannot be copied, and
// can be moved so a function can hand the ownership out.
#pragma once

#include <windows.h>

#include <utility>

namespace cellaro::win32 {

// One owner of a handle described by Traits (its type, the value meaning "none", and how to close it).
template <typename Traits> class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) {
            reset(other.release());
        }
        return *this;
    }
    ~UniqueHandle() { reset(); }

    [[nodiscard]] Handle get() const { return handle_; }
    [[nodiscard]] bool valid() const { return Traits::valid(handle_); }
    explicit operator bool() const { return valid(); }

    Handle release() { return std::exchange(handle_, Traits::none()); }
    void reset(Handle handle = Traits::none()) {
        Handle old = std::exchange(handle_, handle);
        if (Traits::valid(old)) {
            Traits::close(old);
        }
    }

private:
    Handle handle_ = Traits::none();
};

struct KernelHandleTraits {
    using Handle = HANDLE;
    static Handle none() { return nullptr; }
    static bool valid(Handle h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void close(Handle h) { ::CloseHandle(h); }
};

struct RegistryKeyTraits {
    using Handle = HKEY;
    static Handle none() { return nullptr; }
    static bool valid(Handle h) { return h != nullptr; }
    static void close(Handle h) { ::RegCloseKey(h); }
};

// A device context this program created (CreateCompatibleDC, or a printer's from the print dialog),
// deleted rather than released.
struct MemoryDcTraits {
    using Handle = HDC;
    static Handle none() { return nullptr; }
    static bool valid(Handle h) { return h != nullptr; }
    static void close(Handle h) { ::DeleteDC(h); }
};

struct GdiObjectTraits {
    using Handle = HGDIOBJ;
    static Handle none() { return nullptr; }
    static bool valid(Handle h) { return h != nullptr; }
    static void close(Handle h) { ::DeleteObject(h); }
};

struct LibraryTraits {
    using Handle = HMODULE;
    static Handle none() { return nullptr; }
    static bool valid(Handle h) { return h != nullptr; }
    static void close(Handle h) { ::FreeLibrary(h); }
};

// An icon this program created or extracted; icons borrowed from other windows are never destroyed.
struct IconTraits {
    using Handle = HICON;
    static Handle none() { return nullptr; }
    static bool valid(Handle h) { return h != nullptr; }
    static void close(Handle h) { ::DestroyIcon(h); }
};

// Memory the system allocated with LocalAlloc on our behalf (FormatMessageW's buffer).
struct LocalMemoryTraits {
    using Handle = HLOCAL;
    static Handle none() { return nullptr; }
    static bool valid(Handle h) { return h != nullptr; }
    static void close(Handle h) { ::LocalFree(h); }
};

// A menu not attached to a window or to a parent menu (which destroy their menus themselves).
struct MenuTraits {
    using Handle = HMENU;
    static Handle none() { return nullptr; }
    static bool valid(Handle h) { return h != nullptr; }
    static void close(Handle h) { ::DestroyMenu(h); }
};

// A movable global memory block (the print dialog's device mode and device names).
struct GlobalMemoryTraits {
    using Handle = HGLOBAL;
    static Handle none() { return nullptr; }
    static bool valid(Handle h) { return h != nullptr; }
    static void close(Handle h) { ::GlobalFree(h); }
};

using ScopedHandle = UniqueHandle<KernelHandleTraits>;
using ScopedRegistryKey = UniqueHandle<RegistryKeyTraits>;
using ScopedMemoryDc = UniqueHandle<MemoryDcTraits>;
using ScopedGdiObject = UniqueHandle<GdiObjectTraits>;
using ScopedLibrary = UniqueHandle<LibraryTraits>;
using ScopedIcon = UniqueHandle<IconTraits>;
using ScopedLocalMemory = UniqueHandle<LocalMemoryTraits>;
using ScopedMenu = UniqueHandle<MenuTraits>;
using ScopedGlobalMemory = UniqueHandle<GlobalMemoryTraits>;

// A window's device context from GetDC, released to that window.
class ScopedWindowDc {
public:
    explicit ScopedWindowDc(HWND window) : window_(window), dc_(::GetDC(window)) {}
    ScopedWindowDc(const ScopedWindowDc&) = delete;
    ScopedWindowDc& operator=(const ScopedWindowDc&) = delete;
    ScopedWindowDc(ScopedWindowDc&&) = delete;
    ScopedWindowDc& operator=(ScopedWindowDc&&) = delete;
    ~ScopedWindowDc() {
        if (dc_ != nullptr) {
            ::ReleaseDC(window_, dc_);
        }
    }
    [[nodiscard]] HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
};

// Selects an object into a device context and puts the previous one back on destruction, so the
// object can be deleted afterwards (an object still selected into a DC cannot be).
class ScopedSelection {
public:
    ScopedSelection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(::SelectObject(dc, object)) {}
    ScopedSelection(const ScopedSelection&) = delete;
    ScopedSelection& operator=(const ScopedSelection&) = delete;
    ScopedSelection(ScopedSelection&&) = delete;
    ScopedSelection& operator=(ScopedSelection&&) = delete;
    ~ScopedSelection() {
        if (previous_ != nullptr && previous_ != HGDI_ERROR) {
            ::SelectObject(dc_, previous_);
        }
    }
    [[nodiscard]] bool selected() const { return previous_ != nullptr && previous_ != HGDI_ERROR; }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

} // namespace cellaro::win32
