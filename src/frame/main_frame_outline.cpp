// The WorkSpace tree's outline of each open source: kept up to date on a timer, and the way from
// one of its items to the definition it names.
#include "frame/main_frame.h"

#include "toolchain/halyard_doc.h"
#include "editor/text_view.h"
#include "editor/view_site.h"
#include "frame/tree_items.h"
#include "fx/fx_app.h"
#include "fx/fx_docmanager.h"
#include "fx/fx_doctemplate.h"
#include "fx/fx_mdichild.h"

namespace {
// Every source document of the application, in the order of its templates.
std::vector<CHalyardDoc*> SourceDocuments(const FxApp* app)
{
    std::vector<CHalyardDoc*> docs;
    if (!app || !app->GetDocManager()) return docs;
    for (FxDocTemplate* tmpl : app->GetDocManager()->GetTemplates())
        for (FxDocument* doc : tmpl->GetDocuments())
            if (auto* source = dynamic_cast<CHalyardDoc*>(doc)) docs.push_back(source);
    return docs;
}
}  // namespace

// Only while the tree can be seen (a hidden pane catches up at the next tick after it shows), and
// only the files that changed since.
void CMainFrame::RefreshOutline()
{
    const HWND tree = m_workspaceTree.m_hWnd;
    if (!tree || !IsWindowVisible(tree)) return;
    for (CHalyardDoc* doc : SourceDocuments(GetApp()))
        if (doc->GetTreeItem()) m_outline.Follow(tree, doc->GetTreeItem(), doc->GetBuffer());
}

bool CMainFrame::GoToOutlineItem(HTREEITEM item)
{
    const HWND tree = m_workspaceTree.m_hWnd;
    const int line = OutlineItemLine(tree, item);
    if (line < 0) return false;
    HTREEITEM fileItem = item;
    while (fileItem) {
        const auto parent = reinterpret_cast<HTREEITEM>(
            SendMessageA(tree, TVM_GETNEXTITEM, TVGN_PARENT, reinterpret_cast<LPARAM>(fileItem)));
        if (!parent || parent == m_hCodeViewRoot) break;
        fileItem = parent;
    }
    for (CHalyardDoc* doc : SourceDocuments(GetApp())) {
        if (doc->GetTreeItem() != fileItem || doc->GetViews().empty()) continue;
        auto* view = dynamic_cast<CTextView*>(doc->GetViews().front());
        FxMDIChild* child = view ? view->GetParentFrame() : nullptr;
        if (!child) return true;
        SendMessageA(m_hWndMDIClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(child->m_hWnd), 0);
        ShowSymbolAt(*view, *doc, line, TreeItemText(tree, item));
        return true;
    }
    return true;
}

// The definition on `line` whose name the item shows ("print PROC", "again:"); the line's start
// when the text has changed since.
void CMainFrame::ShowSymbolAt(CTextView& view, CHalyardDoc& doc, int line, const std::string& itemText)
{
    for (const AsmSymbol& symbol : IndexSymbols(doc.GetBuffer())) {
        if (symbol.line != line || itemText.compare(0, symbol.name.size(), symbol.name) != 0) continue;
        view.Site().SelectFound(TextPosition{symbol.column, line}, int(symbol.name.size()));
        SetFocus(view.m_hWnd);
        return;
    }
    if (line < doc.GetBuffer().GetLineCount()) view.Site().GoToLine(line);
    SetFocus(view.m_hWnd);
}
