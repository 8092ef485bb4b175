#include "snippets/segment_view_dlg.h"
#include "toolchain/halyard_doc.h"
#include "frame/tree_items.h"
#include "fx/fx_app.h"
#include "snippets/name_prompt_dlg.h"
#include "snippets/snippet_files.h"
#include "snippets/snippet_host.h"
#include "resource.h"
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
const int kTreeTop = 80;   // pixels from the page's top; the tree's bottom keeps as far from the pane's
const int kButtonGap = 4;  // below the buttons, where a large font makes them reach past kTreeTop

std::string CurrentFolder()
{
    std::vector<char> path(GetCurrentDirectoryA(0, nullptr) + 1, '\0');
    const DWORD n = GetCurrentDirectoryA(static_cast<DWORD>(path.size()), path.data());
    return n > 0 && n < path.size() ? std::string(path.data(), n) : std::string(".");
}
}  // namespace

CSegmentViewDlg::CSegmentViewDlg(CSnippetHost* host)
    : FxDialog(IDD_SEGMENTVIEW), m_strFolder(CurrentFolder() + "\\segment"), m_pHost(host)
{
    OnCommand(IDC_SEGMENT_ADD, [this] { OnAdd(); });
    OnCommand(IDC_SEGMENT_DELETE, [this] { OnDelete(); });
    OnCommand(IDC_SEGMENT_EDIT, [this] { OnEdit(); });
    OnNotify(IDC_SEGMENT_TREE, static_cast<UINT>(NM_DBLCLK), [this](NMHDR&) -> LRESULT {
        OnInsert();
        return 0;
    });
}

HWND CSegmentViewDlg::GetTree() const { return GetItem(IDC_SEGMENT_TREE); }

bool CSegmentViewDlg::OnInitDialog()
{
    FxDialog::OnInitDialog();
    HWND tree = GetTree();
    m_images = LoadTreeIcons({IDI_SEGMENT_ROOT, IDI_TREE_FILE, IDI_TREE_FILE_SELECTED});
    SendMessageA(tree, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(m_images.Get()));
    SendMessageA(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    SetWindowLongPtrA(tree, GWL_EXSTYLE, GetWindowLongPtrA(tree, GWL_EXSTYLE) | WS_EX_CLIENTEDGE);
    SetWindowPos(tree, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    m_hRoot = AppendTreeRoot(tree, "Code View");
    for (const std::string& name : ListSnippetFolder(m_strFolder)) AddItem(name);
    return true;
}

void CSegmentViewDlg::OnSize(int cx, int cy)
{
    HWND label = GetItem(IDC_SEGMENT_SIZE);
    if (!label) return;
    char text[32];
    std::snprintf(text, sizeof text, "X=%d,Y=%d", cx, cy);
    SetWindowTextA(label, text);
    RECT pane{}, buttons{};
    HWND tabs = GetParent(m_hWnd);
    if (!tabs || !GetParent(tabs) || !GetWindowRect(GetParent(tabs), &pane)) return;
    GetWindowRect(GetItem(IDC_SEGMENT_ADD), &buttons);
    MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&buttons), 2);
    const int top = std::max<int>(kTreeTop, buttons.bottom + kButtonGap);
    const int width = pane.right - pane.left - 28, height = pane.bottom - pane.top - kTreeTop - top;
    MoveWindow(GetTree(), 5, top, std::max(0, width), std::max(0, height), TRUE);
}

// A name that already names a snippet file keeps that file: the student may open it instead.
void CSegmentViewDlg::OnAdd()
{
    CNamePromptDlg prompt;
    if (prompt.DoModal(m_hWnd) != IDOK) return FocusTree();
    const std::string& name = prompt.m_strName;
    const std::string path = PathOf(name);
    DWORD error = 0;
    if (!CreateEmptySnippet(path, error)) {
        if (error != ERROR_FILE_EXISTS) return FxReportFileError(IDS_SEGMENT_CREATE_FAILED, path.c_str(), error);
        if (FxMessageBox(FxFormatString(IDS_SEGMENT_EXISTS, name.c_str()).c_str(), MB_YESNO | MB_ICONQUESTION) != IDYES)
            return FocusTree();
    }
    HTREEITEM item = FindItem(name);
    if (!item) item = AddItem(name);
    SendMessageA(GetTree(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
    if (m_pHost) m_pHost->OpenSnippet(path.c_str());
    FocusTree();
}

// One click must not lose a snippet: the file goes only after the student says yes.
void CSegmentViewDlg::OnDelete()
{
    HTREEITEM item = SelectedSnippet();
    if (!item) return FocusTree();
    const std::string name = ItemText(item), path = PathOf(name);
    const UINT ask = MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2;
    if (FxMessageBox(FxFormatString(IDS_SEGMENT_DELETE, name.c_str()).c_str(), ask) == IDYES) {
        if (DeleteFileA(path.c_str())) SendMessageA(GetTree(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(item));
        else FxReportFileError(IDS_SEGMENT_DELETE_FAILED, path.c_str(), GetLastError());
    }
    FocusTree();
}

void CSegmentViewDlg::OnEdit()
{
    HTREEITEM item = SelectedSnippet();
    if (item && m_pHost) m_pHost->OpenSnippet(PathOf(ItemText(item)).c_str());
    FocusTree();
}

// Only the document the student is looking at receives the snippet, whole and byte for byte.
void CSegmentViewDlg::OnInsert()
{
    HTREEITEM item = SelectedSnippet();
    CHalyardDoc* doc = m_pHost ? m_pHost->GetActiveEditorDocument() : nullptr;
    if (!item || !doc) return;
    const std::string path = PathOf(ItemText(item));
    std::string bytes;
    DWORD error = 0;
    if (!ReadSnippet(path, bytes, error)) return FxReportFileError(IDS_SEGMENT_READ_FAILED, path.c_str(), error);
    doc->InsertAtCaret(bytes);
}

HTREEITEM CSegmentViewDlg::AddItem(const std::string& name) { return AppendTreeChild(GetTree(), m_hRoot, name.c_str()); }

HTREEITEM CSegmentViewDlg::FindItem(const std::string& name) const
{
    HWND tree = GetTree();
    auto item = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(m_hRoot)));
    for (; item; item = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item))))
        if (lstrcmpiA(ItemText(item).c_str(), name.c_str()) == 0) return item;
    return nullptr;
}

HTREEITEM CSegmentViewDlg::SelectedSnippet() const
{
    auto item = reinterpret_cast<HTREEITEM>(SendMessageA(GetTree(), TVM_GETNEXTITEM, TVGN_CARET, 0));
    return item == m_hRoot ? nullptr : item;
}

std::string CSegmentViewDlg::ItemText(HTREEITEM item) const { return TreeItemText(GetTree(), item); }
