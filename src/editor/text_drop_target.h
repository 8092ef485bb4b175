// The OLE drop target of an editing view: dragged CF_TEXT is shown with a drop indicator, scrolls
// the view near its edges and is inserted where it is dropped.
#pragma once
#include <windows.h>
#include <ole2.h>

class CTextEditView;

class CTextDropTarget final : public IDropTarget {
public:
    // Registers a new target with the view's window; null when the window cannot take drops
    // (OLE not initialised on this thread), in which case the view simply accepts none.
    static CTextDropTarget* RegisterFor(CTextEditView* view);
    // Revokes the registration and lets the target go; the view is never called again.
    static void Revoke(CTextDropTarget* target);

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL pt, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL pt, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragLeave() override;
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL pt, DWORD* effect) override;

private:
    explicit CTextDropTarget(CTextEditView* view) : m_pView(view) {}
    ~CTextDropTarget() = default;
    POINT ToClient(POINTL pt) const;

    LONG m_refs = 1;
    CTextEditView* m_pView;  // null once revoked
    bool m_bHasText = false;  // the data being dragged over offers CF_TEXT
};
