#include "dosrun/win_display.h"

#include <cstring>

namespace halyard::dosrun {
namespace {

constexpr char kClassName[] = "HalyardDosrunScreen";
constexpr unsigned kKeyQueueLimit = 64;

bool RegisterScreenClass(WNDPROC procedure)
{
    static const bool registered = [procedure] {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = procedure;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
        wc.lpszClassName = kClassName;
        return RegisterClassA(&wc) != 0;
    }();
    return registered;
}

}  // namespace

LRESULT CALLBACK WinDisplay::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        auto* attached = static_cast<WinDisplay*>(create->lpCreateParams);
        attached->m_hwnd = hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(attached));
    }
    auto* self = reinterpret_cast<WinDisplay*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (self == nullptr || self->m_hwnd != hwnd)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        self->m_hwnd = nullptr;
    }
    return self->OnMessage(message, wParam, lParam);
}

LRESULT WinDisplay::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: OnPaint(); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_KEYDOWN: OnKey(lParam, true); return 0;
    case WM_KEYUP: OnKey(lParam, false); return 0;
    case WM_SYSKEYDOWN:
        if (wParam == VK_F4)
            break;  // Alt+F4 closes the window
        OnKey(lParam, true);
        return 0;
    case WM_SYSKEYUP: OnKey(lParam, false); return 0;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN: case WM_LBUTTONUP:
    case WM_RBUTTONDOWN: case WM_RBUTTONUP:
    case WM_MBUTTONDOWN: case WM_MBUTTONUP:
        OnMouse(lParam, uint8_t(((wParam & MK_LBUTTON) ? 1 : 0) | ((wParam & MK_RBUTTON) ? 2 : 0) |
                                ((wParam & MK_MBUTTON) ? 4 : 0)));
        return 0;
    case WM_MOUSELEAVE: m_mouse.inside = false; return 0;
    case WM_SETCURSOR:
        if (!m_hidePointer || LOWORD(lParam) != HTCLIENT)
            break;
        SetCursor(nullptr);
        return TRUE;
    case WM_CLOSE: m_closedByUser = true; return 0;
    default: break;
    }
    return DefWindowProcA(m_hwnd, message, wParam, lParam);
}

bool WinDisplay::Create(unsigned width, unsigned height, const char* title)
{
    if (!RegisterScreenClass(&WinDisplay::Procedure))
        return false;
    m_scaleX = width < 640 ? 640 / width : 1;
    m_scaleY = height <= 200 ? 2 : 1;
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT rect = {0, 0, LONG(width * m_scaleX), LONG(height * m_scaleY)};
    AdjustWindowRect(&rect, style, FALSE);
    m_hwnd = CreateWindowExA(0, kClassName, title, style, CW_USEDEFAULT, CW_USEDEFAULT, rect.right - rect.left,
                             rect.bottom - rect.top, nullptr, nullptr, GetModuleHandleA(nullptr), this);
    if (m_hwnd == nullptr)
        return false;
    ShowWindow(m_hwnd, SW_SHOWNORMAL);
    SetForegroundWindow(m_hwnd);
    return true;
}

void WinDisplay::Show(const uint32_t* pixels, unsigned width, unsigned height, const char* title)
{
    if (m_hwnd != nullptr && (width != m_width || height != m_height))
        Close();
    m_width = width;
    m_height = height;
    if (m_hwnd == nullptr && !Create(width, height, title))
        return;
    m_pixels.assign(pixels, pixels + size_t(width) * height);
    InvalidateRect(m_hwnd, nullptr, FALSE);
    UpdateWindow(m_hwnd);
    Pump();
}

void WinDisplay::OnPaint()
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(m_hwnd, &paint);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = LONG(m_width);
    info.bmiHeader.biHeight = -LONG(m_height);  // rows top down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    if (!m_pixels.empty())
        StretchDIBits(dc, 0, 0, int(m_width * m_scaleX), int(m_height * m_scaleY), 0, 0, int(m_width),
                      int(m_height), m_pixels.data(), &info, DIB_RGB_COLORS, SRCCOPY);
    EndPaint(m_hwnd, &paint);
}

// The scan code is bits 16-23 of the key message, bit 24 marks the extended keys.
void WinDisplay::OnKey(LPARAM lParam, bool down)
{
    dos::KeyEvent event;
    event.scan = uint8_t((lParam >> 16) & 0x7F);
    event.extended = (lParam >> 24) & 1;
    event.down = down;
    if (event.scan != 0 && m_keys.size() < kKeyQueueLimit)
        m_keys.push_back(event);
}

void WinDisplay::OnMouse(LPARAM lParam, uint8_t buttons)
{
    if (!m_mouse.inside) {
        TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, m_hwnd, 0};
        TrackMouseEvent(&track);
    }
    m_mouse.inside = true;
    m_mouse.x = int(short(LOWORD(lParam))) / int(m_scaleX);
    m_mouse.y = int(short(HIWORD(lParam))) / int(m_scaleY);
    m_mouse.buttons = buttons;
}

void WinDisplay::Pump()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);
}

void WinDisplay::Close()
{
    if (m_hwnd != nullptr)
        DestroyWindow(m_hwnd);
    m_hwnd = nullptr;
    m_keys.clear();
    m_mouse = {};
}

void WinDisplay::Linger()
{
    if (m_hwnd == nullptr || m_closedByUser)
        return;
    char title[256] = {};
    GetWindowTextA(m_hwnd, title, sizeof title - 64);
    std::strcat(title, " - finished: press a key or close the window");
    SetWindowTextA(m_hwnd, title);
    m_keys.clear();
    MSG msg;
    while (!m_closedByUser && GetMessageA(&msg, nullptr, 0, 0) > 0) {
        DispatchMessageA(&msg);
        if (!m_keys.empty() && m_keys.front().down)
            break;
        m_keys.clear();
    }
    Close();
}

bool WinDisplay::NextKeyEvent(dos::KeyEvent& event)
{
    if (m_hwnd != nullptr)
        Pump();
    if (m_keys.empty())
        return false;
    event = m_keys.front();
    m_keys.pop_front();
    return true;
}

dos::MouseState WinDisplay::Mouse()
{
    if (m_hwnd != nullptr)
        Pump();
    return m_mouse;
}

}  // namespace halyard::dosrun
