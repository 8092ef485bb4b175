// The document inside the real application: opening, editing and saving a file byte for byte,
// the mode bar's refusals, the read-only toggle, and start-up without a file.
#include <gtest/gtest.h>
#include "win/app/app_fixture.h"
#include "toolchain/halyard_doc.h"
#include "frame/main_frame.h"
#include "fx/fx_docmanager.h"
#include "fx/fx_mdichild.h"
#include "fx/fx_view.h"
#include "resource.h"
#include "win/win_test_util.h"
#include <string>
#include <vector>

using Document = AppFixture;

// The document start-up makes and throws away opens no file, so it leaves the Output pane alone;
// the banner comes with the first file opened.
TEST_F(Document, StartUpWithoutAFileLeavesNoDocumentAndAnEmptyOutputPane)
{
    EXPECT_EQ(0, app.GetDocManager()->GetOpenDocumentCount());
    char text[256] = {};
    GetWindowTextA(frame->m_outputEdit.m_hWnd, text, sizeof text);
    EXPECT_STREQ("", text);
    EXPECT_FALSE(IsWindowVisible(frame->m_workspaceBar.m_hWnd));
    EXPECT_FALSE(IsWindowVisible(frame->m_outputBar.m_hWnd));
}

TEST_F(Document, EditAndSaveKeepsEveryOtherByte)
{
    // Ctrl+Z, a NUL byte, GBK text and no line end at the end all come back as they were.
    std::string withNul("a\r\nb\x1a\0c\r\n\xb2\xe2\xca\xd4\r\nlast", 20);
    std::string path = dir.Write("keep.asm", withNul);
    CHalyardDoc* doc = Open(path);
    ASSERT_NE(nullptr, doc);
    EXPECT_EQ("keep.asm", doc->m_strFileName);
    EXPECT_TRUE(IsWindowVisible(frame->m_outputBar.m_hWnd));
    int endLine = 0, endChar = 0;
    ASSERT_TRUE(doc->GetBuffer().InsertText(nullptr, 0, 1, "XY", endLine, endChar, 0));
    EXPECT_TRUE(doc->IsModified());
    ASSERT_TRUE(frame->SendCommand(ID_FILE_SAVE));
    EXPECT_FALSE(doc->IsModified());
    std::string expected = withNul;
    expected.insert(1, "XY");
    EXPECT_EQ(expected, wintest::ReadFileBytes(path));
    EXPECT_TRUE(g_boxes.empty());
}

TEST_F(Document, FailedSaveIsReportedAndTheDocumentStaysModified)
{
    std::string path = dir.Write("ro.asm", "mov ax, bx\r\n");
    CHalyardDoc* doc = Open(path);
    ASSERT_NE(nullptr, doc);
    int endLine = 0, endChar = 0;
    ASSERT_TRUE(doc->GetBuffer().InsertText(nullptr, 0, 0, ";", endLine, endChar, 0));
    EXPECT_FALSE(doc->OnSaveDocument((dir.Path() + "\\no such folder\\x.asm").c_str()));
    ASSERT_EQ(1u, g_boxes.size());
    EXPECT_NE(std::string::npos, g_boxes[0].find("x.asm"));
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ("mov ax, bx\r\n", wintest::ReadFileBytes(path));
}

TEST_F(Document, ModeBarRefusesUnsupportedChoices)
{
    CHalyardDoc* doc = Open(dir.Write("mode.asm", "nop\r\n"));
    ASSERT_NE(nullptr, doc);
    EXPECT_EQ("8086    Tasm    16bit    Debug", LabelText());
    struct Row {
        int list, index;
        UINT code;
        const char* message;
    } refusals[] = {
        {IDC_SELECT_ASSEMBLER, 2, CBN_SELENDOK, "开发中 |暂时不支持Nasm"},
        {IDC_SELECT_CPU, 2, CBN_SELENDOK, "开发中 |暂时不支持C51编译环境"},
        {IDC_SELECT_CPU, 3, CBN_SELENDOK, "开发中 |暂时不支持ARM编译环境"},
        {IDC_SELECT_BITNESS, 1, CBN_SELCHANGE, "开发中 |暂时不支持32bit"},
        {IDC_SELECT_BITNESS, 2, CBN_SELCHANGE, "开发中 |暂时不支持64bit"},
    };
    for (const Row& r : refusals) {
        g_boxes.clear();
        Choose(r.list, r.index, r.code);
        ASSERT_EQ(1u, g_boxes.size()) << r.message;
        EXPECT_EQ(r.message, g_boxes[0]);
        EXPECT_NE(r.index, Selected(r.list)) << "the list shows the stored value again";
    }
    EXPECT_EQ("8086    Tasm    16bit    Debug", LabelText());
    Choose(IDC_SELECT_ASSEMBLER, 0, CBN_SELENDOK);
    Choose(IDC_SELECT_CONFIG, 1, CBN_SELENDOK);
    Choose(IDC_SELECT_CPU, 1, CBN_SELENDOK);
    EXPECT_EQ(0, doc->m_nAssembler);
    EXPECT_EQ(1, doc->m_nConfig);
    EXPECT_EQ(1, doc->m_nCpu);
    EXPECT_EQ("80386    Masm    16bit    Release", LabelText());
    // The menu's mode commands keep the label in step with the list.
    frame->SendCommand(ID_MODE_TASM);
    EXPECT_EQ(1, Selected(IDC_SELECT_ASSEMBLER));
    EXPECT_EQ("80386    Tasm    16bit    Release", LabelText());
}

