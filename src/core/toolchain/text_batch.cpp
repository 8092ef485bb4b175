#include "core/toolchain/text_batch.h"

namespace halyard::toolchain {

std::size_t WholeCharPrefix(std::string_view text, std::size_t limit, LeadBytePredicate isLeadByte)
{
    const std::size_t end = limit < text.size() ? limit : text.size();
    std::size_t at = 0;
    while (at < end) {
        const std::size_t width = isLeadByte(static_cast<unsigned char>(text[at])) ? 2 : 1;
        if (at + width > end) break;
        at += width;
    }
    return at;
}

}  // namespace halyard::toolchain
