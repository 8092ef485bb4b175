// File > New inside the real application: the dialog's pages, the copy of the chosen template into
// the remembered folder, the new document's assembler, config.ini, and the refusals: the Project
// page, an existing file kept without consent, a failed copy reported with nothing opened.
#include <gtest/gtest.h>
#include "win/app/app_fixture.h"
#include "win/editor_find/find_test_support.h"
#include "fx/fx_doctemplate.h"
#include <commctrl.h>
#include <cstring>
#include <functional>
#include <string>

namespace {

using findtest::Click;
using findtest::Enabled;
using findtest::GetText;
using findtest::SetText;

// Stand-ins for the four templates, each with its own bytes.
const char* const kTemplateFiles[] = {"empty.asm", "std8086.asm", "stdhello.asm", "advhello.asm"};
std::string TemplateBytes(int row) { return std::string("; template ") + kTemplateFiles[row] + "\r\nend\r\n"; }

int g_answer = IDOK;  // what every message box answers
int AnswerBox(const char* text, UINT)
{
    g_boxes.push_back(text);
    return g_answer;
}

std::string ListText(HWND list, int row)
{
    char text[64] = {};
    LVITEMA item{};
    item.iSubItem = 0;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
    return text;
}

int SelectedRow(HWND list) { return (int)SendMessageA(list, LVM_GETNEXTITEM, (WPARAM)-1, LVNI_SELECTED); }

void SelectRow(HWND list, int row)
{
    LVITEMA state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&state));
}

// A click on tab `index`, as the mouse gives it.
void ClickTab(HWND tabs, int index)
{
    RECT rc{};
    SendMessageA(tabs, TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rc));
    LPARAM at = MAKELPARAM((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    SendMessageA(tabs, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(tabs, WM_LBUTTONUP, 0, at);
}

std::string CurrentDirectory()
{
    char path[MAX_PATH] = {};
    GetCurrentDirectoryA(sizeof path, path);
    return path;
}

}  // namespace

class NewDialog : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        m_strStartDir = CurrentDirectory();
        // The installation folder: the four templates and, when a test writes it, config.ini.
        CreateDirectoryA(install.File("Template").c_str(), nullptr);
        for (int row = 0; row < 4; ++row)
            install.Write((std::string("Template\\") + kTemplateFiles[row]).c_str(), TemplateBytes(row));
        ASSERT_LT(install.Path().size(), sizeof app.m_szInstallDir);
        std::strcpy(app.m_szInstallDir, install.Path().c_str());
        g_answer = IDOK;
        FxSetMessageBoxHook(AnswerBox);
    }
    void TearDown() override
    {
        SetCurrentDirectoryA(m_strStartDir.c_str());
        AppFixture::TearDown();
    }
    // File > New with `act` run on the open dialog; false when no dialog came.
    bool RunNew(const std::function<void(HWND)>& act)
    {
        return findtest::WithDialog([&] { frame->SendCommand(ID_FILE_NEW_DIALOG); }, act);
    }
    static HWND Tabs(HWND dialog) { return GetDlgItem(dialog, IDC_NEW_TABS); }
    static HWND FilePage(HWND dialog) { return GetDlgItem(Tabs(dialog), IDD_NEW_FILE_PAGE); }
    static HWND ProjectPage(HWND dialog) { return GetDlgItem(Tabs(dialog), IDD_NEW_PROJECT_PAGE); }
    static HWND List(HWND dialog) { return GetDlgItem(FilePage(dialog), IDC_NEW_TEMPLATES); }
    std::string Config() { return wintest::ReadFileBytes(install.File("config.ini")); }
    bool ConfigExists() { return GetFileAttributesA(install.File("config.ini").c_str()) != INVALID_FILE_ATTRIBUTES; }
    CHalyardDoc* OnlyDocument()
    {
        const auto& docs = app.GetDocManager()->GetTemplates().front()->GetDocuments();
        return docs.size() == 1 ? dynamic_cast<CHalyardDoc*>(docs.front()) : nullptr;
    }

    wintest::TempDir install;
    wintest::TempDir other;  // a second folder to type in
    std::string m_strStartDir;
};

