#include "frame/browser_host.h"

#include <exdisp.h>
#include <ole2.h>

namespace {

// The HTML document engine that the browser control shows pages with, and the control itself.
const CLSID kHtmlDocument = {0x25336920, 0x03F9, 0x11CF, {0x8F, 0xD0, 0x00, 0xAA, 0x00, 0x68, 0x6F, 0x13}};
const CLSID kWebBrowser = {0x8856F961, 0x340A, 0x11D0, {0xA9, 0x6B, 0x00, 0xC0, 0x4F, 0xD7, 0x05, 0xA2}};

// The control can be made without an engine, and then shows nothing: ask for the engine first.
bool HasHtmlEngine()
{
    IUnknown* engine = nullptr;
    if (FAILED(CoCreateInstance(kHtmlDocument, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                                reinterpret_cast<void**>(&engine))))
        return false;
    engine->Release();
    return true;
}

std::wstring Wide(const std::string& text)
{
    const int n = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    std::wstring wide(n > 0 ? n : 1, L'\0');
    if (n > 0) MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, &wide[0], n);
    return wide;
}

}  // namespace

// The container side of the control: a client site placed in the parent window, which is also the
// control's frame. It offers no menus, toolbars or borders.
class CBrowserSite final : public IOleClientSite, public IOleInPlaceSite, public IOleInPlaceFrame {
public:
    explicit CBrowserSite(HWND window) : m_hWnd(window) {}

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (riid == IID_IUnknown || riid == IID_IOleClientSite) *ppv = static_cast<IOleClientSite*>(this);
        else if (riid == IID_IOleWindow || riid == IID_IOleInPlaceSite) *ppv = static_cast<IOleInPlaceSite*>(this);
        else if (riid == IID_IOleInPlaceUIWindow || riid == IID_IOleInPlaceFrame) *ppv = static_cast<IOleInPlaceFrame*>(this);
        else {
            *ppv = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&m_nRefs)); }
    STDMETHODIMP_(ULONG) Release() override
    {
        const LONG refs = InterlockedDecrement(&m_nRefs);
        if (refs == 0) delete this;
        return static_cast<ULONG>(refs);
    }

    // IOleClientSite
    STDMETHODIMP SaveObject() override { return S_OK; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** ppmk) override { *ppmk = nullptr; return E_NOTIMPL; }
    STDMETHODIMP GetContainer(IOleContainer** ppContainer) override { *ppContainer = nullptr; return E_NOINTERFACE; }
    STDMETHODIMP ShowObject() override { return S_OK; }
    STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
    STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }

    // IOleWindow, for the site and the frame alike
    STDMETHODIMP GetWindow(HWND* phwnd) override { *phwnd = m_hWnd; return S_OK; }
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    // IOleInPlaceSite
    STDMETHODIMP CanInPlaceActivate() override { return S_OK; }
    STDMETHODIMP OnInPlaceActivate() override { return S_OK; }
    STDMETHODIMP OnUIActivate() override { return S_OK; }
    STDMETHODIMP GetWindowContext(IOleInPlaceFrame** ppFrame, IOleInPlaceUIWindow** ppDoc, LPRECT pos, LPRECT clip,
                                  LPOLEINPLACEFRAMEINFO info) override
    {
        *ppFrame = this;
        AddRef();
        *ppDoc = nullptr;
        GetClientRect(m_hWnd, pos);
        *clip = *pos;
        info->fMDIApp = FALSE;
        info->hwndFrame = m_hWnd;
        info->haccel = nullptr;
        info->cAccelEntries = 0;
        return S_OK;
    }
    STDMETHODIMP Scroll(SIZE) override { return E_NOTIMPL; }
    STDMETHODIMP OnUIDeactivate(BOOL) override { return S_OK; }
    STDMETHODIMP OnInPlaceDeactivate() override { return S_OK; }
    STDMETHODIMP DiscardUndoState() override { return E_NOTIMPL; }
    STDMETHODIMP DeactivateAndUndo() override { return E_NOTIMPL; }
    STDMETHODIMP OnPosRectChange(LPCRECT) override { return S_OK; }

    // IOleInPlaceUIWindow
    STDMETHODIMP GetBorder(LPRECT) override { return E_NOTIMPL; }
    STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS) override { return E_NOTIMPL; }
    STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS) override { return E_NOTIMPL; }
    STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) override { return S_OK; }

    // IOleInPlaceFrame
    STDMETHODIMP InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return E_NOTIMPL; }
    STDMETHODIMP SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
    STDMETHODIMP RemoveMenus(HMENU) override { return E_NOTIMPL; }
    STDMETHODIMP SetStatusText(LPCOLESTR) override { return S_OK; }
    STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }
    STDMETHODIMP TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

private:
    HWND m_hWnd;
    LONG m_nRefs = 1;
};

std::unique_ptr<CBrowserHost> CBrowserHost::Create(HWND parent)
{
    if (!HasHtmlEngine()) return nullptr;
    IOleObject* object = nullptr;
    if (FAILED(CoCreateInstance(kWebBrowser, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                                reinterpret_cast<void**>(&object))))
        return nullptr;
    auto* site = new CBrowserSite(parent);
    IWebBrowser2* browser = nullptr;
    RECT rc;
    GetClientRect(parent, &rc);
    if (SUCCEEDED(object->SetClientSite(site)) && SUCCEEDED(OleSetContainedObject(object, TRUE)) &&
        SUCCEEDED(object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site, -1, parent, &rc)) &&
        SUCCEEDED(object->QueryInterface(IID_IWebBrowser2, reinterpret_cast<void**>(&browser))))
        return std::unique_ptr<CBrowserHost>(new CBrowserHost(parent, object, site, browser));
    object->Close(OLECLOSE_NOSAVE);
    object->SetClientSite(nullptr);
    object->Release();
    site->Release();
    return nullptr;
}

CBrowserHost::~CBrowserHost()
{
    m_pBrowser->Release();
    m_pObject->Close(OLECLOSE_NOSAVE);
    m_pObject->SetClientSite(nullptr);
    m_pObject->Release();
    m_pSite->Release();
}

bool CBrowserHost::Navigate(const std::string& path)
{
    BSTR address = SysAllocString(Wide(path).c_str());
    if (!address) return false;
    VARIANT none;
    VariantInit(&none);
    const HRESULT hr = m_pBrowser->Navigate(address, &none, &none, &none, &none);
    SysFreeString(address);
    return SUCCEEDED(hr);
}

bool CBrowserHost::TranslateAccelerator(MSG& msg)
{
    IOleInPlaceActiveObject* active = nullptr;
    if (FAILED(m_pObject->QueryInterface(IID_IOleInPlaceActiveObject, reinterpret_cast<void**>(&active)))) return false;
    const bool taken = active->TranslateAccelerator(&msg) == S_OK;
    active->Release();
    return taken;
}

void CBrowserHost::Fit()
{
    IOleInPlaceObject* inPlace = nullptr;
    if (FAILED(m_pObject->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&inPlace)))) return;
    RECT rc;
    GetClientRect(m_hParent, &rc);
    inPlace->SetObjectRects(&rc, &rc);
    inPlace->Release();
}
