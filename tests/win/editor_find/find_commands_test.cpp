// Find, Find Next, Find Previous and Replace through their commands and dialogs, on a view over a
// real buffer; message boxes answered by the test.
#include <gtest/gtest.h>

#include "buffer/resource_captions.h"
#include "buffer/win32_file_system.h"
#include "core/editor/search.h"
#include "resource.h"
#include "win/app/app_fixture.h"
#include "win/editor_find/find_test_support.h"

using namespace findtest;

namespace {

class FindCommands : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_boxes.clear();
        FxSetMessageBoxHook(RecordBox);
    }
    void TearDown() override { FxSetMessageBoxHook(nullptr); }

    void Load(const std::string& text)
    {
        CWin32FileSystem fs;
        ASSERT_TRUE(buffer.LoadFromFile(fs, dir.Write("a.asm", text).c_str()).Succeeded());
        buffer.SetCaptionLoader(&captions);
        view.Attach(buffer);
    }
    bool Send(UINT id) { return commands.OnCmdMsg(id, 0); }
    bool Enabled(UINT id)
    {
        FxCmdUI ui(id);
        return commands.OnUpdateCmd(ui) && ui.m_bEnabled;
    }
    // Find with the dialog's text set to `what` and its Find Next button pressed; Cancel when
    // the dialog stays open because the text was not found.
    void Find(const char* what)
    {
        ASSERT_TRUE(WithDialog([&] { Send(ID_EDIT_FIND); },
                               [&](HWND dlg) {
                                   SetText(dlg, IDC_FIND_WHAT, what);
                                   Click(dlg, IDOK);
                                   if (IsWindowVisible(dlg))
                                       Click(dlg, IDCANCEL);
                               }));
    }
    void Select(TextPosition start, TextPosition end)
    {
        view.selStart = start;
        view.selEnd = view.caret = end;
    }
    int UndoSteps()
    {
        int steps = 0;
        TextPosition cursor;
        while (buffer.CanUndo() && buffer.Undo(cursor))
            ++steps;
        return steps;
    }

    wintest::TempDir dir;
    CTextBuffer buffer;
    CResourceCaptions captions{GetModuleHandleA(nullptr)};
    CStandInView view;
    CFindAndMarkCommands commands{view};
};

TEST_F(FindCommands, FindNextIsEnabledExactlyWhileThereIsText)
{
    Load("mov ax, bx");
    Select({4, 0}, {6, 0});  // "ax": the selected text within one line is proposed
    std::vector<bool> states;
    bool bShownWhileOpen = false;
    ASSERT_TRUE(WithDialog([&] { Send(ID_EDIT_FIND); },
                           [&](HWND dlg) {
                               bShownWhileOpen = view.bShowInactive;
                               EXPECT_EQ("ax", GetText(dlg, IDC_FIND_WHAT));
                               EXPECT_TRUE(Checked(dlg, IDC_DIRECTION_DOWN));
                               states.push_back(findtest::Enabled(dlg, IDOK));
                               SetText(dlg, IDC_FIND_WHAT, "");
                               states.push_back(findtest::Enabled(dlg, IDOK));
                               Click(dlg, IDOK);  // Enter with no text: nothing happens
                               SetText(dlg, IDC_FIND_WHAT, "bx");
                               states.push_back(findtest::Enabled(dlg, IDOK));
                               CheckDlgButton(dlg, IDC_MATCH_CASE, BST_CHECKED);
                               Click(dlg, IDCANCEL);
                           }));
    EXPECT_EQ((std::vector<bool>{true, false, true}), states);
    EXPECT_TRUE(bShownWhileOpen);
    EXPECT_FALSE(view.bShowInactive);
    // Cancel keeps the values as the last search, without moving anything.
    EXPECT_EQ("bx", commands.Search().GetLastSearchText());
    EXPECT_EQ(FIND_MATCH_CASE, commands.Search().GetLastSearchFlags());
    EXPECT_EQ((TextPosition{6, 0}), view.caret);
    EXPECT_TRUE(g_boxes.empty());
}

