// The panes' texts, and the session's reading of the PC's messages.
#include <gtest/gtest.h>

#include "core/debugger/session_state.h"
#include "core/debugger/value_text.h"

namespace halyard::debugger {
namespace {

using debuginfo::SymbolKind;

TEST(ValueText, ValuesByTheirType)
{
    const struct {
        SymbolKind type;
        uint32_t count;
        std::vector<uint8_t> bytes;
        const char* text;
    } cases[] = {
        {SymbolKind::Byte, 1, {0x41}, "41h  65  'A'"},
        {SymbolKind::Word, 1, {0x34, 0x12}, "1234h  4660  '4.'"},
        {SymbolKind::Dword, 1, {0x45, 0x23, 0x01, 0x00}, "00012345h  74565  'E#..'"},
        {SymbolKind::Word, 1, {0x34}, "??"},
        {SymbolKind::Byte, 3, {'H', 'i', '$'}, "48 69 24  'Hi$'"},
        {SymbolKind::Word, 20, std::vector<uint8_t>(40, 0), "0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 ...  '................................'"},
    };
    for (const auto& k : cases) EXPECT_EQ(k.text, FormatValue(k.type, k.count, k.bytes));
}

TEST(ValueText, MemoryRowsStackNotesAndTypedValues)
{
    const uint8_t bytes[] = {'H', 'e', 'l', 'l', 'o', 0, 1, 2, 0x7F, 9};
    EXPECT_EQ("0B2A:0010", AddressText(0x0B2A, 0x10));
    EXPECT_EQ("48 65 6C 6C 6F 00 01 02-7F 09", HexBytes(bytes, sizeof bytes));
    EXPECT_EQ("Hello.....", CharsOf(bytes, sizeof bytes));
    EXPECT_EQ("<- 返回 第 7 行", ReturnNote(7));
    EXPECT_EQ("", ReturnNote(0));
    EXPECT_EQ((std::vector<uint8_t>{0x48, 0x65, 0x6C}), *ParseHexBytes("48 65-6c"));
    EXPECT_EQ((std::vector<uint8_t>{0xAB, 0xCD}), *ParseHexBytes("ABCD"));
    for (const char* bad : {"", "4", "48 6", "zz", "48,65"}) EXPECT_FALSE(ParseHexBytes(bad).has_value()) << bad;
    EXPECT_EQ(0x12AB, *ParseHexWord("12abh"));
    EXPECT_EQ(0x12, *ParseHexWord("0x12"));
    EXPECT_EQ(0xFFFF, *ParseHexWord(" FFFF "));
    for (const char* bad : {"", "10000", "12G", "h"}) EXPECT_FALSE(ParseHexWord(bad).has_value()) << bad;
    // Line 6 is a CALL of 3 bytes at 0002, line 7 follows at 0005 in the code at frame 1.
    debuginfo::ProgramMap map;
    map.lines = {{"a.asm", 9, 0, 0, 4, false}, {"a.asm", 5, 1, 0, 2, true}, {"a.asm", 6, 1, 2, 3, true},
                 {"a.asm", 7, 1, 5, 2, true}};
    EXPECT_EQ(7, ReturnLineOf(map, 0x1000, 0x1001, 5));
    EXPECT_EQ(0, ReturnLineOf(map, 0x1000, 0x1001, 4));   // inside the CALL
    EXPECT_EQ(0, ReturnLineOf(map, 0x1000, 0x1001, 0));
    EXPECT_EQ(0, ReturnLineOf(map, 0x1000, 0x1000, 2));   // after data
    EXPECT_EQ(0, ReturnLineOf(map, 0x1000, 0x0FFF, 0x15)); // below the image
}

debugwire::Message Line(const char* text) { return *debugwire::Parse(text); }

TEST(SessionState, StopsRegistersAndTheEnd)
{
    SessionState s;
    EXPECT_EQ(Phase::Connecting, s.GetPhase());
    s.Apply(Line("started 1234 1244"));
    s.Apply(Line("regs AX=0000 BX=0000 CX=0000 DX=0000 SI=0000 DI=0000 BP=0000 SP=FFFE CS=1244 DS=1234 ES=1234 SS=1254 IP=0000 FL=0202"));
    EXPECT_EQ(Phase::Stopped, s.GetPhase());
    EXPECT_EQ(0x1244, s.Load());
    EXPECT_FALSE(s.Changed(debugwire::SP));
    EXPECT_EQ(0u, *s.CodeImageAddress());
    s.Apply(Line("running"));
    EXPECT_EQ(Phase::Running, s.GetPhase());
    s.Apply(Line("stopped step"));
    s.Apply(Line("regs AX=0005 BX=0000 CX=0000 DX=0000 SI=0000 DI=0000 BP=0000 SP=FFFE CS=1244 DS=1234 ES=1234 SS=1254 IP=0003 FL=0202"));
    EXPECT_TRUE(s.Changed(debugwire::AX));
    EXPECT_TRUE(s.Changed(debugwire::IP));
    EXPECT_FALSE(s.Changed(debugwire::BX));
    EXPECT_EQ(0x12443u, s.LinearOfImage(3));
    // A "set" while stopped keeps the step's comparison.
    s.Apply(Line("regs AX=0005 BX=0007 CX=0000 DX=0000 SI=0000 DI=0000 BP=0000 SP=FFFE CS=1244 DS=1234 ES=1234 SS=1254 IP=0003 FL=0202"));
    EXPECT_TRUE(s.Changed(debugwire::AX));
    EXPECT_TRUE(s.Changed(debugwire::BX));
    const debugwire::Message ended = Line("stopped ended 31");
    s.Apply(ended);
    EXPECT_EQ(Phase::Ended, s.GetPhase());
    EXPECT_EQ(31, s.ExitCode());
    EXPECT_EQ("程序结束，返回码 31", StopText(ended));
    EXPECT_EQ("停在断点", StopText(Line("stopped breakpoint")));
    EXPECT_EQ("", StopText(Line("running")));
}

}  // namespace
}  // namespace halyard::debugger
