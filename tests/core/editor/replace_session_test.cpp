// The Replace dialog's steps on a real buffer, through a view that keeps only a selection.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/buffer/buffer_support.h"
#include "core/editor/replace_session.h"
#include "core/editor/replace_text.h"

namespace {

class CSelectingView final : public CReplaceHost, public CBufferObserver {
public:
    explicit CSelectingView(CTextBuffer& buffer) : m_buffer(buffer) {}

    void SelectFound(TextPosition start, int length) override { selection = {start, {start.x + length, start.y}}; }
    bool ReplaceSelectedText(std::string_view text, TextRange& inserted) override
    {
        if (selection.IsEmpty() || !ReplaceRange(m_buffer, this, selection, text, inserted))
            return false;
        selection = inserted;
        return true;
    }
    void ReportNotFound(const std::string& what) override { reports.push_back(what); }
    void OnBufferChange(CBufferObserver*, const PositionAdjuster*, unsigned, int) override {}

    TextRange selection;
    std::vector<std::string> reports;

private:
    CTextBuffer& m_buffer;
};

std::string Text(const CTextBuffer& buffer)
{
    std::string text;
    const int last = buffer.GetLineCount() - 1;
    EXPECT_TRUE(buffer.GetText(0, 0, last, buffer.GetLineLength(last), text));
    return text;
}

class ReplaceSessionTest : public ::testing::Test {
protected:
    void Open(const std::string& text, TextPosition caret, TextRange selection, const char* find,
              const char* replace)
    {
        LoadBytes(buffer, fs, text);
        buffer.SetCaptionLoader(&captions);
        view.selection = selection;
        session.Begin(caret, selection);
        session.m_strFind = find;
        session.m_strReplace = replace;
    }

