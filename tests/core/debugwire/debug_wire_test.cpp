#include "core/debugwire/debug_wire.h"

#include <gtest/gtest.h>

namespace halyard::debugwire {
namespace {

// Every message comes back from its own line as it went in.
TEST(DebugWire, MessagesGoThroughTheirLines)
{
    Message brk{Verb::Break, 0x12345, 0, true};
    Message watch{Verb::Watch, 0xB8000, 0xFA0, false};
    Message interrupt{Verb::Int, 0, 0x21, true};
    Message set{Verb::Set};
    set.reg = FL;
    set.value = 0x0246;
    Message write{Verb::Write, 0x100};
    write.bytes = {0x00, 0xAB, 0xFF};
    Message regs{Verb::RegsReply};
    for (unsigned i = 0; i < kRegCount; ++i)
        regs.regs[i] = uint16_t(0x1111 * i);
    Message stopped{Verb::Stopped};
    stopped.reason = "fault";
    stopped.text = "divide overflow";
    Message started{Verb::Started, 0x1234, 0x1244};
    for (const Message& m : {brk, watch, interrupt, set, write, regs, stopped, started, Message{Verb::Regs}, Message{Verb::Pause}}) {
        const std::string line = Format(m);
        ASSERT_EQ(line.back(), '\n');
        const auto back = Parse(line.substr(0, line.size() - 1));
        ASSERT_TRUE(back.has_value()) << line;
        EXPECT_EQ(Format(*back), line);
    }
    EXPECT_EQ(Format(set), "set FL 0246\n");
    EXPECT_EQ(Format(stopped), "stopped fault divide overflow\n");
}

TEST(DebugWire, LinesThatAreNotMessagesAreRefused)
{
    for (const char* line : {"", "jump 100", "break 100", "break 100 maybe", "break xyz on", "set QQ 1", "set AX 10000",
                             "read 0 1001", "write 0 ABC", "regs AX=1", "int 100 on", "step now", "started 1"})
        EXPECT_FALSE(Parse(line).has_value()) << line;
    EXPECT_EQ(Parse("Stopped step"), std::nullopt);
    EXPECT_TRUE(Parse("continue\r").has_value());
}

TEST(DebugWire, TheReaderCutsLinesWhereverTheBytesBreak)
{
    LineReader reader;
    reader.Add("step\nov");
    EXPECT_EQ(reader.Next(), "step");
    EXPECT_EQ(reader.Next(), std::nullopt);
    reader.Add("er\r\n\n");
    EXPECT_EQ(reader.Next(), "over");
    EXPECT_EQ(reader.Next(), "");
    EXPECT_EQ(FlagLetters(0xF246), "--I--Z-P-");
    EXPECT_EQ(FlagLetters(0x0FD5), "ODITSZAPC");
}

}  // namespace
}  // namespace halyard::debugwire
