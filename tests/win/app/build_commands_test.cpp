// Compile and Link through the document's commands in the running application: the file is
// saved first, the tool gets the lines of the active configuration, and it runs in the file's
// folder whatever folder the IDE is in.
#include "win/app/app_fixture.h"
#include "win/toolchain/build_test_support.h"
#include "toolchain/build_console.h"
#include "toolchain/tool_names.h"
#include "core/toolchain/dos_names.h"
#include "editor/text_view.h"
#include "fx/fx_view.h"
#include <cstring>

using BuildCommands = AppFixture;

namespace {
// `install`, ready, with the staged Dosrun in its tool folder, becomes the application's
// installation.
void UseWithDosrun(CHalyardApp& app, buildtest::CTempInstall& install)
{
    ASSERT_TRUE(install.Ready());
    char dist[MAX_PATH] = {};
    ASSERT_GT(GetEnvironmentVariableA("HALYARD_DIST", dist, sizeof dist), 0u);
    ASSERT_TRUE(CopyFileA((std::string(dist) + "\\bin\\Dosrun.exe").c_str(), (install.ToolFolder() + "\\Dosrun.exe").c_str(), FALSE));
    std::strcpy(app.m_szInstallDir, install.InstallDir().c_str());
}

std::string LongPathOf(const std::string& path)
{
    char full[MAX_PATH] = {};
    const DWORD n = GetLongPathNameA(path.c_str(), full, sizeof full);
    return n > 0 && n < sizeof full ? full : "";
}
}  // namespace

TEST_F(BuildCommands, CompileSavesThenBuildsNextToTheFileAndLinkFollowsTheConfiguration)
{
    buildtest::CTempInstall install("inst dir", "my src");
    ASSERT_TRUE(install.Ready());
    ASSERT_LT(install.InstallDir().size(), sizeof app.m_szInstallDir);
    std::strcpy(app.m_szInstallDir, install.InstallDir().c_str());  // documents made from now on use it
    ASSERT_TRUE(install.AddSource("hello.asm"));
    std::string path = install.SourceDir() + "\\hello.asm";

    CHalyardDoc* doc = Open(path);
    ASSERT_NE(nullptr, doc);
    int endLine = 0, endChar = 0;
    ASSERT_TRUE(doc->GetBuffer().InsertText(nullptr, 0, 0, "; edited\r\n", endLine, endChar, 0));
    frame->SendCommand(ID_MODE_MASM);
    ASSERT_TRUE(frame->SendCommand(ID_BUILD_COMPILE));
    ASSERT_TRUE(install.WaitForRecords(1, 20000));
    EXPECT_FALSE(doc->IsModified()) << "Compile saves the file first";
    EXPECT_EQ(0u, wintest::ReadFileBytes(path).find("; edited\r\n"));

    Choose(IDC_SELECT_CONFIG, 1, CBN_SELENDOK);  // Release
    // Wine's interpreter drops a line typed while the previous one still runs: wait for the tool.
    ASSERT_TRUE(buildtest::PumpUntil([&] { return GetWindowTextLengthA(frame->m_outputEdit.m_hWnd) > 20; }, 5000));
    buildtest::PumpFor(500);
    ASSERT_TRUE(frame->SendCommand(ID_BUILD_LINK));
    ASSERT_TRUE(install.WaitForRecords(2, 20000));
    std::vector<buildtest::StandinRecord> records = install.Records();
    ASSERT_EQ(2u, records.size());
    EXPECT_EQ("masm", records[0].tool);
    EXPECT_EQ("link", records[1].tool);
    // The folder has a blank: the tools run in its short form.
    for (const auto& r : records) {
        EXPECT_TRUE(halyard::toolchain::IsDosPath(r.folder)) << r.folder;
        EXPECT_EQ(install.SourceDir(), LongPathOf(r.folder)) << r.tool;
    }
    doc->SetModifiedFlag(false);
}

