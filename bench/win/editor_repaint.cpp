// Repaint latency of the assembly view on a 100,000-line file: from a typed character (and, every
// 40 characters, an Enter) to the end of the repaint it causes, and from Page Down to the end of
// its repaint, over 1,000 keystrokes each. The reference, measured in the same run, is one full
// repaint of an unchanged screen. Prints one line per figure (median and 99th percentile, ms).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "editor_window.h"
#include "resource.h"

namespace {

constexpr int kLines = 100000;
constexpr int kKeystrokes = 1000;

std::string SourceText()
{
    const char* body[] = {"    mov ax, data        ; 数据段地址", "    mov ds, ax", "\tlea dx, greeting\t; 字符串",
                          "    int 21h", "label_%d:", "    db 'text', 0dh, 0ah, '$'", "/* block", "   comment */"};
    std::string text;
    char line[96];
    for (int i = 0; i < kLines; ++i) {
        std::snprintf(line, sizeof line, body[i % 8], i);
        text += line;
        text += "\r\n";
    }
    return text;
}

double Millis(LARGE_INTEGER from, LARGE_INTEGER to, LARGE_INTEGER frequency)
{
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Runs `step` then the repaint it caused, kKeystrokes times; prints the median and 99th percentile.
void Measure(const char* name, HWND view, const std::function<void(int)>& step)
{
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    std::vector<double> times;
    for (int i = 0; i < kKeystrokes; ++i) {
        QueryPerformanceCounter(&start);
        step(i);
        UpdateWindow(view);
        GdiFlush();
        QueryPerformanceCounter(&end);
        times.push_back(Millis(start, end, frequency));
    }
    std::sort(times.begin(), times.end());
    std::printf("%-34s median %6.2f ms   p99 %6.2f ms\n", name, times[times.size() / 2],
                times[times.size() * 99 / 100]);
}

}  // namespace

int main()
{
    char path[MAX_PATH];
    const std::string text = SourceText();
    if (!WriteTempFile("hbe", text, path)) return 1;

    BenchEditorWindow window;
    if (!window.Open(path)) return 1;
    CHalyardView* view = window.pView;
    CHalyardDoc* doc = window.pDoc;
    std::printf("%d lines, %d rows on screen\n", doc->GetBuffer().GetLineCount(), view->GetScreenLines());

    Measure("full repaint (reference)", view->m_hWnd, [&](int) { InvalidateRect(view->m_hWnd, nullptr, FALSE); });
    view->MoveCaretTo({0, 50000});
    Measure("typed character to repaint", view->m_hWnd, [&](int i) {
        SendMessageA(view->m_hWnd, WM_CHAR, i % 40 == 39 ? '\r' : 'a' + i % 26, 1);
    });
    view->MoveCaretTo({0, 0});
    Measure("Page Down to repaint", view->m_hWnd, [&](int) { view->OnCmdMsg(ID_EDIT_PAGE_DOWN, 0); });

    window.Close();
    DeleteFileA(path);
    return 0;
}
