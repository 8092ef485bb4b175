// Modal dialogs from resource templates. A dialog class moves its data into the controls and back
// in Exchange, and handles its buttons in OnCommand; IDOK reads the controls and ends the dialog,
// IDCANCEL ends it.
#pragma once
#include <windows.h>
#include <string>

class FxDialog {
public:
    explicit FxDialog(UINT templateId) : m_nTemplate(templateId) {}
    virtual ~FxDialog() = default;
    FxDialog(const FxDialog&) = delete;
    FxDialog& operator=(const FxDialog&) = delete;

    // Runs the dialog owned by `owner` (disabled meanwhile) and answers the id it ended with, or
    // -1 when it could not be created.
    INT_PTR DoModal(HWND owner);
    // The dialog window while it runs, else null.
    HWND GetSafeHwnd() const { return m_hWnd; }
    HWND GetItem(int id) const { return GetDlgItem(m_hWnd, id); }

    // bSave: from the controls into the data (false when a value is refused), else the reverse.
    bool UpdateData(bool bSave = true) { return Exchange(bSave); }

protected:
    // Fills the controls from the data; true lets the system focus the first control.
    virtual bool OnInitDialog();
    // A button or a control's notification; true when handled.
    virtual bool OnCommand(UINT id, UINT code);
    virtual bool Exchange(bool bSave)
    {
        (void)bSave;
        return true;
    }
    void EndDialog(INT_PTR result);

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
    static INT_PTR CALLBACK StaticProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    INT_PTR DialogProc(UINT msg, WPARAM wp, LPARAM lp);

    UINT m_nTemplate;
    HWND m_hWnd = nullptr;
};