// Save As into another folder moves the build there: the tool runs in the new folder on the new
// name, the pane says where, and the WorkSpace item follows the name so that it still finds the
// window. Both folders have Chinese names with a blank, as a student's often do.
TEST_F(BuildCommands, SaveAsIntoAnotherFolderMovesTheBuildAndTheWorkspaceItem)
{
    buildtest::CTempInstall install("inst", "汇编 作业");
    ASSERT_TRUE(install.Ready());
    std::strcpy(app.m_szInstallDir, install.InstallDir().c_str());
    ASSERT_TRUE(install.AddSource("第1题.asm"));
    const std::string other = install.Root() + "\\实验 二";
    ASSERT_TRUE(CreateDirectoryA(other.c_str(), nullptr));
    CHalyardDoc* first = Open(install.SourceDir() + "\\第1题.asm");
    ASSERT_TRUE(install.AddSource("other.asm"));
    CHalyardDoc* second = Open(install.SourceDir() + "\\other.asm");
    ASSERT_TRUE(first && second);
    ASSERT_TRUE(first->DoSave(other + "\\第2题.asm"));
    EXPECT_TRUE(buildtest::PumpUntil(
        [&] {
            char pane[2048] = {};
            GetWindowTextA(frame->m_outputEdit.m_hWnd, pane, sizeof pane);
            return std::string(pane).find("now run in " + DosPathOf(other)) != std::string::npos;
        },
        5000));
    ASSERT_TRUE(first->OnCmdMsg(ID_BUILD_COMPILE, 0));
    ASSERT_TRUE(install.WaitForRecords(1, 20000));
    const auto records = install.Records();
    ASSERT_FALSE(records[0].args.empty());
    const std::string dosPath = records[0].folder + "\\" + records[0].args.back();
    EXPECT_TRUE(halyard::toolchain::IsDosPath(dosPath)) << dosPath;
    EXPECT_EQ(other + "\\第2题.asm", LongPathOf(dosPath));

    // The item of the first file now reads the new name and activates its window.
    HWND tree = frame->m_workspaceTree.m_hWnd;
    auto root = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
    auto item = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CHILD, (LPARAM)root));
    char text[64] = {};
    TVITEMA tv{TVIF_TEXT, item};
    tv.pszText = text;
    tv.cchTextMax = sizeof text;
    SendMessageA(tree, TVM_GETITEMA, 0, (LPARAM)&tv);
    EXPECT_STREQ("第2题.asm", text);
    SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, (LPARAM)item);
    app.OnWorkspaceDblClk();
    EXPECT_EQ(first->GetViews().front()->GetParentFrame(), frame->GetActiveChild());
}

// A long Chinese name with blanks in a folder of the same kind: every step gives the tools the
// short names, so the object file the assembler writes is the one the linker is told to read
// and the program Run starts is the one the linker writes.
TEST_F(BuildCommands, LongNamesReachEveryStepAsTheSameShortNames)
{
    buildtest::CTempInstall install("inst", "汇编 作业");
    ASSERT_TRUE(install.Ready());
    std::strcpy(app.m_szInstallDir, install.InstallDir().c_str());
    ASSERT_TRUE(install.AddSource("实验一 hello world.asm"));
    const std::string path = install.SourceDir() + "\\实验一 hello world.asm";
    // The assembler's error names the source by the short name it was given; F4 still finds it.
    // (The interpreter, started with the document, passes this on to the tools.)
    SetEnvironmentVariableA("HALYARD_STANDIN_MESSAGE", "%f(3): error A2009: Symbol not defined: FOO");
    CHalyardDoc* doc = Open(path);
    SetEnvironmentVariableA("HALYARD_STANDIN_MESSAGE", nullptr);
    ASSERT_NE(nullptr, doc);
    int endLine = 0, endChar = 0;
    ASSERT_TRUE(doc->GetBuffer().InsertText(nullptr, 0, 0, "start:\r\n    mov ax, foo\r\n", endLine, endChar, 0));
    frame->SendCommand(ID_MODE_MASM);
    ASSERT_TRUE(frame->SendCommand(ID_BUILD_COMPILE));
    ASSERT_TRUE(install.WaitForRecords(1, 20000));
    ASSERT_TRUE(buildtest::PumpUntil([&] { return frame->m_outputEdit.GetText().find("stand-in: done") != std::string::npos; }, 5000));
    ASSERT_TRUE(frame->SendCommand(ID_NEXT_MESSAGE));
    TextPosition start, end;
    dynamic_cast<CTextView*>(doc->GetViews().front())->GetSelection(start, end);
    EXPECT_EQ(2, start.y);
    EXPECT_EQ(3, end.y);
    buildtest::PumpFor(300);
    ASSERT_TRUE(frame->SendCommand(ID_BUILD_LINK));
    ASSERT_TRUE(install.WaitForRecords(2, 20000));
    const auto records = install.Records();
    const std::string files = records[0].args.back();  // "<name>.ASM,<base>.obj,<base>.lst,<base>.crf;"
    const std::string fileWord = files.substr(0, files.find(','));
    const std::string base = fileWord.substr(0, fileWord.size() - 4);
    EXPECT_TRUE(halyard::toolchain::IsDosPath(records[0].folder + "\\" + fileWord)) << records[0].line;
    EXPECT_EQ(path, LongPathOf(records[0].folder + "\\" + fileWord));
    EXPECT_EQ(fileWord + "," + base + ".obj," + base + ".lst," + base + ".crf;", files);
    EXPECT_EQ(base + ".obj," + base + ".exe;", records[1].args.back());
    EXPECT_EQ(records[0].folder, records[1].folder);
    // Each step found the file the step before wrote, and Run and Debug name the program written.
    const std::string program = records[0].folder + "\\" + base + ".exe";
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(program.c_str())) << program;

    ASSERT_TRUE(frame->SendCommand(ID_BUILD_RUN));  // no Pausexec in this installation: refused, named
    EXPECT_NE(std::string::npos, std::string(doc->m_szRunCommand).find(" " + program)) << doc->m_szRunCommand;
    ASSERT_TRUE(frame->SendCommand(ID_DEBUG_DEBUG));  // nor Tracegate: the pane names the line
    EXPECT_NE(std::string::npos, frame->m_outputEdit.GetText().find("Tracegate.exe m " + base + ".exe"))
        << frame->m_outputEdit.GetText();

    // Gone from the disk, the file has no short name: the pane says what to do, once.
    ASSERT_TRUE(DeleteFileA(path.c_str()));
    ASSERT_TRUE(frame->SendCommand(ID_BUILD_LINK));
    const std::string pane = frame->m_outputEdit.GetText();
    EXPECT_NE(std::string::npos, pane.find("no DOS 8.3 name")) << pane;
    EXPECT_EQ(pane.find("no DOS 8.3 name"), pane.rfind("no DOS 8.3 name"));
}

