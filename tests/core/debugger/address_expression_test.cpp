// The Memory and Watch panes' expressions against registers and a small map.
#include <gtest/gtest.h>

#include "core/debugger/address_expression.h"

namespace halyard::debugger {
namespace {

using debuginfo::SymbolKind;
using namespace debugwire;

EvalContext Context(debuginfo::ProgramMap& map)
{
    map.symbols = {{"msg", "DATA", 0, 0x10, SymbolKind::Byte, 12},
                   {"count", "DATA", 0, 0x20, SymbolKind::Word, 1},
                   {"add", "DATA", 0, 0x22, SymbolKind::Dword, 1},
                   {"start", "CODE", 3, 0, SymbolKind::Near, 1}};
    EvalContext c;
    c.map = &map;
    c.load = 0x1000;
    c.regs[AX] = 0x1234;
    c.regs[BX] = 0x0100;
    c.regs[SI] = 0x0004;
    c.regs[DI] = 0x0200;
    c.regs[BP] = 0xFFF0;
    c.regs[DS] = 0x2000;
    c.regs[ES] = 0xB800;
    c.regs[SS] = 0x3000;
    return c;
}

TEST(AddressExpression, TargetsOfWhatStudentsType)
{
    debuginfo::ProgramMap map;
    const EvalContext c = Context(map);
    const struct {
        const char* text;
        bool memory;
        uint16_t value, segment, offset;
        SymbolKind type;
        uint32_t count;
    } cases[] = {
        {"AX", false, 0x1234, 0, 0, SymbolKind::Word, 1},
        {" ax ", false, 0x1234, 0, 0, SymbolKind::Word, 1},
        {"msg", true, 0, 0x1000, 0x10, SymbolKind::Byte, 12},
        {"MSG+2", true, 0, 0x1000, 0x12, SymbolKind::Byte, 1},
        {"count", true, 0, 0x1000, 0x20, SymbolKind::Word, 1},
        {"add", true, 0, 0x1000, 0x22, SymbolKind::Dword, 1},  // a name before the hex number ADD
        {"start", true, 0, 0x1003, 0, SymbolKind::Near, 1},
        {"[BX+SI]", true, 0, 0x2000, 0x104, SymbolKind::Word, 1},
        {"byte ptr [bx+si+10h]", true, 0, 0x2000, 0x114, SymbolKind::Byte, 1},
        {"[BP-2]", true, 0, 0x3000, 0xFFEE, SymbolKind::Word, 1},
        {"DWORD PTR ES:[DI]", true, 0, 0xB800, 0x200, SymbolKind::Dword, 1},
        {"DS:0", true, 0, 0x2000, 0, SymbolKind::Word, 1},
        {"ES:DI", true, 0, 0xB800, 0x200, SymbolKind::Word, 1},
        {"B800:00A0", true, 0, 0xB800, 0xA0, SymbolKind::Word, 1},
        {"[msg+bx]", true, 0, 0x1000, 0x110, SymbolKind::Byte, 1},
        {"100h", true, 0, 0x2000, 0x100, SymbolKind::Word, 1},
    };
    for (const auto& k : cases) {
        std::string error;
        const auto t = Evaluate(k.text, c, error);
        ASSERT_TRUE(t.has_value()) << k.text << ": " << error;
        EXPECT_EQ(k.memory, t->memory) << k.text;
        if (!k.memory) EXPECT_EQ(k.value, t->value) << k.text;
        if (k.memory) EXPECT_EQ(k.segment, t->segment) << k.text;
        if (k.memory) EXPECT_EQ(k.offset, t->offset) << k.text;
        EXPECT_EQ(k.type, t->type) << k.text;
        EXPECT_EQ(k.count, t->count) << k.text;
    }
}

TEST(AddressExpression, RefusesWithAReason)
{
    debuginfo::ProgramMap map;
    const EvalContext c = Context(map);
    for (const char* text : {"", "nosuch", "[BX", "[[BX]]", "AX:0", "msg+count", "DS:", "1+", "msg ]", "123456789"}) {
        std::string error;
        EXPECT_FALSE(Evaluate(text, c, error).has_value()) << text;
        EXPECT_FALSE(error.empty()) << text;
    }
    // Without a map, names are unknown but registers and numbers still work.
    EvalContext bare = c;
    bare.map = nullptr;
    std::string error;
    EXPECT_FALSE(Evaluate("msg", bare, error).has_value());
    const auto address = EvaluateAddress("SI", bare, error);
    ASSERT_TRUE(address.has_value());
    EXPECT_EQ(0x20004u, address->Linear());
}

}  // namespace
}  // namespace halyard::debugger
