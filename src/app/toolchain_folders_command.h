// The Toolchain folders command: the student picks the folder the course handed out, and its
// DOS tools are copied into the installation's bin\masm16 and bin\tasm16.
#pragma once
#include <string>
#include <vector>

#include "fx/fx_cmd.h"

class CToolchainFoldersCommand : public FxCmdTarget {
public:
    // `installDir` (without a trailing backslash) outlives this object.
    explicit CToolchainFoldersCommand(const char* installDir);

private:
    void OnToolchainFolders();

    const char* m_pszInstallDir;
};

// The once-only question before installed files are replaced: true when the student says Yes.
[[nodiscard]] bool AskToReplaceTools(const std::vector<std::string>& existing);
