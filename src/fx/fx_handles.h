// Owning wrappers of Win32 handles. An owner holds at most one handle and releases it exactly
// once: when it is reset, assigned another owner's handle, or destroyed. Moving hands the handle
// over and leaves the source empty; owners are never copied.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <utility>

// Traits: `Handle`, whether a value is a handle at all, and how to release one. Every value that
// is not valid counts as "empty" and is stored as a null handle.
template <class Traits>
class FxUniqueHandle {
public:
    using Handle = typename Traits::Handle;

    FxUniqueHandle() noexcept = default;
    explicit FxUniqueHandle(Handle h) noexcept : m_h(Normal(h)) {}
    FxUniqueHandle(FxUniqueHandle&& other) noexcept : m_h(other.Release()) {}
    FxUniqueHandle& operator=(FxUniqueHandle&& other) noexcept
    {
        if (this != &other) Reset(other.Release());
        return *this;
    }
    FxUniqueHandle(const FxUniqueHandle&) = delete;
    FxUniqueHandle& operator=(const FxUniqueHandle&) = delete;
    ~FxUniqueHandle() { Reset(); }

    // Null when empty, whatever empty value an API stored through Receive.
    Handle Get() const noexcept { return Normal(m_h); }
    explicit operator bool() const noexcept { return Traits::IsValid(m_h); }

    // Releases the handle held and takes `h`. Taking the handle already held keeps it open.
    void Reset(Handle h = Handle()) noexcept
    {
        Handle old = std::exchange(m_h, Normal(h));
        if (Traits::IsValid(old) && old != m_h) Traits::Close(old);
    }
    // Gives the handle up without releasing it; the caller owns the result.
    [[nodiscard]] Handle Release() noexcept { return Normal(std::exchange(m_h, Handle())); }
    // For out-parameters of the API: the handle held is released first, and whatever the call
    // stores is owned from then on.
    Handle* Receive() noexcept
    {
        Reset();
        return &m_h;
    }

private:
    static Handle Normal(Handle h) noexcept { return Traits::IsValid(h) ? h : Handle(); }
    Handle m_h = Handle();
};

// Kernel objects: CreateFile fails with INVALID_HANDLE_VALUE, most others with null; both are empty.
struct FxKernelHandleTraits {
    using Handle = HANDLE;
    static bool IsValid(HANDLE h) noexcept { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) noexcept { CloseHandle(h); }
};

// Searches begun by FindFirstFile, which fails with INVALID_HANDLE_VALUE.
struct FxFindTraits {
    using Handle = HANDLE;
    static bool IsValid(HANDLE h) noexcept { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) noexcept { FindClose(h); }
};
using FxFindHandle = FxUniqueHandle<FxFindTraits>;

// GDI objects made by this program. Stock objects must not be given to an owner.
template <class T>
struct FxGdiObjectTraits {
    using Handle = T;
    static bool IsValid(T h) noexcept { return h != nullptr; }
    static void Close(T h) noexcept { DeleteObject(h); }
};

// Device contexts made by CreateCompatibleDC or CreateDC (not those of GetDC: see FxClientDC).
struct FxCreatedDCTraits {
    using Handle = HDC;
    static bool IsValid(HDC h) noexcept { return h != nullptr; }
    static void Close(HDC h) noexcept { DeleteDC(h); }
};

struct FxImageListTraits {
    using Handle = HIMAGELIST;
    static bool IsValid(HIMAGELIST h) noexcept { return h != nullptr; }
    static void Close(HIMAGELIST h) noexcept { ImageList_Destroy(h); }
};

// Keys opened or created by this program; never one of the predefined roots.
struct FxRegKeyTraits {
    using Handle = HKEY;
    static bool IsValid(HKEY h) noexcept { return h != nullptr; }
    static void Close(HKEY h) noexcept { RegCloseKey(h); }
};

struct FxEnhMetaFileTraits {
    using Handle = HENHMETAFILE;
    static bool IsValid(HENHMETAFILE h) noexcept { return h != nullptr; }
    static void Close(HENHMETAFILE h) noexcept { DeleteEnhMetaFile(h); }
};

using FxHandle = FxUniqueHandle<FxKernelHandleTraits>;
template <class T>
using FxGdiObject = FxUniqueHandle<FxGdiObjectTraits<T>>;
using FxFont = FxGdiObject<HFONT>;
using FxBitmap = FxGdiObject<HBITMAP>;
using FxBrush = FxGdiObject<HBRUSH>;
using FxPen = FxGdiObject<HPEN>;
using FxMemoryDC = FxUniqueHandle<FxCreatedDCTraits>;
using FxImageList = FxUniqueHandle<FxImageListTraits>;
using FxRegKey = FxUniqueHandle<FxRegKeyTraits>;
using FxPrinterDC = FxUniqueHandle<FxCreatedDCTraits>;  // made by CreateDC or a print dialog
using FxEnhMetaFile = FxUniqueHandle<FxEnhMetaFileTraits>;

// A memory device context compatible with `dc` (the screen's when null); empty on failure.
inline FxMemoryDC FxCreateMemoryDC(HDC dc) { return FxMemoryDC(CreateCompatibleDC(dc)); }

// Selects an object into a device context for the lifetime of this guard. A null object selects
// nothing. The guard must end before the object it selected is released; declaring the owner of
// the object before the guard does that.
class FxSelectObject {
public:
    FxSelectObject(HDC dc, HGDIOBJ object) noexcept : m_dc(dc), m_old(object ? SelectObject(dc, object) : nullptr) {}
    ~FxSelectObject()
    {
        if (m_old) SelectObject(m_dc, m_old);
    }
    FxSelectObject(const FxSelectObject&) = delete;
    FxSelectObject& operator=(const FxSelectObject&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_old;
};

// A device context of a window that ReleaseDC gives back, as `Acquire` gets it.
template <HDC(WINAPI* Acquire)(HWND)>
class FxReleasedDC {
public:
    explicit FxReleasedDC(HWND hwnd) noexcept : m_hWnd(hwnd), m_hDC(Acquire(hwnd)) {}
    ~FxReleasedDC()
    {
        if (m_hDC) ReleaseDC(m_hWnd, m_hDC);
    }
    FxReleasedDC(const FxReleasedDC&) = delete;
    FxReleasedDC& operator=(const FxReleasedDC&) = delete;

    HDC Get() const noexcept { return m_hDC; }
    explicit operator bool() const noexcept { return m_hDC != nullptr; }

private:
    HWND m_hWnd;
    HDC m_hDC;
};

// The common device context of a window's client area (the screen's for null).
using FxClientDC = FxReleasedDC<GetDC>;
// The whole window, non-client area included; its origin is the window rectangle's corner.
using FxWindowDC = FxReleasedDC<GetWindowDC>;
