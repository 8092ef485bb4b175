#include "editor/text_drag_source.h"
#include <shlobj.h>

namespace {

// Shared reference counting of the two small COM objects below.
template <class Interface>
class CComObject : public Interface {
public:
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&m_refs); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        LONG refs = InterlockedDecrement(&m_refs);
        if (refs == 0) delete this;
        return static_cast<ULONG>(refs);
    }
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        if (!ppv) return E_POINTER;
        *ppv = nullptr;
        if (riid != IID_IUnknown && riid != __uuidof(Interface)) return E_NOINTERFACE;
        *ppv = static_cast<Interface*>(this);
        AddRef();
        return S_OK;
    }

protected:
    virtual ~CComObject() = default;

private:
    LONG m_refs = 1;
};

const FORMATETC kTextFormat{CF_TEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};

bool IsTextFormat(const FORMATETC* fmt)
{
    return fmt && fmt->cfFormat == CF_TEXT && (fmt->tymed & TYMED_HGLOBAL) && fmt->dwAspect == DVASPECT_CONTENT;
}

class CTextDataObject final : public CComObject<IDataObject> {
public:
    explicit CTextDataObject(HGLOBAL block) : m_block(block) {}

    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* fmt, STGMEDIUM* medium) override
    {
        if (!medium) return E_POINTER;
        if (!IsTextFormat(fmt)) return DV_E_FORMATETC;
        // Every receiver gets its own copy; ours stays until the drag ends.
        HGLOBAL copy = static_cast<HGLOBAL>(OleDuplicateData(m_block, CF_TEXT, 0));
        if (!copy) return E_OUTOFMEMORY;
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = copy;
        medium->pUnkForRelease = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* fmt) override { return IsTextFormat(fmt) ? S_OK : DV_E_FORMATETC; }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override
    {
        if (out) out->ptd = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** out) override
    {
        if (direction != DATADIR_GET) return E_NOTIMPL;
        FORMATETC formats[1] = {kTextFormat};
        return SHCreateStdEnumFmtEtc(1, formats, out);
    }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override
    {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

private:
    ~CTextDataObject() override { GlobalFree(m_block); }
    HGLOBAL m_block;
};

class CTextDropSource final : public CComObject<IDropSource> {
public:
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD keys) override
    {
        if (escape) return DRAGDROP_S_CANCEL;
        return (keys & MK_LBUTTON) ? S_OK : DRAGDROP_S_DROP;
    }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
};

}  // namespace

IDataObject* CreateTextDataObject(HGLOBAL block) { return new CTextDataObject(block); }

DWORD RunTextDrag(HGLOBAL block, DWORD allowedEffects)
{
    if (!block) return DROPEFFECT_NONE;
    IDataObject* data = CreateTextDataObject(block);
    auto* source = new CTextDropSource;
    DWORD effect = DROPEFFECT_NONE;
    HRESULT hr = DoDragDrop(data, source, allowedEffects, &effect);
    source->Release();
    data->Release();
    return hr == DRAGDROP_S_DROP ? effect : DROPEFFECT_NONE;
}
