// Drawing shared by docking bars, their floating frames and their frame's dragged edges.
#pragma once
#include <windows.h>
#include <functional>

// A 3D frame one pixel wide around `rc`: `topLeft` along the top and left, `bottomRight` along
// the bottom and right (highlight then shadow looks raised, the other way round sunken).
void FxDraw3dRect(HDC dc, const RECT& rc, COLORREF topLeft, COLORREF bottomRight);
// The close cross, 8 x 7 pixels from (x, y), its strokes two pixels wide. Drawn with lines: the
// symbol font whose glyph other programs use is not on every machine.
void FxDrawCloseCross(HDC dc, int x, int y, COLORREF colour);
// Inverts a half-tone pattern over `screen` (screen coordinates) across `window` and its
// children; doing it twice at the same place restores what was there.
void FxInvertHalftone(HWND window, const RECT& screen);
// The outline of a window being dragged: a half-tone frame 3 pixels wide around `screen`,
// inverted over everything on the screen. Drawing it twice at the same place removes it.
void FxInvertDragFrame(const RECT& screen);
// Draws the non-client image `paint` makes of `hwnd` (window coordinates) through an
// off-screen bitmap in one block, leaving the client area alone.
void FxPaintNonClient(HWND hwnd, const std::function<void(HDC)>& paint);
