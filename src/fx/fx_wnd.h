// A C++ object attached to one window: the window procedure hands each message to WindowProc.
#pragma once
#include "fx/fx_cmd.h"

class FxWnd : public FxCmdTarget {
public:
    FxWnd() = default;
    FxWnd(const FxWnd&) = delete;
    FxWnd& operator=(const FxWnd&) = delete;
    ~FxWnd() override;

    // The object attached to `hwnd`, or null.
    static FxWnd* FromHandle(HWND hwnd);
    // Registers a window class whose procedure is the framework's; returns its name.
    static const char* RegisterClassOnce(const char* name, UINT style, HBRUSH background, HICON icon = nullptr,
                                         HCURSOR cursor = nullptr);

    [[nodiscard]] bool CreateEx(DWORD exStyle, const char* className, const char* title, DWORD style,
                                const RECT& rc, HWND parent, UINT_PTR idOrMenu, void* param = nullptr);
    // Attaches this object to an existing window (a common control) and routes its messages here.
    [[nodiscard]] bool SubclassWindow(HWND hwnd);
    virtual void DestroyWindow();
    // A control paints with the brush it returns here for WM_CTLCOLOR* sent to its parent;
    // null lets the parent's default apply.
    virtual HBRUSH OnReflectCtlColor(HDC) { return nullptr; }
    // Parents call this for WM_CTLCOLOR*; true with the brush when the control answered.
    static bool ReflectCtlColor(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result);

        HWND m_hWnd = nullptr;

protected:
    virtual LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp);
    // What the window would do without this object.
    virtual LRESULT Default(UINT msg, WPARAM wp, LPARAM lp);
    // Called after the last message; heap-owned windows delete themselves here.
    virtual void PostNcDestroy() {}

    // Used by the MDI child frame, whose creation passes through the MDI client.
    static void PrepareCreate(FxWnd* wnd);
    // Ends a creation begun by PrepareCreate; true when `wnd` never received its window.
    static bool EndCreate(FxWnd* wnd);

private:
    static LRESULT CALLBACK StaticProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    void Attach(HWND hwnd);
    void Detach();
    WNDPROC m_prevProc = nullptr;
};
