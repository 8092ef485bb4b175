// Pausexec: runs the program named by its first argument, then prints an empty line and waits for
// a key, so that the program's console stays open after it ends. Further arguments are ignored.
// Exit code 0, or 1 when the program could not be handed to the interpreter safely. Where the
// system cannot start DOS programs, the IDE names the program that runs them in HALYARD_DOSRUN.
#include "helpers/console_io.h"
#include "pausexec/program_command.h"

#include <cstdlib>

namespace {

[[nodiscard]] bool RunProgram(const char* program)
{
    char command[halyard::pausexec::kCommandSize] = {};
    std::string refusal;
    const char* runner = std::getenv("HALYARD_DOSRUN");
    if (!halyard::pausexec::ComposeProgramCommand(program, runner ? runner : "", command, sizeof command, refusal)) {
        halyard::helpers::Complain(refusal);
        return false;
    }
    halyard::helpers::RunCommand(command);
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    halyard::helpers::UseExactBytes();
    const bool ran = argc < 2 || RunProgram(argv[1]);
    halyard::helpers::Say("\n");
    halyard::helpers::RunCommand("pause");
    return ran ? 0 : 1;
}
