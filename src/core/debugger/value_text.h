#pragma once
// The texts of the debugger's panes: a watched value in hex, decimal and characters, a row of
// the Memory pane, a word of the Stack pane.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/debuginfo/program_map.h"

namespace halyard::debugger {

// "0041h  65  'A'" for a byte, "1234h  4660  '4.'" for a word (its bytes in memory order),
// "00012345h  74565  'E#..'" for a dword. Several elements (a DB string) give the first 16
// elements' hex, then their characters. Fewer bytes than one element: "??".
std::string FormatValue(debuginfo::SymbolKind type, uint32_t count, const std::vector<uint8_t>& bytes);
// One byte as the panes show a character: itself when printable ASCII, else ".".
char ShownChar(uint8_t byte);
// "0B2A:0010": an address as the panes show it.
std::string AddressText(uint16_t segment, uint16_t offset);
// A row of the Memory pane: "48 65 6C 6C 6F 00 01 02-7F 09" (a dash after the eighth byte).
std::string HexBytes(const uint8_t* bytes, size_t count);
// The same bytes as characters: "Hello.....".
std::string CharsOf(const uint8_t* bytes, size_t count);
// The bytes of "48 65 6c" or "48656C" (pairs of hex digits, blanks and dashes between them
// ignored); nullopt for anything else or for no byte.
std::optional<std::vector<uint8_t>> ParseHexBytes(const std::string& text);
// A hex number as the Registers pane takes it ("12AB", "12abh", "0x12"); nullopt for anything
// else or a value above FFFFh.
std::optional<uint16_t> ParseHexWord(const std::string& text);
// The Stack pane's note of a word that is a return address into the program's code:
// "<- 返回 第 12 行"; empty for 0.
std::string ReturnNote(int returnLine);
// "1234h": four hex digits and the suffix.
std::string Hex4(uint16_t value);

// The 1-based source line a stack word returns to: `word` is an offset in code segment `cs` that
// starts a line, right after a line of code (the CALL); 0 when it is not one or there is no map.
int ReturnLineOf(const debuginfo::ProgramMap& map, uint16_t load, uint16_t cs, uint16_t word);

}  // namespace halyard::debugger
