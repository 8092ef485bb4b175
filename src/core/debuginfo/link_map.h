#pragma once
// The segment table of a linker's map file (LINK's map, TLINK's /m or /s): where each segment
// starts in the program's image.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace halyard::debuginfo {

struct MapSegment {
    std::string name;
    uint32_t start = 0;   // byte address in the image
    uint32_t length = 0;
};

// The segments in the order the map lists them; fails when the map lists none.
[[nodiscard]] bool ReadLinkMap(std::string_view text, std::vector<MapSegment>& segments, std::string& error);

}  // namespace halyard::debuginfo
