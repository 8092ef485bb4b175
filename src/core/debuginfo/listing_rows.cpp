#include "core/debuginfo/listing_rows.h"

namespace halyard::debuginfo {

void ListingBody::Add(const ListedRow& row)
{
    // A numbered line without a statement goes on with the bytes of the one before (a long DB, a
    // DUP, a structure's fields; MASM shows the offset of some); it can also be an empty source
    // line, which gives nothing.
    if (IsBlank(row.text)) {
        if (m_column) m_column->Feed(row.bytes);
        return;
    }
    Finish();
    ListingLine line;
    line.text = std::string(row.text);
    line.offset = row.offset;
    line.level = row.level;
    line.included = row.included;
    m_listing.lines.push_back(std::move(line));
    m_column.emplace(m_dwordAsValue);
    m_column->Feed(row.bytes);
}

void ListingBody::Continue(std::string_view text)
{
    if (!m_listing.lines.empty()) m_listing.lines.back().text.append(text);
}

void ListingBody::Finish()
{
    if (m_column && !m_listing.lines.empty()) m_listing.lines.back().bytes = m_column->Finish();
    m_column.reset();
}

}  // namespace halyard::debuginfo
