#pragma once
// Breakpoints and the debugger's current line are bits of the buffer's line flags, so that they
// follow their lines through edits as bookmarks do: a line inserted above moves them down, a
// deleted line takes its breakpoint with it.
#include <vector>

#include "core/buffer/text_buffer.h"

// Sets the breakpoint of `line` when it has none, else clears it; answers whether it is set now.
bool ToggleBreakpoint(CTextBuffer& buffer, int line);
// The 0-based lines that carry a breakpoint, in order.
std::vector<int> BreakpointLines(const CTextBuffer& buffer);
// Puts breakpoints on exactly `lines` (lines past the end are left out).
void SetBreakpointLines(CTextBuffer& buffer, const std::vector<int>& lines);
// Marks `line` as the current one, taking the mark off the line that had it; -1 only clears.
void ShowExecutionLine(CTextBuffer& buffer, int line);
