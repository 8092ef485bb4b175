// The debugger's marks in an editor's icon margin: a red dot for a breakpoint, a yellow arrow
// for the current line (over the dot when a line has both).
#pragma once
#include <windows.h>

#include <cstdint>

// Draws the marks `lineFlags` asks for into `column`, the icon column of one line's margin.
void PaintDebugMarks(HDC dc, const RECT& column, std::uint32_t lineFlags);
