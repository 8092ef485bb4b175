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

}  // namespace
}  // namespace halyard::dos::test
