// Batches of streamed text end on character boundaries.
#include <gtest/gtest.h>

#include "core/toolchain/text_batch.h"

namespace halyard::toolchain {
namespace {

bool IsGbkLead(unsigned char c)
{
    return c >= 0x81 && c <= 0xFE;
}

TEST(TextBatch, NeverEndsInsideADoubleByteCharacter)
{
    struct BatchCase {
        std::string_view text;
        std::size_t limit;
        std::size_t expected;
    };
    // "\xD6\xD0" and "\xCE\xC4" are two characters; "\xD6|" is one whose trail byte is '|'.
    const BatchCase cases[] = {
        {"", 8, 0},
        {"abc", 8, 3},
        {"abc", 2, 2},
        {"a\xD6\xD0", 2, 1},
        {"a\xD6\xD0", 3, 3},
        {"\xD6\xD0\xCE\xC4", 3, 2},
        {"\xD6|x", 2, 2},
        {"ab\xD6", 8, 2},   // the trail byte is still in the pipe
        {"\xD6", 8, 0},
        {"\xD6\xD0\xD6", 3, 2},
    };
    for (const BatchCase& c : cases)
        EXPECT_EQ(c.expected, WholeCharPrefix(c.text, c.limit, IsGbkLead)) << c.text << " / " << c.limit;
}

TEST(TextBatch, BatchesRebuildTheStreamWithoutSplittingCharacters)
{
    std::string stream;
    for (int i = 0; i < 500; ++i) stream += (i % 3 == 0) ? "\xD6\xD0" : (i % 3 == 1 ? "x" : "\xB0\x7C");
    for (std::size_t limit = 2; limit < 9; ++limit) {
        std::string_view rest = stream;
        std::string rebuilt;
        while (!rest.empty()) {
            const std::size_t n = WholeCharPrefix(rest, limit, IsGbkLead);
            ASSERT_GT(n, 0u);
            const std::string_view batch = rest.substr(0, n);
            // A batch decodes on its own: walking it by character widths lands exactly on its end.
            EXPECT_EQ(n, WholeCharPrefix(batch, batch.size(), IsGbkLead));
            rebuilt.append(batch);
            rest.remove_prefix(n);
        }
        EXPECT_EQ(stream, rebuilt);
    }
}

}  // namespace
}  // namespace halyard::toolchain