TEST_F(NewDialog, OkAtOnceMakesUntitledFromTheEmptyTemplateInTheRememberedFolder)
{
    install.Write("config.ini", dir.Path());
    ASSERT_TRUE(RunNew([&](HWND dlg) {
        char caption[32] = {};
        GetWindowTextA(dlg, caption, sizeof caption);
        EXPECT_STREQ("New", caption);
        HWND page = FilePage(dlg);
        ASSERT_NE(nullptr, page);
        EXPECT_TRUE(IsWindowVisible(page));
        EXPECT_FALSE(IsWindowVisible(ProjectPage(dlg)));
        EXPECT_EQ(2, (int)SendMessageA(Tabs(dlg), TCM_GETITEMCOUNT, 0, 0));
        EXPECT_EQ(dir.Path(), GetText(page, IDC_NEW_LOCATION));
        EXPECT_EQ("Untitled.asm", GetText(page, IDC_NEW_FILE_NAME));
        EXPECT_FALSE(Enabled(page, IDC_NEW_ADD_TO_PROJECT));
        EXPECT_FALSE(Enabled(page, IDC_NEW_PROJECT_LIST));
        HWND list = List(dlg);
        ASSERT_EQ(4, (int)SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
        const char* rows[] = {"空文件", "基本模板", "Hello World", "Advance Hello World"};
        for (int row = 0; row < 4; ++row) EXPECT_EQ(rows[row], ListText(list, row));
        EXPECT_EQ(0, SelectedRow(list));
        EXPECT_EQ(list, GetFocus());
        Click(dlg, IDOK);
    }));
    const std::string path = dir.File("Untitled.asm");
    EXPECT_EQ(TemplateBytes(0), wintest::ReadFileBytes(path));
    CHalyardDoc* doc = OnlyDocument();
    ASSERT_NE(nullptr, doc);
    EXPECT_EQ(0, lstrcmpiA(path.c_str(), doc->GetPathName().c_str())) << doc->GetPathName();
    EXPECT_EQ(0, doc->m_nAssembler);
    EXPECT_EQ("8086    Masm    16bit    Debug", LabelText());
    EXPECT_EQ(dir.Path(), Config());
    EXPECT_EQ(0, lstrcmpiA(dir.Path().c_str(), CurrentDirectory().c_str()));
    EXPECT_TRUE(g_boxes.empty());
}

// Each row sets its assembler; a folder typed by hand comes back in the next dialog.
TEST_F(NewDialog, RowsSetTheirAssemblerAndATypedFolderIsRemembered)
{
    ASSERT_TRUE(RunNew([&](HWND dlg) {
        SelectRow(List(dlg), 2);
        SetText(FilePage(dlg), IDC_NEW_FILE_NAME, "hello.asm");
        SetText(FilePage(dlg), IDC_NEW_LOCATION, other.Path().c_str());
        Click(dlg, IDOK);
    }));
    CHalyardDoc* hello = OnlyDocument();
    ASSERT_NE(nullptr, hello);
    EXPECT_EQ(0, hello->m_nAssembler);
    EXPECT_EQ(TemplateBytes(2), wintest::ReadFileBytes(other.File("hello.asm")));
    EXPECT_EQ(other.Path(), Config());
    ASSERT_TRUE(RunNew([&](HWND dlg) {
        EXPECT_EQ(other.Path(), GetText(FilePage(dlg), IDC_NEW_LOCATION));
        SelectRow(List(dlg), 3);
        SetText(FilePage(dlg), IDC_NEW_FILE_NAME, "adv.asm");
        Click(dlg, IDOK);
    }));
    const auto& docs = app.GetDocManager()->GetTemplates().front()->GetDocuments();
    ASSERT_EQ(2u, docs.size());
    auto* adv = dynamic_cast<CHalyardDoc*>(docs.back());
    ASSERT_NE(nullptr, adv);
    EXPECT_EQ("adv.asm", adv->m_strFileName);
    EXPECT_EQ(1, adv->m_nAssembler);
    EXPECT_EQ("8086    Tasm    16bit    Debug", LabelText());
    EXPECT_EQ(TemplateBytes(3), wintest::ReadFileBytes(other.File("adv.asm")));
    EXPECT_TRUE(g_boxes.empty());
}

TEST_F(NewDialog, ProjectPageAndOkCreateNothing)
{
    ASSERT_TRUE(RunNew([&](HWND dlg) {
        EXPECT_EQ("C:\\", GetText(FilePage(dlg), IDC_NEW_LOCATION)) << "no config.ini yet";
        SetText(FilePage(dlg), IDC_NEW_LOCATION, dir.Path().c_str());
        ClickTab(Tabs(dlg), 1);
        EXPECT_EQ(1, (int)SendMessageA(Tabs(dlg), TCM_GETCURSEL, 0, 0));
        HWND page = ProjectPage(dlg);
        EXPECT_TRUE(IsWindowVisible(page));
        EXPECT_FALSE(IsWindowVisible(FilePage(dlg)));
        HWND cpu = GetDlgItem(page, IDC_NEW_CPU);
        ASSERT_EQ(11, (int)SendMessageA(cpu, CB_GETCOUNT, 0, 0));
        char first[16] = {}, last[16] = {};
        SendMessageA(cpu, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(first));
        SendMessageA(cpu, CB_GETLBTEXT, 10, reinterpret_cast<LPARAM>(last));
        EXPECT_STREQ("8088", first);
        EXPECT_STREQ("C51", last);
        Click(dlg, IDOK);
    }));
    EXPECT_EQ(0, app.GetDocManager()->GetOpenDocumentCount());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(dir.File("Untitled.asm").c_str()));
    EXPECT_FALSE(ConfigExists());
}

