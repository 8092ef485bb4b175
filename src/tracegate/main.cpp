// Tracegate: prints the banner and the cheat sheet of the debugger its mode selects, shows a
// four-second progress line, clears the console and runs the debugger on the program in it.
// With fewer than two arguments only the banner is printed. Exit code 0, or 1 after a refusal,
// which pauses so that the message can be read before the console closes.
#include <chrono>
#include <thread>

#include "core/util/version.h"
#include "helpers/console_io.h"
#include "tracegate/cheat_sheets.h"
#include "tracegate/debugger_command.h"
#include <cstdlib>

namespace {

using halyard::helpers::Say;

// Forty steps of 100 ms, two '>' each: a line of 80 that grows while the sheet is read.
void ShowProgress()
{
    for (int step = 0; step < 40; ++step) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        Say(">>");
    }
}

}  // namespace

int main(int argc, char** argv)
{
    namespace helpers = halyard::helpers;
    namespace tracegate = halyard::tracegate;

    helpers::UseExactBytes();
    Say(HALYARD_VERSION_TEXT "!\r\n");
    if (argc < 3) return 0;

    char command[tracegate::kCommandSize] = {};
    std::string refusal;
    const char* runner = std::getenv("HALYARD_DOSRUN");  // set by the IDE where DOS programs need it
    if (!tracegate::ComposeDebuggerCommand({argv[0], argv[1], argv[2], runner ? runner : ""}, command, sizeof command,
                                           refusal)) {
        helpers::Complain(refusal);
        helpers::RunCommand("pause");
        return 1;
    }
    Say(tracegate::CheatSheet(argv[1][0]));
    ShowProgress();
    helpers::RunCommand("cls");
    if (command[0] != '\0') helpers::RunCommand(command);
    return 0;
}
