#pragma once
// What the student types into the Memory and Watch panes: a register ("AX"), a name of the
// source ("msg", "msg+2"), memory through registers ("[BX+SI]", "[BP-2]", "WORD PTR [DI]"), or an
// address ("DS:0", "ES:DI", "B800:0"). Numbers are hexadecimal, as in DEBUG, with an optional
// trailing "h"; a name that is both (such as "ADD") is the source's name when the map has it.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/debuginfo/program_map.h"
#include "core/debugwire/debug_wire.h"

namespace halyard::debugger {

// What an expression is evaluated against: the registers of the stop and the program's map
// (null or empty: no names), whose frames count from segment `load`.
struct EvalContext {
    debugwire::RegisterSet regs{};
    const debuginfo::ProgramMap* map = nullptr;
    uint16_t load = 0;
};

struct Target {
    bool memory = false;  // false: a register's own value (`value`)
    uint16_t value = 0;
    uint16_t segment = 0;
    uint16_t offset = 0;
    debuginfo::SymbolKind type = debuginfo::SymbolKind::Word;  // of the value or of the memory
    uint32_t count = 1;  // elements of `type` (a name's own count)

    uint32_t Linear() const { return (uint32_t(segment) << 4) + offset; }
};

// The target of `text`; nullopt with `error` set (a short Chinese reason) when it is not an
// expression these panes take. A lone register is its value; anything else names memory, in DS
// unless a segment is given, a name has its own segment or BP is used (SS).
[[nodiscard]] std::optional<Target> Evaluate(std::string_view text, const EvalContext& context, std::string& error);

// The address the Memory pane shows from: a target that names memory is its address, a
// register's value is an offset in DS ("SI" shows DS:SI).
[[nodiscard]] std::optional<Target> EvaluateAddress(std::string_view text, const EvalContext& context,
                                                    std::string& error);

// A hexadecimal number of at most 8 digits: "12AB", "12abh", "0x12"; nullopt for anything else.
std::optional<uint32_t> ParseHexNumber(std::string_view text);

// The size in bytes of one element of `type` (Near 2, Far 4, Other 1).
uint32_t ElementSize(debuginfo::SymbolKind type);

}  // namespace halyard::debugger
