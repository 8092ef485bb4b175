#pragma once
// The names a source file defines, found line by line: code labels ("again:"), procedures
// ("print PROC"), variables ("msg DB ..."), constants ("count EQU 10", "n = 5"), macros,
// structures and segments. A name counts only where it starts a line's code: one inside a string
// or a comment (also a block comment or a COMMENT block begun lines before) is no definition, and
// neither is a use of a name ("jmp again", "call print", "print ENDP").
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

enum class AsmSymbolKind { Label, Procedure, Variable, Constant, Macro, Structure, Segment };

struct AsmSymbol {
    std::string name;
    AsmSymbolKind kind;
    int line;    // zero-based
    int column;  // byte index of the name in its line
    // The index in the list of the procedure whose PROC ... ENDP holds the definition, or -1.
    int owner;
};

// Every definition of lines 0 to lineCount-1, in line order; `lineAt` gives a line's bytes
// without its line end.
std::vector<AsmSymbol> IndexSymbols(int lineCount, const std::function<std::string_view(int)>& lineAt);
// Every definition of a text buffer's lines.
class CTextBuffer;
std::vector<AsmSymbol> IndexSymbols(const CTextBuffer& buffer);

// The definition of `name` (letters compared in either case, as the assemblers do) seen from
// line `fromLine`: of several, the one inside the same procedure as that line (local labels of
// different procedures may share a name), else the first. -1 when there is none.
int FindSymbol(const std::vector<AsmSymbol>& symbols, std::string_view name, int fromLine);

// The bytes of a name: letters, digits and _ . @ ? $.
bool IsNameChar(unsigned char c);
// The name around byte `pos` of `line`: [start, end), empty (start == end == pos) when no name
// character touches pos on either side.
void NameBoundsAt(std::string_view line, int pos, int& start, int& end);
