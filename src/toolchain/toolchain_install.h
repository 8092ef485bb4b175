#pragma once
// Copying the DOS tools of a course's folder into the installation's tool folders
// (bin\masm16, bin\tasm16) and asking each copy for its version.
#include <functional>
#include <string>
#include <vector>

#include "core/toolchain/toolchain_files.h"

// The files and folders of `folder` as the system lists them; empty when it cannot be read.
[[nodiscard]] std::vector<halyard::toolchain::FolderEntry> ListFolder(const std::string& folder);

// Asked at most once, before anything is copied, with the full paths of the installation's files
// that the copy would replace: true replaces them, false keeps them and copies only the rest.
using OverwriteQuestion = std::function<bool(const std::vector<std::string>& existing)>;

struct ToolchainInstall {
    std::vector<halyard::toolchain::ToolReport> tools;  // one per tool of DosTools(), found or not
    bool anyFound = false;
};

// Finds the tools below `courseFolder`, copies each with its helper files into
// `installDir`\bin\masm16 or \tasm16 and runs each copy once (through the installation's Dosrun
// where the system needs it) to read the version it prints.
[[nodiscard]] ToolchainInstall InstallToolchain(const std::string& courseFolder, const std::string& installDir,
                                                const OverwriteQuestion& ask);
