#pragma once
// Text into the Output pane, a multi-line edit control, on the thread that owns it.
#include <windows.h>

#include <string_view>

// Puts the caret at the end, scrolls it into view and replaces the empty selection with `text`
// (not undoable). A NUL byte in the child's output would end the text early; it shows as a blank.
void AppendPaneText(HWND hwndPane, std::string_view text);

// Replaces the whole text of the pane.
void SetPaneText(HWND hwndPane, std::string_view text);
