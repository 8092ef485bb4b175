#include "fx/fx_view.h"
#include "fx/fx_doc.h"
#include "fx/fx_docmanager.h"
#include "fx/fx_doctemplate.h"
#include "fx/fx_mdichild.h"
#include "fx/fx_print_preview.h"

FxView::~FxView() { SetDocument(nullptr); }

void FxView::SetDocument(FxDocument* doc)
{
    if (m_pDocument == doc) return;
    if (m_pDocument) m_pDocument->RemoveView(this);
    m_pDocument = doc;
    if (doc) doc->AddView(this);
}

bool FxView::Create(HWND parent, UINT id)
{
    const char* cls = RegisterClassOnce("FxView", CS_DBLCLKS, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    RECT rc{0, 0, 0, 0};
    return CreateEx(0, cls, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, rc, parent, id);
}

FxMDIChild* FxView::GetParentFrame() const
{
    for (HWND h = GetParent(m_hWnd); h; h = GetParent(h))
        if (auto* frame = dynamic_cast<FxMDIChild*>(FxWnd::FromHandle(h))) return frame;
    return nullptr;
}

FxApp* FxView::GetApp() const
{
    const FxDocTemplate* tmpl = m_pDocument ? m_pDocument->GetDocTemplate() : nullptr;
    const FxDocManager* manager = tmpl ? tmpl->GetDocManager() : nullptr;
    return manager ? manager->GetApp() : nullptr;
}

LRESULT FxView::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_SETFOCUS)
        if (FxMDIChild* frame = GetParentFrame()) frame->SetActiveView(this);
    if (msg == WM_MOUSEACTIVATE) {
        // A click in an inactive MDI child activates it and gives this view the focus.
        LRESULT r = Default(msg, wp, lp);
        if (GetFocus() != m_hWnd) SetFocus(m_hWnd);
        return r;
    }
    if (msg == WM_DESTROY) {
        if (m_pPreview) m_pPreview->DestroyWindow();
        SetDocument(nullptr);
    }
    return Default(msg, wp, lp);
}