// With Dosrun in the installation (and a system that cannot start DOS programs: Wine), the lines
// start with it; the stand-in tools, Windows programs, are passed through with their exact words.
TEST_F(BuildCommands, TheToolsRunThroughDosrunWithTheirExactArguments)
{
    buildtest::CTempInstall install("inst", "src");
    ASSERT_NO_FATAL_FAILURE(UseWithDosrun(app, install));
    ASSERT_TRUE(install.AddSource("hello.asm"));
    CHalyardDoc* doc = Open(install.SourceDir() + "\\hello.asm");
    ASSERT_NE(nullptr, doc);
    ASSERT_TRUE(frame->SendCommand(ID_BUILD_COMPILE));
    ASSERT_TRUE(install.WaitForRecords(1, 20000));
    const auto records = install.Records();
    EXPECT_EQ("tasm", records[0].tool);
    EXPECT_EQ((std::vector<std::string>{"/zi", "/la", "hello.asm"}), records[0].args);
    const std::string bin = DosPathOf(install.ToolFolder());  // the folder's name is long
    EXPECT_EQ(bin + "\\Dosrun.exe " + bin + "\\tasm16\\tasm.exe /zi /la hello.asm\r\n", std::string(doc->m_pConsole->GetLine()));
}

// Through Dosrun the tools get the source's own name, Chinese and all (Dosrun shows DOS tools an
// alias for it), and F4 finds the source behind the alias a tool names in its message.
TEST_F(BuildCommands, ThroughDosrunToolsGetTheOwnNamesAndF4FindsTheAlias)
{
    buildtest::CTempInstall install("inst", "汇编 作业");
    ASSERT_NO_FATAL_FAILURE(UseWithDosrun(app, install));
    ASSERT_TRUE(install.AddSource("第1题.asm"));
    SetEnvironmentVariableA("HALYARD_STANDIN_MESSAGE", "1~1.ASM(2): error A2009: Symbol not defined: FOO");
    CHalyardDoc* doc = Open(install.SourceDir() + "\\第1题.asm");
    SetEnvironmentVariableA("HALYARD_STANDIN_MESSAGE", nullptr);
    ASSERT_NE(nullptr, doc);
    int endLine = 0, endChar = 0;
    ASSERT_TRUE(doc->GetBuffer().InsertText(nullptr, 0, 0, "start:\r\n    mov ax, foo\r\n", endLine, endChar, 0));
    frame->SendCommand(ID_MODE_TASM);
    ASSERT_TRUE(frame->SendCommand(ID_BUILD_COMPILE));
    ASSERT_TRUE(install.WaitForRecords(1, 20000));
    EXPECT_EQ("第1题.asm", install.Records()[0].args.back());
    ASSERT_TRUE(buildtest::PumpUntil([&] { return frame->m_outputEdit.GetText().find("stand-in: done") != std::string::npos; }, 5000));
    EXPECT_EQ(std::string::npos, frame->m_outputEdit.GetText().find("no DOS 8.3 name"));
    ASSERT_TRUE(frame->SendCommand(ID_NEXT_MESSAGE));
    TextPosition start, end;
    dynamic_cast<CTextView*>(doc->GetViews().front())->GetSelection(start, end);
    EXPECT_EQ(1, start.y);
    EXPECT_EQ(2, end.y);
}
