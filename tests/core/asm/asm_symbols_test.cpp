#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/asm/asm_symbols.h"

namespace {

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t from = 0;
    for (std::size_t at; (at = text.find('\n', from)) != std::string::npos; from = at + 1)
        lines.push_back(text.substr(from, at - from));
    lines.push_back(text.substr(from));
    return lines;
}

std::vector<AsmSymbol> Index(const std::vector<std::string>& lines)
{
    return IndexSymbols(int(lines.size()), [&](int k) { return std::string_view(lines[std::size_t(k)]); });
}

// "name kind line column owner" for each definition.
std::string Describe(const std::vector<AsmSymbol>& symbols)
{
    static const char* const kKinds[] = {"label", "proc", "var", "const", "macro", "struc", "segment"};
    std::string out;
    for (const AsmSymbol& s : symbols)
        out += s.name + " " + kKinds[int(s.kind)] + " " + std::to_string(s.line) + " " + std::to_string(s.column) +
               " " + std::to_string(s.owner) + "\n";
    return out;
}

const char* const kSource =
    ".MODEL SMALL\n"                        // 0
    ".DATA\n"                               // 1
    "msg   DB 'fake: label', 0dh, '$'\n"    // 2
    "Count DW 10\n"                         // 3
    "limit EQU 5\n"                         // 4
    "n=3\n"                                 // 5
    ".CODE\n"                               // 6
    "start:  mov ax, @data ; not: here\n"   // 7
    "        call Print\n"                  // 8
    "; gone: a comment\n"                   // 9
    "/* hidden:\n"                          // 10
    "   inner PROC */\n"                    // 11
    "COMMENT ~\n"                           // 12
    "ghost: nop ~\n"                        // 13
    "Print   PROC NEAR\n"                   // 14
    "@@next: loop @@next\n"                 // 15
    "        ret\n"                         // 16
    "Print   ENDP\n"                        // 17
    "Other   proc\n"                        // 18
    "@@next: jmp start\n"                   // 19
    "Other   endp\n"                        // 20
    "outside LABEL BYTE\n"                  // 21
    "mov: nop\n"                            // 22
    "        END start";                    // 23

// Definitions only: uses, strings, comments of every kind and instruction names are not.
TEST(AsmSymbols, FindsDefinitionsAndNothingElse)
{
    EXPECT_EQ("msg var 2 0 -1\n"
              "Count var 3 0 -1\n"
              "limit const 4 0 -1\n"
              "n const 5 0 -1\n"
              "start label 7 0 -1\n"
              "Print proc 14 0 -1\n"
              "@@next label 15 0 5\n"
              "Other proc 18 0 -1\n"
              "@@next label 19 0 7\n"
              "outside label 21 0 -1\n",
              Describe(Index(Lines(kSource))));
}

TEST(AsmSymbols, FindSymbolIgnoresCaseAndPrefersTheSameProcedure)
{
    const std::vector<AsmSymbol> symbols = Index(Lines(kSource));
    const struct {
        const char* name;
        int fromLine;
        int line;  // of the definition found, -1 for none
    } rows[] = {
        {"print", 8, 14},  {"START", 23, 7}, {"@@next", 15, 15}, {"@@next", 19, 19},
        {"@@next", 2, 15}, {"hidden", 0, -1}, {"ghost", 0, -1},   {"", 0, -1},
    };
    for (const auto& row : rows) {
        const int found = FindSymbol(symbols, row.name, row.fromLine);
        EXPECT_EQ(row.line, found < 0 ? -1 : symbols[std::size_t(found)].line) << row.name << " from " << row.fromLine;
    }
}

TEST(AsmSymbols, NameBounds)
{
    const struct {
        const char* line;
        int pos, start, end;
    } rows[] = {
        {"jmp @@next", 6, 4, 10}, {"jmp @@next", 10, 4, 10}, {"mov ax,.data?", 9, 7, 13},
        {"a , b", 2, 2, 2},       {"msg$", 0, 0, 4},          {"x", 5, 0, 1},
    };
    for (const auto& row : rows) {
        int start = -1, end = -1;
        NameBoundsAt(row.line, row.pos, start, end);
        EXPECT_EQ(row.start, start) << row.line << " at " << row.pos;
        EXPECT_EQ(row.end, end) << row.line << " at " << row.pos;
    }
}

}  // namespace
