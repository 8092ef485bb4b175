#pragma once
// The body of a listing, shared by both readers: a numbered line starts a statement or goes on
// with the bytes of the one before; the readers say where each field sits.
#include <optional>
#include <string_view>

#include "core/debuginfo/listing.h"
#include "core/debuginfo/listing_text.h"

namespace halyard::debuginfo {

// One numbered listing line cut into its fields.
struct ListedRow {
    std::optional<uint16_t> offset;
    std::string_view bytes;  // the bytes column
    std::string_view text;   // the statement, empty on a line that only goes on with bytes
    int level = 0;
    bool included = false;
};

// Builds the listing's lines from rows in order; each statement's bytes are decoded when the
// next one starts (or at Finish).
class ListingBody {
public:
    ListingBody(Listing& listing, bool dwordAsValue) : m_listing(listing), m_dwordAsValue(dwordAsValue) {}
    void Add(const ListedRow& row);
    // Text that continues the last statement (MASM wraps long statements).
    void Continue(std::string_view text);
    void Finish();

private:
    Listing& m_listing;
    bool m_dwordAsValue;
    std::optional<ByteColumn> m_column;  // the last statement's bytes, while it may go on
};

}  // namespace halyard::debuginfo
