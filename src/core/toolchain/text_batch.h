#pragma once
// Cutting streamed text into batches for a control that decodes each batch on its own: a batch
// never ends inside a double-byte character, or the control would show both halves as junk.
#include <cstddef>
#include <string_view>

namespace halyard::toolchain {

using LeadBytePredicate = bool (*)(unsigned char);

// The length of the longest prefix of `text`, at most `limit` bytes, that ends on a character
// boundary. `text` must begin on one. A lone lead byte at the end of `text` is left out even
// within the limit: its trail byte has not arrived yet. With `limit` >= 2 the result is 0 only
// when `text` is empty or a lone lead byte.
[[nodiscard]] std::size_t WholeCharPrefix(std::string_view text, std::size_t limit, LeadBytePredicate isLeadByte);

}  // namespace halyard::toolchain
