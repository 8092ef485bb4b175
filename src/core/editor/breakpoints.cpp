#include "core/editor/breakpoints.h"

#include "core/buffer/line_record.h"

bool ToggleBreakpoint(CTextBuffer& buffer, int line)
{
    if (line < 0 || line >= buffer.GetLineCount()) return false;
    const bool set = (buffer.GetLineFlags(line) & LINE_BREAKPOINT) == 0;
    buffer.SetLineFlagBit(line, LINE_BREAKPOINT, set, false);
    return set;
}

std::vector<int> BreakpointLines(const CTextBuffer& buffer)
{
    std::vector<int> lines;
    for (int line = 0; line < buffer.GetLineCount(); ++line)
        if (buffer.GetLineFlags(line) & LINE_BREAKPOINT) lines.push_back(line);
    return lines;
}

void SetBreakpointLines(CTextBuffer& buffer, const std::vector<int>& lines)
{
    for (int line : BreakpointLines(buffer)) buffer.SetLineFlagBit(line, LINE_BREAKPOINT, false, false);
    for (int line : lines)
        if (line >= 0 && line < buffer.GetLineCount()) buffer.SetLineFlagBit(line, LINE_BREAKPOINT, true, false);
}

void ShowExecutionLine(CTextBuffer& buffer, int line)
{
    if (line < 0 || line >= buffer.GetLineCount()) {
        buffer.SetLineFlagBit(-1, LINE_EXECUTION, false, false);
        return;
    }
    buffer.SetLineFlagBit(line, LINE_EXECUTION, true, true);
}
