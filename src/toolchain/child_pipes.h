#pragma once
// The pipes between this process and a child's standard handles.
#include "fx/fx_handles.h"

struct CChildPipes {
    FxHandle hOutputRead;   // ours: overlapped, so a reader can wait for it and a stop request at once
    FxHandle hInputWrite;   // ours: a plain synchronous pipe end
    FxHandle hChildOutput;  // the child's: inheritable; standard output and error share one pipe
    FxHandle hChildError;
    FxHandle hChildInput;

    // Creates both pipes; on failure GetLastError tells why and every handle made so far is closed.
    [[nodiscard]] bool Create();
    // The child's ends are inherited by a started child and closed here at once after.
    void CloseChildEnds() noexcept;
};
