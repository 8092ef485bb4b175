// Helpers of the in-process Windows tests.
#pragma once
#include <windows.h>
#include <string>

namespace wintest {

// Dispatches every pending message of this thread.
inline void Pump()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// Pumps messages until `done` holds or `ms` milliseconds pass; returns done().
template <class Pred>
bool PumpUntil(Pred done, DWORD ms = 5000)
{
    DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > ms) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        Pump();
    }
    return true;
}

// A fresh empty folder under the temporary folder, removed with its files on destruction.
class TempDir {
public:
    TempDir();
    ~TempDir();
    const std::string& Path() const { return m_path; }
    std::string File(const char* name) const { return m_path + "\\" + name; }
    // Writes `bytes` into file `name` of the folder; returns its path.
    std::string Write(const char* name, const std::string& bytes) const;

private:
    std::string m_path;
};

std::string ReadFileBytes(const std::string& path);

}  // namespace wintest
