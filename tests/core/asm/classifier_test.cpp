// Rows of (line, entering state) -> (runs, leaving state); colours by number:
// 2 text, 12 register, 13 instruction, 15 directive, 18 comment, 19 number, 21 string, 22 hash line.
#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "core/asm/classify_call.h"
#include "core/asm/keywords.h"

namespace {

struct Row {
    const char* what;
    LineState entering;
    std::string line;
    std::vector<ColourRun> runs;
    LineState leaving;
};

void ExpectRows(const std::vector<Row>& rows)
{
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const RealResult got = ClassifyReal(row.entering, row.line);
        EXPECT_EQ(row.runs, got.runs);
        EXPECT_EQ(row.leaving, got.leaving);
        EXPECT_EQ(row.leaving, LeavingState(row.entering, row.line));
    }
}

TEST(ClassifyLine, WorkedExamples)
{
    ExpectRows({
        {"instruction, register, suffix on a hex digit, comment", 0, "mov ax, 0Fh ; load",
         {{0, 2}, {0, 13}, {3, 2}, {4, 12}, {6, 2}, {11, 2}, {12, 18}}, 0},
        {"indented instruction and number", 0, "  int 21h", {{0, 2}, {2, 13}, {5, 2}, {6, 19}}, 0},
        {"block comment opens", 0, "/* a", {{0, 2}, {0, 18}}, StateBlockComment},
        {"block comment closes", StateBlockComment, "b */ nop", {{0, 18}, {4, 2}, {5, 13}}, 0},
        {"comment at index 0", 0, ";top", {{0, 2}, {0, 18}, {1, 18}}, 0},
        {"directives and a label", 0, "data segment", {{0, 2}, {4, 2}, {5, 15}}, 0},
        {"string with its quotes", 0, "db 'Hi$', 10",
         {{0, 2}, {0, 15}, {2, 2}, {3, 21}, {8, 2}, {10, 19}}, 0},
    });
}

TEST(ClassifyLine, CommentsDropTheRunOfATouchingWord)
{
    ExpectRows({
        {"word touching ';' is dropped", 0, "mov ax,bx;c", {{0, 2}, {0, 13}, {3, 2}, {4, 12}, {6, 2}, {9, 18}}, 0},
        {"with a blank it is coloured", 0, "mov ax,bx ;c",
         {{0, 2}, {0, 13}, {3, 2}, {4, 12}, {6, 2}, {7, 12}, {9, 2}, {10, 18}}, 0},
        {"register before ';' at index 2", 0, "ax;y", {{0, 2}, {2, 18}}, 0},
        {"double slash", 0, "a // b", {{0, 2}, {1, 2}, {2, 18}}, 0},
        {"';' inside a string is text", 0, "\";\" x", {{0, 2}, {0, 21}, {3, 2}}, 0},
        {"'/*/' is a whole block comment", 0, "/*/ x", {{0, 2}, {0, 18}, {3, 2}}, 0},
    });
}

TEST(ClassifyLine, WordStaysOpenAcrossAString)
{
    // "12\"x\"3h" ends as a number word starting at 0: its run would go before the string's.
    ExpectRows({
        {"number run dropped", 0, "12\"x\"3h y", {{0, 2}, {2, 21}, {5, 2}, {7, 2}}, 0},
    });
}

TEST(ClassifyLine, HashLines)
{
    ExpectRows({
        {"indented hash line", 0, "  #include <a>", {{0, 2}, {2, 22}}, 0},
        {"comment on a hash line", 0, "  # x ; c", {{0, 2}, {2, 22}, {6, 18}}, 0},
        {"block comment on a hash line", 0, "# a /* b", {{0, 2}, {0, 22}, {4, 18}}, StateBlockComment},
        {"'#' after a closed string", 0, "\"s\" # x", {{0, 2}, {0, 21}, {3, 2}, {4, 22}}, 0},
        {"'#' after a block comment from the line before", StateBlockComment, "*/ # x",
         {{0, 18}, {2, 2}, {3, 22}}, 0},
        {"'#' after a word is text", 0, "a #", {{0, 2}, {1, 2}}, 0},
        {"entered in a string: no hash line", StateDoubleQuoted, "\" #", {{0, 21}, {1, 2}}, 0},
        {"keywords are not looked up", 0, "#mov ax", {{0, 2}, {0, 22}}, 0},
    });
}

