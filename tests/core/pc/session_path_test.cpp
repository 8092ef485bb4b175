// The session's PATH from HALYARD_SESSION_PATH: each folder as the PC names it, replacing the
// host's PATH, and the variable kept from the PC.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/pc/session_path.h"

namespace halyard::dos {
namespace {

TEST(SessionPath, FoldersBecomeThePcsPath)
{
    const auto alias = [](const std::string& folder) {
        return folder == "C:\\实验" ? std::string("C:\\~1") : folder;
    };
    struct Case {
        std::vector<std::string> environment, expected;
        bool applied;
    } cases[] = {
        {{"Path=C:\\windows", "halyard_session_path=C:\\h\\bin\\masm16;;\"C:\\实验\"; ", "TEMP=C:\\t"},
         {"PATH=C:\\H\\BIN\\MASM16;C:\\~1", "TEMP=C:\\t"},
         true},
        {{"HALYARD_SESSION_PATH=C:\\a"}, {"PATH=C:\\A"}, true},
        {{"HALYARD_SESSION_PATH="}, {"PATH="}, true},
        {{"PATH=C:\\windows", "HALYARD_SESSION=x"}, {"PATH=C:\\windows", "HALYARD_SESSION=x"}, false},
    };
    for (Case& c : cases) {
        EXPECT_EQ(c.applied, ApplySessionPath(c.environment, alias));
        EXPECT_EQ(c.expected, c.environment);
    }
    EXPECT_EQ("\\\\.\\pipe\\Dosrun-session-4242", TypingPipeName(4242));
}

}  // namespace
}  // namespace halyard::dos
