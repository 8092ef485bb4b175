// From the tools' messages in the Output pane to the source lines they name: F4 and Shift+F4
// through the pane, a double-click on a line, the explanation in the status bar.
#include "win/app/app_fixture.h"
#include "core/toolchain/tool_message.h"
#include "editor/text_view.h"
#include "fx/fx_mdichild.h"
#include "fx/fx_view.h"

using MessageNavigation = AppFixture;

namespace {

std::string Lines(int count)
{
    std::string text;
    for (int i = 1; i <= count; ++i) text += "; line " + std::to_string(i) + "\r\n";
    return text;
}

std::string ShortNameOf(const std::string& path)
{
    char shortPath[MAX_PATH] = {};
    GetShortPathNameA(path.c_str(), shortPath, sizeof shortPath);
    const std::string s = shortPath;
    return s.substr(s.rfind('\\') + 1);
}

const char* Explanation(const char* line)
{
    halyard::toolchain::ToolMessage m;
    return halyard::toolchain::ParseToolMessage(line, m) ? halyard::toolchain::ExplainToolMessage(m) : nullptr;
}

}  // namespace

TEST_F(MessageNavigation, StepsThroughTheOutputToEachSourceLineAndExplainsIt)
{
    const std::string hello = dir.Write("hello.asm", Lines(30));
    const std::string chinese = dir.Write("实验一 hello world.asm", Lines(10));
    CHalyardDoc* doc = Open(hello);
    ASSERT_NE(nullptr, doc);
    // Wider than any pane: the edit wraps it over several rows, and it stays one line.
    const std::string tasmError = "**Error** HELLO.ASM(12) Undefined symbol: " + std::string(400, 'X');
    const std::string output = "Compiling...\r\n" + tasmError + "\r\nWarning: No stack\r\n"
                               "hello.asm(5) : error A2006: undefined symbol : foo\r\r\n" +  // CR LF printed in text mode
                               ShortNameOf(chinese) + "(3): error A2053: Jump out of range by 12 byte(s)\r\n"
                               "HELLO.ASM(99): warning A4016: Reserved word used as symbol: NAME\r\n";
    frame->m_outputEdit.SetText(output.c_str());
    frame->m_outputEdit.Append("");  // the caret at the end, as after a build: F4 starts at the top

    auto selectedSourceLine = [&] {
        auto* view = dynamic_cast<CTextView*>(frame->GetActiveView());
        TextPosition start, end;
        if (view) view->GetSelection(start, end);
        return view && start.x == 0 && end.x == 0 && end.y == start.y + 1 ? start.y + 1 : -1;
    };
    auto activePath = [&] { return frame->GetActiveDocument() ? frame->GetActiveDocument()->GetPathName() : ""; };
    auto status = [&] { return frame->m_statusBar.GetShownText(0); };

    const struct {
        UINT command;
        int outputLine;     // the Output line selected afterwards
        std::string path;   // the file shown
        int sourceLine;     // 1-based, selected whole
    } steps[] = {
        {ID_NEXT_MESSAGE, 1, hello, 12},   // upper case name, found beside the document
        {ID_NEXT_MESSAGE, 3, hello, 5},    // the linker line names no source line: skipped
        {ID_NEXT_MESSAGE, 4, chinese, 3},  // a short name opens the long-named file
        {ID_NEXT_MESSAGE, 5, hello, 30},   // past the end: the last line
        {ID_PREV_MESSAGE, 4, chinese, 3},
        {ID_PREV_MESSAGE, 3, hello, 5},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.outputLine);
        ASSERT_TRUE(frame->SendCommand(step.command));
        EXPECT_EQ(step.outputLine, frame->m_outputEdit.GetSelectedLine(frame->m_outputEdit.ReadLines()));
        wintest::Pump();  // a file opened here starts its interpreter, whose output moves the selection
        EXPECT_EQ(0, lstrcmpiA(step.path.c_str(), activePath().c_str())) << activePath();
        EXPECT_EQ(step.sourceLine, selectedSourceLine());
        const auto lines = frame->m_outputEdit.ReadLines();
        ASSERT_LT(step.outputLine, (int)lines.text.size()) << "opening a file kept the messages";
        const char* explanation = Explanation(lines.text[step.outputLine].c_str());
        ASSERT_NE(nullptr, explanation);
        EXPECT_EQ(explanation, status());
    }
    EXPECT_EQ(2, app.GetDocManager()->GetOpenDocumentCount()) << "the open file is activated, not opened twice";

    // Before the first message there is none: the selection stays, the status bar says so.
    ASSERT_TRUE(frame->SendCommand(ID_PREV_MESSAGE));
    ASSERT_TRUE(frame->SendCommand(ID_PREV_MESSAGE));
    EXPECT_EQ(1, frame->m_outputEdit.GetSelectedLine(frame->m_outputEdit.ReadLines()));
    EXPECT_NE(std::string::npos, status().find("没有"));

    // A double-click on the linker line explains it and opens nothing; on the banner, nothing.
    HWND edit = frame->m_outputEdit.m_hWnd;
    auto doubleClick = [&](int line) {
        const int row = frame->m_outputEdit.ReadLines().firstRow[line];
        const LRESULT index = SendMessageA(edit, EM_LINEINDEX, row, 0);
        SendMessageA(edit, EM_SETSEL, index, index);
        SendMessageA(edit, EM_SCROLLCARET, 0, 0);
        const LRESULT at = SendMessageA(edit, EM_POSFROMCHAR, index, 0);
        const LPARAM point = MAKELPARAM(LOWORD(at) + 20, HIWORD(at) + 4);
        for (UINT msg : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
            SendMessageA(edit, msg, msg == WM_LBUTTONUP ? 0 : MK_LBUTTON, point);
        wintest::Pump();
    };
    doc->GetViews().front()->GetParentFrame()->ActivateFrame();
    doubleClick(2);
    EXPECT_EQ(2, frame->m_outputEdit.GetSelectedLine(frame->m_outputEdit.ReadLines()));
    EXPECT_EQ(Explanation("Warning: No stack"), status());
    EXPECT_EQ(hello, activePath());
    doubleClick(0);
    EXPECT_EQ(Explanation("Warning: No stack"), status());
    EXPECT_EQ(hello, activePath());
    doubleClick(1);
    EXPECT_EQ(12, selectedSourceLine());
    EXPECT_EQ(doc->GetViews().front()->m_hWnd, GetFocus()) << "the editor takes the keys after a double-click";
}
