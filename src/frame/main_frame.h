// The IDE's main window: toolbar, status bar, mode bar, the WorkSpace and Output panes.
#pragma once
#include "frame/mdi_tab_bar.h"
#include "frame/message_navigator.h"
#include "frame/output_edit.h"
#include "frame/page_tab_ctrl.h"
#include "frame/pane_bar.h"
#include "frame/symbol_outline.h"
#include "frame/workspace_tree.h"
#include "fx/fx_handles.h"
#include "fx/fx_dialogbar.h"
#include "fx/fx_mdiframe.h"
#include "fx/fx_statusbar.h"
#include "fx/fx_toolbar.h"
#include <commctrl.h>

class CHalyardDoc;
class CTextView;
class ColourScheme;
class FxClassRegistry;
class FxMDIChild;

class CMainFrame : public FxMDIFrame {
public:
    // The Output pane and the WorkSpace tree take their colours from `scheme` (not owned; null:
    // the controls' own colours); the WorkSpace pages are made from the classes of `classes`
    // (null: the tree is the only page).
    explicit CMainFrame(ColourScheme* scheme = nullptr, const FxClassRegistry* classes = nullptr);

    // Shows (or hides) the WorkSpace pane, then the Output pane, at once.
    void ShowPanes(bool show);
    // Adds `text` as the last item under the tree's root "Code View", expanded and repainted;
    // its handle, or null.
    HTREEITEM AddDocumentItem(const char* text);
    void RenameDocumentItem(HTREEITEM item, const char* text);
    // Shows the Search page with the word at the active editor view's caret looked up (F1).
    void LookUpWordAtCaret();
    // Brings the WorkSpace tree's outline of every open source up to date (a timer does, every
    // half second).
    void RefreshOutline();
    // For an outline item of the tree: activates its file's window and selects the definition;
    // false for any other item.
    bool GoToOutlineItem(HTREEITEM item);

    FxStatusBar m_statusBar;
    FxToolBar m_toolBar;
    FxMDIChild* m_pWelcomeFrame = nullptr;
    int m_bMusicOn = 0;
    FxImageList m_paneIcons;
    CPaneBar m_outputBar;
    CPageTabCtrl m_workspaceTabs;
    CMdiTabBar m_mdiTabBar;
    CPaneBar m_workspaceBar;
    FxDialogBar m_selectorBar;
    COutputEdit m_outputEdit;
    CMessageNavigator m_messages{*this, m_outputEdit};  // from the Output pane to source lines
    CWorkspaceTree m_workspaceTree;
    HTREEITEM m_hCodeViewRoot = nullptr;

protected:
    bool OnCreateFrame() override;
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
    // Forgets the welcome window when it is closed.
    void OnChildDestroyed(FxMDIChild* child) override;

private:
    ColourScheme* m_pScheme = nullptr;
    const FxClassRegistry* m_pClasses = nullptr;
    bool CreateBars();
    bool CreatePanes();
    bool CreateWorkspacePages();
    void InsertCodeViewRoot();
    void DockBars();
    void FillModeLists();
    void CreateTreeImages();
    void ToggleMusic();
    void CreateWelcomeWindow();
    void ShowSymbolAt(CTextView& view, CHalyardDoc& doc, int line, const std::string& itemText);

    CSymbolOutline m_outline;
};
