// A debug run in the running application against a fake PC on a real pipe: the fake plays
// Dosrun's side of the channel from a thread of its own, with a program of three lines.
#include <atomic>
#include <cstdlib>
#include <cstdio>
#include <mutex>
#include <thread>

#include "core/buffer/line_record.h"
#include "core/debugwire/debug_wire.h"
#include "editor/text_view.h"
#include "editor/view_site.h"
#include "win/app/app_fixture.h"

#include <commctrl.h>

namespace {

using namespace halyard::debugwire;

// Answers as the PC would: stopped at the start, at the breakpoint after a "continue", one line
// further after "over", the end after the second "continue". Memory byte n holds n & FFh.
class FakePc {
public:
    explicit FakePc(const std::string& pipe) : m_thread([this, pipe] { Run(pipe); }) {}
    ~FakePc() { m_thread.join(); }
    std::vector<std::string> Received()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_received;
    }
    bool Got(const std::string& line)
    {
        for (const std::string& l : Received())
            if (l == line) return true;
        return false;
    }

private:
    void Send(HANDLE pipe, const Message& m)
    {
        const std::string line = Format(m);
        DWORD n = 0;
        WriteFile(pipe, line.data(), DWORD(line.size()), &n, nullptr);
    }
    void SendRegs(HANDLE pipe)
    {
        Message regs{Verb::RegsReply};
        regs.regs = m_regs;
        Send(pipe, regs);
    }
    void Stop(HANDLE pipe, const char* reason, const char* detail = "")
    {
        Message stopped{Verb::Stopped};
        stopped.reason = reason;
        stopped.text = detail;
        Send(pipe, stopped);
        if (std::string(reason) != "ended") SendRegs(pipe);
    }
    bool Answer(HANDLE pipe, const Message& m);
    void Run(const std::string& name)
    {
        HANDLE pipe = INVALID_HANDLE_VALUE;
        for (int tries = 0; tries < 100 && pipe == INVALID_HANDLE_VALUE; ++tries, Sleep(20))
            pipe = CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        if (pipe == INVALID_HANDLE_VALUE) return;
        m_regs[CS] = 0x1010;
        m_regs[DS] = m_regs[ES] = 0x1000;
        m_regs[SS] = 0x1020;
        m_regs[SP] = 0x0100;
        Send(pipe, Message{Verb::Started, 0x1000, 0x1010});
        SendRegs(pipe);
        LineReader reader;
        char buffer[512];
        DWORD n = 0;
        bool going = true;
        while (going && ReadFile(pipe, buffer, sizeof buffer, &n, nullptr) && n > 0) {
            reader.Add(std::string_view(buffer, n));
            while (going) {
                const auto line = reader.Next();
                if (!line) break;
                {
                    std::lock_guard<std::mutex> lock(m_mutex);
                    m_received.push_back(*line);
                }
                if (const auto m = Parse(*line)) going = Answer(pipe, *m);
            }
        }
        CloseHandle(pipe);
    }

    std::thread m_thread;
    std::mutex m_mutex;
    std::vector<std::string> m_received;
    RegisterSet m_regs{};
    int m_continues = 0;
};

bool FakePc::Answer(HANDLE pipe, const Message& m)
{
    switch (m.verb) {
    case Verb::Continue:
        Send(pipe, Message{Verb::Running});
        if (++m_continues == 1) {
            m_regs[IP] = 3;
            Stop(pipe, "breakpoint");
        } else {
            Stop(pipe, "ended", "42");
        }
        return true;
    case Verb::Over:
        m_regs[IP] = 5;
        m_regs[AX] = 5;
        Stop(pipe, "step");
        return true;
    case Verb::Read: {
        Message memory{Verb::Memory, m.address};
        for (uint32_t i = 0; i < m.count; ++i) memory.bytes.push_back(uint8_t(m.address + i));
        Send(pipe, memory);
        return true;
    }
    case Verb::Set: m_regs[m.reg] = m.value; return true;
    case Verb::Regs: SendRegs(pipe); return true;
    case Verb::Kill: return false;
    default: return true;
    }
}

class DebugRun : public AppFixture {
protected:
    // A source of five lines; lines 3 to 5 made code at 0, 3 and 5 of the load segment + 0, and
    // a DW "count" at paragraph 1.
    halyard::debuginfo::ProgramMap MapOf(const std::string& path)
    {
        halyard::debuginfo::ProgramMap map;
        map.lines = {{path, 3, 0, 0, 3, true}, {path, 4, 0, 3, 2, true}, {path, 5, 0, 5, 2, true}};
        map.symbols = {{"count", "DATA", 1, 0, halyard::debuginfo::SymbolKind::Word, 1}};
        return map;
    }
    CTextView* View(CHalyardDoc* doc) { return dynamic_cast<CTextView*>(doc->GetViews().front()); }
    std::string Output() { return frame->m_outputEdit.GetText(); }
};

