#include "asm/halyard_view.h"

#include "asm/colour_scheme.h"
#include "asm/goto_definition.h"
#include "toolchain/halyard_doc.h"
#include "fx/fx_mdichild.h"
#include "fx/fx_mdiframe.h"
#include "resource.h"

namespace {
const int kEditMenuIndex = 1;   // the Edit popup of the document menu
const int kWheelLines = 5;
}  // namespace

CHalyardView::CHalyardView()
    : m_pGotoDefinition(std::make_unique<CGotoDefinition>(Site(), [this](const char* text) {
          if (FxMDIFrame* frame = MainFrame()) frame->SetMessageText(text);
      }))
{
    ChainTo(m_pGotoDefinition.get());
}

CHalyardView::~CHalyardView() = default;

void CHalyardView::ExplainWordAtCaret()
{
    if (FxMDIFrame* frame = MainFrame()) m_caretWord.Update(*this, *frame);
}

void CHalyardView::OnInitialUpdate()
{
    if (auto* doc = dynamic_cast<CHalyardDoc*>(GetDocument())) SetViewFont(doc->m_logFont);
    CTextEditView::OnInitialUpdate();
}

CTextBuffer* CHalyardView::LocateBuffer()
{
    auto* doc = dynamic_cast<CHalyardDoc*>(GetDocument());
    return doc ? &doc->GetBuffer() : nullptr;
}

LineState CHalyardView::ClassifyLine(LineState entering, int nLine, ColourRun* pRuns, int& nRuns, int nCapacity)
{
    const std::string_view text = GetLineChars(nLine);
    std::int32_t runs = 0;
    const LineState leaving =
        ::ClassifyLine(entering, text.data(), static_cast<std::int32_t>(text.size()), pRuns, runs, nCapacity);
    nRuns = pRuns ? runs : 0;
    return leaving;
}

void CHalyardView::AttachColourScheme(ColourScheme* pScheme)
{
    if (m_pColourScheme && m_hWnd) m_pColourScheme->UnregisterWindow(m_hWnd);
    m_pColourScheme = pScheme;
    if (m_pColourScheme && m_hWnd) (void)m_pColourScheme->RegisterWindow(m_hWnd);
}

COLORREF CHalyardView::ColourOf(int nColourIndex) const
{
    return m_pColourScheme ? m_pColourScheme->ColourAt(nColourIndex) : DefaultColourOf(nColourIndex);
}

// The main frame of the view's window; null for a view outside a frame.
FxMDIFrame* CHalyardView::MainFrame() const
{
    FxMDIChild* child = GetParentFrame();
    return child ? child->GetMDIFrame() : nullptr;
}

// Menu states come from the same update handlers as the main menu's, routed from the active view.
void CHalyardView::UpdateMenu(HMENU menu)
{
    if (FxMDIFrame* frame = MainFrame()) frame->UpdateMenuItems(menu);
}

void CHalyardView::RunCommand(UINT id)
{
    if (FxMDIFrame* frame = MainFrame()) {
        frame->RouteCmdMsg(id, 0);
        return;
    }
    if (!OnCmdMsg(id, 0) && GetDocument()) GetDocument()->OnCmdMsg(id, 0);
}

void CHalyardView::OnContextMenu(POINT pt)
{
    if (pt.x == -1 && pt.y == -1) {
        pt = TextPointToClient(GetCursorPos());
        pt.y += GetLineHeight();
        ClientToScreen(m_hWnd, &pt);
    }
    HMENU menu = LoadMenuA(GetResourceHandle(), MAKEINTRESOURCEA(IDR_HALYARDTYPE));
    HMENU popup = menu ? GetSubMenu(menu, kEditMenuIndex) : nullptr;
    UINT id = 0;
    if (popup) {
        UpdateMenu(popup);
        id = static_cast<UINT>(
            TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, pt.x, pt.y, 0, m_hWnd, nullptr));
    }
    if (menu) DestroyMenu(menu);
    if (id) RunCommand(id);
}

LRESULT CHalyardView::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_CREATE:
        if (m_pColourScheme) (void)m_pColourScheme->RegisterWindow(m_hWnd);
        break;
    case WM_DESTROY:
        if (m_pColourScheme) m_pColourScheme->UnregisterWindow(m_hWnd);
        break;
    case WM_CONTEXTMENU:
        OnContextMenu({static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))});
        return 0;
    case WM_INITMENUPOPUP:
        if (!HIWORD(lp)) UpdateMenu(reinterpret_cast<HMENU>(wp));
        return 0;
    case WM_KEYUP:
    case WM_LBUTTONUP: {
        // Caret keys arrive as accelerator commands; their key's release comes here.
        const LRESULT result = CTextEditView::WindowProc(msg, wp, lp);
        ExplainWordAtCaret();
        return result;
    }
    case WM_MOUSEWHEEL: {
        // Five lines a message, whatever the size of the turn.
        const WPARAM code = static_cast<short>(HIWORD(wp)) > 0 ? SB_LINEUP : SB_LINEDOWN;
        for (int i = 0; i < kWheelLines; ++i) SendMessageA(m_hWnd, WM_VSCROLL, code, 0);
        return 0;
    }
    }
    return CTextEditView::WindowProc(msg, wp, lp);
}
