// The device context of a whole window, non-client area included (GetWindowDC), given back by
// ReleaseDC. Its origin is the window rectangle's top-left corner.
#pragma once
#include <windows.h>

class FxWindowDC {
public:
    explicit FxWindowDC(HWND hwnd) noexcept : m_hWnd(hwnd), m_hDC(GetWindowDC(hwnd)) {}
    ~FxWindowDC()
    {
        if (m_hDC) ReleaseDC(m_hWnd, m_hDC);
    }
    FxWindowDC(const FxWindowDC&) = delete;
    FxWindowDC& operator=(const FxWindowDC&) = delete;

    HDC Get() const noexcept { return m_hDC; }
    explicit operator bool() const noexcept { return m_hDC != nullptr; }

private:
    HWND m_hWnd;
    HDC m_hDC;
};
