// A debugging session over its link: the requests a debugger in another process sends, and the
// lines that come back.
#include <gtest/gtest.h>

#include <deque>

#include "core/pc/debug/debug_session.h"
#include "core/pc/fake_host.h"

namespace halyard::dos::test {
namespace {

class ScriptedLink final : public DebugLink {
public:
    explicit ScriptedLink(std::deque<std::string> requests) : m_requests(std::move(requests)) {}
    std::optional<debugwire::Message> Next() override
    {
        if (m_requests.empty())
            return std::nullopt;
        const auto message = debugwire::Parse(m_requests.front());
        m_requests.pop_front();
        return message ? *message : debugwire::Message{debugwire::Verb::Error};  // as the pipe's link does
    }
    void Send(const debugwire::Message& message) override { sent += debugwire::Format(message); }
    void Running(bool) override {}
    std::string sent;

private:
    std::deque<std::string> m_requests;
};

// 30000 times INC WORD [200h] and LOOP, then 4Ch with AL = 5.
const std::vector<uint8_t> kCounting = {0xB9, 0x30, 0x75, 0xFF, 0x06, 0x00, 0x02, 0xE2, 0xFA, 0xB8, 0x05, 0x4C, 0xCD, 0x21};

TEST(DebugSession, RequestsComeBackAsStopsRegistersAndMemory)
{
    TestMachine t;
    ASSERT_EQ(t.Load(kCounting), "");
    const uint16_t cs = t.R().seg[kCS];
    char at[16], counter[16];
    std::snprintf(at, sizeof at, "%X", unsigned(Linear(cs, 0x109)));
    std::snprintf(counter, sizeof counter, "%X", unsigned(Linear(cs, 0x200)));
    ScriptedLink link({std::string("break ") + at + " on", "continue", "read " + std::string(counter) + " 2", "back",
                       "set AX 1234", "regs", "to " + std::string(at), "step", "bogus", "continue", "step", "kill"});
    DebugSession session(t.machine, link, cs, cs);
    const RunResult result = session.Serve();
    EXPECT_TRUE(result.exited);
    EXPECT_EQ(result.exitCode, 5);
    const auto lines = [&] {
        std::vector<std::string> all;
        debugwire::LineReader reader;
        reader.Add(link.sent);
        while (auto line = reader.Next())
            all.push_back(*line);
        return all;
    }();
    std::vector<std::string> verbs;
    for (const std::string& line : lines)
        verbs.push_back(line.substr(0, line.find(' ')) + (line.rfind("stopped", 0) == 0 ? line.substr(7) : ""));
    const std::vector<std::string> expected = {"started", "regs", "running", "stopped breakpoint", "regs", "memory", "running",
                                               "stopped back", "regs", "regs", "running", "stopped breakpoint", "regs", "running",
                                               "stopped step", "regs", "error", "running", "stopped ended 5", "regs", "error"};
    EXPECT_EQ(verbs, expected) << link.sent;
    EXPECT_NE(link.sent.find("memory " + std::string(counter) + " 3075\n"), std::string::npos)
        << "30000 INCs";
    EXPECT_NE(link.sent.find("AX=1234"), std::string::npos);
    EXPECT_NE(link.sent.find("IP=0107"), std::string::npos) << "back before the last LOOP";
}

TEST(DebugSession, TheLinksEndStopsTheProgram)
{
    TestMachine t;
    ASSERT_EQ(t.Load(kCounting), "");
    ScriptedLink link({"step"});
    DebugSession session(t.machine, link, t.R().seg[kCS], t.R().seg[kCS]);
    const RunResult result = session.Serve();
    EXPECT_FALSE(result.exited);
    EXPECT_EQ(result.failure, "stopped by the debugger");
}

// In a DOS session, the next program typed at the prompt is caught before its first
// instruction: a step goes from it into the routine an earlier program left in the same PC, its
// end is the debugger's, and the session goes on.
TEST(DebugSession, ASessionsProgramIsCaughtAtItsStart)
{
    MemoryFiles files;
    StringConsole console;
    FixedClock clock;
    Machine machine{files, console, clock};
    // Copies a routine (print "!", IRET) to 0000:0200 and points INT 7Ch at it; USER calls it.
    files.files["INSTALL.COM"] = std::string("\x31\xc0\x8e\xc0\xbf\x00\x02\xbe\x23\x01\xb9\x07\x00\xfc\xf3\xa4\x26\xc7\x06"
                                             "\xf0\x01\x00\x02\x26\xc7\x06\xf2\x01\x00\x00\xb8\x00\x4c\xcd\x21\xb4\x02\xb2"
                                             "\x21\xcd\x21\xcf",
                                             42);
    files.files["USER.COM"] = std::string("\xcd\x7c\xb8\x05\x4c\xcd\x21", 7);
    console.redirected[0] = false;
    for (const char c : std::string("install\ruser\recho after\rexit\r"))
        console.keys.push_back(uint16_t(c == '\r' ? 0x1C0D : c));
    ASSERT_EQ(machine.StartSession({}, {}), "");
    std::vector<uint16_t> caught;
    Debugger debugger(machine);
    for (machine.CatchNextProgram();;) {
        const RunResult result = machine.Resume(3000000);
        if (!result.paused) {
            ASSERT_TRUE(result.exited) << result.failure;
            break;
        }
        if (machine.TakeCaughtEnd())
            continue;  // INSTALL's end, in the shell again
        const std::optional<CaughtProgram> program = machine.TakeCaughtProgram();
        ASSERT_TRUE(program.has_value()) << console.output;
        caught.push_back(machine.Processor().regs.ip);
        if (caught.size() == 1) {
            machine.CatchNextProgram();  // INSTALL runs free; USER is the one
            continue;
        }
        EXPECT_EQ(program->image, machine.Processor().regs.seg[kCS]);
        ASSERT_EQ(debugger.Step().reason, StopReason::Step);
        EXPECT_EQ(Linear(machine.Processor().regs.seg[kCS], machine.Processor().regs.ip), 0x200u) << "in INSTALL's routine";
        const Stop end = debugger.Continue(3000000);
        EXPECT_EQ(end.reason, StopReason::Ended);
        EXPECT_EQ(end.exitCode, 5);
    }
    EXPECT_EQ(caught, (std::vector<uint16_t>{0x100, 0x100}));
    EXPECT_NE(console.output.find("user\r\n!C:\\WORK>echo after\r\nafter"), std::string::npos) << console.output;
}

}  // namespace
}  // namespace halyard::dos::test
