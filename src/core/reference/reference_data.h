#pragma once
// The instruction reference: every instruction of the 8086/8088 and the BIOS and DOS functions a
// course uses. Texts are in the build's execution character set (code page 936 in the program);
// fields holding several lines separate them with "\n".
#include <cstddef>

namespace halyard::reference {

struct Instruction {
    // The mnemonic and its synonyms in capitals, separated by one blank ("JE JZ"); the first names
    // the entry.
    const char* mnemonics;
    const char* title;       // a few words of Chinese
    const char* syntax;      // one form a line
    const char* operands;    // the operand kinds the forms take, one group a line
    // The flags in the order OF DF IF TF SF ZF AF PF CF, one character each: '-' unchanged,
    // '*' set from the result, '0' cleared, '1' set, '?' undefined afterwards.
    const char* flags;
    const char* explanation; // one Chinese sentence or two
    const char* example;
};

struct ServiceCall {
    unsigned char interrupt; // 0x10, 0x16 or 0x21
    unsigned char function;  // the value in AH
    const char* title;
    const char* inputs;      // registers on entry besides AH, one a line; "无" when none
    const char* outputs;     // registers on return, one a line; "无" when none
    const char* explanation;
    const char* example;
};

struct Register {
    const char* name;        // in capitals: "AX", "BH", "FLAGS"
    const char* title;
    const char* explanation;
    const char* example;
};

const Instruction* Instructions(std::size_t& count);
const Register* Registers(std::size_t& count);
const ServiceCall* ServiceCalls(std::size_t& count);

// The number of flags in Instruction::flags, and their names in that order.
constexpr std::size_t kFlagCount = 9;
extern const char* const kFlagNames[kFlagCount];

} // namespace halyard::reference
