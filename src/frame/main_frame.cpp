#include "frame/main_frame.h"
#include "frame/background_view.h"
#include "frame/child_frame.h"
#include "frame/tree_items.h"
#include "core/toolchain/build_config.h"
#include "resource.h"
#include <mmsystem.h>

using halyard::toolchain::ModeList;

namespace {
const UINT kToolBarId = 0xE800;    // the framework's ids of its standard bars
const UINT kStatusBarId = 0xE801;
const UINT kDialogBarId = 0xE805;
const UINT_PTR kOutlineTimer = 1;  // the WorkSpace outline follows edits within a second
const UINT kOutlinePeriod = 500;   // milliseconds

const UINT kIndicators[] = {ID_SEPARATOR,           ID_EDIT_INDICATOR_POSITION, ID_INDICATOR_BLANK,
                            ID_EDIT_INDICATOR_CRLF, ID_INDICATOR_OVR,           ID_INDICATOR_READ,
                            ID_INDICATOR_CAPS,      ID_INDICATOR_NUM,           ID_INDICATOR_SCRL};
}  // namespace

CMainFrame::CMainFrame(ColourScheme* scheme, const FxClassRegistry* classes) : m_pScheme(scheme), m_pClasses(classes)
{
    OnCommand(ID_VIEW_WORKSPACE, [this] { ShowControlBar(&m_workspaceBar, !m_workspaceBar.IsVisible()); });
    OnUpdate(ID_VIEW_WORKSPACE, [this](FxCmdUI& ui) { ui.SetCheck(m_workspaceBar.IsVisible()); });
    OnCommand(ID_VIEW_OUTPUT, [this] { ShowControlBar(&m_outputBar, !m_outputBar.IsVisible()); });
    OnUpdate(ID_VIEW_OUTPUT, [this](FxCmdUI& ui) { ui.SetCheck(m_outputBar.IsVisible()); });
    OnCommand(ID_BACKGROUND_MUSIC, [this] { ToggleMusic(); });
    OnUpdate(ID_BACKGROUND_MUSIC, [this](FxCmdUI& ui) { ui.SetCheck(m_bMusicOn == 1); });
    OnCommand(ID_NEXT_MESSAGE, [this] { m_messages.Step(1); });
    OnCommand(ID_PREV_MESSAGE, [this] { m_messages.Step(-1); });
    OnCommand(ID_REFERENCE_LOOKUP, [this] { LookUpWordAtCaret(); });
}

// Bars, panes, pages, docking, the MDI tabs; the panes stay hidden until a file is opened. A bar,
// a pane, the mode bar or the tree that cannot be made fails the frame.
bool CMainFrame::OnCreateFrame()
{
    if (!CreateBars() || !CreatePanes()) return false;
    CreateTreeImages();
    InsertCodeViewRoot();
    (void)CreateWorkspacePages();
    DockBars();
    if (m_mdiTabBar.Install(m_hWnd, m_hWndMDIClient, CMdiTabBar::kMainFrameStyle))
        SetClientAreaHandler([this](const RECT& area) { m_mdiTabBar.Layout(area); });
    ShowControlBar(&m_workspaceBar, false);
    ShowControlBar(&m_outputBar, false);
    CreateWelcomeWindow();
    SetTimer(m_hWnd, kOutlineTimer, kOutlinePeriod, nullptr);
    ShowWindow(m_hWnd, SW_SHOWMAXIMIZED);
    return true;
}

LRESULT CMainFrame::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_TIMER && wp == kOutlineTimer) {
        RefreshOutline();
        return 0;
    }
    if (msg == WM_DESTROY) KillTimer(m_hWnd, kOutlineTimer);
    return FxMDIFrame::WindowProc(msg, wp, lp);
}

// The first MDI child, "Halyard MiniBBS", a document-less welcome view; without it the frame
// starts all the same.
void CMainFrame::CreateWelcomeWindow()
{
    auto* child = new CChildFrame;
    FxCreateContext context{&CBackgroundView::CreateObject, nullptr};
    if (!child->LoadFrame(IDI_WELCOME, WS_MAXIMIZE | WS_OVERLAPPEDWINDOW, this, &context)) return;  // deleted itself
    m_pWelcomeFrame = child;
    if (FxView* view = child->GetActiveView()) view->OnInitialUpdate();
    child->SetFixedTitle("Halyard MiniBBS");
    child->ActivateFrame(SW_SHOWMAXIMIZED);
}

void CMainFrame::InsertCodeViewRoot() { m_hCodeViewRoot = AppendTreeRoot(m_workspaceTree.m_hWnd, "Code View"); }

// The tree, then the snippet library and the instruction reference, made by class name.
bool CMainFrame::CreateWorkspacePages()
{
    bool ok = m_workspaceTabs.AddWindowPage(m_workspaceTree.m_hWnd, "CodeView", IDR_MAINFRAME);
    if (m_pClasses) {
        ok = m_workspaceTabs.AddDialogPage(*m_pClasses, "CSegmentViewDlg", IDD_SEGMENTVIEW, "SegmentView",
                                           IDI_SEGMENT_TAB) && ok;
        ok = m_workspaceTabs.AddDialogPage(*m_pClasses, "CSearchDlg", IDD_SEARCH, "Search", IDI_SEARCH_TAB) && ok;
    }
    m_workspaceTabs.RecalcLayout();
    return ok;
}

