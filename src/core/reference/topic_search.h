#pragma once
// Looking a keyword up in the instruction reference. A query is a mnemonic ("mov"), the start of
// one ("lo"), a DOS or BIOS function ("21h 09", "int 21 9", "ah=4ch", "09h"; numbers are hex) or
// a word of the explanations ("字符串", "carry" as a whole word). Letters match in either case.
#include <cstddef>
#include <string_view>
#include <vector>

namespace halyard::reference {

enum class TopicKind { Instruction, Register, ServiceCall };

// Better ranks sort first.
enum class MatchRank {
    Exact,  // the mnemonic or one of its synonyms; the register named; the function asked for
    Prefix, // a mnemonic that starts with the query; every function of the interrupt asked for
    Word,   // the query occurs as a whole in the title or the explanation
};

struct Topic {
    TopicKind kind;
    std::size_t index; // into Instructions(), Registers() or ServiceCalls()
    MatchRank rank;
};

// Every topic the query matches, once, at its best rank; within a rank instructions come before
// registers and registers before functions, each in table order. Blanks around the query are ignored; an empty query finds nothing.
std::vector<Topic> FindTopics(std::string_view query);

// Whether `needle` occurs in `text` on character boundaries (code page 936 characters when
// `doubleByte`, else bytes, which suits UTF-8) with no ASCII letter or digit glued to an end of it
// that is itself a letter or digit. ASCII letters match in either case; other characters exactly.
bool ContainsPhrase(std::string_view text, std::string_view needle, bool doubleByte);

// Whether this build's texts are code page 936 (the program) rather than UTF-8 (native tests).
constexpr bool kDoubleByteTexts = sizeof("\u4e2d") == 3;

} // namespace halyard::reference
