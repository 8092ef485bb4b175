#pragma once
// A document's build console: a hidden command interpreter whose output streams into the Output
// pane, and the assemble and link steps typed into it.
#include <windows.h>

#include <memory>
#include <string>
#include <string_view>

#include "toolchain/output_redirector.h"
#include "core/toolchain/build_lines.h"

class CBuildConsole {
public:
    // `installDir` has no trailing backslash; the tools are found below installDir + "\bin".
    // Create on the pane's thread, which must dispatch messages for output to show.
    CBuildConsole(HWND hwndOutput, std::string_view installDir);
    ~CBuildConsole();
    CBuildConsole(const CBuildConsole&) = delete;
    CBuildConsole& operator=(const CBuildConsole&) = delete;

    // Replaces the pane's text with the version banner and starts the interpreter with
    // `startFolder` (the source file's folder; empty: this process's current folder) as its
    // current folder. A failure shows an error line after the banner.
    [[nodiscard]] bool Open(std::string_view startFolder);
    // The source moved to another folder (Save As): the interpreter there replaces the one in the
    // old folder, and the pane says so below its text. A failure shows an error line.
    [[nodiscard]] bool MoveTo(std::string_view folder);

    // Each step replaces the pane's text with its banner and types its line into the interpreter,
    // which runs it after whatever it was given before. False when the line was refused, its tool
    // is not in the tool folder or the line could not be written; the pane then shows why after
    // the banner. An assembler without such a step
    // (Nasm) does nothing, leaves the pane alone and counts as success.
    [[nodiscard]] bool Compile(std::string_view fileName, std::string_view baseName, int nAssembler);
    [[nodiscard]] bool Link(std::string_view baseName, int nAssembler, int nConfig);

    // True while the interpreter has been started and its end has not been seen.
    [[nodiscard]] bool IsRunning() const noexcept;
    const std::string& GetToolFolder() const noexcept { return m_strToolFolder; }
    // The line last sent, CR LF included; empty after a refused step.
    const char* GetLine() const noexcept { return m_szLine; }

private:
    [[nodiscard]] bool RunStep(const halyard::toolchain::StepRequest& request);
    void ShowError(std::string_view text);

    char m_szLine[256] = {};     // tool folder + command + CR LF, as typed
    char m_szCommand[256] = {};  // the tool below the tool folder and its arguments
    std::string m_strToolFolder;
    std::string m_strRunner;  // Dosrun where the system cannot start the DOS tools; else empty
    std::unique_ptr<COutputRedirector> m_pRedirector;
    HWND m_hwndOutput;
};
