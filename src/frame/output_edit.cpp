#include "frame/output_edit.h"
#include "asm/colour_scheme.h"
#include <algorithm>

bool COutputEdit::Create(HWND parent, UINT id)
{
    RECT rc{0, 0, 0, 0};
    // The line a message took the editor to stays selected while the editor has the focus.
    DWORD style = WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | ES_READONLY |
                  ES_NOHIDESEL;
    if (!CreateEx(WS_EX_CLIENTEDGE, "EDIT", "", style, rc, parent, id)) return false;
    SendMessageA(m_hWnd, EM_SETLIMITTEXT, 0, 0);  // a multi-line edit stops near 30,000 characters otherwise
    SendMessageA(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return true;
}

void COutputEdit::Append(const char* text)
{
    int end = GetWindowTextLengthA(m_hWnd);
    SendMessageA(m_hWnd, EM_SETSEL, end, end);
    SendMessageA(m_hWnd, EM_SCROLLCARET, 0, 0);
    SendMessageA(m_hWnd, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text));
}

void COutputEdit::AttachScheme(ColourScheme* scheme)
{
    if (m_pScheme) m_pScheme->UnregisterWindow(m_hWnd);
    m_pScheme = scheme;
    if (m_pScheme) (void)m_pScheme->RegisterWindow(m_hWnd);
}

std::string COutputEdit::GetText() const
{
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(m_hWnd)) + 1, '\0');
    text.resize(static_cast<std::size_t>(std::max(0, GetWindowTextA(m_hWnd, text.data(), static_cast<int>(text.size())))));
    return text;
}

HBRUSH COutputEdit::OnReflectCtlColor(HDC dc) { return m_pScheme ? m_colours.Answer(*m_pScheme, dc) : nullptr; }

namespace {

// The row of the edit's character `index`.
int RowOf(HWND edit, LRESULT index) { return static_cast<int>(SendMessageA(edit, EM_LINEFROMCHAR, index, 0)); }

// The line of `lines` that holds row `row`.
int LineOfRow(const COutputEdit::Lines& lines, int row)
{
    const auto next = std::upper_bound(lines.firstRow.begin(), lines.firstRow.end(), row);
    return static_cast<int>(next - lines.firstRow.begin()) - 1;
}


// The text of row `row` as the edit shows it, without its break.
std::string RowText(HWND edit, int row)
{
    const LRESULT start = SendMessageA(edit, EM_LINEINDEX, row, 0);
    const auto length = static_cast<std::size_t>(SendMessageA(edit, EM_LINELENGTH, start, 0));
    // EM_GETLINE reads its room from the buffer's first word; a character takes two bytes at most.
    std::string text(std::min<std::size_t>(2 * length + 2, 0xFFFF), '\0');
    *reinterpret_cast<WORD*>(text.data()) = static_cast<WORD>(text.size());
    const auto copied = static_cast<std::size_t>(SendMessageA(edit, EM_GETLINE, row, reinterpret_cast<LPARAM>(text.data())));
    text.resize(std::min(copied, text.size()));
    return text;
}

}  // namespace

// The edit tells its rows, not where its text's lines end: each row's text is found in the whole
// text, and a line end right after it ends a line; otherwise the row wrapped (the blanks at a
// wrap that the row leaves out still belong to the line).
COutputEdit::Lines COutputEdit::ReadLines() const
{
    const std::string text = GetText();
    const auto rowCount = static_cast<int>(SendMessageA(m_hWnd, EM_GETLINECOUNT, 0, 0));
    std::vector<std::string> rows;
    for (int r = 0; r < rowCount; ++r) rows.push_back(RowText(m_hWnd, r));

    Lines lines;
    lines.firstRow.push_back(0);
    lines.text.emplace_back();
    std::size_t pos = 0;
    for (int r = 0; r < rowCount; ++r) {
        lines.text.back() += rows[r];
        pos += rows[r].size();
        if (r + 1 == rowCount) break;
        // CR LF ends a line, and so does the CR CR LF of a program that printed CR LF in text mode.
        const std::size_t end = text.find_first_not_of('\r', pos);
        if (end != pos && end < text.size() && text[end] == '\n') {
            pos = end + 1;
            lines.firstRow.push_back(r + 1);
            lines.text.emplace_back();
            continue;
        }
        while (pos < text.size() && text[pos] == ' ' && text.compare(pos, rows[r + 1].size(), rows[r + 1]) != 0)
            lines.text.back() += text[pos++];
    }
    return lines;
}

void COutputEdit::SelectLine(const Lines& lines, int line)
{
    if (line < 0 || line >= static_cast<int>(lines.firstRow.size())) return;
    const LRESULT start = SendMessageA(m_hWnd, EM_LINEINDEX, lines.firstRow[line], 0);
    const int lastRow = line + 1 < static_cast<int>(lines.firstRow.size()) ? lines.firstRow[line + 1] - 1 : lines.firstRow[line];
    const LRESULT lastStart = SendMessageA(m_hWnd, EM_LINEINDEX, lastRow, 0);
    const LRESULT end = lastStart + SendMessageA(m_hWnd, EM_LINELENGTH, lastStart, 0);
    SendMessageA(m_hWnd, EM_SETSEL, start, end);
    SendMessageA(m_hWnd, EM_SCROLLCARET, 0, 0);
}

int COutputEdit::GetSelectedLine(const Lines& lines) const
{
    DWORD start = 0, end = 0;
    SendMessageA(m_hWnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    if (end <= start) return -1;
    const int line = LineOfRow(lines, RowOf(m_hWnd, start));
    const int lastRow = line + 1 < static_cast<int>(lines.firstRow.size()) ? lines.firstRow[line + 1] - 1 : RowOf(m_hWnd, end);
    const LRESULT lastStart = SendMessageA(m_hWnd, EM_LINEINDEX, lastRow, 0);
    const bool whole = start == static_cast<DWORD>(SendMessageA(m_hWnd, EM_LINEINDEX, lines.firstRow[line], 0)) &&
                       end == static_cast<DWORD>(lastStart + SendMessageA(m_hWnd, EM_LINELENGTH, lastStart, 0));
    return whole ? line : -1;
}

int COutputEdit::GetCaretLine(const Lines& lines) const
{
    DWORD start = 0, end = 0;
    SendMessageA(m_hWnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const auto rows = static_cast<int>(SendMessageA(m_hWnd, EM_GETLINECOUNT, 0, 0));
    const LRESULT lastStart = SendMessageA(m_hWnd, EM_LINEINDEX, rows - 1, 0);
    if (end >= static_cast<DWORD>(lastStart + SendMessageA(m_hWnd, EM_LINELENGTH, lastStart, 0))) return -1;
    return LineOfRow(lines, RowOf(m_hWnd, end));
}

LRESULT COutputEdit::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_DESTROY) AttachScheme(nullptr);
    if (msg != WM_LBUTTONDBLCLK || !m_onLineChosen) return Default(msg, wp, lp);
    const LRESULT result = Default(msg, wp, lp);
    DWORD start = 0;
    SendMessageA(m_hWnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    m_onLineChosen(LineOfRow(ReadLines(), RowOf(m_hWnd, start)));
    return result;
}
