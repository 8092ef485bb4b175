// The device context of one WM_PAINT: BeginPaint at construction, EndPaint at destruction, so
// that a painter that throws still validates the window instead of being asked again and again.
#pragma once
#include <windows.h>

class FxPaintDC {
public:
    explicit FxPaintDC(HWND hwnd) : m_hWnd(hwnd) { m_hDC = BeginPaint(hwnd, &m_ps); }
    ~FxPaintDC() { EndPaint(m_hWnd, &m_ps); }
    FxPaintDC(const FxPaintDC&) = delete;
    FxPaintDC& operator=(const FxPaintDC&) = delete;

    HDC Dc() const { return m_hDC; }
    const RECT& PaintRect() const { return m_ps.rcPaint; }

private:
    HWND m_hWnd;
    PAINTSTRUCT m_ps{};
    HDC m_hDC = nullptr;
};
