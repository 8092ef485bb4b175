#include "toolchain/output_pane.h"

#include <algorithm>
#include <string>

namespace {

std::string Terminated(std::string_view text)
{
    std::string copy(text);
    std::replace(copy.begin(), copy.end(), '\0', ' ');
    return copy;
}

}  // namespace

void AppendPaneText(HWND hwndPane, std::string_view text)
{
    if (hwndPane == nullptr || text.empty()) return;
    const std::string copy = Terminated(text);
    const LRESULT end = SendMessageA(hwndPane, WM_GETTEXTLENGTH, 0, 0);
    SendMessageA(hwndPane, EM_SETSEL, static_cast<WPARAM>(end), end);
    SendMessageA(hwndPane, EM_SCROLLCARET, 0, 0);
    SendMessageA(hwndPane, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(copy.c_str()));
}

void SetPaneText(HWND hwndPane, std::string_view text)
{
    if (hwndPane == nullptr) return;
    const std::string copy = Terminated(text);
    SetWindowTextA(hwndPane, copy.c_str());
}
