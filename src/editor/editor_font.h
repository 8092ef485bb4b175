// The font of a text view. The text sits on a grid of equal cells, a double-byte character taking
// two, so the face must be fixed-pitch and must show code page 936 text.
#pragma once
#include <windows.h>

// The described font when its face exists, is fixed-pitch and shows Chinese; otherwise the first
// face of a short list of fixed-pitch faces that do, at the same height, weight and slant; the
// described font itself when none does. Null only when no font can be created at all.
HFONT CreateEditorFont(const LOGFONTA& wanted);
// The same choice made for device context `dc` (a printer's: a face the screen shows may be
// missing there, as a screen-only bitmap face is).
HFONT CreateEditorFontOn(const LOGFONTA& wanted, HDC dc);
