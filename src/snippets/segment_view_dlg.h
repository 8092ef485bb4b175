// The "SegmentView" page of the WorkSpace pane: the library of code snippets. Its tree lists the
// files of the snippet folder under the root "Code View"; Add, Delete and Edit work on the
// selected snippet, and a double-click inserts it into the document the student is working in.
#pragma once
#include "fx/fx_dialog.h"
#include "fx/fx_handles.h"
#include <commctrl.h>
#include <string>

class CSnippetHost;

class CSegmentViewDlg : public FxDialog {
public:
    // The snippet folder is "<current folder now>\segment"; it is never created. `host` (not
    // owned; null: nothing opens or inserts) outlives the page.
    explicit CSegmentViewDlg(CSnippetHost* host = nullptr);

    const std::string& GetFolder() const { return m_strFolder; }
    HWND GetTree() const;
    HTREEITEM GetRoot() const { return m_hRoot; }

protected:
    bool OnInitDialog() override;
    // Shows the page's size in the label at the top right and sizes the tree from the WorkSpace
    // pane (the tab control's parent): 28 pixels narrower and 160 pixels lower than the pane, 80
    // pixels from the top, or lower by what a large font adds to the buttons, which stay whole.
    void OnSize(int cx, int cy) override;

private:
    void OnAdd();
    void OnDelete();
    void OnEdit();
    void OnInsert();
    HTREEITEM AddItem(const std::string& name);
    HTREEITEM FindItem(const std::string& name) const;
    // The selected snippet's item; null when nothing or the root is selected.
    HTREEITEM SelectedSnippet() const;
    std::string ItemText(HTREEITEM item) const;
    std::string PathOf(const std::string& name) const { return m_strFolder + "\\" + name; }
    void FocusTree() const { SetFocus(GetTree()); }

    FxImageList m_images;
    HTREEITEM m_hRoot = nullptr;
    std::string m_strFolder;
    CSnippetHost* m_pHost;
};
