#include "toolchain/toolchain_install.h"

#include <windows.h>

#include "toolchain/dos_runner.h"
#include "toolchain/plain_file.h"
#include "toolchain/tool_output.h"

namespace {

using halyard::toolchain::CopyItem;
using halyard::toolchain::CopyOutcome;
using halyard::toolchain::FoundTool;
using halyard::toolchain::ToolReport;

// A tool that asks for input it was not given, or shows a screen, is ended after this.
constexpr DWORD kVersionTimeoutMs = 4000;

struct PlannedCopy {
    std::string source;
    std::string target;  // full path
};

std::vector<PlannedCopy> PlanFor(const FoundTool& found, const std::string& toolFolder)
{
    std::vector<PlannedCopy> plan;
    for (const CopyItem& item : halyard::toolchain::CopyPlan(found))
        plan.push_back({item.source, toolFolder + "\\" + item.target});
    return plan;
}

// The course folder may be the tool folder itself: a file is never copied onto itself.
bool SameFile(const PlannedCopy& copy)
{
    return lstrcmpiA(copy.source.c_str(), copy.target.c_str()) == 0;
}

std::string FolderOf(const std::string& path)
{
    return path.substr(0, path.rfind('\\'));
}

CopyOutcome CopyOne(const PlannedCopy& copy, bool replace)
{
    if (SameFile(copy)) return CopyOutcome::Kept;
    if (IsPlainFile(copy.target) && !replace) return CopyOutcome::Kept;
    CreateDirectoryA(FolderOf(copy.target).c_str(), nullptr);
    return CopyFileA(copy.source.c_str(), copy.target.c_str(), FALSE) ? CopyOutcome::Copied : CopyOutcome::Failed;
}

// The tool file's outcome, unless one of its helpers failed.
CopyOutcome CopyTool(const std::vector<PlannedCopy>& plan, bool replace)
{
    CopyOutcome outcome = CopyOutcome::Kept;
    for (std::size_t i = 0; i < plan.size(); ++i) {
        const CopyOutcome one = CopyOne(plan[i], replace);
        if (i == 0 || one == CopyOutcome::Failed) outcome = one;
    }
    return outcome;
}

std::string Quoted(const std::string& word)
{
    return "\"" + word + "\"";
}

std::string VersionOf(const std::string& program, const halyard::toolchain::DosToolInfo& info, const std::string& runner)
{
    std::string command = runner.empty() ? Quoted(program) : Quoted(runner) + " " + Quoted(program);
    if (!info.arguments.empty()) command.append(" ").append(info.arguments);
    return halyard::toolchain::VersionLine(CaptureToolOutput(command, FolderOf(program), info.input, kVersionTimeoutMs));
}

}  // namespace

std::vector<halyard::toolchain::FolderEntry> ListFolder(const std::string& folder)
{
    std::vector<halyard::toolchain::FolderEntry> entries;
    WIN32_FIND_DATAA data;
    const HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return entries;
    do {
        const std::string name = data.cFileName;
        if (name == "." || name == "..") continue;
        entries.push_back({name, (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
    } while (FindNextFileA(find, &data));
    FindClose(find);
    return entries;
}

ToolchainInstall InstallToolchain(const std::string& courseFolder, const std::string& installDir,
                                  const OverwriteQuestion& ask)
{
    ToolchainInstall result;
    const std::string toolFolder = installDir + "\\bin";
    const std::vector<FoundTool> found = halyard::toolchain::FindDosTools(courseFolder, ListFolder);
    result.anyFound = !found.empty();

    std::vector<std::vector<PlannedCopy>> plans;
    std::vector<std::string> existing;
    for (const FoundTool& tool : found) {
        plans.push_back(PlanFor(tool, toolFolder));
        for (const PlannedCopy& copy : plans.back())
            if (!SameFile(copy) && IsPlainFile(copy.target)) existing.push_back(copy.target);
    }
    const bool replace = !existing.empty() && ask(existing);

    const std::string runner = DosRunnerFor(installDir);
    for (const auto& info : halyard::toolchain::DosTools()) {
        ToolReport report;
        report.tool = info.tool;
        for (std::size_t i = 0; i < found.size(); ++i) {
            if (found[i].tool != info.tool) continue;
            report.found = true;
            report.source = plans[i].front().source;
            report.outcome = CopyTool(plans[i], replace);
            const std::string& program = report.outcome == CopyOutcome::Failed ? plans[i].front().source : plans[i].front().target;
            report.version = VersionOf(program, info, runner);
        }
        result.tools.push_back(report);
    }
    return result;
}
