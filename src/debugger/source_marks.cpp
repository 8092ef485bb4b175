#include "debugger/source_marks.h"

#include "core/editor/breakpoints.h"
#include "debugger/debug_host.h"
#include "editor/text_view.h"
#include "editor/view_site.h"
#include "fx/fx_mdiframe.h"
#include "toolchain/halyard_doc.h"

CTextView* ActiveTextView(FxMDIFrame& frame) { return dynamic_cast<CTextView*>(frame.GetActiveView()); }

bool ToggleBreakpointAtCaret(FxMDIFrame& frame)
{
    CTextView* view = ActiveTextView(frame);
    CTextBuffer* buffer = view ? view->Site().GetBuffer() : nullptr;
    if (!buffer) return false;
    (void)ToggleBreakpoint(*buffer, view->GetCaretPosition().y);
    return true;
}

std::vector<SourceBreakpoint> OpenBreakpoints(CDebugHost& host)
{
    std::vector<SourceBreakpoint> all;
    for (CHalyardDoc* doc : host.Documents())
        for (int line : BreakpointLines(doc->m_textBuffer)) all.push_back({doc->m_strFullPath, line + 1});
    return all;
}

bool ShowCurrentLine(CDebugHost& host, const std::string& file, int line)
{
    CHalyardDoc* doc = host.OpenSource(file);
    if (!doc) return false;
    ShowExecutionLine(doc->m_textBuffer, line - 1);
    if (!doc->GetViews().empty())
        if (auto* view = dynamic_cast<CTextView*>(doc->GetViews().front())) view->Site().GoToLine(line - 1);
    return true;
}

void ClearCurrentLine(CDebugHost& host)
{
    for (CHalyardDoc* doc : host.Documents()) ShowExecutionLine(doc->m_textBuffer, -1);
}
