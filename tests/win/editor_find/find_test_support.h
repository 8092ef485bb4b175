// Helpers of the find, replace and bookmark tests: a small view over a real buffer that keeps a
// caret and a selection as the editor views do, and a way to act inside a modal dialog.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "core/buffer/position_adjuster.h"
#include "core/buffer/text_buffer.h"
#include "editor/view_bookmarks.h"
#include "editor/view_search.h"
#include "editor/view_site.h"
#include "win/win_test_util.h"

namespace findtest {

// The find and bookmark commands of one view as one target, as a view routes them: a target with
// no commands of its own that hands every command on to the two sets.
class CFindAndMarkCommands : public FxCmdTarget {
public:
    explicit CFindAndMarkCommands(CViewSite& view) : m_search(view), m_bookmarks(view)
    {
        ChainTo(&m_search);
        ChainTo(&m_bookmarks);
    }
    CViewSearch& Search() { return m_search; }
    CViewBookmarks& Bookmarks() { return m_bookmarks; }

private:
    CViewSearch m_search;
    CViewBookmarks m_bookmarks;
};

// A view with a window of its own (the dialogs' owner), following the buffer's changes.
class CStandInView final : public CViewSite, public CBufferObserver {
public:
    CStandInView()
    {
        m_hWnd = CreateWindowExA(0, "STATIC", "view", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    }
    ~CStandInView()
    {
        if (m_pBuffer)
            m_pBuffer->RemoveView(this);
        DestroyWindow(m_hWnd);
    }
    void Attach(CTextBuffer& buffer)
    {
        m_pBuffer = &buffer;
        (void)buffer.AddView(this);
    }

    CTextBuffer* GetBuffer() const override { return m_pBuffer; }
    CBufferObserver* GetObserver() override { return this; }
    HWND GetWindow() const override { return m_hWnd; }
    TextPosition GetCaret() const override { return caret; }
    TextRange GetSelection() const override { return Normalized(selStart, selEnd); }
    bool IsEditable() const override { return bEditable && m_pBuffer && !m_pBuffer->GetReadOnly(); }
    void Select(TextPosition start, TextPosition end, TextPosition newCaret) override
    {
        selStart = start;
        selEnd = end;
        caret = newCaret;
        ++nSelects;
    }
    void SetSelection(TextPosition start, TextPosition end) override
    {
        selStart = start;
        selEnd = end;
    }
    void ShowInactiveSelection(bool bShow) override { bShowInactive = bShow; }
    void OnBufferChange(CBufferObserver*, const PositionAdjuster* pContext, unsigned, int) override
    {
        if (!pContext)
            return;
        for (TextPosition* pt : {&caret, &selStart, &selEnd})
            pContext->AdjustPosition(*pt);
    }

    TextPosition caret, selStart, selEnd;
    bool bEditable = true;
    bool bShowInactive = false;
    int nSelects = 0;

private:
    HWND m_hWnd = nullptr;
    CTextBuffer* m_pBuffer = nullptr;
};

inline BOOL CALLBACK TakeVisibleDialog(HWND hwnd, LPARAM lp)
{
    char cls[16] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    if (std::string(cls) != "#32770" || !IsWindowVisible(hwnd)) return TRUE;
    *reinterpret_cast<HWND*>(lp) = hwnd;
    return FALSE;
}

// The dialog of this thread that is open now, or null.
inline HWND OpenDialog()
{
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), TakeVisibleDialog, reinterpret_cast<LPARAM>(&found));
    return found;
}

struct DialogAction {
    static inline const std::function<void(HWND)>* s_act = nullptr;
    static inline bool s_ran = false;
    // Acts once on the first dialog that is open.
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR id, DWORD)
    {
        HWND dialog = OpenDialog();
        if (!dialog || s_ran) return;
        KillTimer(nullptr, id);
        s_ran = true;
        (*s_act)(dialog);
    }
};

// Runs `open`, which shows a modal dialog, and `act` on that dialog once it runs; `act` must
// close it. Answers whether `act` ran.
inline bool WithDialog(const std::function<void()>& open, const std::function<void(HWND)>& act)
{
    DialogAction::s_act = &act;
    DialogAction::s_ran = false;
    UINT_PTR timer = SetTimer(nullptr, 0, 10, DialogAction::OnTimer);
    open();
    KillTimer(nullptr, timer);
    DialogAction::s_act = nullptr;
    return DialogAction::s_ran;
}

inline void Click(HWND dialog, int id)
{
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

inline void SetText(HWND dialog, int id, const char* text) { SetDlgItemTextA(dialog, id, text); }

inline std::string GetText(HWND dialog, int id)
{
    char text[256] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

inline bool Enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }

inline bool Checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

inline std::string AllText(const CTextBuffer& buffer)
{
    std::string text;
    const int last = buffer.GetLineCount() - 1;
    (void)buffer.GetText(0, 0, last, buffer.GetLineLength(last), text);
    return text;
}

} // namespace findtest
