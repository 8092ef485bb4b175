// The reference tables are complete and well formed: every 8086/8088 mnemonic once, valid flags,
// no empty field, examples that use what they explain, one entry per DOS or BIOS function.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <set>
#include <sstream>
#include <string>

#include "core/reference/reference_data.h"
#include "core/reference/topic_search.h"

namespace {

using namespace halyard::reference;

// Written down from the processor's instruction list, independently of the table.
const char kMnemonics[] =
    "AAA AAD AAM AAS ADC ADD AND CALL CBW CLC CLD CLI CMC CMP CMPS CMPSB CMPSW CWD DAA DAS DEC DIV ESC HLT IDIV "
    "IMUL IN INC INT INTO IRET JA JAE JB JBE JC JCXZ JE JG JGE JL JLE JMP JNA JNAE JNB JNBE JNC JNE JNG JNGE JNL "
    "JNLE JNO JNP JNS JNZ JO JP JPE JPO JS JZ LAHF LDS LEA LES LOCK LODS LODSB LODSW LOOP LOOPE LOOPNE LOOPNZ "
    "LOOPZ MOV MOVS MOVSB MOVSW MUL NEG NOP NOT OR OUT POP POPF PUSH PUSHF RCL RCR REP REPE REPNE REPNZ REPZ RET "
    "RETF RETN ROL ROR SAHF SAL SAR SBB SCAS SCASB SCASW SHL SHR STC STD STI STOS STOSB STOSW SUB TEST WAIT XCHG "
    "XLAT XLATB XOR";

std::multiset<std::string> Words(const char* text)
{
    std::istringstream in(text);
    std::multiset<std::string> words;
    for (std::string w; in >> w;) words.insert(w);
    return words;
}

bool Filled(const char* text) { return text && *text; }

TEST(ReferenceData, EveryInstructionOnceWithValidFieldsAndAnExampleThatUsesIt)
{
    size_t count = 0;
    const Instruction* table = Instructions(count);
    std::multiset<std::string> listed;
    for (size_t i = 0; i < count; ++i) {
        const Instruction& e = table[i];
        SCOPED_TRACE(e.mnemonics);
        const std::multiset<std::string> names = Words(e.mnemonics);
        listed.insert(names.begin(), names.end());
        EXPECT_TRUE(Filled(e.title) && Filled(e.syntax) && Filled(e.operands) && Filled(e.explanation) && Filled(e.example));
        ASSERT_EQ(kFlagCount, std::string(e.flags).size());
        EXPECT_EQ(std::string::npos, std::string(e.flags).find_first_not_of("-*01?"));
        bool syntaxNamesIt = false, exampleUsesIt = false;
        for (const std::string& name : names) {
            syntaxNamesIt = syntaxNamesIt || std::string(e.syntax).compare(0, name.size(), name) == 0;
            exampleUsesIt = exampleUsesIt || ContainsPhrase(e.example, name, kDoubleByteTexts);
        }
        EXPECT_TRUE(syntaxNamesIt) << e.syntax;
        EXPECT_TRUE(exampleUsesIt) << e.example;
    }
    EXPECT_EQ(Words(kMnemonics), listed);
}

TEST(ReferenceData, OneEntryPerFunctionWithTheCourseFunctionsPresent)
{
    size_t count = 0;
    const ServiceCall* table = ServiceCalls(count);
    std::map<int, std::set<int>> functions;
    for (size_t i = 0; i < count; ++i) {
        const ServiceCall& c = table[i];
        SCOPED_TRACE(std::to_string(c.interrupt) + "/" + std::to_string(c.function));
        EXPECT_TRUE(c.interrupt == 0x10 || c.interrupt == 0x16 || c.interrupt == 0x21);
        EXPECT_TRUE(functions[c.interrupt].insert(c.function).second) << "twice";
        EXPECT_TRUE(Filled(c.title) && Filled(c.inputs) && Filled(c.outputs) && Filled(c.explanation) && Filled(c.example));
        char interrupt[8];
        std::snprintf(interrupt, sizeof interrupt, "INT %02Xh", c.interrupt);
        EXPECT_TRUE(ContainsPhrase(c.example, interrupt, kDoubleByteTexts)) << c.example;
    }
    const std::map<int, std::set<int>> course = {
        {0x21, {0x01, 0x02, 0x06, 0x07, 0x08, 0x09, 0x0A, 0x0B, 0x25, 0x2A, 0x2C, 0x35, 0x3C, 0x3D, 0x3E, 0x3F, 0x40,
                0x41, 0x42, 0x4C}},
        {0x10, {0x00, 0x02, 0x03, 0x06, 0x09, 0x0E}},
        {0x16, {0x00, 0x01, 0x02}}};
    for (const auto& [interrupt, wanted] : course)
        for (int function : wanted) EXPECT_EQ(1u, functions[interrupt].count(function)) << interrupt << "/" << function;
}

} // namespace
