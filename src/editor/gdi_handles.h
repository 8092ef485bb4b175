// Owners of GDI objects and device-context selections: each object is released exactly once, by
// its owner, and a selection is undone before its object can go.
#pragma once
#include <windows.h>
#include <commctrl.h>

template <class Handle>
class CGdiObject {
public:
    CGdiObject() = default;
    explicit CGdiObject(Handle handle) : m_handle(handle) {}
    ~CGdiObject() { Reset(); }
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    Handle Get() const { return m_handle; }
    explicit operator bool() const { return m_handle != nullptr; }
    // Deletes the object held and takes `handle` (which may be null).
    void Reset(Handle handle = nullptr)
    {
        if (m_handle) DeleteObject(m_handle);
        m_handle = handle;
    }

private:
    Handle m_handle = nullptr;
};

using CFontObject = CGdiObject<HFONT>;
using CBitmapObject = CGdiObject<HBITMAP>;
using CBrushObject = CGdiObject<HBRUSH>;

class CImageListObject {
public:
    CImageListObject() = default;
    ~CImageListObject() { Reset(); }
    CImageListObject(const CImageListObject&) = delete;
    CImageListObject& operator=(const CImageListObject&) = delete;
    HIMAGELIST Get() const { return m_list; }
    void Reset(HIMAGELIST list = nullptr)
    {
        if (m_list) ImageList_Destroy(m_list);
        m_list = list;
    }

private:
    HIMAGELIST m_list = nullptr;
};

// Selects an object into a device context for the lifetime of this object.
class CSelectObject {
public:
    CSelectObject(HDC dc, HGDIOBJ object) : m_dc(dc), m_old(object ? SelectObject(dc, object) : nullptr) {}
    ~CSelectObject()
    {
        if (m_old) SelectObject(m_dc, m_old);
    }
    CSelectObject(const CSelectObject&) = delete;
    CSelectObject& operator=(const CSelectObject&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_old;
};

// A memory device context compatible with another one; deleted at the end of its scope.
class CMemoryDC {
public:
    explicit CMemoryDC(HDC compatible) : m_dc(CreateCompatibleDC(compatible)) {}
    ~CMemoryDC()
    {
        if (m_dc) DeleteDC(m_dc);
    }
    CMemoryDC(const CMemoryDC&) = delete;
    CMemoryDC& operator=(const CMemoryDC&) = delete;
    HDC Get() const { return m_dc; }

private:
    HDC m_dc;
};
