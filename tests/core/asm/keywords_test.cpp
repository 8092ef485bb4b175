#include <gtest/gtest.h>

#include <cctype>
#include <random>
#include <string>
#include <vector>

#include "core/asm/classify_model.h"
#include "core/asm/keywords.h"

namespace {

int Lookup(const std::string& word) { return KeywordColour(word.data(), std::int32_t(word.size())); }

// Every entry, its case variants and near misses: the lookup answers as the linear scan does.
TEST(KeywordColour, AgreesWithTheLinearScan)
{
    std::vector<std::string> words;
    auto addVariants = [&](std::string_view name) {
        std::string w(name);
        words.push_back(w);
        std::string lower = w, upper = w, mixed = w;
        for (char& c : lower) c = char(std::tolower(static_cast<unsigned char>(c)));
        for (char& c : upper) c = char(std::toupper(static_cast<unsigned char>(c)));
        mixed[0] = char(std::toupper(static_cast<unsigned char>(lower[0])));
        words.insert(words.end(), {lower, upper, mixed, w + "x", w.substr(1), w.substr(0, w.size() - 1)});
        words.push_back(w + std::string(1, '\0'));
        std::string high = w;  // a byte that is a letter but for its top bit
        high[0] = char(high[0] | 0x80);
        words.push_back(high);
    };
    for (std::string_view name : RegisterNames) addVariants(name);
    for (std::string_view name : InstructionNames) addVariants(name);
    for (std::string_view name : DirectiveNames) addVariants(name);
    for (std::string_view name : MoreDirectiveNames) addVariants(name);
    std::mt19937 rng(7);
    const char alphabet[] = "AaBbCcDdEeHhIiLlMmNnOoPpRrSsTtUuWwXxZz";
    for (int k = 0; k < 20000; ++k) {
        std::string w(1 + rng() % 9, ' ');
        for (char& c : w) c = alphabet[rng() % (sizeof alphabet - 1)];
        words.push_back(w);
    }
    for (const std::string& w : words)
        ASSERT_EQ(model::LinearKeywordColour(w), Lookup(w)) << w;
}

// A word inside a line, with up to nine bytes of any kind before and after it, gets the colour
// of the word alone, whatever bytes around it the lookup reads. The line is a buffer of exactly
// its size, so a read past either end is caught by the address sanitizer.
TEST(KeywordColour, InsideALineAgreesWithTheWordAlone)
{
    std::vector<std::string_view> names(std::begin(RegisterNames), std::end(RegisterNames));
    names.insert(names.end(), std::begin(DirectiveNames), std::end(DirectiveNames));
    names.insert(names.end(), std::begin(MoreDirectiveNames), std::end(MoreDirectiveNames));
    names.insert(names.end(), {"mov", "Jnz", "label_1234", "x", "ax1"});
    const char around[] = "aZ_.?@ ;\x81\xFF\t0";
    std::mt19937 rng(11);
    auto bytes = [&](std::size_t count) {
        std::string s(count, ' ');
        for (char& c : s) c = around[rng() % (sizeof around - 1)];
        return s;
    };
    for (int k = 0; k < 40000; ++k) {
        std::string word(names[rng() % names.size()]);
        for (char& c : word)
            if (std::isalpha(static_cast<unsigned char>(c)) && rng() % 2 == 0) c = char(c ^ 0x20);
        if (rng() % 4 == 0) word = word.substr(0, word.size() - 1) + bytes(1);
        const std::string before = bytes(rng() % 10);
        const std::string text = before + word + bytes(rng() % 10);
        const std::vector<char> line(text.begin(), text.end());
        ASSERT_EQ(Lookup(word), KeywordColourInLine(line.data(), std::int32_t(line.size()), std::int32_t(before.size()),
                                                    std::int32_t(word.size())))
            << '"' << text << "\" at " << before.size();
    }
}

TEST(KeywordColour, Examples)
{
    EXPECT_EQ(ColourRegister, Lookup("EFLAGS"));
    EXPECT_EQ(ColourInstruction, Lookup("cmpxchg"));
    EXPECT_EQ(ColourDirective, Lookup("HIGHWORD"));
    EXPECT_EQ(ColourInstruction, Lookup("JPO"));
    EXPECT_EQ(ColourInstruction, Lookup("jpo"));
    EXPECT_EQ(ColourInstruction, Lookup("Mov"));
    EXPECT_EQ(ColourDirective, Lookup("IncludeLib"));
    EXPECT_EQ(ColourDirective, Lookup(".fardata?"));
    EXPECT_EQ(NoKeyword, Lookup("INCLUDELIBS"));
    EXPECT_EQ(NoKeyword, KeywordColour("ax", 0));
    EXPECT_EQ(NoKeyword, KeywordColour("movsbx", -1));
}

}  // namespace
