// The IDE's Run and Debug lines, composed for hostile names and an installation folder with
// blanks and operators, started as the IDE starts them: the helpers hand the intended file to
// the stand-in debuggers, and no command hidden in a name ever runs (its marker folder never
// appears). Wine's cmd.exe is not Windows' cmd.exe: the quoting rules relied on here (a quoted
// word is literal, "cmd /c" drops one outer pair of quotes) are the ones both share.
#include <gtest/gtest.h>

#include <string>

#include "core/toolchain/launch_lines.h"
#include "win/helpers/captured_process.h"
#include "win/helpers/helper_setup.h"

namespace helpers_test {
namespace {

using halyard::toolchain::ComposeDebugLine;
using halyard::toolchain::ComposeRunLine;
using halyard::toolchain::LaunchLine;
using halyard::toolchain::LaunchSource;

// Base names whose marker folder an injected "md" would create.
struct HostileName {
    const char* baseName;
    const char* marker;
};

const HostileName kNames[] = {
    {"a b&md M1", "M1"},
    {"x)&(md M2", "M2"},
    {"p^q!r,s;t=u&md M3", "M3"},
};

enum class Command { Run, DebugMasm, DebugTd };

struct Launch {
    const HostileName* name;
    Command command;
    RecordedRun run;
};

TEST(LaunchLines, HostileNamesReachTheToolsAndRunNothingElse)
{
    TestInstall install("inst H & (1) ^x;y,z!", "src (2) & ^a;b,c!");
    ASSERT_TRUE(install.Ready());
    const std::string folder = install.Source() + "\\";

    std::vector<Launch> launches;
    for (const HostileName& name : kNames) {
        const std::string program = folder + name.baseName + ".exe";
        ASSERT_TRUE(CopyInto(EnvText("HALYARD_STANDINS") + "\\debug.exe", program)) << program;
        const std::string pathNoExt = folder + name.baseName;
        const LaunchSource source{install.Root(), pathNoExt, folder, name.baseName};
        for (Command command : {Command::Run, Command::DebugMasm, Command::DebugTd}) {
            LaunchLine line;
            std::string error;
            const bool composed = command == Command::Run
                                      ? ComposeRunLine(source, line, error)
                                      : ComposeDebugLine(source, command == Command::DebugTd ? 1 : 0, line, error);
            ASSERT_TRUE(composed) << name.baseName << ": " << error;
            launches.push_back({&name, command, {}});
            ASSERT_TRUE(install.Start(launches.back().run, line.text, line.folder)) << line.text;
        }
    }

    for (Launch& launch : launches) {
        const std::string program = std::string(launch.name->baseName) + ".exe";
        CapturedProcess& p = *launch.run.process;
        ASSERT_TRUE(p.Finish(30000)) << program;
        EXPECT_EQ(0u, p.ExitCode()) << program;
        const std::vector<StandinRecord> records = launch.run.Records();
        ASSERT_EQ(1u, records.size()) << program << "\n" << p.Output();
        EXPECT_EQ(install.Source(), records[0].folder) << program;
        if (launch.command == Command::Run) {
            // Pausexec runs the program by its full path: the copy of the stand-in.
            EXPECT_NE(std::string::npos, records[0].line.find(program)) << records[0].line;
            EXPECT_TRUE(records[0].args.empty()) << program;
        } else {
            EXPECT_EQ(launch.command == Command::DebugTd ? "td" : "debug", records[0].tool) << program;
            EXPECT_EQ(std::vector<std::string>{program}, records[0].args);
        }
    }
    for (const HostileName& name : kNames) {
        for (const std::string& place : {install.Source(), install.Root(), install.Bin()})
            EXPECT_FALSE(Exists(place + "\\" + name.marker)) << place << "\\" << name.marker;
    }
}

}  // namespace
}  // namespace helpers_test
