#include "editor/goto_line_dialog.h"

#include <string>

#include "core/editor/line_number.h"
#include "fx/fx_app.h"
#include "resource.h"

CGotoLineDialog::CGotoLineDialog(int lineCount, int current)
    : FxDialog(IDD_GOTO_LINE), m_nLine(current), m_nLineCount(lineCount > 0 ? lineCount : 1)
{
}

bool CGotoLineDialog::OnInitDialog()
{
    const std::string count = std::to_string(m_nLineCount);
    SetItemText(IDC_GOTO_LINE_RANGE, FxFormatString(IDS_GOTO_LINE_RANGE, count.c_str()));
    FxDialog::OnInitDialog();
    SendMessageA(GetItem(IDC_GOTO_LINE_NUMBER), EM_SETSEL, 0, -1);
    return true;
}

bool CGotoLineDialog::Exchange(bool bSave)
{
    if (!bSave) {
        SetItemText(IDC_GOTO_LINE_NUMBER, std::to_string(m_nLine));
        return true;
    }
    const int line = ParseLineNumber(GetItemText(IDC_GOTO_LINE_NUMBER).c_str(), m_nLineCount);
    if (line == 0) {
        const std::string count = std::to_string(m_nLineCount);
        SetItemText(IDC_GOTO_LINE_RANGE, FxFormatString(IDS_GOTO_LINE_INVALID, count.c_str()));
        MessageBeep(MB_ICONEXCLAMATION);
        SetFocus(GetItem(IDC_GOTO_LINE_NUMBER));
        SendMessageA(GetItem(IDC_GOTO_LINE_NUMBER), EM_SETSEL, 0, -1);
        return false;
    }
    m_nLine = line;
    return true;
}