// An existing file stays unless the user says yes; one open in the editor is never replaced.
TEST_F(NewDialog, ExistingTargetIsReplacedOnlyWithConsent)
{
    install.Write("config.ini", dir.Path());
    const std::string path = dir.Write("Untitled.asm", "keep me");
    g_answer = IDNO;
    ASSERT_TRUE(RunNew([&](HWND dlg) {
        Click(dlg, IDOK);
        EXPECT_TRUE(IsWindowVisible(dlg)) << "the dialog stays for another name";
        Click(dlg, IDCANCEL);
    }));
    ASSERT_EQ(1u, g_boxes.size());
    EXPECT_NE(std::string::npos, g_boxes[0].find(path)) << g_boxes[0];
    EXPECT_EQ("keep me", wintest::ReadFileBytes(path));
    EXPECT_EQ(0, app.GetDocManager()->GetOpenDocumentCount());

    g_boxes.clear();
    g_answer = IDYES;
    ASSERT_TRUE(RunNew([&](HWND dlg) { Click(dlg, IDOK); }));
    EXPECT_EQ(1u, g_boxes.size());
    EXPECT_EQ(TemplateBytes(0), wintest::ReadFileBytes(path));
    ASSERT_NE(nullptr, OnlyDocument());

    // Now that it is open, even a yes leaves it alone.
    g_boxes.clear();
    dir.Write("Untitled.asm", "edited on disk");
    ASSERT_TRUE(RunNew([&](HWND dlg) {
        Click(dlg, IDOK);
        Click(dlg, IDCANCEL);
    }));
    ASSERT_EQ(1u, g_boxes.size());
    EXPECT_EQ("edited on disk", wintest::ReadFileBytes(path));
    EXPECT_EQ(1, app.GetDocManager()->GetOpenDocumentCount());
}

// A missing folder or template is reported with the path and the system's reason; nothing is
// opened and config.ini keeps the folder it had.
TEST_F(NewDialog, FailedCopyIsReportedAndNothingIsOpened)
{
    install.Write("config.ini", dir.Path());
    const std::string missing = dir.Path() + "\\no such folder";
    ASSERT_TRUE(RunNew([&](HWND dlg) {
        SetText(FilePage(dlg), IDC_NEW_LOCATION, missing.c_str());
        Click(dlg, IDOK);
        EXPECT_TRUE(IsWindowVisible(dlg));
        EXPECT_EQ(missing, GetText(FilePage(dlg), IDC_NEW_LOCATION)) << "the typed folder stays";
        Click(dlg, IDCANCEL);
    }));
    ASSERT_EQ(1u, g_boxes.size());
    EXPECT_NE(std::string::npos, g_boxes[0].find(missing + "\\Untitled.asm")) << g_boxes[0];
    EXPECT_GT(g_boxes[0].size(), g_boxes[0].find('\n') + 1) << "a reason follows: " << g_boxes[0];

    g_boxes.clear();
    ASSERT_TRUE(DeleteFileA(install.File("Template\\std8086.asm").c_str()));
    ASSERT_TRUE(RunNew([&](HWND dlg) {
        SelectRow(List(dlg), 1);
        Click(dlg, IDOK);
        Click(dlg, IDCANCEL);
    }));
    ASSERT_EQ(1u, g_boxes.size());
    EXPECT_NE(std::string::npos, g_boxes[0].find("std8086.asm")) << g_boxes[0];
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(dir.File("Untitled.asm").c_str()));
    EXPECT_EQ(0, app.GetDocManager()->GetOpenDocumentCount());
    EXPECT_EQ(dir.Path(), Config());
}

