#include "win/helpers/helper_setup.h"

#include <windows.h>


namespace helpers_test {
namespace {

std::string Cp936FromUtf8(const std::string& utf8)
{
    const int wide = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring w(static_cast<std::size_t>(wide), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), &w[0], wide);
    const int narrow = WideCharToMultiByte(936, 0, w.data(), wide, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(narrow), '\0');
    WideCharToMultiByte(936, 0, w.data(), wide, &out[0], narrow, nullptr, nullptr);
    return out;
}

}  // namespace

std::string EnvText(const char* name)
{
    const DWORD n = GetEnvironmentVariableA(name, nullptr, 0);
    if (n == 0) return {};
    std::string value(n, '\0');
    value.resize(GetEnvironmentVariableA(name, &value[0], n));
    return value;
}

ScopedEnv::ScopedEnv(const char* name, const std::string& value)
    : m_name(name), m_old(EnvText(name)), m_hadOld(GetEnvironmentVariableA(name, nullptr, 0) != 0)
{
    SetEnvironmentVariableA(name, value.c_str());
}

ScopedEnv::~ScopedEnv() { SetEnvironmentVariableA(m_name.c_str(), m_hadOld ? m_old.c_str() : nullptr); }

TestInstall::TestInstall(const std::string& rootName, const std::string& sourceName)
    : m_root(m_temp.File(rootName.c_str())),
      m_source(m_temp.File(sourceName.c_str())),
      m_path("PATH", EnvText("HALYARD_STANDINS") + ";" + EnvText("PATH"))
{
    const std::string dist = EnvText("HALYARD_DIST") + "\\bin\\";
    const std::string standins = EnvText("HALYARD_STANDINS") + "\\";
    m_ready = CreateDirectoryA(m_root.c_str(), nullptr) && CreateDirectoryA(Bin().c_str(), nullptr) &&
              CreateDirectoryA((Bin() + "\\tasm16").c_str(), nullptr) && CreateDirectoryA(m_source.c_str(), nullptr) &&
              CopyInto(dist + "Pausexec.exe", Bin() + "\\Pausexec.exe") &&
              CopyInto(dist + "Tracegate.exe", Bin() + "\\Tracegate.exe") &&
              CopyInto(standins + "td.exe", Bin() + "\\tasm16\\td.exe");
}

bool TestInstall::Start(RecordedRun& run, const std::string& commandLine, const std::string& folder,
                        const std::string& application)
{
    run.log = m_temp.File("record") + std::to_string(++m_logs) + ".txt";
    ScopedEnv log("HALYARD_STANDIN_LOG", run.log);
    return run.process->Start(commandLine, folder, application);
}

std::vector<StandinRecord> RecordedRun::Records() const
{
    return standin::ParseRecords(wintest::ReadFileBytes(log));
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool CopyInto(const std::string& from, const std::string& to) { return CopyFileA(from.c_str(), to.c_str(), FALSE) != 0; }

std::string DataInCp936(const char* fileName)
{
    return Cp936FromUtf8(wintest::ReadFileBytes(EnvText("HALYARD_SOURCE") + "\\tests\\data\\helpers\\" + fileName));
}

std::string PausePrompt()
{
    CapturedProcess pause;
    if (!pause.Start("cmd.exe /c pause", "") || !pause.Finish(10000)) return "<no pause prompt>";
    return pause.Output();
}

}  // namespace helpers_test
