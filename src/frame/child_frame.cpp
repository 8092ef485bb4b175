#include "frame/child_frame.h"
#include "resource.h"

namespace {
const SIZE kMinPane{30, 30};
}

CChildFrame::CChildFrame() { OnCommand(ID_WINDOW_SPLIT, [this] { ToggleSplit(); }); }

bool CChildFrame::OnCreateClient(FxCreateContext* context)
{
    if (!m_wndSplitter.CreateDynamic(this, 2, 2, kMinPane, context, AFX_IDW_PANE_FIRST)) return false;
    m_hWndContent = m_wndSplitter.m_hWnd;
    SetActiveView(m_wndSplitter.GetPane(0, 0));
    return true;
}

void CChildFrame::ToggleSplit()
{
    if (m_wndSplitter.GetRowCount() == 1 && m_wndSplitter.GetColumnCount() == 1) {
        m_wndSplitter.SplitAtCentre();
        return;
    }
    int keepRow = 0, keepColumn = 0;
    m_wndSplitter.FindPane(GetActiveView(), keepRow, keepColumn);
    if (m_wndSplitter.GetRowCount() == 2) m_wndSplitter.DeleteRow(1 - keepRow);
    if (m_wndSplitter.GetColumnCount() == 2) m_wndSplitter.DeleteColumn(1 - keepColumn);
}
