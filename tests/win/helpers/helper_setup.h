#pragma once
// A temporary installation for the helper programs: bin\Pausexec.exe and bin\Tracegate.exe from
// the staged installation, the stand-in bin\tasm16\td.exe, and a source folder beside it; the
// stand-in debug.exe is put first on the search path while it lives.
#include <memory>
#include <string>
#include <vector>

#include "standins/standin.h"
#include "win/helpers/captured_process.h"
#include "win/win_test_util.h"

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

using StandinRecord = standin::Recorded;

// A child and the file in which the stand-ins it starts record themselves.
struct RecordedRun {
    std::unique_ptr<CapturedProcess> process = std::make_unique<CapturedProcess>();
    std::string log;

    std::vector<StandinRecord> Records() const;
};

class TestInstall {
public:
    // `rootName` and `sourceName` are folder names (blanks and operators welcome).
    TestInstall(const std::string& rootName, const std::string& sourceName);
    TestInstall(const TestInstall&) = delete;
    TestInstall& operator=(const TestInstall&) = delete;

    bool Ready() const { return m_ready; }
    const std::string& Root() const { return m_root; }      // the installation folder
    std::string Bin() const { return m_root + "\\bin"; }
    const std::string& Source() const { return m_source; }  // the source folder
    // Starts `commandLine` (see CapturedProcess::Start) with a record file of its own.
    [[nodiscard]] bool Start(RecordedRun& run, const std::string& commandLine, const std::string& folder,
                             const std::string& application = {});

private:
    wintest::TempDir m_temp;
    std::string m_root;
    std::string m_source;
    int m_logs = 0;
    bool m_ready = false;
    ScopedEnv m_path;
};

bool Exists(const std::string& path);
bool CopyInto(const std::string& from, const std::string& to);

// A text of tests/data/helpers (UTF-8) as code page 936 bytes.
std::string DataInCp936(const char* fileName);

// The interpreter's own pause prompt, as printed with standard input from NUL.
std::string PausePrompt();

}  // namespace helpers_test
