#include "fx/fx_bar_paint.h"
#include "fx/fx_handles.h"
#include <algorithm>

void FxDraw3dRect(HDC dc, const RECT& rc, COLORREF topLeft, COLORREF bottomRight)
{
    auto fill = [dc](int l, int t, int r, int b, COLORREF c) {
        const RECT part{l, t, r, b};
        SetBkColor(dc, c);
        ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &part, nullptr, 0, nullptr);
    };
    fill(rc.left, rc.top, rc.right - 1, rc.top + 1, topLeft);
    fill(rc.left, rc.top, rc.left + 1, rc.bottom - 1, topLeft);
    fill(rc.right - 1, rc.top, rc.right, rc.bottom, bottomRight);
    fill(rc.left, rc.bottom - 1, rc.right, rc.bottom, bottomRight);
}

void FxDrawCloseCross(HDC dc, int x, int y, COLORREF colour)
{
    FxPen pen(CreatePen(PS_SOLID, 1, colour));
    FxSelectObject select(dc, pen.Get());
    // Each stroke is two one-pixel diagonals side by side; LineTo leaves out the end point.
    for (int dx = 0; dx < 2; ++dx) {
        MoveToEx(dc, x + dx, y, nullptr);
        LineTo(dc, x + dx + 7, y + 7);
        MoveToEx(dc, x + 7 - dx, y, nullptr);
        LineTo(dc, x - dx, y + 7);
    }
}

void FxInvertHalftone(HWND window, const RECT& screen)
{
    // Without DCX_CLIPCHILDREN the window's DC reaches over its children.
    HDC dc = GetDCEx(window, nullptr, DCX_WINDOW | DCX_CACHE);
    if (!dc) return;
    RECT wnd;
    GetWindowRect(window, &wnd);
    static const WORD kPattern[8] = {0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA};
    {
        FxBitmap bits(CreateBitmap(8, 8, 1, 1, kPattern));
        FxBrush brush(CreatePatternBrush(bits.Get()));
        FxSelectObject select(dc, brush.Get());
        PatBlt(dc, screen.left - wnd.left, screen.top - wnd.top, screen.right - screen.left,
               screen.bottom - screen.top, PATINVERT);
    }
    ReleaseDC(window, dc);
}

void FxInvertDragFrame(const RECT& screen)
{
    const int w = 3;
    const int t = std::min<int>(w, (screen.bottom - screen.top) / 2), l = std::min<int>(w, (screen.right - screen.left) / 2);
    HWND desktop = GetDesktopWindow();
    FxInvertHalftone(desktop, {screen.left, screen.top, screen.right, screen.top + t});
    FxInvertHalftone(desktop, {screen.left, screen.bottom - t, screen.right, screen.bottom});
    FxInvertHalftone(desktop, {screen.left, screen.top + t, screen.left + l, screen.bottom - t});
    FxInvertHalftone(desktop, {screen.right - l, screen.top + t, screen.right, screen.bottom - t});
}

void FxPaintNonClient(HWND hwnd, const std::function<void(HDC)>& paint)
{
    RECT wnd, client;
    GetWindowRect(hwnd, &wnd);
    GetClientRect(hwnd, &client);
    MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&client), 2);
    OffsetRect(&client, -wnd.left, -wnd.top);
    const int cx = wnd.right - wnd.left, cy = wnd.bottom - wnd.top;
    FxWindowDC dc(hwnd);
    if (!dc || cx <= 0 || cy <= 0) return;
    FxMemoryDC mem = FxCreateMemoryDC(dc.Get());
    FxBitmap bitmap(CreateCompatibleBitmap(dc.Get(), cx, cy));
    if (!mem || !bitmap) return;
    {
        FxSelectObject select(mem.Get(), bitmap.Get());
        paint(mem.Get());
        ExcludeClipRect(dc.Get(), client.left, client.top, client.right, client.bottom);
        BitBlt(dc.Get(), 0, 0, cx, cy, mem.Get(), 0, 0, SRCCOPY);
    }
}