TEST_F(FindCommands, DialogReportsAMissingTextAndStaysOpenUntilItFinds)
{
    Load("mov ax, 1\r\nint 21h");
    view.caret = {0, 1};
    bool bOpenAfterMiss = false;
    ASSERT_TRUE(WithDialog([&] { Send(ID_EDIT_FIND); },
                           [&](HWND dlg) {
                               SetText(dlg, IDC_FIND_WHAT, "cx");
                               Click(dlg, IDOK);
                               bOpenAfterMiss = IsWindow(dlg) && IsWindowVisible(dlg);
                               SetText(dlg, IDC_FIND_WHAT, "MOV");
                               Click(dlg, IDOK);  // from (0, 0) after the miss
                           }));
    EXPECT_TRUE(bOpenAfterMiss);
    EXPECT_EQ(std::vector<std::string>{"Cannot find string\"cx\""}, g_boxes);
    EXPECT_EQ((TextPosition{0, 0}), view.selStart);
    EXPECT_EQ((TextPosition{3, 0}), view.selEnd);
    EXPECT_EQ((TextPosition{3, 0}), view.caret);
}

TEST_F(FindCommands, FindNextAndPreviousGoRoundTheText)
{
    Load("ax\r\nmov ax\r\nmov bx, ax");
    EXPECT_FALSE(Enabled(ID_EDIT_REPEAT));
    EXPECT_FALSE(Enabled(ID_EDIT_FIND_PREVIOUS));
    Find("ax");
    EXPECT_TRUE(Enabled(ID_EDIT_REPEAT));
    EXPECT_TRUE(Enabled(ID_EDIT_FIND_PREVIOUS));
    std::vector<TextPosition> starts{view.selStart};
    for (int i = 0; i < 3; ++i) {
        Send(ID_EDIT_REPEAT);
        starts.push_back(view.selStart);
    }
    EXPECT_EQ((std::vector<TextPosition>{{0, 0}, {4, 1}, {8, 2}, {0, 0}}), starts);
    EXPECT_TRUE(commands.Search().IsMultipleSearch());
    // Upwards from the caret at (2, 0): nothing after it on line 0, so round to the last line.
    Send(ID_EDIT_FIND_PREVIOUS);
    EXPECT_EQ((TextPosition{8, 2}), view.selStart);
    EXPECT_EQ(0u, commands.Search().GetLastSearchFlags() & FIND_DIRECTION_UP);
    EXPECT_TRUE(g_boxes.empty());
}

TEST_F(FindCommands, FindNextReportsATextThatOccursNowhere)
{
    Load("mov ax, bx");
    Find("cx");
    EXPECT_EQ(std::vector<std::string>{"Cannot find string\"cx\""}, g_boxes);
    view.caret = {5, 0};
    g_boxes.clear();
    Send(ID_EDIT_REPEAT);
    Send(ID_EDIT_FIND_PREVIOUS);
    EXPECT_EQ((std::vector<std::string>{"Cannot find string\"cx\"", "Cannot find string\"cx\""}), g_boxes);
    EXPECT_EQ((TextPosition{5, 0}), view.caret);
}

TEST_F(FindCommands, FindPreviousFromInsideALineTakesTheLaterOccurrenceOnIt)
{
    Load("mov ax, mov\r\nmov");
    Find("mov");
    view.caret = {2, 0};
    Send(ID_EDIT_FIND_PREVIOUS);
    EXPECT_EQ((TextPosition{8, 0}), view.selStart);
}

struct ReplaceCase {
    const char* name;
    TextPosition selStart, selEnd;  // equal: no selection, the caret there
    int button;
    TextPosition restoredEnd;  // of the selection afterwards
    std::string result;
    int undoSteps;
    size_t messages;
};

class ReplaceCommand : public FindCommands, public ::testing::WithParamInterface<ReplaceCase> {};

