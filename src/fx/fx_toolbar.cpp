#include "fx/fx_toolbar.h"
#include <commctrl.h>

bool FxToolBar::Create(FxMDIFrame* frame, UINT id)
{
    HWND parent = BeginCreate(frame);
    if (!parent) return false;
    RECT rc{0, 0, 0, 0};
    DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NOPARENTALIGN |
                  CCS_NORESIZE | CCS_NODIVIDER;
    if (!CreateEx(0, TOOLBARCLASSNAMEA, "", style, rc, parent, id)) return false;
    SendMessageA(m_hWnd, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    return true;
}

bool FxToolBar::LoadToolBar(UINT resourceId)
{
    HINSTANCE inst = GetModuleHandleA(nullptr);
    HRSRC res = FindResourceA(inst, MAKEINTRESOURCEA(resourceId), MAKEINTRESOURCEA(10) /* RT_RCDATA */);
    HGLOBAL data = res ? LoadResource(inst, res) : nullptr;
    const WORD* words = data ? static_cast<const WORD*>(LockResource(data)) : nullptr;
    DWORD size = res ? SizeofResource(inst, res) : 0;
    if (!words || size < 3 * sizeof(WORD)) return false;
    int cx = words[0], cy = words[1], count = words[2];
    if (size < (3 + static_cast<DWORD>(count)) * sizeof(WORD)) return false;
    m_images.Reset(ImageList_LoadImageA(inst, MAKEINTRESOURCEA(resourceId), cx, 0, RGB(255, 0, 255), IMAGE_BITMAP,
                                        LR_CREATEDIBSECTION));
    if (!m_images) return false;
    SendMessageA(m_hWnd, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(m_images.Get()));
    SendMessageA(m_hWnd, TB_SETBITMAPSIZE, 0, MAKELPARAM(cx, cy));
    std::vector<TBBUTTON> buttons;
    int image = 0;
    for (int i = 0; i < count; ++i) {
        UINT cmd = words[3 + i];
        TBBUTTON b{};
        b.idCommand = static_cast<int>(cmd);
        b.fsStyle = cmd ? BTNS_BUTTON : BTNS_SEP;
        b.fsState = TBSTATE_ENABLED;
        b.iBitmap = cmd ? image++ : 6;
        buttons.push_back(b);
        m_buttons.push_back(cmd);
    }
    SendMessageA(m_hWnd, TB_ADDBUTTONSA, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
    SendMessageA(m_hWnd, TB_AUTOSIZE, 0, 0);
    return true;
}

int FxToolBar::GetExtent() const
{
    RECT rc{};
    if (m_buttons.empty() || !SendMessageA(m_hWnd, TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&rc)))
        return 28;
    return rc.bottom + 4;
}

void FxToolBar::OnIdleUpdate()
{
    if (!m_pFrame || !IsVisible()) return;
    for (UINT cmd : m_buttons) {
        if (!cmd) continue;
        FxCmdUI ui(cmd);
        if (!m_pFrame->RouteUpdate(ui)) ui.Enable(false);
        SendMessageA(m_hWnd, TB_ENABLEBUTTON, cmd, MAKELPARAM(ui.m_bEnabled ? TRUE : FALSE, 0));
        SendMessageA(m_hWnd, TB_CHECKBUTTON, cmd, MAKELPARAM(ui.m_nCheck ? TRUE : FALSE, 0));
    }
}

UINT FxToolBar::CommandAt(POINT pt) const
{
    int index = static_cast<int>(SendMessageA(m_hWnd, TB_HITTEST, 0, reinterpret_cast<LPARAM>(&pt)));
    if (index < 0 || index >= static_cast<int>(m_buttons.size())) return 0;
    return m_buttons[static_cast<size_t>(index)];
}
