// Random lines built from assembly-like pieces, checked against the naive model and for the
// properties a view relies on: bounded, ordered runs; restartable states; line ends ignored.
#include <gtest/gtest.h>

#include <cctype>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "core/asm/classify_call.h"
#include "core/asm/classify_model.h"

namespace {

// "\x81\x41" and "\x81\x5C" are double-byte characters with an ASCII-looking second byte;
// "\x81\x7F" is two characters, 0x7F lying between the two ranges of second bytes.
const char* const kPieces[] = {
    "mov", "ax", "AX", "int", "21h", "0x1F", "0Fh", "3.14", "db", "segment", "jpo", "Mov", "label_1", "x",
    " ", " ", "  ", "\t", ",", ":", "[", "]", "+", "\"", "'", "/", "*", "/*", "*/", "//", ";", "#", "\\",
    "\xD6\xD0\xCE\xC4", "\x81\x41", "\x81\x5C", "\x81", "\xFF", ".", "_", "\x0B", "\x81\x7F", "\x7F",
    "COMMENT", "comment", "~", "@data", "@", "?", ".DATA", ".model", "aX", "Include", "\x81@",
};
const LineState kStates[] = {0, StateLineComment, StateHashLine, StateBlockComment, StateDoubleQuoted,
                             StateSingleQuoted, StateHashLine | StateBlockComment, 0x1F, 0x40, 0x80000004,
                             StateDirectiveComment | (LineState('~') << kDelimiterShift), StateDirectiveComment};

class LineMaker {
public:
    explicit LineMaker(unsigned seed) : m_rng(seed) {}

