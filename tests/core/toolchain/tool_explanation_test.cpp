// The explanations against what the toolchains really print: every line of recorded runs of the
// assembler, its linker (two versions), the other assembler and its linker, on sources made to
// fail, with the row of the explanation each line must reach (null: none, or not a message).
// Then the assembler's whole message table, text by text.
#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <string>

#include "core/toolchain/tool_message.h"

namespace halyard::toolchain {
namespace {

struct Recorded {
    const char* line;
    const char* row;  // the first wording of the row it reaches
};

const Recorded kRecordedLines[] = {
    {"Microsoft (R) Macro Assembler Version 5.00", nullptr},
    {"Copyright (C) Microsoft Corp 1981-1985, 1987.  All rights reserved.", nullptr},
    {"ERR.ASM(4): error A2004: Redefinition of symbol", "symbol is multidefined"},
    {"ERR.ASM(2): error A2005: Symbol is multidefined: X", "symbol is multidefined"},
    {"ERR.ASM(4): error A2005: Symbol is multidefined: X", "symbol is multidefined"},
    {"ERR.ASM(10): error A2026: Reference to multidefined symbol", "symbol is multidefined"},
    {"ERR.ASM(11): warning A4031: Operand types must match", "operand types must match"},
    {"ERR.ASM(12): error A2026: Reference to multidefined symbol", "symbol is multidefined"},
    {"ERR.ASM(13): error A2019: Wrong type of register", "wrong type of register"},
    {"ERR.ASM(14): error A2050: Value out of range", "value out of range"},
    {"ERR.ASM(15): error A2035: Operand must have size", "operand must have size"},
    {"ERR.ASM(16): warning A4057: Illegal size for operand", "illegal size for operand"},
    {"ERR.ASM(17): error A2059: Illegal use of CS register", "illegal use of cs register"},
    {"ERR.ASM(18): error A2046: Multiple base registers", "multiple base registers"},
    {"ERR.ASM(19): error A2048: Must be index or base register", "must be index or base register"},
    {"ERR.ASM(20): error A2056: Immediate mode illegal", "immediate mode illegal"},
    {"ERR.ASM(21): error A2009: Symbol not defined: FAR_AWAY", "symbol not defined"},
    {"ERR.ASM(22): error A2105: Expected: instruction or directive", "illegal instruction"},
    {"ERR.ASM(23): error A2009: Symbol not defined: G", "symbol not defined"},
    {"ERR.ASM(24): error A2110: Open parenthesis or bracket", "open parenthesis or bracket"},
    {"ERR.ASM(25): error A2028: Operator expected", nullptr},
    {"ERR.ASM(26): error A2105: Expected: instruction or directive", "illegal instruction"},
    {"ERR.ASM(27): error A2105: Expected: comma", nullptr},
    {"51614 + 464930 Bytes symbol space free", nullptr},
    {"2 Warning Errors", nullptr},
    {"19 Severe  Errors", nullptr},
    {"IBM Personal Computer Linker", nullptr},
    {"Version 2.00 (C)Copyright IBM Corp 1981, 1982, 1983", nullptr},
    {"Warning: No STACK segment", "no stack"},
    {"Unresolved Externals:", nullptr},
    {"MISSING in file(s):", nullptr},
    {"UNDEF.OBJ(UNDEF.ASM)", nullptr},
    {"There were 3 errors detected.", nullptr},
    {"Fixup offset exceeds field width in FIX2.OBJ(FIX2.ASM) near 7D01", "fixup overflow"},
    {"There were 2 errors detected.", nullptr},
    {"Microsoft (R) Overlay Linker  Version 3.60", nullptr},
    {"Copyright (C) Microsoft Corp 1983-1987.  All rights reserved.", nullptr},
    {"LINK : warning L4021: no stack segment", "no stack"},
    {"FIX2.OBJ(FIX2.ASM) : error L2002: fixup overflow at 7D01 in segment CODE", "fixup overflow"},
    {"pos: 6A Record type: 9C", nullptr},
    {"target external 'FARLBL'", nullptr},
    {"There was 1 error detected", nullptr},
    {"End of file encountered on input file", nullptr},
    {"NOEND.ASM(3): warning A4085: End of file, no END directive", "end of file, no end directive"},
    {"Open segments: CODE", nullptr},
    {"51872 + 464672 Bytes symbol space free", nullptr},
    {"1 Warning Errors", nullptr},
    {"1 Severe  Errors", nullptr},
    {"Open procedures: P1", nullptr},
    {"ERR2.ASM(1): error A2086: Data emitted with no segment", "must be in segment block"},
    {"ERR2.ASM(8): error A2053: Jump out of range by 73 byte(s)", "jump out of range"},
    {"ERR2.ASM(10): error A2029: Division by 0 or overflow", "division by 0"},
    {"ERR2.ASM(11): error A2042: Constant expected", "constant expected"},
    {"ERR2.ASM(13): error A2027: Operand expected", "operand expected"},
    {"ERR2.ASM(14): error A2028: Operator expected", nullptr},
    {"ERR2.ASM(15): warning A4001: Extra characters on line", "extra characters on line"},
    {"ERR2.ASM(16): error A2110: Open parenthesis or bracket", "open parenthesis or bracket"},
    {"ERR2.ASM(17): error A2028: Operator expected", nullptr},
    {"ERR2.ASM(18): error A2049: Illegal use of register", "illegal use of register"},
    {"ERR2.ASM(19): error A2056: Immediate mode illegal", "immediate mode illegal"},
    {"ERR2.ASM(22): error A2027: Operand expected", "operand expected"},
    {"ERR2.ASM(23): error A2024: Segment parameters are changed", "segment parameters are changed"},
    {"ERR2.ASM(24): error A2024: Segment parameters are changed", "segment parameters are changed"},
    {"ERR2.ASM(31): error A2062: Missing or unreachable CS", "missing or unreachable cs"},
    {"ERR2.ASM(32): error A2105: Expected: instruction or directive", "illegal instruction"},
    {"51606 + 464938 Bytes symbol space free", nullptr},
    {"15 Severe  Errors", nullptr},
    {"Unable to open input file: NOFILE.ASM", "unable to open"},
    {"Cannot find file NOFILE.OBJ", "unable to open"},
    {"LINK : fatal error L1093: NOFILE.OBJ : object not found", "unable to open"},
    {"There was 1 error detected.", nullptr},
    {"LINK : warning L2029: Unresolved externals:", "undefined symbol * in module"},
    {"Invalid object module", "invalid object module"},
    {"Input File: BAD.OBJ pos: 00003 Record Type: 67", nullptr},
    {"BAD.OBJ : fatal error L1101: invalid object module", "invalid object module"},
    {"pos: 1 Record type: 67", nullptr},
    {"Turbo Assembler  Version 2.5  Copyright (c) 1988, 1991 Borland International", nullptr},
    {"Assembling file:   ERR.ASM", nullptr},
    {"**Error** ERR.ASM(4) Symbol already defined elsewhere: X", "symbol is multidefined"},
    {"**Error** ERR.ASM(10) Can't address with currently ASSUMEd segment registers", "missing or unreachable cs"},
    {"**Error** ERR.ASM(11) Operand types do not match", "operand types must match"},
    {"**Error** ERR.ASM(12) Illegal memory reference", "improper operand type"},
    {"**Error** ERR.ASM(13) Illegal use of segment register", "improper use of segment register"},
    {"**Error** ERR.ASM(14) Constant too large", "value out of range"},
    {"*Warning* ERR.ASM(15) Argument needs type override", "operand must have size"},
    {"**Error** ERR.ASM(16) Argument to operation or instruction has illegal size", "illegal size for operand"},
    {"**Error** ERR.ASM(17) Invalid operand(s) to instruction", "invalid operand(s) to instruction"},
    {"**Error** ERR.ASM(18) Illegal indexing mode", "must be index or base register"},
    {"**Error** ERR.ASM(19) Illegal indexing mode", "must be index or base register"},
    {"**Error** ERR.ASM(20) Illegal use of segment register", "improper use of segment register"},
    {"**Error** ERR.ASM(21) Undefined symbol: FAR_AWAY", "symbol not defined"},
    {"**Error** ERR.ASM(22) Illegal instruction", "illegal instruction"},
    {"**Error** ERR.ASM(23) Illegal number", "illegal number"},
    {"**Error** ERR.ASM(24) Need right parenthesis", "open parenthesis or bracket"},
    {"**Error** ERR.ASM(25) Extra characters on line", "extra characters on line"},
    {"**Error** ERR.ASM(26) Illegal instruction for currently selected processor(s)", "illegal instruction"},
    {"**Error** ERR.ASM(27) Too few operands to instruction", "operand expected"},
    {"Error messages:    18", nullptr},
    {"Warning messages:  1", nullptr},
    {"Passes:            1", nullptr},
    {"Remaining memory:  491k", nullptr},
    {"Turbo Link  Version 3.0 Copyright (c) 1987, 1990 Borland International", nullptr},
    {"Error: Undefined symbol MISSING in module UNDEF.ASM", "undefined symbol * in module"},
    {"Warning: No stack", "no stack"},
    {"Error: Fixup overflow in module FIX2.ASM at CODE:7D01, target = FARLBL", "fixup overflow"},
    {"Assembling file:   NOEND.ASM", nullptr},
    {"*Warning* NOEND.ASM(4) Open segment: CODE", "block nesting error"},
    {"**Fatal** NOEND.ASM(4) Unexpected end of file encountered", "end of file, no end directive"},
    {"Error messages:    1", nullptr},
    {"Assembling file:   ERR2.ASM", nullptr},
    {"**Error** ERR2.ASM(1) Code or data emission to undeclared segment", "must be in segment block"},
    {"**Error** ERR2.ASM(8) Relative jump out of range by 0049h bytes", "jump out of range"},
    {"**Error** ERR2.ASM(10) Divide by 0", "division by 0"},
    {"**Error** ERR2.ASM(11) Expecting scalar type", "constant expected"},
    {"**Error** ERR2.ASM(13) Need expression", "operand expected"},
    {"**Error** ERR2.ASM(14) Extra characters on line", "extra characters on line"},
    {"**Error** ERR2.ASM(15) Extra characters on line", "extra characters on line"},
    {"**Error** ERR2.ASM(16) Need right square bracket", "open parenthesis or bracket"},
    {"**Error** ERR2.ASM(17) Extra characters on line", "extra characters on line"},
    {"**Error** ERR2.ASM(22) Undefined symbol: SEG", "symbol not defined"},
    {"**Error** ERR2.ASM(24) Symbol already different kind: LBL", "symbol already different kind"},
    {"**Error** ERR2.ASM(26) Segment attributes illegally redefined", "segment parameters are changed"},
    {"Error messages:    12", nullptr},
    {"Warning messages:  None", nullptr},
    {"Remaining memory:  490k", nullptr},
    {"Assembling file:   NOFILE.ASM", nullptr},
    {"**Fatal** Command line: Can't locate file: NOFILE.ASM", "unable to open"},
    {"Passes:            None", nullptr},
    {"Remaining memory:  492k", nullptr},
    {"Unable to open file nofile.obj", "unable to open"},
    {"Bad object file bad.obj", "invalid object module"},
    {"Assembling file:   OPENP.ASM", nullptr},
    {"*Warning* OPENP.ASM(6) Open procedure: P1", "block nesting error"},
    {"Error messages:    None", nullptr},
};

const Recorded kAssemblerTexts[] = {
    {"Block nesting error", "block nesting error"},
    {"Extra characters on line", "extra characters on line"},
    {"Internal error - Register already defined", nullptr},
    {"Unknown type specifer", nullptr},
    {"Redefinition of symbol", "symbol is multidefined"},
    {"Symbol is multidefined", "symbol is multidefined"},
    {"Phase error between passes", "phase error"},
    {"Already had ELSE clause", nullptr},
    {"Must be in conditional block", nullptr},
    {"Symbol not defined", "symbol not defined"},
    {"Syntax error", "syntax error"},
    {"Type illegal in context", "type illegal in context"},
    {"Group name must be unique", nullptr},
    {"Must be declared during Pass 1", nullptr},
    {"Illegal public declaration", nullptr},
    {"Symbol already different kind", "symbol already different kind"},
    {"Reserved word used as symbol", "reserved word used as symbol"},
    {"Forward reference illegal", "forward reference illegal"},
    {"Operand must be register", nullptr},
    {"Wrong type of register", "wrong type of register"},
    {"Operand must be segment or group", nullptr},
    {"Operand must be type specifier", nullptr},
    {"Symbol already defined locally", nullptr},
    {"Segment parameters are changed", "segment parameters are changed"},
    {"Improper align/combine type", nullptr},
    {"Reference to multidefined symbol", "symbol is multidefined"},
    {"Operand expected", "operand expected"},
    {"Operator expected", nullptr},
    {"Division by 0 or overflow", "division by 0"},
    {"Negative shift count", nullptr},
    {"Operand types must match", "operand types must match"},
    {"Illegal use of external", "illegal use of external"},
    {"Operand must be record or field name", nullptr},
    {"Operand must have size", "operand must have size"},
    {"Left operand must have segment", nullptr},
    {"One operand must be constant", nullptr},
    {"Operands must be in same segment, or one constant", nullptr},
    {"Constant expected", "constant expected"},
    {"Operand must have segment", nullptr},
    {"Must be associated with data", nullptr},
    {"Must be associated with code", nullptr},
    {"Multiple base registers", "multiple base registers"},
    {"Multiple index registers", "multiple base registers"},
    {"Must be index or base register", "must be index or base register"},
    {"Illegal use of register", "illegal use of register"},
    {"Value out of range", "value out of range"},
    {"Operand not in current CS ASSUME segment", "missing or unreachable cs"},
    {"Improper operand type", "improper operand type"},
    {"Jump out of range by 12 byte(s)", "jump out of range"},
    {"Illegal register value", nullptr},
    {"Immediate mode illegal", "immediate mode illegal"},
    {"Illegal size for operand", "illegal size for operand"},
    {"Byte register illegal", "byte register illegal"},
    {"Illegal use of CS register", "illegal use of cs register"},
    {"Must be accumulator register", nullptr},
    {"Improper use of segment register", "improper use of segment register"},
    {"Missing or unreachable CS", "missing or unreachable cs"},
    {"Operand combination illegal", nullptr},
    {"Near JMP/CALL to different CS", "near jmp/call to different cs"},
    {"Label cannot have segment override", nullptr},
    {"Must have instruction after prefix", "must have instruction after prefix"},
    {"Cannot override ES for destination", "cannot override es for destination"},
    {"Cannot address with segment register", "missing or unreachable cs"},
    {"Must be in segment block", "must be in segment block"},
    {"Cannot use EVEN or ALIGN with byte alignment", nullptr},
    {"Forward needs override or FAR", "forward reference illegal"},
    {"Illegal value for DUP count", nullptr},
    {"Symbol is already external", nullptr},
    {"DUP nesting too deep", nullptr},
    {"Illegal use of undefined operand (?)", nullptr},
    {"Too many values for struc or record initialization", nullptr},
    {"Angle brackets required around initialized list", nullptr},
    {"Directive illegal in structure", nullptr},
    {"Override with DUP illegal", nullptr},
    {"Field cannot be overridden", nullptr},
    {"Circular chain of EQU aliases", nullptr},
    {"Cannot emulate coprocessor opcode", nullptr},
    {"End of file, no END directive", "end of file, no end directive"},
    {"Data emitted with no segment", "must be in segment block"},
    {"Forced error - pass1", "forced error"},
    {"Forced error - pass2", "forced error"},
    {"Forced error", "forced error"},
    {"Forced error - expression equals 0", "forced error"},
    {"Forced error - expression not equal 0", "forced error"},
    {"Forced error - symbol not defined", "forced error"},
    {"Forced error - symbol defined", "forced error"},
    {"Forced error - string blank", "forced error"},
    {"Forced error - string not blank", "forced error"},
    {"Forced error - strings identical", "forced error"},
    {"Forced error - strings different", "forced error"},
    {"Wrong length for override value ", nullptr},
    {"Line too long expanding symbol", nullptr},
    {"Impure memory reference", nullptr},
    {"Missing data; zero assumed", nullptr},
    {"Segment near (or at) 64K limit", nullptr},
    {"Cannot change processor in segment", nullptr},
    {"Operand size does not match segment word size", nullptr},
    {"Address size does not match segment word size", nullptr},
    {"Jump within short distance", nullptr},
    {"Align must be power of 2", nullptr},
    {"Line too long", nullptr},
    {"Non-digit in number", "illegal number"},
    {"Empty string", nullptr},
    {"Missing operand", "operand expected"},
    {"Open parenthesis or bracket", "open parenthesis or bracket"},
    {"Not in macro expansion", nullptr},
    {"Unexpected end of line", nullptr},
};

const char* FirstWordingOf(int row)
{
    std::size_t count = 0;
    const ToolExplanation* rows = ToolExplanations(count);
    return row < 0 ? nullptr : rows[row].wordings[0];
}

// `text` holds `wording`, whose "*" stands for any text.
bool Holds(const std::string& text, std::string wording)
{
    std::size_t from = 0, star;
    do {
        star = wording.find('*');
        const std::size_t at = text.find(wording.substr(0, star), from);
        if (at == std::string::npos) return false;
        from = at + wording.substr(0, star).size();
        wording.erase(0, star == std::string::npos ? wording.size() : star + 1);
    } while (star != std::string::npos);
    return true;
}

void ExpectRow(const char* expected, int row, const std::string& what)
{
    const char* got = FirstWordingOf(row);
    EXPECT_EQ(std::string(expected ? expected : "(none)"), std::string(got ? got : "(none)")) << what;
}

// Each line reaches its own row and nothing else; every wording of every row is reached by some
// real line or text of its row, so no wording is a guess.
TEST(ToolExplanation, EachRowIsReachedByItsOwnMessagesOnly)
{
    std::set<std::string> reached;  // "row|wording"
    std::size_t count = 0;
    const ToolExplanation* rows = ToolExplanations(count);
    auto note = [&](const std::string& text, int row) {
        if (row < 0) return;
        std::string lower = text;
        for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        for (const char* w : rows[row].wordings)
            if (w && Holds(lower, w)) reached.insert(std::string(rows[row].wordings[0]) + "|" + w);
    };
    for (const Recorded& r : kRecordedLines) {
        ToolMessage m;
        const bool parsed = ParseToolMessage(r.line, m);
        const int row = parsed ? FindToolExplanation(m.text) : -1;
        ExpectRow(r.row, row, r.line);
        if (parsed) EXPECT_EQ(ExplainToolMessage(m), row < 0 ? nullptr : rows[row].text) << r.line;
        note(m.text, row);
    }
    for (const Recorded& r : kAssemblerTexts) {
        const int row = FindToolExplanation(r.line);
        ExpectRow(r.row, row, r.line);
        note(r.line, row);
    }
    for (std::size_t row = 0; row < count; ++row)
        for (const char* w : rows[row].wordings)
            if (w) EXPECT_TRUE(reached.count(std::string(rows[row].wordings[0]) + "|" + w)) << "never reached: " << w;
}

}  // namespace
}  // namespace halyard::toolchain
