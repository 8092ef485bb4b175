#include <gtest/gtest.h>

#include <string>

#include "core/asm/keyword_notes.h"
#include "core/asm/keywords.h"
#include "core/reference/word_summary.h"

using halyard::reference::WordSummary;

namespace {

bool StartsWith(const std::string& text, const std::string& head) { return text.compare(0, head.size(), head) == 0; }

// Every keyword has a line, in any case; it names the word and is one line.
TEST(WordSummary, EveryKeywordHasOneLine)
{
    auto check = [](std::string_view name) {
        std::string lower(name);
        for (char& c : lower) c = char(std::tolower(static_cast<unsigned char>(c)));
        for (const std::string& word : {std::string(name), lower}) {
            const std::string line = WordSummary(word);
            EXPECT_FALSE(line.empty()) << word;
            EXPECT_EQ(std::string::npos, line.find('\n')) << word;
        }
    };
    for (std::string_view name : RegisterNames) check(name);
    for (std::string_view name : InstructionNames) check(name);
    for (std::string_view name : DirectiveNames) check(name);
    for (std::string_view name : MoreDirectiveNames) check(name);
}

TEST(WordSummary, Examples)
{
    EXPECT_TRUE(StartsWith(WordSummary("mov"), "MOV ")) << WordSummary("mov");
    EXPECT_TRUE(StartsWith(WordSummary("Jz"), "JE/JZ ")) << WordSummary("Jz");
    EXPECT_EQ(std::string::npos, WordSummary("add").find("两个操作数")) << "only the first sentence";
    EXPECT_TRUE(StartsWith(WordSummary("movsx"), "MOVSX：不在"));
    EXPECT_TRUE(StartsWith(WordSummary("ax"), "AX：累加器"));
    EXPECT_TRUE(StartsWith(WordSummary("@data"), "@DATA："));
    EXPECT_TRUE(StartsWith(WordSummary(".Model"), ".MODEL："));
    EXPECT_EQ("", WordSummary("msg"));
    EXPECT_EQ("", WordSummary("21h"));
    EXPECT_EQ(nullptr, KeywordNote("mov"));
}

}  // namespace
