// The IDE's end of a debug run: the named pipe Dosrun connects to, Dosrun's process, and a reader
// thread that cuts what arrives into lines and posts each to a window. The reader never touches
// a window but through PostMessage: each line goes as a heap std::string* in lParam (the window
// deletes it); lParam 0 tells that the channel ended (the pipe broke or Dosrun went away).
#pragma once
#include <windows.h>

#include <string>
#include <thread>

#include "fx/fx_handles.h"

struct DebugLaunch {
    std::string dosrun;   // the full path of Dosrun.exe
    std::string program;  // the program's full path
    std::string folder;   // its folder: the run's current folder
};

class CDebugChannel {
public:
    CDebugChannel() = default;
    ~CDebugChannel() { Close(); }
    CDebugChannel(const CDebugChannel&) = delete;
    CDebugChannel& operator=(const CDebugChannel&) = delete;

    // Makes a pipe "\\.\pipe\Halyard-debug-<pid>-<n>", starts Dosrun on it in a console of its
    // own and the reader, which posts `message` to `window`. False with `error` set when the pipe
    // or the process cannot be made (nothing is left running then).
    [[nodiscard]] bool Start(const DebugLaunch& launch, HWND window, UINT message, std::string& error);
    // Makes the pipe and the reader only; a test plays Dosrun's side by opening PipeName().
    [[nodiscard]] bool Listen(HWND window, UINT message, std::string& error);
    // Writes one line (its LF included); false when the channel is not connected.
    bool Send(const std::string& line);
    bool IsOpen() const { return m_pipe.Get() != nullptr; }
    const std::string& PipeName() const { return m_name; }
    // Stops the reader, closes the pipe (Dosrun then ends) and forgets the process.
    void Close();

private:
    void Read(HWND window, UINT message);
    bool WaitIo(OVERLAPPED& io, DWORD& bytes);

    std::string m_name;
    FxHandle m_pipe;
    FxHandle m_stop;     // set by Close: the reader leaves its waits
    FxHandle m_process;  // Dosrun; its end ends the reader too
    std::thread m_reader;
};

// The command line that starts Dosrun on the pipe: "<dosrun>" /DEBUG:<pipe> "<program>".
std::string DebugCommandLine(const DebugLaunch& launch, const std::string& pipeName);