TEST(ClassifyLine, StringsAndEscapes)
{
    ExpectRows({
        {"escaped quote does not close", 0, "x \"a\\\"b\" y", {{0, 2}, {1, 2}, {2, 21}, {8, 2}}, 0},
        {"open string ends with the line", 0, "\"abc", {{0, 2}, {0, 21}}, 0},
        {"quote at index 0 closes", StateDoubleQuoted, "\"x", {{0, 21}, {1, 2}}, 0},
        {"single quotes", StateSingleQuoted, "a' ax", {{0, 21}, {2, 2}, {3, 12}}, 0},
        {"a double quote does not close single quotes", StateSingleQuoted, "\"", {{0, 21}}, 0},
    });
}

TEST(ClassifyLine, BackslashCarriesEveryFlag)
{
    ExpectRows({
        {"open string", 0, "\"abc\\", {{0, 2}, {0, 21}}, StateDoubleQuoted},
        {"line comment", 0, "; c \\", {{0, 2}, {0, 18}, {1, 18}}, StateLineComment},
        {"entered in a comment", StateLineComment, "mov ax", {{0, 18}, {0, 18}}, 0},
        {"hash line", 0, "#define a \\", {{0, 2}, {0, 22}}, StateHashLine},
        {"entered on a hash line", StateHashLine, "mov", {{0, 22}}, 0},
        {"unknown bits too", 0x120, "x\\", {{0, 2}, {1, 2}}, 0x120},
        {"only a block comment without it", StateHashLine | StateBlockComment, "*/ y", {{0, 18}, {2, 22}}, 0},
    });
}

// The assemblers read keywords in any case, and so does the colouring.
TEST(ClassifyLine, KeywordsInAnyCase)
{
    ExpectRows({
        {"mixed case", 0, "Mov Ax", {{0, 2}, {0, 13}, {3, 2}, {4, 12}}, 0},
        {"JNP and JPO in lower case too", 0, "jnp jpo JNP JPO",
         {{0, 2}, {0, 13}, {3, 2}, {4, 13}, {7, 2}, {8, 13}, {11, 2}, {12, 13}}, 0},
        {"a directive", 0, "x Segment", {{0, 2}, {1, 2}, {2, 15}}, 0},
    });
}

// Every word of the added directives, in capitals, in small letters and in mixed case.
TEST(ClassifyLine, MoreDirectivesInEveryCase)
{
    for (std::string_view name : MoreDirectiveNames) {
        std::string lower(name), mixed(name);
        for (std::size_t k = 0; k < name.size(); ++k) {
            lower[k] = char(std::tolower(static_cast<unsigned char>(name[k])));
            if (k % 2 == 1) mixed[k] = lower[k];
        }
        for (const std::string& word : {std::string(name), lower, mixed}) {
            SCOPED_TRACE(word);
            const std::string line = "x " + word + " y";
            const std::int32_t after = std::int32_t(2 + word.size());
            const std::vector<ColourRun> runs = {{0, 2}, {1, 2}, {2, 15}, {after, 2}};
            EXPECT_EQ(runs, ClassifyReal(0, line).runs);
        }
    }
}

TEST(ClassifyLine, SimplifiedSegmentsAndOperators)
{
    ExpectRows({
        {"@DATA takes its @", 0, "mov ax,@data", {{0, 2}, {0, 13}, {3, 2}, {4, 12}, {6, 2}, {7, 15}}, 0},
        {"an unknown @ name keeps its word's colour", 0, "@ax", {{0, 2}, {1, 12}}, 0},
        {".DATA? takes its ?", 0, ".data? ;u", {{0, 2}, {0, 15}, {6, 2}, {7, 18}}, 0},
        {"a ? that no keyword takes", 0, "ax?", {{0, 2}, {0, 12}, {2, 2}}, 0},
        {"operators that are instructions keep that colour", 0, "x AND y",
         {{0, 2}, {1, 2}, {2, 13}, {5, 2}}, 0},
        {"a distance operator", 0, "jmp short L", {{0, 2}, {0, 13}, {3, 2}, {4, 15}, {9, 2}}, 0},
    });
}

