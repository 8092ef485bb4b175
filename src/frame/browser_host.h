// The system's web browser control, hosted in a window of ours: the welcome page shows through it
// where the system has an HTML engine. Where it has none (Wine without its browser engine), no
// control is made and the caller draws the page itself.
#pragma once
#include <windows.h>

#include <memory>
#include <string>

struct IOleObject;
struct IWebBrowser2;
class CBrowserSite;

class CBrowserHost {
public:
    // The control in place over the whole client area of `parent`; null, with nothing left behind,
    // where the system cannot make one.
    static std::unique_ptr<CBrowserHost> Create(HWND parent);
    ~CBrowserHost();
    CBrowserHost(const CBrowserHost&) = delete;
    CBrowserHost& operator=(const CBrowserHost&) = delete;

    // Shows the page at `path` (a file path or an address).
    [[nodiscard]] bool Navigate(const std::string& path);
    // Follows the parent's client area.
    void Fit();
    // Offers a key to the control (Tab between links, Ctrl+C, the arrows...); true when it took it.
    bool TranslateAccelerator(MSG& msg);

private:
    CBrowserHost(HWND parent, IOleObject* object, CBrowserSite* site, IWebBrowser2* browser)
        : m_hParent(parent), m_pObject(object), m_pSite(site), m_pBrowser(browser) {}

    HWND m_hParent;
    IOleObject* m_pObject;
    CBrowserSite* m_pSite;
    IWebBrowser2* m_pBrowser;
};
