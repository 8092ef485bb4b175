// From a tool's message in the Output pane to the source line it names: the double-click on a
// line and F4 / Shift+F4 through the lines, each explained in the status bar.
#pragma once
#include "core/toolchain/tool_message.h"
#include "frame/output_edit.h"
#include <string>
#include <vector>

class FxDocument;
class FxMDIFrame;

class CMessageNavigator {
public:
    // `frame` owns the editor windows and the status bar; `output` is its Output pane's edit.
    CMessageNavigator(FxMDIFrame& frame, COutputEdit& output) : m_frame(frame), m_output(output) {}

    // Output line `line` (0-based) was chosen. A tool's message is selected and explained; one
    // that names a source line shows that line in its editor window (opened when needed). Any
    // other line is left as the edit made it.
    void Choose(int line);
    // The next (`direction` 1) or previous (-1) line after the chosen one that names a source
    // line, chosen; from the top (or the bottom) when none is chosen.
    void Step(int direction);

private:
    void Choose(const COutputEdit::Lines& lines, int line);
    void ShowSource(const halyard::toolchain::ToolMessage& message, const COutputEdit::Lines& lines, int line);
    // The file a message names, looked for beside the active document, then beside every open
    // document, then in the current folder; its full long path, or empty.
    std::string FindSource(const std::string& name) const;
    FxDocument* ActiveDocument() const;
    bool WasChosenLast(const COutputEdit::Lines& lines) const;

    FxMDIFrame& m_frame;
    COutputEdit& m_output;
    std::vector<std::string> m_chosen;  // the pane's lines up to the one chosen last
};
