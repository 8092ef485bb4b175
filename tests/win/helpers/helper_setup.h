#pragma once
// A temporary installation for the helper programs: bin\Pausexec.exe and bin\Tracegate.exe from
// the staged installation, the stand-in bin\tasm16\td.exe, and a source folder beside it; the
// stand-in debug.exe is put first on the search path while it lives.
#include <string>
#include <vector>

#include "standins/standin.h"

namespace helpers_test {

// Sets an environment variable of this process (inherited by the children it starts) and puts
// the old value back at the end of the scope.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::string& value);
    ~ScopedEnv();
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    std::string m_name;
    std::string m_old;
    bool m_hadOld;
};

std::string EnvText(const char* name);

class TestInstall {
public:
    // `rootName` and `sourceName` are folder names (blanks and operators welcome).
    TestInstall(const std::string& rootName, const std::string& sourceName);
    ~TestInstall();
    TestInstall(const TestInstall&) = delete;
    TestInstall& operator=(const TestInstall&) = delete;

    bool Ready() const { return m_ready; }
    const std::string& Root() const { return m_root; }      // the installation folder
    std::string Bin() const { return m_root + "\\bin"; }
    const std::string& Source() const { return m_source; }  // the source folder
    // A fresh record file for the stand-ins of the next child started.
    std::string NewLog();

private:
    std::string m_base;
    std::string m_root;
    std::string m_source;
    int m_logs = 0;
    bool m_ready = false;
    ScopedEnv m_path;
};

using StandinRecord = standin::Recorded;

std::vector<StandinRecord> ReadRecords(const std::string& logPath);
bool Exists(const std::string& path);
bool CopyInto(const std::string& from, const std::string& to);

// A text of tests/data/helpers (UTF-8) as code page 936 bytes.
std::string DataInCp936(const char* fileName);

// The interpreter's own pause prompt, as printed with standard input from NUL.
std::string PausePrompt();

}  // namespace helpers_test
