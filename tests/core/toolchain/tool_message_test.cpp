// Reading the toolchains' messages, explaining them, and which names a DOS tool can open.
#include <gtest/gtest.h>

#include "core/toolchain/dos_names.h"
#include "core/toolchain/tool_message.h"

namespace halyard::toolchain {
namespace {

struct MessageCase {
    const char* line;
    bool recognised;
    ToolSeverity severity;
    const char* file;
    int lineNo;
    const char* code;
    const char* text;
};

// Lines as the tools print them, from recorded runs; the surrounding lines of a run too.
TEST(ToolMessage, ReadsEveryFormOfBothToolchainsAndNothingElse)
{
    using S = ToolSeverity;
    const MessageCase cases[] = {
        {"HELLO.ASM(12): error A2009: Symbol not defined: FOO", true, S::Error, "HELLO.ASM", 12, "A2009", "Symbol not defined: FOO"},
        {"HELLO.ASM(7): warning A4016: Reserved word used as symbol: NAME", true, S::Warning, "HELLO.ASM", 7, "A4016", "Reserved word used as symbol: NAME"},
        {"hello.asm(12) : error A2006: undefined symbol : foo", true, S::Error, "hello.asm", 12, "A2006", "undefined symbol : foo"},
        {"hello.asm(3) : fatal error A1000: cannot open file : x.inc", true, S::Fatal, "hello.asm", 3, "A1000", "cannot open file : x.inc"},
        {"**Error** hello.asm(12) Undefined symbol: FOO", true, S::Error, "hello.asm", 12, "", "Undefined symbol: FOO"},
        {"*Warning* hello.asm(5) Argument needs type override", true, S::Warning, "hello.asm", 5, "", "Argument needs type override"},
        {"**Fatal** HELLO~1.ASM(40) Unexpected end of file encountered", true, S::Fatal, "HELLO~1.ASM", 40, "", "Unexpected end of file encountered"},
        {"**Fatal** Command line: Can't locate file: x.asm", true, S::Fatal, "", 0, "", "Command line: Can't locate file: x.asm"},
        {"**Error** HELLO.ASM(9) MYMAC(2) Need right square bracket", true, S::Error, "HELLO.ASM", 9, "", "MYMAC(2) Need right square bracket"},
        {"LINK : warning L4021: no stack segment", true, S::Warning, "", 0, "L4021", "no stack segment"},
        {"HELLO.OBJ(hello.asm) : error L2029: 'FOO' : unresolved external", true, S::Error, "", 0, "L2029", "'FOO' : unresolved external"},
        {"Warning: No stack", true, S::Warning, "", 0, "", "No stack"},
        {"Error: Undefined symbol FOO in module HELLO.ASM", true, S::Error, "", 0, "", "Undefined symbol FOO in module HELLO.ASM"},
        {"Fatal: Unable to open file 'HELLO.OBJ'", true, S::Fatal, "", 0, "", "Unable to open file 'HELLO.OBJ'"},
        {"Assembling file:   hello.asm", false, S::Error, "", 0, "", ""},
        {"Error messages:    1", false, S::Error, "", 0, "", ""},
        {"   0 Warning Errors", false, S::Error, "", 0, "", ""},
        {"  mov ax,(3) ; error(12): not a message", false, S::Error, "", 0, "", ""},
        {"x(0): error A2009: zero is no line", true, S::Error, "", 0, "A2009", "zero is no line"},
        // A name with parentheses of its own: the line is the last parenthesised number.
        {"A(1).ASM(12): error A2009: Symbol not defined: FOO", true, S::Error, "A(1).ASM", 12, "A2009", "Symbol not defined: FOO"},
        {"**Error** A(1).ASM(7) Undefined symbol: FOO", true, S::Error, "A(1).ASM", 7, "", "Undefined symbol: FOO"},
        {"*Warning* A(2)B.ASM(3) Open segment: CODE", true, S::Warning, "A(2)B.ASM", 3, "", "Open segment: CODE"},
        // Codes are a letter and four digits; lines have at most seven digits; a starred name
        // has no blank.
        {"HELLO.ASM(1): error A200X: five characters", false, S::Error, "", 0, "", ""},
        {"77777): error A2009: no opening parenthesis", true, S::Error, "", 0, "A2009", "no opening parenthesis"},
        {"HELLO.ASM(12345678): error A2009: eight digits", true, S::Error, "", 0, "A2009", "eight digits"},
        {"HELLO.ASM(1234567): error A2009: seven digits", true, S::Error, "HELLO.ASM", 1234567, "A2009", "seven digits"},
        {"**Error** my file.asm(3) Undefined symbol: X", true, S::Error, "", 0, "", "my file.asm(3) Undefined symbol: X"},
        // The linkers' and the assembler's lines without a severity word.
        {"Unable to open input file: NOFILE.ASM", true, S::Fatal, "", 0, "", "Unable to open input file: NOFILE.ASM"},
        {"Fixup offset exceeds field width in FIX2.OBJ(FIX2.ASM) near 7D01", true, S::Error, "", 0, "", "Fixup offset exceeds field width in FIX2.OBJ(FIX2.ASM) near 7D01"},
        {"", false, S::Error, "", 0, "", ""},
    };
    for (const MessageCase& c : cases) {
        SCOPED_TRACE(c.line);
        ToolMessage m;
        ASSERT_EQ(ParseToolMessage(c.line, m), c.recognised);
        if (!c.recognised) continue;
        EXPECT_EQ(m.severity, c.severity);
        EXPECT_EQ(m.file, c.file);
        EXPECT_EQ(m.line, c.lineNo);
        EXPECT_EQ(m.code, c.code);
        EXPECT_EQ(m.text, c.text);
        EXPECT_EQ(m.HasLocation(), c.lineNo > 0);
    }
}

// The same fault worded by either toolchain finds the same explanation; linker wordings that
// contain an assembler wording find their own.
TEST(ToolMessage, ExplainsBothWordingsOfACommonFault)
{
    const char* sameFault[][2] = {
        {"HELLO.ASM(12): error A2009: Symbol not defined: FOO", "**Error** hello.asm(12) Undefined symbol: FOO"},
        {"HELLO.ASM(4): error A2031: Operand types must match", "**Error** hello.asm(4) Operand types do not match"},
        {"HELLO.ASM(30): error A2053: Jump out of range by 12 byte(s)", "**Error** hello.asm(30) Relative jump out of range by 0012h bytes"},
        {"LINK : warning L4021: no stack segment", "Warning: No stack"},
        {"HELLO.ASM(40): error A2085: End of file, no END directive", "**Fatal** hello.asm(40) Unexpected end of file encountered"},
    };
    for (const auto& pair : sameFault) {
        ToolMessage a, b;
        ASSERT_TRUE(ParseToolMessage(pair[0], a) && ParseToolMessage(pair[1], b)) << pair[0];
        ASSERT_NE(ExplainToolMessage(a), nullptr) << pair[0];
        EXPECT_EQ(ExplainToolMessage(a), ExplainToolMessage(b)) << pair[1];
    }
    ToolMessage asmUndefined, linkUndefined, unknown;
    ASSERT_TRUE(ParseToolMessage("**Error** a.asm(1) Undefined symbol: X", asmUndefined));
    ASSERT_TRUE(ParseToolMessage("Error: Undefined symbol X in module A.ASM", linkUndefined));
    EXPECT_NE(ExplainToolMessage(asmUndefined), ExplainToolMessage(linkUndefined));
    ASSERT_TRUE(ParseToolMessage("**Error** a.asm(1) Something nobody has seen", unknown));
    EXPECT_EQ(ExplainToolMessage(unknown), nullptr);
}

TEST(DosNames, AcceptsPlainEightDotThreeNamesOnly)
{
    const struct {
        const char* path;
        bool dos;
    } cases[] = {
        {"HELLO.ASM", true},          {"hello.asm", true},           {"C:\\MASM\\HELLO.ASM", true},
        {"C:\\A-B_1\\~$!.X", true},   {"12345678.123", true},        {"NOEXT", true},
        {"C:\\work\\", true},         {"\\\\server\\long share\\A.ASM", true}, {"", true},
        {"123456789.ASM", false},     {"HELLO.ASMX", false},         {"hello world.asm", false},
        {"hello.world.asm", false},   {"C:\\汇编\\A.ASM", false},     {"C:\\Program Files\\A.ASM", false},
        {".ASM", false},              {"HELLO.", false},             {"A+B.ASM", false},
        {"C:\\A\\..\\B.ASM", true},   {"C:\\A\\\\B.ASM", false},
    };
    for (const auto& c : cases) EXPECT_EQ(IsDosPath(c.path), c.dos) << c.path;
}

}  // namespace
}  // namespace halyard::toolchain