    std::string Line()
    {
        std::string line;
        for (unsigned k = m_rng() % 16; k > 0; --k)
            line += kPieces[m_rng() % (sizeof kPieces / sizeof kPieces[0])];
        return line;
    }
    LineState State() { return kStates[m_rng() % (sizeof kStates / sizeof kStates[0])]; }
    unsigned Next() { return m_rng(); }

private:
    std::mt19937 m_rng;
};

std::vector<bool> TrailBytes(const std::string& line)
{
    std::vector<bool> trail(line.size(), false);
    for (std::size_t i = 0; i + 1 < line.size(); ++i) {
        const unsigned char a = line[i], b = line[i + 1];
        if (a >= 0x81 && a <= 0xFE && ((b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFE)))
            trail[++i] = true;
    }
    return trail;
}

TEST(ClassifierProperties, AgreesWithTheModelAndKeepsRunsInBounds)
{
    LineMaker maker(1);
    for (int k = 0; k < 30000; ++k) {
        const std::string line = maker.Line();
        const LineState entering = maker.State();
        SCOPED_TRACE(testing::Message() << "entering " << entering << " line \"" << line << "\"");
        const RealResult real = ClassifyReal(entering, line);
        const model::Classified expected = model::Classify(entering, line);
        ASSERT_EQ(expected.runs, real.runs);
        ASSERT_EQ(expected.leaving, real.leaving);
        ASSERT_EQ(expected.leaving, LeavingState(entering, line));

        ASSERT_LE(real.runs.size(), 3 * line.size());
        const std::vector<bool> trail = TrailBytes(line);
        for (std::size_t r = 0; r < real.runs.size(); ++r) {
            const std::int32_t start = real.runs[r].start;
            ASSERT_TRUE(start >= 0 && std::size_t(start) <= line.size());
            ASSERT_TRUE(r == 0 || real.runs[r - 1].start <= start);
            ASSERT_TRUE(std::size_t(start) == line.size() || !trail[std::size_t(start)]) << "split at " << start;
        }
    }
}

// Changing the letter case of keywords never changes a colour: lines of keywords and other pieces
// (no COMMENT, whose delimiter may be a letter) against the same line with the keywords re-cased.
TEST(ClassifierProperties, LetterCaseOfAKeywordNeverChangesItsColour)
{
    std::vector<std::string_view> keywords(std::begin(RegisterNames), std::end(RegisterNames));
    keywords.insert(keywords.end(), std::begin(InstructionNames), std::end(InstructionNames));
    keywords.insert(keywords.end(), std::begin(DirectiveNames), std::end(DirectiveNames));
    keywords.insert(keywords.end(), std::begin(MoreDirectiveNames), std::end(MoreDirectiveNames));
    const char* const others[] = {" ", ", ", "\t", "x", "21h", "'", ";", "@", "[", "+", "\xD6\xD0"};
    std::mt19937 rng(4);
    for (int k = 0; k < 20000; ++k) {
        std::string line, recased;
        for (unsigned p = 1 + rng() % 8; p > 0; --p) {
            if (rng() % 2 == 0) {
                const std::string_view other = others[rng() % (sizeof others / sizeof others[0])];
                line += other;
                recased += other;
                continue;
            }
            std::string word(keywords[rng() % keywords.size()]);
            if (word == "COMMENT" || word == "comment") continue;
            line += word;
            for (char& c : word)
                if (std::isalpha(static_cast<unsigned char>(c)) && rng() % 2 == 0) c = char(c ^ 0x20);
            recased += word;
        }
        SCOPED_TRACE(line + " / " + recased);
        ASSERT_EQ(ClassifyReal(0, line).runs, ClassifyReal(0, recased).runs);
    }
}

std::vector<std::string> MakeFile(LineMaker& maker, int lines)
{
    std::vector<std::string> file;
    for (int k = 0; k < lines; ++k)
        file.push_back(maker.Line());
    return file;
}

std::vector<RealResult> ClassifyInOnePass(const std::vector<std::string>& lines)
{
    std::vector<RealResult> results;
    LineState state = 0;
    for (const std::string& line : lines) {
        results.push_back(ClassifyReal(state, line));
        state = results.back().leaving;
    }
    return results;
}

// A view caches entering states computed without runs, then classifies any line from its cache.
TEST(ClassifierProperties, RestartingFromCachedStatesGivesTheSameRuns)
{
    LineMaker maker(2);
    for (int f = 0; f < 40; ++f) {
        const std::vector<std::string> file = MakeFile(maker, 300);
        const std::vector<RealResult> onePass = ClassifyInOnePass(file);
        std::vector<LineState> entering(file.size(), 0);
        for (std::size_t k = 1; k < file.size(); ++k)
            entering[k] = LeavingState(entering[k - 1], file[k - 1]);
        for (int probe = 0; probe < 30; ++probe) {
            const std::size_t k = maker.Next() % file.size();
            const RealResult again = ClassifyReal(entering[k], file[k]);
            ASSERT_EQ(onePass[k].runs, again.runs) << "line " << k;
            ASSERT_EQ(onePass[k].leaving, again.leaving) << "line " << k;
        }
    }
}

std::vector<std::string> SplitLines(const std::string& text, const std::string& separator)
{
    std::vector<std::string> lines;
    std::size_t from = 0;
    for (std::size_t at; (at = text.find(separator, from)) != std::string::npos; from = at + separator.size())
        lines.push_back(text.substr(from, at - from));
    lines.push_back(text.substr(from));
    return lines;
}

// The line end is never part of a line: a backslash before CR LF carries as one before LF does.
TEST(ClassifierProperties, CrLfAndLfFilesGiveTheSameRuns)
{
    LineMaker maker(3);
    for (int f = 0; f < 40; ++f) {
        std::string crlf, lf;
        for (const std::string& line : MakeFile(maker, 200)) {
            crlf += line + "\r\n";
            lf += line + "\n";
        }
        const std::vector<RealResult> a = ClassifyInOnePass(SplitLines(crlf, "\r\n"));
        const std::vector<RealResult> b = ClassifyInOnePass(SplitLines(lf, "\n"));
        ASSERT_EQ(a.size(), b.size());
        for (std::size_t k = 0; k < a.size(); ++k) {
            ASSERT_EQ(a[k].runs, b[k].runs) << "line " << k;
            ASSERT_EQ(a[k].leaving, b[k].leaving) << "line " << k;
        }
    }
}

}  // namespace
