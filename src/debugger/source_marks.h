// The debugger's marks in the editor: breakpoints on source lines, the current line shown and
// scrolled into view.
#pragma once
#include <string>
#include <vector>

class CDebugHost;
class CTextView;
class FxMDIFrame;

struct SourceBreakpoint {
    std::string file;  // the document's full path
    int line = 0;      // 1-based
};

// The active editor view, or null.
CTextView* ActiveTextView(FxMDIFrame& frame);
// Sets or clears the breakpoint of the active view's caret line; false without an editor.
bool ToggleBreakpointAtCaret(FxMDIFrame& frame);
// Every breakpoint of the open documents.
std::vector<SourceBreakpoint> OpenBreakpoints(CDebugHost& host);
// Marks `line` (1-based) of `file` as current in its document (opened when it is not) and puts
// its first view's caret there; false when the file cannot be opened.
bool ShowCurrentLine(CDebugHost& host, const std::string& file, int line);
// Takes the current-line mark off every document.
void ClearCurrentLine(CDebugHost& host);
