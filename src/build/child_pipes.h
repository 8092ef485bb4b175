#pragma once
// The pipes between this process and a child's standard handles.
#include "build/win_handle.h"

struct CChildPipes {
    CHandle hOutputRead;   // ours: overlapped, so a reader can wait for it and a stop request at once
    CHandle hInputWrite;   // ours: a plain synchronous pipe end
    CHandle hChildOutput;  // the child's: inheritable; standard output and error share one pipe
    CHandle hChildError;
    CHandle hChildInput;

    // Creates both pipes; on failure GetLastError tells why and every handle made so far is closed.
    [[nodiscard]] bool Create();
    // The child's ends are inherited by a started child and closed here at once after.
    void CloseChildEnds() noexcept;
};
