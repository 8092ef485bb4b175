// A DOS session window: bin\Dosrun.exe with no program in a console of its own, on every Windows.
// The IDE keeps the last one it opened and types lines at its prompt through the session's pipe
// (core/pc/session_path.h names it), as a student types them; the window lives on until the
// student types EXIT or closes it, independent of the IDE.
#pragma once
#include "core/toolchain/session_lines.h"
#include "fx/fx_handles.h"
#include <string>
#include <string_view>
#include <windows.h>

class CDosSession {
public:
    CDosSession() = default;
    CDosSession(const CDosSession&) = delete;
    CDosSession& operator=(const CDosSession&) = delete;

    // Starts the session of `start` in a new console: its command line in its folder, with
    // HALYARD_SESSION_PATH set to its path. It takes the place of the session kept before (which
    // runs on by itself). False with `error` set when the process cannot be started.
    [[nodiscard]] bool Open(const halyard::toolchain::SessionStart& start, std::string& error);
    // Whether the session kept is still running.
    [[nodiscard]] bool IsOpen() const;
    // Types `text` (CR or LF is Enter) at the session; it waits as typed-ahead keys while a
    // program runs. Waits up to `waitMs` for a session just opened to take it. False with
    // `error` set when no session is open, it ended, or its pipe does not answer in time.
    [[nodiscard]] bool Type(std::string_view text, std::string& error, DWORD waitMs = 10000);

    HANDLE Process() const { return m_process.Get(); }

private:
    FxHandle m_process;
    DWORD m_processId = 0;
};

// The path a session's PC names a host file by: each name that is not 8.3 ASCII as Dosrun's alias.
[[nodiscard]] std::string SessionDosPath(const std::string& hostPath);