TEST_F(DebugRun, StopsAtTheBreakpointStepsShowsThePanesAndEnds)
{
    const std::string path = dir.Write("prog.asm", "code segment\r\nstart:\r\n  mov ax,5\r\n  mov bx,ax\r\n  int 21h\r\ncode ends\r\n");
    CHalyardDoc* doc = Open(path);
    ASSERT_NE(nullptr, doc);
    CTextView* view = View(doc);
    view->Site().GoToLine(3);
    ASSERT_TRUE(frame->SendCommand(ID_DEBUG_TOGGLE_BREAKPOINT));  // F9 on "mov bx,ax"
    EXPECT_TRUE(doc->m_textBuffer.GetLineFlags(3) & LINE_BREAKPOINT);
    // A click in the icon column toggles too, on the clicked line; a click on the numbers does not.
    const int y = view->GetLineHeight() * 4 + view->GetLineHeight() / 2;
    const LPARAM icon = MAKELPARAM(view->GetMarginWidth() - 6, y), number = MAKELPARAM(2, y);
    for (LPARAM at : {icon, number}) {
        SendMessageA(view->m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(view->m_hWnd, WM_LBUTTONUP, 0, at);
    }
    EXPECT_TRUE(doc->m_textBuffer.GetLineFlags(4) & LINE_BREAKPOINT);
    SendMessageA(view->m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, icon);
    SendMessageA(view->m_hWnd, WM_LBUTTONUP, 0, icon);
    EXPECT_FALSE(doc->m_textBuffer.GetLineFlags(4) & LINE_BREAKPOINT);

    std::string pipe;
    CDebugCommands& debugger = app.m_debugCommands;
    ASSERT_TRUE(debugger.ListenForTest(MapOf(doc->m_strFullPath), pipe));
    FakePc pc(pipe);
    ASSERT_TRUE(wintest::PumpUntil([&] { return doc->m_textBuffer.GetLineFlags(3) & LINE_EXECUTION; }, 10000))
        << Output();
    EXPECT_TRUE(pc.Got("break 10103 on"));
    EXPECT_TRUE(Output().find("停在断点：prog.asm 第 4 行") != std::string::npos) << Output();
    EXPECT_EQ(3, view->GetCaretPosition().y);

    ASSERT_TRUE(frame->SendCommand(ID_DEBUG_STEP_OVER));  // F10
    ASSERT_TRUE(wintest::PumpUntil([&] { return doc->m_textBuffer.GetLineFlags(4) & LINE_EXECUTION; }, 10000));
    CDebugPaneBars& panes = *debugger.Panes();
    EXPECT_EQ("AX", panes.registers.Window().CellText(AX, 0));
    EXPECT_EQ("0005", panes.registers.Window().CellText(AX, 1));
    EXPECT_TRUE(debugger.State().Changed(AX));
    EXPECT_FALSE(debugger.State().Changed(BX));

    panes.watch.Add("count");
    panes.memory.ShowFrom("DS:10");
    ASSERT_TRUE(wintest::PumpUntil([&] { return panes.memory.Window().RowCount() == CMemoryPane::kRows; }));
    ASSERT_TRUE(wintest::PumpUntil([&] { return !panes.watch.Window().CellText(0, 1).empty(); }));
    EXPECT_EQ("1110h  4368  '..'", panes.watch.Window().CellText(0, 1));  // bytes 10h 11h at 1011:0000
    EXPECT_EQ("DW", panes.watch.Window().CellText(0, 2));
    EXPECT_EQ("1000:0010", panes.memory.Window().CellText(0, 0));
    EXPECT_EQ("10 11 12 13 14 15 16 17-18 19 1A 1B 1C 1D 1E 1F", panes.memory.Window().CellText(0, 1));
    ASSERT_TRUE(wintest::PumpUntil([&] { return panes.stack.Window().RowCount() > 0; }));
    EXPECT_EQ("1020:0100", panes.stack.Window().CellText(0, 0));
    EXPECT_EQ("0100", panes.stack.Window().CellText(0, 1));  // bytes 00h 01h at 10300h

    // HALYARD_DEBUG_HOLD=<seconds> keeps the stopped window up for a screenshot.
    if (const char* hold = std::getenv("HALYARD_DEBUG_HOLD")) wintest::PumpUntil([] { return false; }, atoi(hold) * 1000);
    // A double-click on BX's value opens an edit over it; Enter sends the new value.
    HWND registers = panes.registers.Window().List();
    RECT row{};
    row.left = LVIR_BOUNDS;
    ASSERT_TRUE(SendMessageA(registers, LVM_GETITEMRECT, BX, reinterpret_cast<LPARAM>(&row)));
    const LPARAM at = MAKELPARAM(row.left + 80, (row.top + row.bottom) / 2);
    SendMessageA(registers, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(registers, WM_LBUTTONUP, 0, at);
    SendMessageA(registers, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    SendMessageA(registers, WM_LBUTTONUP, 0, at);
    HWND edit = FindWindowExA(registers, nullptr, "Edit", nullptr);
    ASSERT_NE(nullptr, edit);
    SetWindowTextA(edit, "1234");
    SendMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);
    ASSERT_TRUE(wintest::PumpUntil([&] { return panes.registers.Window().CellText(BX, 1) == "1234"; }));
    EXPECT_TRUE(pc.Got("set BX 1234"));

    ASSERT_TRUE(frame->SendCommand(ID_DEBUG_CONTINUE));  // F8
    ASSERT_TRUE(wintest::PumpUntil([&] { return !debugger.IsActive(); }, 10000));
    EXPECT_TRUE(Output().find("程序结束，返回码 42") != std::string::npos) << Output();
    EXPECT_EQ(-1, doc->m_textBuffer.FindLineWithFlag(LINE_EXECUTION));
    EXPECT_TRUE(pc.Got("kill"));
}

}  // namespace
