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
    m_bHasText = OffersText(data);
    *effect = m_pView ? m_pView->OnDragOver(ToClient(pt), keys, m_bHasText) : DROPEFFECT_NONE;
    return S_OK;
}

HRESULT CTextDropTarget::DragOver(DWORD keys, POINTL pt, DWORD* effect)
{
    *effect = DROPEFFECT_NONE;
    if (!m_pView) return S_OK;
    const POINT client = ToClient(pt);
    if (m_bHasText) m_pView->OnDragScroll(client);
    *effect = m_pView->OnDragOver(client, keys, m_bHasText);
    return S_OK;
}

HRESULT CTextDropTarget::DragLeave()
{
    if (m_pView) m_pView->HideDropIndicator();
    return S_OK;
}

HRESULT CTextDropTarget::Drop(IDataObject* data, DWORD keys, POINTL pt, DWORD* effect)
{
    *effect = DROPEFFECT_NONE;
    if (!m_pView) return S_OK;
    std::string text;
    const bool hasText = TextOf(data, text);
    if (m_pView->OnDrop(ToClient(pt), text, hasText))
        *effect = (keys & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
    return S_OK;
}
