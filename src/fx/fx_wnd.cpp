#include "fx/fx_wnd.h"

namespace {
const char kProp[] = "FxWndObject";
// The object whose window is being created on this thread; it is attached at the first message.
thread_local FxWnd* t_creating = nullptr;
}  // namespace

FxWnd::~FxWnd()
{
    if (m_hWnd) {
        HWND h = m_hWnd;
        Detach();
        ::DestroyWindow(h);
    }
}

FxWnd* FxWnd::FromHandle(HWND hwnd)
{
    return hwnd ? static_cast<FxWnd*>(GetPropA(hwnd, kProp)) : nullptr;
}

const char* FxWnd::RegisterClassOnce(const char* name, UINT style, HBRUSH background, HICON icon, HCURSOR cursor)
{
    WNDCLASSA wc{};
    HINSTANCE inst = GetModuleHandleA(nullptr);
    if (GetClassInfoA(inst, name, &wc)) return name;
    wc.style = style;
    wc.lpfnWndProc = StaticProc;
    wc.hInstance = inst;
    wc.hIcon = icon;
    wc.hCursor = cursor ? cursor : LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = background;
    wc.lpszClassName = name;
    RegisterClassA(&wc);
    return name;
}

bool FxWnd::CreateEx(DWORD exStyle, const char* className, const char* title, DWORD style, const RECT& rc,
                     HWND parent, UINT_PTR idOrMenu, void* param)
{
    t_creating = this;
    HWND h = CreateWindowExA(exStyle, className, title, style, rc.left, rc.top, rc.right - rc.left,
                             rc.bottom - rc.top, parent, reinterpret_cast<HMENU>(idOrMenu), GetModuleHandleA(nullptr),
                             param);
    t_creating = nullptr;
    if (!h) return false;
    // A window of a system class (a common control) never passed through our procedure.
    if (!m_hWnd && !SubclassWindow(h)) {
        ::DestroyWindow(h);
        return false;
    }
    return m_hWnd == h;
}

bool FxWnd::ReflectCtlColor(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result)
{
    if (msg < WM_CTLCOLORMSGBOX || msg > WM_CTLCOLORSTATIC) return false;
    FxWnd* control = FromHandle(reinterpret_cast<HWND>(lp));
    HBRUSH brush = control ? control->OnReflectCtlColor(reinterpret_cast<HDC>(wp)) : nullptr;
    if (!brush) return false;
    *result = reinterpret_cast<LRESULT>(brush);
    return true;
}

void FxWnd::PrepareCreate(FxWnd* wnd) { t_creating = wnd; }

bool FxWnd::EndCreate(FxWnd* wnd)
{
    const bool bPending = wnd && t_creating == wnd;
    t_creating = nullptr;
    return bPending;
}

bool FxWnd::SubclassWindow(HWND hwnd)
{
    if (!hwnd || m_hWnd || FromHandle(hwnd)) return false;
    Attach(hwnd);
    WNDPROC current = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd, GWLP_WNDPROC));
    if (current != StaticProc)
        m_prevProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(StaticProc)));
    return true;
}

void FxWnd::DestroyWindow()
{
    if (m_hWnd) ::DestroyWindow(m_hWnd);
}

void FxWnd::Attach(HWND hwnd)
{
    m_hWnd = hwnd;
    SetPropA(hwnd, kProp, this);
}

void FxWnd::Detach()
{
    if (!m_hWnd) return;
    if (m_prevProc) SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_prevProc));
    RemovePropA(m_hWnd, kProp);
    m_hWnd = nullptr;
}

LRESULT FxWnd::WindowProc(UINT msg, WPARAM wp, LPARAM lp) { return Default(msg, wp, lp); }

LRESULT FxWnd::Default(UINT msg, WPARAM wp, LPARAM lp)
{
    if (m_prevProc) return CallWindowProcA(m_prevProc, m_hWnd, msg, wp, lp);
    return DefWindowProcA(m_hWnd, msg, wp, lp);
}

LRESULT CALLBACK FxWnd::StaticProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    FxWnd* wnd = FromHandle(hwnd);
    if (!wnd && t_creating) {
        wnd = t_creating;
        t_creating = nullptr;
        wnd->Attach(hwnd);
    }
    if (!wnd) return DefWindowProcA(hwnd, msg, wp, lp);
    LRESULT result = 0;
    try {
        result = wnd->WindowProc(msg, wp, lp);
    } catch (...) {
        // An exception must not cross into the system; the message counts as handled.
        result = 0;
    }
    if (msg == WM_NCDESTROY) {
        wnd->Detach();
        wnd->PostNcDestroy();
    }
    return result;
}
