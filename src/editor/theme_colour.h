// A theme's colour slot as the screen shows it now: the slots that name a system colour read it
// at the time of the call (GetSysColor), the others are fixed.
#pragma once
#include <windows.h>

COLORREF ThemeColourNow(int theme, int index);
