#pragma once
// Scaffolding of the build console tests: a temporary installation with the stand-in tools, an
// Output pane, a message pump and the stand-ins' records.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "standins/standin.h"

namespace buildtest {

// One run of a stand-in tool: its name, command line, current folder and arguments.
using StandinRecord = standin::Recorded;

// A fresh folder below the temporary folder holding `installName` with bin\masm16 and
// bin\tasm16 filled from the stand-ins, and an empty source folder `sourceName`. The stand-ins
// record into LogPath() (set in the environment for the object's lifetime). Deleted at the end.
class CTempInstall {
public:
    explicit CTempInstall(const std::string& installName = "Halyard", const std::string& sourceName = "src");
    ~CTempInstall();
    CTempInstall(const CTempInstall&) = delete;
    CTempInstall& operator=(const CTempInstall&) = delete;

    bool Ready() const { return m_bReady; }
    const std::string& Root() const { return m_strRoot; }
    const std::string& InstallDir() const { return m_strInstall; }
    const std::string& SourceDir() const { return m_strSource; }
    std::string ToolFolder() const { return m_strInstall + "\\bin"; }

    bool AddSource(const std::string& fileName) const;
    std::vector<StandinRecord> Records() const;
    // Waits, pumping messages, until `count` records exist.
    bool WaitForRecords(std::size_t count, DWORD timeoutMs) const;

private:
    std::string m_strRoot;
    std::string m_strInstall;
    std::string m_strSource;
    std::string m_strLog;
    bool m_bReady = false;
};

// A hidden multi-line edit without a text limit, as the Output pane.
class CPaneWindow {
public:
    CPaneWindow();
    ~CPaneWindow();
    CPaneWindow(const CPaneWindow&) = delete;
    CPaneWindow& operator=(const CPaneWindow&) = delete;
    HWND Get() const { return m_hwnd; }
    std::string Text() const;

private:
    HWND m_hwnd = nullptr;
};

// Dispatches this thread's messages until `done` holds or the time is up; returns `done`.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs);
void PumpFor(DWORD ms);

// Sets an environment variable of this process (inherited by the interpreters it starts) and
// restores the old value at the end of the scope.
class CScopedEnv {
public:
    CScopedEnv(const char* name, const char* value);
    ~CScopedEnv();
    CScopedEnv(const CScopedEnv&) = delete;
    CScopedEnv& operator=(const CScopedEnv&) = delete;

private:
    std::string m_strName;
    std::string m_strOld;
    bool m_bHadOld = false;
};

// Folder of the built stand-ins (HALYARD_STANDINS), without a trailing backslash.
std::string StandinDir();
bool FileExists(const std::string& path);
std::size_t Count(const std::string& text, const std::string& part);

}  // namespace buildtest
