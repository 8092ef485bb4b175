// Entry point of Halyard.exe.
#include <windows.h>
#include "resource.h"

static LRESULT CALLBACK FrameProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_DESTROY) { PostQuitMessage(0); return 0; }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

int WINAPI WinMain(HINSTANCE inst, HINSTANCE, LPSTR, int show)
{
    char title[256];
    LoadStringA(inst, IDR_MAINFRAME, title, sizeof title);
    WNDCLASSA wc = {};
    wc.lpfnWndProc = FrameProc;
    wc.hInstance = inst;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = (HBRUSH)(COLOR_APPWORKSPACE + 1);
    wc.lpszClassName = "HalyardFrame";
    RegisterClassA(&wc);
    HWND frame = CreateWindowA("HalyardFrame", title, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, 0, CW_USEDEFAULT, 0,
                               nullptr, LoadMenuA(inst, MAKEINTRESOURCEA(IDR_MAINFRAME)), inst, nullptr);
    ShowWindow(frame, show);
    MSG m;
    while (GetMessageA(&m, nullptr, 0, 0) > 0) { TranslateMessage(&m); DispatchMessageA(&m); }
    return (int)m.wParam;
}
