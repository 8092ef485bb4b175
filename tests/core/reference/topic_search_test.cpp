// Looking keywords up: which topics come first and how many are found, every mnemonic and every
// function found first by its own name, and phrases matched on whole characters and words.
#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "core/reference/reference_data.h"
#include "core/reference/topic_search.h"
#include "core/reference/topic_text.h"

namespace {

using namespace halyard::reference;

std::vector<std::string> Names(const std::vector<Topic>& topics, size_t n)
{
    std::vector<std::string> names;
    for (size_t i = 0; i < topics.size() && i < n; ++i) names.push_back(TopicName(topics[i]));
    return names;
}

struct QueryCase {
    const char* query;
    std::vector<std::string> first; // the first results, in order
    size_t count;
};

TEST(TopicSearch, QueriesFindTheirTopicsBestFirst)
{
    const QueryCase cases[] = {
        {"mov", {"MOV", "MOVS/MOVSB/MOVSW"}, 2},
        {"  MoV ", {"MOV", "MOVS/MOVSB/MOVSW"}, 2},
        {"jz", {"JE/JZ"}, 1},
        {"movsb", {"MOVS/MOVSB/MOVSW"}, 1},
        {"lo", {"LOCK", "LODS/LODSB/LODSW", "LOOP", "LOOPE/LOOPZ", "LOOPNE/LOOPNZ"}, 5},
        {"int", {"INT", "INTO"}, 2},
        {"21h 09", {"INT 21h/09h"}, 1},
        {"int 21 9", {"INT 21h/09h"}, 1},
        {"INT 21H AH=09H", {"INT 21h/09h"}, 1},
        {"ah=4ch", {"INT 21h/4Ch"}, 1},
        {"4ch", {"INT 21h/4Ch", "INT 21h/00h"}, 2}, // 00h points to 4Ch
        {"09h", {"INT 21h/09h", "INT 10h/09h", "INT 10h/0Ah"}, 3}, // 0Ah says it is like 09h
        {"int 16", {"INT 16h/00h", "INT 16h/01h", "INT 16h/02h", "INT 16h/10h"}, 4},
        {"cwd", {"CWD", "IDIV"}, 2},                // the mnemonic, then the explanations naming it
        {"字符串", {"INT 21h/09h", "INT 10h/13h"}, 2}, // words of the explanations
        {"zzz", {}, 0},
        {"", {}, 0},
        {"9", {}, 0},
        // A byte register's name is no number first; hex is written with "h" or "0x".
        {"bh", {"BH", "INT 21h/0Bh"}, 4},
        {"ch", {"CH", "INT 21h/0Ch"}, 4},
        {"dh", {"DH", "INT 10h/0Dh"}, 2},
        {"AX", {"AX"}, 12},  // then the instructions naming it
        {"0x4c", {"INT 21h/4Ch"}, 1},
        {"int 21h 4c", {"INT 21h/4Ch"}, 1},
        // "16h" is both function 16h of any interrupt and every function of INT 16h.
        {"16h", {"INT 16h/00h", "INT 16h/01h", "INT 16h/02h", "INT 16h/10h"}, 4},
    };
    for (const QueryCase& c : cases) {
        const std::vector<Topic> found = FindTopics(c.query);
        EXPECT_EQ(c.first, Names(found, c.first.size())) << c.query;
        EXPECT_EQ(c.count, found.size()) << c.query;
    }
}

TEST(TopicSearch, EveryMnemonicAndEveryFunctionIsFoundFirstByItsName)
{
    size_t count = 0;
    const Instruction* instructions = Instructions(count);
    for (size_t i = 0; i < count; ++i) {
        std::istringstream names(instructions[i].mnemonics);
        for (std::string name; names >> name;) EXPECT_EQ(i, FindTopics(name).at(0).index) << name;
    }
    const ServiceCall* calls = ServiceCalls(count);
    for (size_t i = 0; i < count; ++i) {
        char query[32];
        std::snprintf(query, sizeof query, "int %x %x", calls[i].interrupt, calls[i].function);
        const Topic first = FindTopics(query).at(0);
        EXPECT_TRUE(first.kind == TopicKind::ServiceCall && first.index == i) << query;
    }
}

struct PhraseCase {
    const char* text;
    const char* needle;
    bool bytes;      // found when the text is taken byte by byte (UTF-8)
    bool doubleByte; // found when it is code page 936
};

TEST(TopicSearch, PhrasesMatchWholeCharactersAndWords)
{
    const PhraseCase cases[] = {
        {"MOV AX, BX", "mov", true, true},
        {"MOVSB", "mov", false, false},
        {"REMOVE", "mov", false, false},
        {"x: mov", "MOV", true, true},
        {"ends with '$' here", "'$'", true, true},
        {"\xD6\xD0\xCE\xC4", "\xD0\xCE", true, false},    // across two characters of "中文"
        {"\x95\x41", "a", true, false},                    // a trail byte that looks like "A"
        {"\x95\x41", "\x95\x61", true, false},             // double-byte characters match exactly
        {"\xD6\xD0mov\xCE\xC4", "mov", true, true},        // Chinese around a word does not glue
        {"abc", "", false, false},
    };
    for (const PhraseCase& c : cases) {
        EXPECT_EQ(c.bytes, ContainsPhrase(c.text, c.needle, false)) << c.text << " / " << c.needle;
        EXPECT_EQ(c.doubleByte, ContainsPhrase(c.text, c.needle, true)) << c.text << " / " << c.needle;
    }
}

TEST(TopicText, DetailsShowEveryFieldAndFlagsInWords)
{
    EXPECT_EQ("不影响标志", FlagsText("---------"));
    EXPECT_EQ("改变 SF ZF PF；清 0 OF CF；不确定 AF", FlagsText("0---**?*0"));
    const std::string mov = TopicDetails(FindTopics("mov").front());
    const std::string print = TopicDetails(FindTopics("21h 09").front());
    for (const char* part : {"MOV：传送\r\n格式：\r\n  MOV 目的, 源\r\n操作数：\r\n  reg, reg\r\n  reg, mem\r\n",
                             "标志：不影响标志\r\n说明：把源", "示例：\r\n  MOV AX, DATA\r\n"})
        EXPECT_NE(std::string::npos, mov.find(part)) << part;
    EXPECT_EQ(0u, print.find("INT 21h/09h：显示字符串\r\n入口：\r\n  AH = 09h\r\n  DS:DX = ")) << print;
    EXPECT_NE(std::string::npos, print.find("出口：\r\n  无\r\n"));
}

} // namespace
