// Line-end detection and the splitting of a file's bytes into lines.
#include <gtest/gtest.h>

#include <random>

#include "core/buffer/line_end.h"
#include "core/buffer/line_splitter.h"

namespace {

// The literal byte-at-a-time rule: a match counter over the separator; the byte that breaks a
// match is not tried again as its first byte.
std::vector<std::string> ReferenceSplit(const std::string& bytes, std::string_view separator)
{
    std::vector<std::string> lines;
    std::string line;
    size_t m = 0;
    for (char c : bytes) {
        line.push_back(c);
        if (c == separator[m]) {
            if (++m == separator.size()) {
                line.resize(line.size() - m);
                lines.push_back(line);
                line.clear();
                m = 0;
            }
        } else {
            m = 0;
        }
    }
    lines.push_back(line);
    return lines;
}

std::vector<std::string> SplitInBlocks(const std::string& bytes, std::string_view separator, std::mt19937& random)
{
    std::vector<std::string> lines;
    CLineSplitter splitter(separator);
    const auto onLine = [&lines](std::string_view line) {
        lines.emplace_back(line);
        return true;
    };
    size_t nAt = 0;
    while (nAt < bytes.size()) {
        const size_t n = std::min(bytes.size() - nAt, size_t{1} + random() % 7);
        EXPECT_TRUE(splitter.Feed(bytes.data() + nAt, n, onLine));
        nAt += n;
    }
    EXPECT_TRUE(splitter.Finish(onLine));
    return lines;
}

TEST(LineSplit, MatchesTheByteRuleForAnyBlockBoundaries)
{
    std::mt19937 random(4);
    const char alphabet[] = {'a', '\r', '\n', '\0'};
    for (int nStyle : {EOL_CRLF, EOL_LFCR, EOL_LF}) {
        for (int nRound = 0; nRound < 3000; ++nRound) {
            std::string bytes(random() % 24, 'a');
            for (char& c : bytes)
                c = alphabet[random() % 4];
            const std::string_view separator = LineEndSeparator(nStyle);
            ASSERT_EQ(ReferenceSplit(bytes, separator), SplitInBlocks(bytes, separator, random))
                << "style " << nStyle << " round " << nRound;
        }
    }
}

TEST(LineSplit, WorkedExamples)
{
    struct Example {
        std::string bytes;
        int nStyle;
        std::vector<std::string> lines;
    };
    const Example examples[] = {
        {"", EOL_CRLF, {""}},
        {"a\r\n", EOL_CRLF, {"a", ""}},
        {"a\r\r\nb", EOL_CRLF, {"a\r\r\nb"}},  // the second CR breaks the match
        {"a\r\r\r\nb", EOL_CRLF, {"a\r\r", "b"}},
        {"a\rb\rc", EOL_CRLF, {"a\rb\rc"}},    // CR-only file: one line
        {"a\nb\r\nc", EOL_CRLF, {"a\nb", "c"}}, // lone LF stays inside the line
        {"a\n\rb\n\r", EOL_LFCR, {"a", "b", ""}},
        {"a\n\n\rb", EOL_LFCR, {"a\n\n\rb"}},
        {"a\n\nb\r", EOL_LF, {"a", "", "b\r"}},
        {"a\r", EOL_CRLF, {"a\r"}},             // a trailing first byte stays in the last line
    };
    std::mt19937 random(1);
    for (const Example& e : examples)
        EXPECT_EQ(e.lines, SplitInBlocks(e.bytes, LineEndSeparator(e.nStyle), random)) << e.bytes;
}

TEST(LineEnd, DetectionAndNames)
{
    struct Case {
        std::string block;
        int nStyle;
    };
    const Case cases[] = {
        {"", EOL_CRLF},           {"abc", EOL_CRLF},       {"a\rb\r", EOL_CRLF},
        {"a\r\nb\nc", EOL_CRLF},  {"a\n\rb", EOL_LFCR},    {"a\nb\r\n", EOL_LF},
        {"\n", EOL_LF},           {"\n\r", EOL_LFCR},      {"\r\n", EOL_CRLF},
        {"a\n", EOL_LF},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.nStyle, DetectLineEnd(c.block.data(), c.block.size())) << c.block;
    EXPECT_STREQ("DOS", LineEndName(EOL_CRLF));
    EXPECT_STREQ("UNIX", LineEndName(EOL_LFCR));
    EXPECT_STREQ("MAC", LineEndName(EOL_LF));
    EXPECT_STREQ("", LineEndName(7));
    EXPECT_EQ("\n\r", LineEndSeparator(EOL_LFCR));
    EXPECT_EQ("\r\n", LineEndSeparator(-5));
}

} // namespace