// The panes dock on any side and float; the toolbar and mode bar stay at the top.
void CMainFrame::DockBars()
{
    m_workspaceBar.EnableDocking(kFxDockAny);
    m_outputBar.EnableDocking(kFxDockAny);
    DockControlBar(&m_workspaceBar, FxDockSide::Left);
    DockControlBar(&m_outputBar, FxDockSide::Bottom);
}

// The toolbar and the status bar; the mode bar comes after the panes.
bool CMainFrame::CreateBars()
{
    if (!m_toolBar.Create(this, kToolBarId) || !m_toolBar.LoadToolBar(IDR_MAINFRAME)) return false;
    SetWindowTextA(m_toolBar.m_hWnd, "Control Tool Bar");
    if (!m_statusBar.Create(this, kStatusBarId) ||
        !m_statusBar.SetIndicators(kIndicators, sizeof kIndicators / sizeof kIndicators[0]))
        return false;
    SetToolBar(&m_toolBar);
    SetStatusBar(&m_statusBar);
    return true;
}

// The two panes, the mode bar, the Output edit, the WorkSpace tab control and its tree.
bool CMainFrame::CreatePanes()
{
    const DWORD paneStyle = WS_CHILD | WS_VISIBLE;
    if (!m_workspaceBar.Create("WorkSpace", this, SIZE{260, 200}, TRUE, IDC_WORKSPACE_BAR, paneStyle)) return false;
    if (!m_outputBar.Create("Output", this, SIZE{100, 100}, TRUE, IDC_OUTPUT_BAR, paneStyle)) return false;
    if (!m_selectorBar.Create(this, IDD_SELECTOR, kDialogBarId)) return false;
    SetWindowTextA(m_selectorBar.m_hWnd, "Selector");
    FillModeLists();
    // Layout order: the status bar lies below the Output pane; the mode bar below the toolbar.
    AddControlBar(&m_statusBar);
    AddControlBar(&m_toolBar);
    AddControlBar(&m_selectorBar);
    (void)m_outputEdit.Create(m_outputBar.m_hWnd, IDC_OUTPUT_EDIT);
    m_outputEdit.AttachScheme(m_pScheme);
    m_outputEdit.SetLineChosenHandler([this](int line) { m_messages.Choose(line); });
    (void)m_workspaceTabs.Create(CPageTabCtrl::kBottom | WS_CHILD | WS_VISIBLE, RECT{0, 0, 100, 100},
                                 m_workspaceBar.m_hWnd, IDC_WORKSPACE_TABS);
    const HWND treeParent = m_workspaceTabs.m_hWnd ? m_workspaceTabs.m_hWnd : m_workspaceBar.m_hWnd;
    if (!m_workspaceTree.Create(treeParent, IDC_WORKSPACE_TREE)) return false;
    m_workspaceTree.AttachScheme(m_pScheme);
    return true;
}

void CMainFrame::FillModeLists()
{
    const struct {
        ModeList list;
        int id;
    } lists[] = {{ModeList::Cpu, IDC_SELECT_CPU},
                 {ModeList::Assembler, IDC_SELECT_ASSEMBLER},
                 {ModeList::Bitness, IDC_SELECT_BITNESS},
                 {ModeList::Config, IDC_SELECT_CONFIG}};
    for (const auto& l : lists) {
        HWND combo = m_selectorBar.GetItem(l.id);
        for (int i = 0; i < halyard::toolchain::ModeWordCount(l.list); ++i)
            SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(halyard::toolchain::ModeWord(l.list, i)));
    }
}

void CMainFrame::CreateTreeImages()
{
    m_paneIcons = LoadTreeIcons({IDI_TREE_ROOT, IDI_TREE_FILE, IDI_TREE_FILE_SELECTED});
    SendMessageA(m_workspaceTree.m_hWnd, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(m_paneIcons.Get()));
    SendMessageA(m_workspaceTree.m_hWnd, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
}

void CMainFrame::ShowPanes(bool show)
{
    ShowControlBar(&m_workspaceBar, show);
    ShowControlBar(&m_outputBar, show);
}

HTREEITEM CMainFrame::AddDocumentItem(const char* text)
{
    return AppendTreeChild(m_workspaceTree.m_hWnd, m_hCodeViewRoot, text);
}

void CMainFrame::RenameDocumentItem(HTREEITEM item, const char* text)
{
    TVITEMA tv{};
    tv.mask = TVIF_TEXT;
    tv.hItem = item;
    tv.pszText = const_cast<char*>(text);
    SendMessageA(m_workspaceTree.m_hWnd, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
}

void CMainFrame::ToggleMusic()
{
    // The sound is looked up in the current folder of the moment; a missing file is silent.
    if (m_bMusicOn == 0) {
        PlaySoundA("BackDrop.wav", nullptr, SND_ASYNC | SND_LOOP | SND_FILENAME | SND_NODEFAULT);
        m_bMusicOn = 1;
    } else {
        PlaySoundA(nullptr, nullptr, 0);
        m_bMusicOn = 0;
    }
}

void CMainFrame::OnChildDestroyed(FxMDIChild* child)
{
    if (child == m_pWelcomeFrame) m_pWelcomeFrame = nullptr;
    FxMDIFrame::OnChildDestroyed(child);
}
