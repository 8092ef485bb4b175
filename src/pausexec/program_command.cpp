#include "pausexec/program_command.h"

#include "core/toolchain/cmd_quote.h"
#include "core/toolchain/system_command.h"

namespace halyard::pausexec {

bool ComposeProgramCommand(std::string_view program, std::string_view runner, char* command, std::size_t size,
                           std::string& refusal)
{
    std::string word;
    if (!toolchain::AppendRunner(word, runner)) {
        command[0] = '\0';
        refusal.assign("Pausexec: the runner \"").append(runner).append("\" cannot be run safely.\r\n");
        return false;
    }
    if (!toolchain::AppendCmdWord(word, program)) {
        command[0] = '\0';
        refusal.assign("Pausexec: \"").append(program).append(
            "\" holds %, \" or a control character, or ends in a backslash: it cannot be run safely.\r\n");
        return false;
    }
    if (!toolchain::StoreSystemCommand(word, command, size)) {
        refusal.assign("Pausexec: the command for \"").append(program).append("\" is longer than ")
            .append(std::to_string(size - 1)).append(" characters: it was not run.\r\n");
        return false;
    }
    return true;
}

}  // namespace halyard::pausexec
