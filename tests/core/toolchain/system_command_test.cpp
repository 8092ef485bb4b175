// Commands for the runtime's system(): the extra quotes "cmd /c" needs, and the bounded copy.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "core/toolchain/system_command.h"

namespace halyard::toolchain {
namespace {

TEST(SystemCommand, OnlyACommandThatBeginsWithAQuoteIsWrapped)
{
    const struct {
        const char* command;
        const char* stored;
    } cases[] = {
        {"debug.exe hello.exe", "debug.exe hello.exe"},
        {"debug.exe \"my prog.exe\"", "debug.exe \"my prog.exe\""},
        {"\"C:\\a b\\td.exe\" \"x y.exe\"", "\"\"C:\\a b\\td.exe\" \"x y.exe\"\""},
        {"\"C:\\a b\\p.exe\"", "\"\"C:\\a b\\p.exe\"\""},
        {"", ""},
    };
    for (const auto& c : cases) {
        char buffer[64];
        ASSERT_TRUE(StoreSystemCommand(c.command, buffer, sizeof buffer)) << c.command;
        EXPECT_STREQ(c.stored, buffer);
    }
}

TEST(SystemCommand, ATextThatDoesNotFitLeavesTheBufferEmpty)
{
    char buffer[8];
    EXPECT_TRUE(CopyBounded("1234567", buffer, sizeof buffer));
    EXPECT_STREQ("1234567", buffer);
    EXPECT_FALSE(CopyBounded("12345678", buffer, sizeof buffer));
    EXPECT_STREQ("", buffer);
    // The wrapping quotes count against the size.
    EXPECT_FALSE(StoreSystemCommand("\"12345\"", buffer, sizeof buffer));
    EXPECT_STREQ("", buffer);
    // An embedded terminator would cut the command.
    EXPECT_FALSE(CopyBounded(std::string("ab\0cd", 5), buffer, sizeof buffer));
    EXPECT_FALSE(CopyBounded("", buffer, 0));
}

}  // namespace
}  // namespace halyard::toolchain
