// Where DOS DEBUG is found: the installation's MASM folder, then bin, then the current folder and
// PATH, with the file's name in any case and only an exact debug.exe counting.
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/toolchain/debugger_search.h"

namespace halyard::toolchain {
namespace {

using Listing = std::map<std::string, std::vector<std::string>>;

struct SearchCase {
    const char* name;
    const char* path;
    Listing files;              // what the host matched in each folder
    std::optional<std::string> command;  // nullopt: not found
    std::size_t folder;
};

TEST(DebuggerSearch, TheInstallationWinsAndAnyCaseOfTheNameCounts)
{
    const std::string masm = "C:\\H\\bin\\masm16";
    const SearchCase cases[] = {
        {"masm16 before bin and PATH", "C:\\d", {{masm, {"debug.exe"}}, {"C:\\H\\bin", {"debug.exe"}}, {"C:\\d", {"debug.exe"}}},
         masm + "\\debug.exe", 0},
        {"upper case in masm16", "", {{masm, {"DEBUG.EXE"}}}, masm + "\\DEBUG.EXE", 0},
        {"mixed case in bin", "", {{"C:\\H\\bin", {"Debug.Exe"}}, {"C:\\src", {"debug.exe"}}}, "C:\\H\\bin\\Debug.Exe", 1},
        {"current folder before PATH: bare name", "C:\\d", {{"C:\\src", {"DEBUG.exe"}}, {"C:\\d", {"debug.exe"}}},
         "debug.exe", 2},
        {"quoted PATH entry, empty entries skipped", ";\"C:\\a b\";;C:\\d", {{"C:\\d", {"debug.exe"}}}, "debug.exe", 4},
        {"only an exact name counts", "C:\\d",
         {{masm, {"debug.com", "xdebug.exe", "debug.exe.bak", "DEBUGG~1.EXE"}}, {"C:\\d", {"x.exe", "DeBuG.eXe"}}},
         "debug.exe", 3},
        {"nowhere", "C:\\d;C:\\e", {{"C:\\f", {"debug.exe"}}}, std::nullopt, 0},
    };
    for (const SearchCase& c : cases) {
        const std::vector<std::string> folders = DebuggerSearchFolders("C:\\H\\bin", "C:\\src", c.path);
        const auto found = FindDosDebug(folders, [&](const std::string& folder) {
            const auto it = c.files.find(folder);
            return it == c.files.end() ? std::vector<std::string>{} : it->second;
        });
        ASSERT_EQ(c.command.has_value(), found.has_value()) << c.name;
        if (!found) continue;
        EXPECT_EQ(*c.command, found->command) << c.name;
        EXPECT_EQ(c.folder, found->folder) << c.name;
    }
    const std::vector<std::string> order{masm, "C:\\H\\bin", "C:\\src", "C:\\a b", "C:\\d"};
    EXPECT_EQ(order, DebuggerSearchFolders("C:\\H\\bin", "C:\\src", ";\"C:\\a b\";;C:\\d;"));
}

}  // namespace
}  // namespace halyard::toolchain
