#include <gtest/gtest.h>

#include "core/debuginfo/link_map.h"
#include "core/debuginfo/fixtures.h"

using namespace halyard::debuginfo;

TEST(LinkMap, ReadsTheSegmentsOfBothLinkers)
{
    struct Case {
        const char* map;
        std::vector<std::pair<std::string, uint32_t>> starts;
    };
    const Case cases[] = {
        {"masm/MULTI.MAP", {{"CODE", 0}, {"CODE2", 0x30}, {"DATA", 0x40}, {"STK", 0xD0}}},
        {"masm/MODEL.MAP", {{"STACK", 0}, {"_DATA", 0x100}, {"_TEXT", 0x112}}},
        {"tasm/MULTI.MAP", {{"DATA", 0}, {"STK", 0x90}, {"CODE", 0x110}, {"CODE2", 0x140}}},
        {"tasm/MODEL.MAP", {{"_TEXT", 0}, {"_DATA", 0x30}, {"STACK", 0x50}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.map);
        std::vector<MapSegment> segments;
        std::string error;
        ASSERT_TRUE(ReadLinkMap(debuginfo_test::Fixture(c.map), segments, error)) << error;
        ASSERT_EQ(segments.size(), c.starts.size());
        for (std::size_t i = 0; i < segments.size(); ++i) {
            EXPECT_EQ(segments[i].name, c.starts[i].first);
            EXPECT_EQ(segments[i].start, c.starts[i].second);
        }
    }
    std::vector<MapSegment> segments;
    std::string error;
    EXPECT_FALSE(ReadLinkMap(" Start  Stop   Length Name\r\n\r\nProgram entry point at 0000:0000\r\n", segments, error));
    EXPECT_FALSE(error.empty());
}
