#include "app/toolchain_folders_command.h"

#include "app/browse_folder.h"
#include "fx/fx_app.h"
#include "resource.h"
#include "toolchain/toolchain_install.h"

namespace {

constexpr std::size_t kListedFiles = 12;  // a longer list would not fit the box on a small screen

// Shows the wait cursor while the tools are copied and run.
class CWaitCursor {
public:
    CWaitCursor() : m_hOld(SetCursor(LoadCursor(nullptr, IDC_WAIT))) {}
    ~CWaitCursor() { SetCursor(m_hOld); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;

private:
    HCURSOR m_hOld;
};

}  // namespace

CToolchainFoldersCommand::CToolchainFoldersCommand(const char* installDir) : m_pszInstallDir(installDir)
{
    OnCommand(ID_BUILD_TOOLCHAIN_FOLDERS, [this] { OnToolchainFolders(); });
}

void CToolchainFoldersCommand::OnToolchainFolders()
{
    std::string folder;
    if (!BrowseForDirectory(folder, "选择课程发的 DOS 工具所在的文件夹 (MASM、LINK、DEBUG、TASM、TLINK、TD)")) return;
    ToolchainInstall install;
    {
        const CWaitCursor wait;
        install = InstallToolchain(folder, m_pszInstallDir, AskToReplaceTools);
    }
    if (!install.anyFound) {
        const std::string text = "在 " + folder +
                                 " 及其下三层子文件夹中没有找到 MASM.EXE、LINK.EXE、DEBUG.EXE、TASM.EXE、TLINK.EXE 或 TD.EXE。\n"
                                 "请选择课程发的工具所在的文件夹。";
        FxMessageBox(text.c_str(), MB_OK | MB_ICONWARNING);
        return;
    }
    FxMessageBox(halyard::toolchain::ComposeReport(folder, install.tools).c_str(),
                 MB_OK | MB_ICONINFORMATION);
}

bool AskToReplaceTools(const std::vector<std::string>& existing)
{
    std::string text = "安装文件夹里已经有这些文件:\n\n";
    for (std::size_t i = 0; i < existing.size() && i < kListedFiles; ++i) text.append("    ").append(existing[i]).append("\n");
    if (existing.size() > kListedFiles) text.append("    ……\n");
    text.append("\n要用找到的文件替换它们吗?\n选“否”保留原有的文件, 只复制还没有的文件。");
    return FxMessageBox(text.c_str(), MB_YESNO | MB_ICONQUESTION) == IDYES;
}