TEST_F(Document, ReadOnlyToggleSpeaksOnlyOnTheWayIn)
{
    CHalyardDoc* doc = Open(dir.Write("toggle.asm", "nop\r\n"));
    ASSERT_NE(nullptr, doc);
    frame->SendCommand(ID_EDIT_READONLY);
    EXPECT_TRUE(doc->GetBuffer().GetReadOnly());
    frame->SendCommand(ID_EDIT_READONLY);
    EXPECT_FALSE(doc->GetBuffer().GetReadOnly());
    ASSERT_EQ(1u, g_boxes.size());
    EXPECT_EQ("Document now read-only!", g_boxes[0]);
}

TEST_F(Document, EachDocumentKeepsItsConfigurationAndTheModeBarFollowsTheActiveOne)
{
    CHalyardDoc* first = Open(dir.Write("first.asm", "nop\r\n"));
    ASSERT_NE(nullptr, first);
    Choose(IDC_SELECT_ASSEMBLER, 0, CBN_SELENDOK);
    CHalyardDoc* second = Open(dir.Write("second.asm", "nop\r\n"));
    ASSERT_NE(nullptr, second);
    EXPECT_EQ(1, second->m_nAssembler);
    EXPECT_EQ("8086    Tasm    16bit    Debug", LabelText());
    // Activating the first window shows its own values again.
    FxMDIChild* child = first->GetViews().front()->GetParentFrame();
    child->ActivateFrame();
    wintest::Pump();
    EXPECT_EQ(0, Selected(IDC_SELECT_ASSEMBLER));
    EXPECT_EQ("8086    Masm    16bit    Debug", LabelText());
}

// Window > New Window: a second window on the active document edits the same buffer; the titles
// number the windows while there are two, and closing one leaves the other as it was.
TEST_F(Document, NewWindowShowsTheSameBufferAndNumbersTheTitles)
{
    const std::string path = dir.Write("two.asm", "mov ax, bx\r\n");
    CHalyardDoc* doc = Open(path);
    ASSERT_NE(nullptr, doc);
    FxMDIChild* first = frame->GetActiveChild();
    FxCmdUI ui(ID_WINDOW_NEW);
    ASSERT_TRUE(frame->RouteUpdate(ui));
    EXPECT_TRUE(ui.m_bEnabled);
    ASSERT_TRUE(frame->SendCommand(ID_WINDOW_NEW));
    wintest::Pump();
    FxMDIChild* second = frame->GetActiveChild();
    ASSERT_NE(first, second);
    ASSERT_EQ(doc, second->GetActiveDocument());
    auto title = [](FxMDIChild* child) {
        char text[64] = {};
        GetWindowTextA(child->m_hWnd, text, sizeof text);
        return std::string(text);
    };
    EXPECT_EQ("two.asm:1", title(first));
    EXPECT_EQ("two.asm:2", title(second));
    SendMessageA(second->GetActiveView()->m_hWnd, WM_CHAR, 'x', 1);
    EXPECT_EQ('x', doc->GetBuffer().GetLine(0)[0]);
    EXPECT_EQ("two.asm:1 *", title(first));
    SendMessageA(second->m_hWnd, WM_CLOSE, 0, 0);
    wintest::Pump();
    EXPECT_EQ("two.asm *", title(first));
    EXPECT_EQ(1, app.GetDocManager()->GetOpenDocumentCount());
    doc->SetModifiedFlag(false);
}