// The state carries the delimiter, so a view can restart inside the block at any line.
TEST(ClassifyLine, CommentDirectiveBlocks)
{
    const LineState inTilde = StateDirectiveComment | (LineState('~') << kDelimiterShift);
    ExpectRows({
        {"opens at the word", 0, "  Comment ~ notes", {{0, 2}, {2, 18}}, inTilde},
        {"inside: nothing is coloured", inTilde, "mov ax, bx ; \"x", {{0, 18}}, inTilde},
        {"an empty line keeps it", inTilde, "", {}, inTilde},
        {"closes at the delimiter; the rest of that line is comment", inTilde, "end ~ mov", {{0, 18}},
         0},
        {"opens and closes on one line", 0, "COMMENT * x * ", {{0, 2}, {0, 18}}, 0},
        {"the next line is code again", 0, "mov", {{0, 2}, {0, 13}}, 0},
        {"only as the first word", 0, "x comment ~", {{0, 2}, {1, 2}, {2, 15}, {9, 2}}, 0},
        {"without a delimiter it is a word", 0, "comment", {{0, 2}, {0, 15}}, 0},
        {"a following character is no delimiter", 0, "comment \xD6\xD0", {{0, 2}, {0, 15}, {7, 2}}, 0},
    });
}

TEST(ClassifyLine, EmptyLineKeepsOnlyTheBlockComment)
{
    ColourRun runs[4] = {{-7, -7}, {-7, -7}, {-7, -7}, {-7, -7}};
    std::int32_t count = 0;
    EXPECT_EQ(StateBlockComment, ClassifyLine(0x1F, "", 0, runs, count, 4));
    EXPECT_EQ(0, count);
    EXPECT_EQ(0u, ClassifyLine(StateLineComment | StateDoubleQuoted, nullptr, 0, runs, count, 4));
    EXPECT_EQ(0u, ClassifyLine(StateBlockComment, "x", -1, runs, count, 4) & ~StateBlockComment);
    EXPECT_EQ(-7, runs[0].start);
}

// Bytes 0x81 0x41 and 0x81 0x5C are double-byte characters whose second byte looks like "A" and "\".
TEST(ClassifyLine, DoubleByteCharactersStayWhole)
{
    ExpectRows({
        {"trail 'A' starts no word", 0, "mov \x81" "AX", {{0, 2}, {0, 13}, {3, 2}}, 0},
        {"a character ends a word before it", 0, "ax\x81\x41", {{0, 2}, {0, 12}, {2, 2}}, 0},
        {"trail '\\' escapes no quote", 0, "\"\x81\x5C\" x", {{0, 2}, {0, 21}, {4, 2}}, 0},
        {"trail '\\' carries nothing", 0, "; \x81\x5C", {{0, 2}, {0, 18}, {1, 18}}, 0},
        {"a backslash after a pair", 0, "; \x81\x81\\", {{0, 2}, {0, 18}, {1, 18}}, StateLineComment},
        {"three leads: the third pairs with it", 0, "; \x81\x81\x81\\", {{0, 2}, {0, 18}, {1, 18}}, 0},
        {"a lead byte clears the first-character flag", 0, "\xD6\xD0#", {{0, 2}}, 0},
    });
}

TEST(ClassifyLine, WithoutRunArrayOnlyTheStateIsComputed)
{
    std::int32_t count = 5;
    EXPECT_EQ(StateBlockComment, ClassifyLine(0, "mov /* ax", 9, nullptr, count, 100));
    EXPECT_EQ(5, count);
}

TEST(ClassifyLine, NoRunIsWrittenAtOrPastTheCapacity)
{
    ColourRun runs[4] = {{-7, -7}, {-7, -7}, {-7, -7}, {-7, -7}};
    std::int32_t count = 0;
    ClassifyLine(0, "mov ax, bx", 10, runs, count, 3);
    EXPECT_EQ(3, count);
    EXPECT_EQ(-7, runs[3].start);

    count = 9;  // a caller that did not reset its count
    ClassifyLine(0, "mov ax, bx", 10, runs, count, 4);
    EXPECT_EQ(9, count);
    EXPECT_EQ(-7, runs[3].start);
}

}  // namespace
