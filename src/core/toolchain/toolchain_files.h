#pragma once
// The DOS tools of a course's folder: which file is which tool, which of its neighbours travel
// with it into the installation's tool folders, and the version line a tool prints.
//
// The folder tree is read through a lister the caller passes in; names are compared without
// regard to case, as DOS and Windows do.
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace halyard::toolchain {

enum class DosTool { Masm, Link, Debug, Tasm, Tlink, Td };

struct DosToolInfo {
    DosTool tool;
    std::string_view name;         // how the report names it: "MASM"
    std::string_view installName;  // its file below the tool folder: "masm16\\masm.exe"
    std::string_view arguments;    // what it is started with to print its banner and end
    std::string_view input;        // its standard input then, before the end of the file
};

// Every tool, in the order the report lists them.
[[nodiscard]] const std::vector<DosToolInfo>& DosTools();
[[nodiscard]] const DosToolInfo& InfoOf(DosTool tool);

// The tool a file of this name is, whatever its case; DEBUG.COM counts as DEBUG.
[[nodiscard]] std::optional<DosTool> ClassifyToolFile(std::string_view fileName);

// The names among `neighbours` (the files beside the tool, in its folder) that travel with it:
// files of the tool's own stem with a helper's extension (overlays, help, messages, settings),
// and the tool's known helpers (TD's overlays, settings and help, the DOS extender TD and TASM
// may need). Never another tool's file, never the tool file itself.
[[nodiscard]] std::vector<std::string> CompanionFiles(DosTool tool, const std::vector<std::string>& neighbours);

struct FolderEntry {
    std::string name;
    bool isFolder = false;
};
// The entries of a folder (no "." or ".."); empty when it cannot be read.
using FolderLister = std::function<std::vector<FolderEntry>(const std::string& folder)>;

struct FoundTool {
    DosTool tool;
    std::string folder;                   // where it lies, without a trailing backslash
    std::string fileName;                 // its name as found
    std::vector<std::string> companions;  // CompanionFiles of that folder
};

struct ScanLimits {
    int depth = 3;                  // levels of subfolders below the chosen folder
    std::size_t maxFolders = 2000;  // a whole drive chosen by mistake is not walked to its end
};

// Walks `root` and its subfolders, shallowest level first and each folder's subfolders in name
// order; the first file of each tool wins, and within one folder DEBUG.EXE wins over DEBUG.COM.
// The result follows the order of DosTools().
[[nodiscard]] std::vector<FoundTool> FindDosTools(const std::string& root, const FolderLister& list,
                                                  ScanLimits limits = {});

struct CopyItem {
    std::string source;  // full path of the file found
    std::string target;  // below the tool folder: "masm16\\masm.exe", "tasm16\\TDHELP.TDH"
};
// The tool file under its install name first, then its companions under their own names.
[[nodiscard]] std::vector<CopyItem> CopyPlan(const FoundTool& found);

// The first line of a tool's output that holds "Version" (any case) or "版本", else the first
// that holds a number like 5.10 or 3.1; without its surrounding blanks and control characters,
// at most 100 bytes. Empty when no line qualifies.
[[nodiscard]] std::string VersionLine(std::string_view output);

enum class CopyOutcome { Copied, Kept, Failed };

struct ToolReport {
    DosTool tool;
    bool found = false;
    std::string source;   // full path of the file found
    std::string version;  // VersionLine of its output; empty when it printed none
    CopyOutcome outcome = CopyOutcome::Copied;
};

// The text of the closing message: one paragraph per tool, in Chinese, naming where each was
// found, what it printed as its version and whether it was copied to its file below the
// installation's bin folder.
[[nodiscard]] std::string ComposeReport(const std::string& courseFolder, const std::vector<ToolReport>& tools);

}  // namespace halyard::toolchain