TEST_P(ReplaceCommand, ReplacesInItsScopeAndUndoesInTwoStepsEach)
{
    const ReplaceCase& c = GetParam();
    Load("mov ax, ax\r\nadd ax, 1\r\nsub ax, 1");
    Select(c.selStart, c.selEnd);
    bool bSelectionOffered = false;
    ASSERT_TRUE(WithDialog([&] { Send(ID_EDIT_REPLACE); },
                           [&](HWND dlg) {
                               bSelectionOffered = findtest::Enabled(dlg, IDC_SCOPE_SELECTION);
                               SetText(dlg, IDC_FIND_WHAT, "ax");
                               SetText(dlg, IDC_REPLACE_WITH, "eax");
                               Click(dlg, c.button);
                               if (c.button == IDC_REPLACE)
                                   Click(dlg, IDC_REPLACE);  // the first press only highlights
                               Click(dlg, IDCANCEL);
                           }));
    EXPECT_EQ(c.selStart != c.selEnd, bSelectionOffered);
    EXPECT_EQ(c.result, AllText(buffer));
    EXPECT_EQ(c.messages, g_boxes.size());
    if (c.selStart != c.selEnd) {
        // The selection comes back, following the longer text on its last line.
        EXPECT_EQ(c.selStart, view.selStart);
        EXPECT_EQ(c.restoredEnd, view.selEnd);
    }
    EXPECT_EQ(c.undoSteps, UndoSteps());
    EXPECT_EQ("mov ax, ax\r\nadd ax, 1\r\nsub ax, 1", AllText(buffer));
}

INSTANTIATE_TEST_SUITE_P(
    Scopes, ReplaceCommand,
    ::testing::Values(
        // The whole file from the caret on line 1, never wrapping back to line 0.
        ReplaceCase{"AllInWholeFile", {0, 1}, {0, 1}, IDC_REPLACE_ALL, {0, 1}, "mov ax, ax\r\nadd eax, 1\r\nsub eax, 1", 4, 1},
        ReplaceCase{"AllInSelection", {3, 0}, {6, 1}, IDC_REPLACE_ALL, {7, 1}, "mov eax, eax\r\nadd eax, 1\r\nsub ax, 1", 6, 1},
        ReplaceCase{"OneInWholeFile", {0, 1}, {0, 1}, IDC_REPLACE, {0, 1}, "mov ax, ax\r\nadd eax, 1\r\nsub ax, 1", 2, 0},
        ReplaceCase{"OneInSelection", {8, 0}, {6, 1}, IDC_REPLACE, {6, 1}, "mov ax, eax\r\nadd ax, 1\r\nsub ax, 1", 2, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FindCommands, ReplaceDoesNothingInAReadOnlyView)
{
    Load("mov ax, ax");
    view.bEditable = false;
    EXPECT_TRUE(Enabled(ID_EDIT_REPLACE));
    EXPECT_FALSE(WithDialog([&] { Send(ID_EDIT_REPLACE); }, [](HWND dlg) { Click(dlg, IDCANCEL); }));
}

TEST_F(FindCommands, ReplaceButtonsNeedASearchText)
{
    Load("mov ax, ax");
    std::vector<bool> states;
    ASSERT_TRUE(WithDialog([&] { Send(ID_EDIT_REPLACE); },
                           [&](HWND dlg) {
                               SetText(dlg, IDC_FIND_WHAT, "");
                               for (int id : {IDC_FIND_NEXT, IDC_REPLACE, IDC_REPLACE_ALL})
                                   states.push_back(findtest::Enabled(dlg, id));
                               Click(dlg, IDC_REPLACE_ALL);
                               SetText(dlg, IDC_FIND_WHAT, "ax");
                               states.push_back(findtest::Enabled(dlg, IDC_FIND_NEXT));
                               EXPECT_FALSE(findtest::Enabled(dlg, IDC_SCOPE_SELECTION));
                               EXPECT_TRUE(Checked(dlg, IDC_SCOPE_WHOLE_FILE));
                               Click(dlg, IDCANCEL);
                           }));
    EXPECT_EQ((std::vector<bool>{false, false, false, true}), states);
    EXPECT_EQ("mov ax, ax", AllText(buffer));
}

} // namespace
