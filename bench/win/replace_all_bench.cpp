// Replace All in the assembly view of a 20,000-line file with 10,000 occurrences (each replaced by
// a longer text containing it), from the button press to the end of the repaint that shows the
// result. References in the same run, on a bare buffer: the 10,000 searches alone, and the 10,000
// replacements alone (deletion and insertion with their undo records). Prints one line per figure.
#include <windows.h>

#include <cstdio>
#include <string>

#include "buffer/win32_file_system.h"
#include "core/editor/replace_text.h"
#include "core/editor/search.h"
#include "fx/fx_app.h"
#include "editor_window.h"
#include "resource.h"

namespace {

constexpr int kOccurrences = 10000;

std::string SourceText()
{
    std::string text;
    char line[96];
    for (int i = 0; i < kOccurrences; ++i) {
        std::snprintf(line, sizeof line, "    mov ax, data_%d     ; 第%d行\r\n    int 21h\r\n", i, i);
        text += line;
    }
    return text;
}

double Millis(LARGE_INTEGER from, LARGE_INTEGER to)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

template <class Step>
double Time(Step step)
{
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    step();
    QueryPerformanceCounter(&end);
    return Millis(start, end);
}

// Searches from each occurrence's end to the next, as Replace All does, on a bare buffer.
int SearchAll(const CTextBuffer& buffer)
{
    int found = 0;
    TextPosition at{0, 0};
    while (SearchText(buffer, "ax", at, FIND_WHOLE_WORD, false, at)) {
        ++found;
        at.x += 2;
    }
    return found;
}

int ReplaceAllBare(CTextBuffer& buffer)
{
    int replaced = 0;
    TextPosition at{0, 0};
    TextRange inserted;
    while (SearchText(buffer, "ax", at, FIND_WHOLE_WORD, false, at) &&
           ReplaceRange(buffer, nullptr, {at, {at.x + 2, at.y}}, "eax", inserted)) {
        ++replaced;
        at = inserted.end;
    }
    return replaced;
}

HWND OpenDialog()
{
    HWND found = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hwnd, LPARAM lp) {
            char cls[16] = {};
            GetClassNameA(hwnd, cls, sizeof cls);
            if (lstrcmpA(cls, "#32770") != 0 || !IsWindowVisible(hwnd)) return TRUE;
            *reinterpret_cast<HWND*>(lp) = hwnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

double g_replaceAllMs = -1;

// Inside the Replace dialog: the texts, then Replace All timed, then Cancel.
void CALLBACK DriveDialog(HWND, UINT, UINT_PTR id, DWORD)
{
    HWND dialog = OpenDialog();
    if (!dialog) return;
    KillTimer(nullptr, id);
    SetDlgItemTextA(dialog, IDC_FIND_WHAT, "ax");
    SetDlgItemTextA(dialog, IDC_REPLACE_WITH, "eax");
    CheckDlgButton(dialog, IDC_WHOLE_WORD, BST_CHECKED);
    HWND button = GetDlgItem(dialog, IDC_REPLACE_ALL);
    g_replaceAllMs = Time([&] {
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_REPLACE_ALL, BN_CLICKED), reinterpret_cast<LPARAM>(button));
        GdiFlush();
    });
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

int NoMessageBox(const char*, UINT) { return IDOK; }

}  // namespace

int main()
{
    char path[MAX_PATH];
    const std::string text = SourceText();
    if (!WriteTempFile("hbr", text, path)) return 1;
    FxSetMessageBoxHook(NoMessageBox);

    CWin32FileSystem fs;
    CTextBuffer bare;
    if (!bare.LoadFromFile(fs, path)) return 1;
    int n = 0;
    double ms = Time([&] { n = SearchAll(bare); });
    std::printf("%-44s %8.1f ms (%d found)\n", "searches alone, bare buffer (reference)", ms, n);
    ms = Time([&] { n = ReplaceAllBare(bare); });
    std::printf("%-44s %8.1f ms (%d replaced)\n", "replacements alone, bare buffer (reference)", ms, n);

    BenchEditorWindow window;
    if (!window.Open(path)) return 1;
    CHalyardView* view = window.pView;
    CHalyardDoc* doc = window.pDoc;

    SetTimer(nullptr, 0, 10, DriveDialog);
    view->OnCmdMsg(ID_EDIT_REPLACE, 0);
    const CTextBuffer& buffer = doc->GetBuffer();
    const bool bAll = buffer.GetLine(2 * kOccurrences - 2).find("eax") != std::string_view::npos;
    std::printf("%-44s %8.1f ms (%d lines, last one replaced: %s)\n", "Replace All in the view, to its repaint",
                g_replaceAllMs, buffer.GetLineCount(), bAll ? "yes" : "no");

    window.Close();
    DeleteFileA(path);
    return 0;
}