// The shipped templates make files with CR LF line ends throughout: a file with bare LF shows
// as "MAC" and reads as one line to old DOS tools.
TEST_F(NewDialog, FilesFromTheShippedTemplatesHaveCrLfThroughout)
{
    const char* dist = getenv("HALYARD_DIST");
    ASSERT_TRUE(dist) << "HALYARD_DIST names the staged installation";
    for (const char* name : kTemplateFiles)
        ASSERT_TRUE(CopyFileA((std::string(dist) + "\\Template\\" + name).c_str(),
                              install.File((std::string("Template\\") + name).c_str()).c_str(), FALSE)) << name;
    install.Write("config.ini", dir.Path());
    for (int row = 0; row < 4; ++row) {
        const std::string name = "made" + std::to_string(row) + ".asm";
        ASSERT_TRUE(RunNew([&](HWND dlg) {
            SelectRow(List(dlg), row);
            SetText(FilePage(dlg), IDC_NEW_FILE_NAME, name.c_str());
            Click(dlg, IDOK);
        }));
        const std::string bytes = wintest::ReadFileBytes(dir.File(name.c_str()));
        EXPECT_TRUE(row == 0 || bytes.find("\r\n") != std::string::npos) << name << " has lines";
        for (size_t i = 0; i < bytes.size(); ++i) {
            const bool lf = bytes[i] == '\n', cr = bytes[i] == '\r';
            EXPECT_FALSE(lf && (i == 0 || bytes[i - 1] != '\r')) << name << ": bare LF at " << i;
            EXPECT_FALSE(cr && (i + 1 == bytes.size() || bytes[i + 1] != '\n')) << name << ": bare CR at " << i;
        }
    }
    EXPECT_TRUE(g_boxes.empty());
}

// Ctrl+N opens the New dialog, as the File menu says; the plain New command makes no window and
// leaves the Output pane's text (the last build's messages) as it was.
TEST_F(NewDialog, CtrlNOpensTheDialogAndPlainNewLeavesTheOutputPane)
{
    HWND pane = frame->m_outputEdit.m_hWnd;
    SetWindowTextA(pane, "HELLO.ASM(3): error A2009: Symbol not defined: X\r\n");
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    bool taken = false;
    const bool opened = findtest::WithDialog(
        [&] {
            MSG msg{frame->m_hWnd, WM_KEYDOWN, 'N', 1};
            taken = app.PreTranslateMessage(msg);
        },
        [&](HWND dlg) {
            keys[VK_CONTROL] = 0;
            SetKeyboardState(keys);
            EXPECT_NE(nullptr, FilePage(dlg));
            Click(dlg, IDCANCEL);
        });
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    EXPECT_TRUE(taken);
    EXPECT_TRUE(opened) << "Ctrl+N opened no dialog";

    frame->SendCommand(ID_FILE_NEW);
    wintest::Pump();
    char text[256] = {};
    GetWindowTextA(pane, text, sizeof text);
    EXPECT_STREQ("HELLO.ASM(3): error A2009: Symbol not defined: X\r\n", text);
    EXPECT_EQ(0, app.GetDocManager()->GetOpenDocumentCount());
}

// An open file is never replaced, whatever spelling of its name is typed: relative parts, a short
// name or other letter case all name the open file.
TEST_F(NewDialog, AnOpenFileIsNeverReplacedUnderAnotherSpelling)
{
    const std::string path = dir.Write("a.asm", "student's code\r\n");
    CreateDirectoryA(dir.File("sub").c_str(), nullptr);
    ASSERT_NE(nullptr, Open(path));
    install.Write("config.ini", dir.Path());
    char shortPath[MAX_PATH] = {};
    const std::string longName = dir.Write("a long name.asm", "more code\r\n");
    ASSERT_NE(nullptr, Open(longName));
    ASSERT_GT(GetShortPathNameA(longName.c_str(), shortPath, sizeof shortPath), 0u);
    const std::string shortName = std::string(shortPath).substr(std::string(shortPath).rfind('\\') + 1);
    g_answer = IDYES;
    for (const std::string& typed : {std::string("sub\\..\\a.asm"), std::string(".\\a.asm"), std::string("A.ASM"), shortName}) {
        g_boxes.clear();
        ASSERT_TRUE(RunNew([&](HWND dlg) {
            SetText(FilePage(dlg), IDC_NEW_FILE_NAME, typed.c_str());
            Click(dlg, IDOK);
            EXPECT_TRUE(IsWindowVisible(dlg)) << typed;
            Click(dlg, IDCANCEL);
        }));
        ASSERT_EQ(1u, g_boxes.size()) << typed;
        const std::string said = FxLoadString(IDS_NEW_TARGET_OPEN).substr(2);  // after "%s"
        EXPECT_NE(std::string::npos, g_boxes[0].find(said)) << typed << ": " << g_boxes[0];
    }
    EXPECT_EQ("student's code\r\n", wintest::ReadFileBytes(path));
    EXPECT_EQ("more code\r\n", wintest::ReadFileBytes(longName));
    EXPECT_EQ(2, app.GetDocManager()->GetOpenDocumentCount());
}
