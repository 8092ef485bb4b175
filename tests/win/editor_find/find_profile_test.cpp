// The find and replace options outlive a run of the application: the dialogs of a new run start
// from the values the last run's dialogs ended with.
#include <gtest/gtest.h>

#include <functional>

#include "app/halyard_app.h"
#include "frame/main_frame.h"
#include "fx/fx_docmanager.h"
#include "resource.h"
#include "win/app/app_fixture.h"
#include "win/editor_find/find_test_support.h"

using namespace findtest;

namespace {

const char* const kValues[][2] = {{"Editor\\Find", "MatchCase"},      {"Editor\\Find", "WholeWord"},
                                  {"Editor\\Find", "FindWhat"},       {"Editor\\Replace", "MatchCase"},
                                  {"Editor\\Replace", "WholeWord"},   {"Editor\\Replace", "FindWhat"},
                                  {"Editor\\Replace", "ReplaceWith"}};

// One run of the application with a document open: `body` gets its main frame.
void RunApplication(const std::string& path, const std::function<void(CMainFrame&)>& body)
{
    CHalyardApp app;
    ASSERT_TRUE(app.InitInstance());
    ASSERT_NE(nullptr, app.GetDocManager()->OpenDocumentFile(path.c_str()));
    wintest::Pump();
    body(*static_cast<CMainFrame*>(app.GetMainFrame()));
    app.GetDocManager()->CloseAllDocuments();
    app.GetMainFrame()->DestroyWindow();
    wintest::Pump();
}

void ForgetValues(const FxSettings& settings)
{
    for (const auto& value : kValues) settings.DeleteValue(value[0], value[1]);
}

struct DialogValues {
    std::string find, replace;
    bool bMatchCase = false, bWholeWord = false, bDown = false;
};

// Reads what a dialog shows, puts `next` into it and closes it with Cancel.
void Exchange(HWND dlg, DialogValues& shown, const DialogValues& next)
{
    shown.find = GetText(dlg, IDC_FIND_WHAT);
    shown.replace = GetText(dlg, IDC_REPLACE_WITH);
    shown.bMatchCase = Checked(dlg, IDC_MATCH_CASE);
    shown.bWholeWord = Checked(dlg, IDC_WHOLE_WORD);
    shown.bDown = Checked(dlg, IDC_DIRECTION_DOWN);
    SetText(dlg, IDC_FIND_WHAT, next.find.c_str());
    SetText(dlg, IDC_REPLACE_WITH, next.replace.c_str());
    CheckDlgButton(dlg, IDC_MATCH_CASE, next.bMatchCase ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dlg, IDC_WHOLE_WORD, next.bWholeWord ? BST_CHECKED : BST_UNCHECKED);
    CheckRadioButton(dlg, IDC_DIRECTION_UP, IDC_DIRECTION_DOWN, next.bDown ? IDC_DIRECTION_DOWN : IDC_DIRECTION_UP);
    Click(dlg, IDCANCEL);
}

TEST(FindProfile, DialogValuesPersistAcrossTwoRuns)
{
    g_boxes.clear();
    FxSetMessageBoxHook(RecordBox);
    wintest::TempDir dir;
    const std::string path = dir.Write("p.asm", "mov ax, 1\r\nint 21h\r\n");
    const DialogValues findValues{"int 21h", "", true, true, false};
    const DialogValues replaceValues{"mov", "add", false, true, true};
    DialogValues shownFind, shownReplace;
    RunApplication(path, [&](CMainFrame& frame) {
        ForgetValues(FxGetApp()->Settings());
        ASSERT_TRUE(WithDialog([&] { frame.SendCommand(ID_EDIT_FIND); },
                               [&](HWND dlg) { Exchange(dlg, shownFind, findValues); }));
        ASSERT_TRUE(WithDialog([&] { frame.SendCommand(ID_EDIT_REPLACE); },
                               [&](HWND dlg) { Exchange(dlg, shownReplace, replaceValues); }));
    });
    // Nothing stored yet: empty texts, options clear, downwards.
    EXPECT_EQ("", shownFind.find);
    EXPECT_FALSE(shownFind.bMatchCase || shownFind.bWholeWord);
    EXPECT_TRUE(shownFind.bDown);
    EXPECT_EQ("", shownReplace.replace);

    RunApplication(path, [&](CMainFrame& frame) {
        ASSERT_TRUE(WithDialog([&] { frame.SendCommand(ID_EDIT_FIND); },
                               [&](HWND dlg) { Exchange(dlg, shownFind, findValues); }));
        ASSERT_TRUE(WithDialog([&] { frame.SendCommand(ID_EDIT_REPLACE); },
                               [&](HWND dlg) { Exchange(dlg, shownReplace, replaceValues); }));
        const FxSettings& settings = FxGetApp()->Settings();
        EXPECT_EQ("add", settings.GetString("Editor\\Replace", "ReplaceWith"));
        EXPECT_EQ(1, settings.GetInt("Editor\\Find", "MatchCase", -1));
        ForgetValues(settings);
    });
    EXPECT_EQ("int 21h", shownFind.find);
    EXPECT_TRUE(shownFind.bMatchCase);
    EXPECT_TRUE(shownFind.bWholeWord);
    EXPECT_TRUE(shownFind.bDown);  // the direction is not remembered
    EXPECT_EQ("mov", shownReplace.find);
    EXPECT_EQ("add", shownReplace.replace);
    EXPECT_FALSE(shownReplace.bMatchCase);
    EXPECT_TRUE(shownReplace.bWholeWord);
    EXPECT_TRUE(g_boxes.empty());
    FxSetMessageBoxHook(nullptr);
}

}  // namespace