    CTextBuffer buffer;
    CMemoryFileSystem fs;
    CTableCaptions captions;
    CSelectingView view{buffer};
    CReplaceSession session{buffer, view};
};

struct ReplaceAllCase {
    const char* name;
    std::string text;
    TextPosition caret;
    TextRange selection;
    const char* find;
    const char* replace;
    bool bWholeWord;
    int replaced;
    std::string result;
    TextRange savedSelection;  // as it is restored afterwards
};

void PrintTo(const ReplaceAllCase& c, std::ostream* os) { *os << c.name; }

class ReplaceAllTest : public ReplaceSessionTest, public ::testing::WithParamInterface<ReplaceAllCase> {};

TEST_P(ReplaceAllTest, ReplacesToTheEndOfTheScopeAndSaysSo)
{
    const ReplaceAllCase& c = GetParam();
    Open(c.text, c.caret, c.selection, c.find, c.replace);
    session.m_bWholeWord = c.bWholeWord;
    EXPECT_EQ(c.replaced, session.ReplaceAll());
    EXPECT_EQ(c.result, Text(buffer));
    // The run always ends with the message that nothing more is found.
    EXPECT_EQ(std::vector<std::string>{c.find}, view.reports);
    EXPECT_EQ(c.savedSelection.start, session.SavedSelection().start);
    EXPECT_EQ(c.savedSelection.end, session.SavedSelection().end);
}

const TextRange kNoSelection{{0, 0}, {0, 0}};

INSTANTIATE_TEST_SUITE_P(
    Cases, ReplaceAllTest,
    ::testing::Values(
        // No wrap: from the caret to the end of the text only.
        ReplaceAllCase{"FromCaretToEnd", "a a\r\na a", {0, 1}, kNoSelection, "a", "b", false, 2, "a a\r\nb b",
                       kNoSelection},
        // Each search goes on after the inserted text, so a replacement containing the search
        // text ends.
        ReplaceAllCase{"LongerTextContainingIt", "a a\r\na", {0, 0}, kNoSelection, "a", "aa", false, 3,
                       "aa aa\r\naa", kNoSelection},
        ReplaceAllCase{"ByNothing", "abab\r\nab", {0, 0}, kNoSelection, "ab", "", false, 3, "\r\n", kNoSelection},
        // Inside a selection the block's end follows the length changes of its last line, both
        // ways: the occurrence after the selection stays.
        ReplaceAllCase{"SelectionGrowing", "ab ab ab ab", {0, 0}, {{0, 0}, {8, 0}}, "ab", "xyz", false, 3,
                       "xyz xyz xyz ab", {{0, 0}, {11, 0}}},
        ReplaceAllCase{"SelectionShrinking", "abc abc abc abc", {0, 0}, {{0, 0}, {11, 0}}, "abc", "x", false, 3,
                       "x x x abc", {{0, 0}, {5, 0}}},
        ReplaceAllCase{"SelectionOverLines", "ab\r\nab ab ab", {0, 0}, {{1, 0}, {5, 1}}, "ab", "abab", false, 2,
                       "ab\r\nabab abab ab", {{1, 0}, {9, 1}}},
        // A replacement that breaks the line moves the block's end down with its text.
        ReplaceAllCase{"BreakingLines", "a;b;c", {0, 0}, {{0, 0}, {3, 0}}, ";", "\r\n", false, 1, "a\r\nb;c",
                       {{0, 0}, {1, 1}}},
        ReplaceAllCase{"WholeWords", "ax max ax", {0, 0}, kNoSelection, "ax", "bx", true, 2, "bx max bx",
                       kNoSelection}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ReplaceSessionTest, ReplaceHighlightsFirstThenReplacesOneAtATime)
{
    Open("mov ax\r\nmov bx", {0, 0}, kNoSelection, "mov", "add");
    session.Replace();
    EXPECT_EQ("mov ax\r\nmov bx", Text(buffer));  // only highlighted
    EXPECT_EQ((TextPosition{3, 0}), view.selection.end);
    session.Replace();
    EXPECT_EQ("add ax\r\nmov bx", Text(buffer));
    EXPECT_EQ((TextPosition{0, 1}), view.selection.start);  // the next one highlighted
    session.Replace();
    EXPECT_EQ("add ax\r\nadd bx", Text(buffer));
    EXPECT_EQ(std::vector<std::string>{"mov"}, view.reports);
    EXPECT_FALSE(session.IsFound());
    EXPECT_EQ((TextPosition{0, 0}), session.CurrentPosition());
}

TEST_F(ReplaceSessionTest, FindNextStepsOneByteOnAndStartsAgainAfterTheReport)
{
    Open("aaa", {0, 0}, kNoSelection, "aa", "");
    std::vector<int> starts;
    for (int i = 0; i < 4; ++i) {
        session.FindNext();
        starts.push_back(session.IsFound() ? view.selection.start.x : -1);
    }
    EXPECT_EQ((std::vector<int>{0, 1, -1, 0}), starts);
    EXPECT_EQ(1u, view.reports.size());
}

TEST_F(ReplaceSessionTest, NotFoundInSelectionGoesBackToTheBlockBegin)
{
    Open("ab\r\nxx ab\r\nab", {0, 0}, {{0, 1}, {5, 1}}, "ab", "");
    EXPECT_TRUE(session.IsScopeSelectionEnabled());
    session.FindNext();
    EXPECT_EQ((TextPosition{3, 1}), view.selection.start);
    session.FindNext();
    EXPECT_FALSE(session.IsFound());
    EXPECT_EQ((TextPosition{0, 1}), session.CurrentPosition());
}

TEST_F(ReplaceSessionTest, WholeFileScopeWithASelectionStartsAtTheSelection)
{
    Open("ab ab\r\nab", {0, 1}, {{1, 0}, {4, 0}}, "ab", "c");
    session.m_nScope = SCOPE_WHOLE_FILE;
    EXPECT_EQ(2, session.ReplaceAll());
    EXPECT_EQ("ab c\r\nc", Text(buffer));
}

TEST_F(ReplaceSessionTest, EmptySearchTextReplacesNothing)
{
    Open("abc", {0, 0}, kNoSelection, "", "x");
    EXPECT_EQ(0, session.ReplaceAll());
    EXPECT_EQ("abc", Text(buffer));
}

TEST_F(ReplaceSessionTest, EachReplacementIsUndoneInTwoSteps)
{
    Open("a-a", {0, 0}, kNoSelection, "a", "bb");
    EXPECT_EQ(2, session.ReplaceAll());
    std::vector<std::string> steps;
    std::vector<std::string> texts;
    TextPosition cursor;
    std::string caption;
    for (buffer.UndoCaption(caption); !caption.empty(); buffer.UndoCaption(caption)) {
        steps.push_back(caption);
        ASSERT_TRUE(buffer.Undo(cursor));
        texts.push_back(Text(buffer));
    }
    EXPECT_EQ((std::vector<std::string>{"Replace", "Delete Selection", "Replace", "Delete Selection"}), steps);
    EXPECT_EQ((std::vector<std::string>{"bb-", "bb-a", "-a", "a-a"}), texts);
}

TEST_F(ReplaceSessionTest, ReadOnlyBufferStopsReplaceAllWithoutChange)
{
    Open("a a", {0, 0}, kNoSelection, "a", "b");
    buffer.SetReadOnly(true);
    EXPECT_EQ(0, session.ReplaceAll());
    EXPECT_EQ("a a", Text(buffer));
    EXPECT_FALSE(session.IsFound());
}

} // namespace
