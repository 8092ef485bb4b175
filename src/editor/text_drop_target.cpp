#include "editor/text_drop_target.h"
#include "editor/clipboard_text.h"
#include "editor/text_edit_view.h"

namespace {
FORMATETC TextFormat() { return FORMATETC{CF_TEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}; }

bool OffersText(IDataObject* data)
{
    FORMATETC format = TextFormat();
    return data && data->QueryGetData(&format) == S_OK;
}

// Runs one step of a drag; no exception crosses back into the system's drag loop. A failed step
// refuses the drop and hides the indicator.
template <class Step>
HRESULT Guarded(CTextEditView* view, DWORD* effect, Step step) noexcept
{
    try {
        step();
        return S_OK;
    } catch (...) {
        if (effect) *effect = DROPEFFECT_NONE;
        try {
            if (view) view->HideDropIndicator();
        } catch (...) {
        }
        return E_UNEXPECTED;
    }
}

bool TextOf(IDataObject* data, std::string& text)
{
    FORMATETC format = TextFormat();
    STGMEDIUM medium{};
    if (!data || FAILED(data->GetData(&format, &medium))) return false;
    bool ok = medium.tymed == TYMED_HGLOBAL && ReadTextBlock(medium.hGlobal, text);
    ReleaseStgMedium(&medium);
    return ok;
}
}  // namespace

CTextDropTarget* CTextDropTarget::RegisterFor(CTextEditView* view)
{
    auto* target = new CTextDropTarget(view);
    if (SUCCEEDED(RegisterDragDrop(view->m_hWnd, target))) return target;
    target->m_pView = nullptr;
    target->Release();
    return nullptr;
}

void CTextDropTarget::Revoke(CTextDropTarget* target)
{
    if (!target) return;
    if (target->m_pView) RevokeDragDrop(target->m_pView->m_hWnd);
    target->m_pView = nullptr;
    target->Release();
}

HRESULT CTextDropTarget::QueryInterface(REFIID riid, void** ppv)
{
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (riid != IID_IUnknown && riid != IID_IDropTarget) return E_NOINTERFACE;
    *ppv = static_cast<IDropTarget*>(this);
    AddRef();
    return S_OK;
}

ULONG CTextDropTarget::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&m_refs)); }

ULONG CTextDropTarget::Release()
{
    LONG refs = InterlockedDecrement(&m_refs);
    if (refs == 0) delete this;
    return static_cast<ULONG>(refs);
}

POINT CTextDropTarget::ToClient(POINTL pt) const
{
    POINT p{pt.x, pt.y};
    ScreenToClient(m_pView->m_hWnd, &p);
    return p;
}

HRESULT CTextDropTarget::DragEnter(IDataObject* data, DWORD keys, POINTL pt, DWORD* effect)
{
    if (!effect) return E_INVALIDARG;
    *effect = DROPEFFECT_NONE;
    return Guarded(m_pView, effect, [&] {
        m_bHasText = OffersText(data);
        if (m_pView) *effect = m_pView->OnDragOver(ToClient(pt), keys, m_bHasText);
    });
}

HRESULT CTextDropTarget::DragOver(DWORD keys, POINTL pt, DWORD* effect)
{
    if (!effect) return E_INVALIDARG;
    *effect = DROPEFFECT_NONE;
    return Guarded(m_pView, effect, [&] {
        if (!m_pView) return;
        const POINT client = ToClient(pt);
        if (m_bHasText) m_pView->OnDragScroll(client);
        *effect = m_pView->OnDragOver(client, keys, m_bHasText);
    });
}

HRESULT CTextDropTarget::DragLeave()
{
    return Guarded(m_pView, nullptr, [&] {
        if (m_pView) m_pView->HideDropIndicator();
    });
}

HRESULT CTextDropTarget::Drop(IDataObject* data, DWORD keys, POINTL pt, DWORD* effect)
{
    if (!effect) return E_INVALIDARG;
    *effect = DROPEFFECT_NONE;
    return Guarded(m_pView, effect, [&] {
        if (!m_pView) return;
        std::string text;
        const bool hasText = TextOf(data, text);
        if (m_pView->OnDrop(ToClient(pt), text, hasText))
            *effect = (keys & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
    });
}
