// Dialogs from resource templates, as windows of the framework: the same command table, update
// handlers and notification handlers as any other window. A modal dialog runs in DoModal; a
// modeless page lives inside another window (a pane, a tab page) and gets its keyboard navigation
// from the application's message loop. A dialog class moves its data into the controls and back
// in Exchange.
#pragma once
#include "fx/fx_wnd.h"
#include <string>

class FxDialog : public FxWnd {
public:
    explicit FxDialog(UINT templateId) : m_nTemplate(templateId) {}

    // Runs the dialog owned by `owner` (disabled meanwhile) and answers the id it ended with, or
    // -1 when it could not be created.
    INT_PTR DoModal(HWND owner);
    // Makes the dialog a visible child page of `parent` with control id `id`; false when the
    // template cannot be made.
    [[nodiscard]] bool CreatePage(HWND parent, UINT id);
    // Makes the dialog a visible window of its own owned by `owner`, which stays usable; the
    // dialog stays until it is destroyed. False when the template cannot be made.
    [[nodiscard]] bool CreateModeless(HWND owner);
    bool IsPage() const { return m_bPage; }
    // The dialog window while it exists, else null.
    HWND GetSafeHwnd() const { return m_hWnd; }
    HWND GetItem(int id) const { return GetDlgItem(m_hWnd, id); }

    // bSave: from the controls into the data (false when a value is refused), else the reverse.
    bool UpdateData(bool bSave = true) { return Exchange(bSave); }
    // Tab, arrows, Enter and Escape for a page whose control has the focus; true when used.
    static bool PreTranslatePageMessage(MSG& msg);

protected:
    // Fills the controls from the data; true lets the system focus the first control.
    virtual bool OnInitDialog();
    // A button or a control's WM_COMMAND: the command table first; then, in a modal dialog, IDOK
    // reads the controls and ends the dialog and IDCANCEL ends it. True when handled.
    virtual bool OnDialogCommand(UINT id, UINT code);
    virtual void OnSize(int cx, int cy)
    {
        (void)cx;
        (void)cy;
    }
    virtual bool Exchange(bool bSave)
    {
        (void)bSave;
        return true;
    }
    void EndDialog(INT_PTR result);
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

    // --- Controls
    std::string GetItemText(int id) const;
    void SetItemText(int id, const std::string& text);
    bool IsChecked(int id) const;
    void SetChecked(int id, bool bOn);
    void EnableItem(int id, bool bOn);
    bool IsItemEnabled(int id) const;
    // The position of the checked button among the ids first..last, or -1 when none is.
    int GetRadio(int first, int last) const;
    void SetRadio(int first, int last, int index);

private:
    static INT_PTR CALLBACK InitProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT Dispatch(UINT msg, WPARAM wp, LPARAM lp);

    UINT m_nTemplate;
    bool m_bPage = false;
};
