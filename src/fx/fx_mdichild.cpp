#include "fx/fx_mdichild.h"
#include "fx/fx_doc.h"
#include "fx/fx_doctemplate.h"
#include "fx/fx_mdiframe.h"
#include "resource.h"
#include <algorithm>
#include <vector>

bool FxMDIChild::LoadFrame(UINT resourceId, DWORD style, FxMDIFrame* parent, FxCreateContext* context)
{
    m_pMDIFrame = parent;
    char cls[32];
    snprintf(cls, sizeof cls, "FxMDIChild%u", resourceId);
    RegisterClassOnce(cls, CS_DBLCLKS, nullptr, LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resourceId)));
    MDICREATESTRUCTA mcs{};
    mcs.szClass = cls;
    mcs.szTitle = "";
    mcs.hOwner = GetModuleHandleA(nullptr);
    mcs.x = mcs.y = mcs.cx = mcs.cy = CW_USEDEFAULT;
    mcs.style = style & ~WS_MAXIMIZE;
    mcs.lParam = reinterpret_cast<LPARAM>(context);
    PrepareCreate(this);
    HWND h = reinterpret_cast<HWND>(SendMessageA(parent->m_hWndMDIClient, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
    // On failure WM_NCDESTROY has deleted this object; without any window it goes the same way.
    if (EndCreate(this)) {
        PostNcDestroy();
        return false;
    }
    return h != nullptr;
}

bool FxMDIChild::OnCreateClient(FxCreateContext* context)
{
    FxView* view = CreateView(context, m_hWnd, AFX_IDW_PANE_FIRST);
    if (!view) return false;
    m_hWndContent = view->m_hWnd;
    m_pActiveView = view;
    return true;
}

FxView* FxMDIChild::CreateView(FxCreateContext* context, HWND parent, UINT id)
{
    if (!context || !context->newView) return nullptr;
    FxView* view = context->newView();
    if (!view) return nullptr;
    view->SetDocument(context->document);
    if (!view->Create(parent, id)) {
        view->SetDocument(nullptr);
        delete view;
        return nullptr;
    }
    return view;
}

void FxMDIChild::InitialUpdateFrame(FxDocument* doc, bool makeVisible)
{
    if (doc)
        for (FxView* v : doc->GetViews())
            if (v->GetParentFrame() == this) v->OnInitialUpdate();
    OnUpdateFrameTitle();
    if (makeVisible) ActivateFrame();
}

void FxMDIChild::ActivateFrame(int showCommand)
{
    if (showCommand >= 0) ShowWindow(m_hWnd, showCommand);
    else if (!IsWindowVisible(m_hWnd)) ShowWindow(m_hWnd, SW_SHOW);
    SendMessageA(m_pMDIFrame->m_hWndMDIClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(m_hWnd), 0);
    if (m_pActiveView) SetFocus(m_pActiveView->m_hWnd);
}

FxDocument* FxMDIChild::GetActiveDocument() const { return m_pActiveView ? m_pActiveView->GetDocument() : nullptr; }

void FxMDIChild::SetFixedTitle(const std::string& title)
{
    m_strFixedTitle = title;
    OnUpdateFrameTitle();
}

FxMDIChild::FxMDIChild()
{
    // Window > New Window: another window on the active document, as its template makes them.
    OnCommand(ID_WINDOW_NEW, [this] {
        FxDocument* doc = GetActiveDocument();
        if (doc && doc->GetDocTemplate()) doc->GetDocTemplate()->OpenNewWindow(doc);
    });
    OnUpdate(ID_WINDOW_NEW, [this](FxCmdUI& ui) {
        ui.Enable(GetActiveDocument() && GetActiveDocument()->GetDocTemplate());
    });
}

namespace {
// The 1-based place of `frame` among the distinct frames of `doc`'s views, and their count.
std::pair<int, int> WindowNumber(const FxDocument& doc, const FxMDIChild* frame)
{
    std::vector<const FxMDIChild*> frames;
    for (FxView* v : doc.GetViews()) {
        const FxMDIChild* f = v->GetParentFrame();
        if (f && std::find(frames.begin(), frames.end(), f) == frames.end()) frames.push_back(f);
    }
    const auto at = std::find(frames.begin(), frames.end(), frame);
    return {static_cast<int>(at - frames.begin()) + 1, static_cast<int>(frames.size())};
}
}  // namespace

void FxMDIChild::OnUpdateFrameTitle()
{
    std::string title = m_strFixedTitle;
    if (title.empty())
        if (FxDocument* doc = GetActiveDocument()) {
            const auto [number, count] = WindowNumber(*doc, this);
            title = doc->GetTitle();
            if (count > 1) title += ":" + std::to_string(number);
            if (doc->IsModified()) title += " *";
        }
    SetWindowTextA(m_hWnd, title.c_str());
    if (m_pMDIFrame) m_pMDIFrame->OnUpdateFrameTitle();
}

bool FxMDIChild::Route(const std::function<bool(FxCmdTarget&)>& ask)
{
    if (m_pActiveView && ask(*m_pActiveView)) return true;
    if (FxDocument* doc = GetActiveDocument())
        if (ask(*doc)) return true;
    return ask(*this);
}

void FxMDIChild::DestroyWindow()
{
    if (m_hWnd && m_pMDIFrame)
        SendMessageA(m_pMDIFrame->m_hWndMDIClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

void FxMDIChild::RecalcLayout()
{
    if (!m_hWndContent) return;
    RECT rc;
    GetClientRect(m_hWnd, &rc);
    MoveWindow(m_hWndContent, 0, 0, rc.right, rc.bottom, TRUE);
}

bool FxMDIChild::OnClose()
{
    FxDocument* doc = GetActiveDocument();
    if (!doc) {
        DestroyWindow();
        return true;
    }
    bool lastFrame = true;
    for (FxView* v : doc->GetViews())
        if (v->GetParentFrame() != this) lastFrame = false;
    if (!lastFrame) {
        DestroyWindow();
        return true;
    }
    if (!doc->SaveModified()) return false;
    doc->OnCloseDocument();
    return true;
}

LRESULT FxMDIChild::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_CREATE: {
        auto* cs = reinterpret_cast<CREATESTRUCTA*>(lp);
        auto* mcs = reinterpret_cast<MDICREATESTRUCTA*>(cs->lpCreateParams);
        auto* context = reinterpret_cast<FxCreateContext*>(mcs ? mcs->lParam : 0);
        if (Default(msg, wp, lp) == -1 || !OnCreateClient(context)) return -1;
        return 0;
    }
    case WM_SIZE: {
        LRESULT r = Default(msg, wp, lp);
        RecalcLayout();
        return r;
    }
    case WM_SETFOCUS:
        if (m_pActiveView && IsWindow(m_pActiveView->m_hWnd)) SetFocus(m_pActiveView->m_hWnd);
        return 0;
    case WM_CLOSE:
        OnClose();
        return 0;
    case WM_MDIACTIVATE:
        if (reinterpret_cast<HWND>(lp) == m_hWnd && m_pMDIFrame) m_pMDIFrame->OnChildActivated(this);
        break;
    case WM_DESTROY:
        if (m_pMDIFrame) m_pMDIFrame->OnChildDestroyed(this);
        break;
    case WM_COMMAND:
        if (m_pMDIFrame) return SendMessageA(m_pMDIFrame->m_hWnd, msg, wp, lp);
        break;
    }
    return Default(msg, wp, lp);
}

LRESULT FxMDIChild::Default(UINT msg, WPARAM wp, LPARAM lp) { return DefMDIChildProcA(m_hWnd, msg, wp, lp); }
