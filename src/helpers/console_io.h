#pragma once
// Console output of the two helper programs. Header-only: each helper compiles it in and links
// nothing of the IDE.
//
// Both streams carry exactly the bytes the helpers print (no LF to CR LF translation), and every
// text is flushed at once: a pipe is fully buffered, and the helpers wait (sleep, pause, a started
// program) right after they print.
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace halyard::helpers {

inline void UseExactBytes()
{
    (void)_setmode(_fileno(stdout), _O_BINARY);
    (void)_setmode(_fileno(stderr), _O_BINARY);
}

inline void Say(std::string_view text)
{
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
}

// A refusal of the helper's own; it follows whatever was said before it.
inline void Complain(std::string_view text)
{
    std::fflush(stdout);
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fflush(stderr);
}

// Runs `command` through the command interpreter and waits for it; its status is not examined.
inline void RunCommand(const char* command)
{
    std::fflush(stdout);
    std::fflush(stderr);
    (void)std::system(command);
}

}  // namespace halyard::helpers
