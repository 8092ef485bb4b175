// The two listing readers on what MASM 5 and TASM wrote for the same program, and the bytes
// column's notations.
#include <gtest/gtest.h>

#include "core/debuginfo/listing.h"
#include "core/debuginfo/listing_text.h"
#include "core/debuginfo/fixtures.h"

using namespace halyard::debuginfo;

namespace {

const ListingLine* Statement(const Listing& listing, const std::string& start)
{
    for (const ListingLine& line : listing.lines)
        if (line.text.find(start) != std::string::npos) return &line;
    return nullptr;
}

std::vector<int16_t> Decode(std::string_view field, bool dwordAsValue)
{
    ByteColumn column(dwordAsValue);
    column.Feed(field);
    return column.Finish();
}

}  // namespace

TEST(ListingReaders, ReadStatementsBytesAndTablesOfBothAssemblers)
{
    const std::vector<int16_t> unknown3 = {0xB8, -1, -1};
    for (const ListingDialect dialect : {ListingDialect::Masm, ListingDialect::Tasm}) {
        const bool masm = dialect == ListingDialect::Masm;
        SCOPED_TRACE(masm ? "MASM" : "TASM");
        const std::string text = debuginfo_test::Fixture(masm ? "masm/MULTI.LST" : "tasm/MULTI.LST");
        Listing listing;
        std::string error;
        ASSERT_TRUE(masm ? ReadMasmListing(text, listing, error) : ReadTasmListing(text, listing, error)) << error;

        // A string that goes on over four listing lines (MASM also wraps its text there).
        const ListingLine* msg = Statement(listing, "'Line maps for the debugger', 0dh, 0ah,");
        ASSERT_NE(msg, nullptr);
        EXPECT_EQ(*msg->offset, 0);
        ASSERT_EQ(msg->bytes.size(), 29u);
        EXPECT_EQ(msg->bytes.front(), 0x4C);
        EXPECT_EQ(msg->bytes.back(), 0x24);
        // The same dword: shown in memory order by one, as a value by the other.
        EXPECT_EQ(Statement(listing, "12345678h")->bytes, (std::vector<int16_t>{0x78, 0x56, 0x34, 0x12}));
        EXPECT_EQ(Statement(listing, "dw 5, 6")->bytes, (std::vector<int16_t>{5, 0, 6, 0}));
        EXPECT_EQ(Statement(listing, "20 dup (?)")->bytes, std::vector<int16_t>(20, -1));
        EXPECT_EQ(Statement(listing, "start:")->bytes, unknown3);
        // MASM marks only the segment word of a far address as relocated, TASM the whole.
        EXPECT_EQ(Statement(listing, "far ptr shout")->bytes,
                  (std::vector<int16_t>{0x9A, int16_t(masm ? 0 : -1), int16_t(masm ? 0 : -1), -1, -1}));

        // A macro expanded in the source, and one expanded inside an INCLUDE file.
        const ListingLine* expanded = Statement(listing, "4c00h + 0");
        EXPECT_GT(expanded->level, 0);
        EXPECT_EQ(expanded->bytes, (std::vector<int16_t>{0xB8, 0x00, 0x4C}));
        const ListingLine* included = Statement(listing, "push ds");
        EXPECT_EQ(masm ? int(included->included) : included->level, 1);
        EXPECT_EQ(Statement(listing, "count   db")->bytes, (std::vector<int16_t>{3}));

        ASSERT_EQ(listing.segments.size(), 4u);
        EXPECT_EQ(listing.segments[0].name, "CODE");
        EXPECT_EQ(listing.segments[0].length, 0x2Cu);
        EXPECT_EQ(listing.segments[2].length, 0x82u);
        const auto symbol = [&](const std::string& name) -> const ListingSymbol& {
            for (const ListingSymbol& s : listing.symbols)
                if (s.name == name) return s;
            static const ListingSymbol none;
            return none;
        };
        EXPECT_EQ(symbol("SUM").value, 0x1C);
        EXPECT_EQ(symbol("SUM").segment, "CODE");
        EXPECT_EQ(symbol("SHOUT").type, masm ? "F PROC" : "Far");
        EXPECT_EQ(symbol("BUF").length, masm ? 20u : 0u);
        EXPECT_EQ(symbol("TOTAL").segment, "DATA");
    }
    // Groups: MASM lists the group's members under it; TASM names the group as a symbol's segment.
    Listing model;
    std::string error;
    ASSERT_TRUE(ReadMasmListing(debuginfo_test::Fixture("masm/MODEL.LST"), model, error));
    EXPECT_EQ(model.segments[0].name, "_DATA");
    EXPECT_EQ(model.segments[0].group, "DGROUP");
    EXPECT_EQ(model.segments[2].group, "");
    ASSERT_TRUE(ReadTasmListing(debuginfo_test::Fixture("tasm/MODEL.LST"), model, error));
    EXPECT_EQ(model.segments[1].group, "DGROUP");
    EXPECT_FALSE(ReadTasmListing(debuginfo_test::Fixture("masm/MODEL.MAP"), model, error));
    EXPECT_FALSE(error.empty());
}

TEST(ListingReaders, BytesColumnNotations)
{
    struct Case {
        const char* field;
        bool dwordAsValue;
        std::vector<int16_t> bytes;
    };
    const Case cases[] = {
        {"0002[ 0003[ 01 ] ]", false, std::vector<int16_t>(6, 1)},
        {"02*(03*(01 02))", true, {1, 2, 1, 2, 1, 2, 1, 2, 1, 2, 1, 2}},
        {"E8 001C R", false, {0xE8, -1, -1}},
        {"9A 00000000sr", true, {0x9A, -1, -1, -1, -1}},
        {"BA 0000r", true, {0xBA, -1, -1}},
        {"61+", true, {0x61}},
        {"= 0005", false, {}},
        {"=0005", true, {}},
        {"*000  01*(????)", true, {-1, -1}},
        {"0003[ 41 42", false, {0x41, 0x42, 0x41, 0x42, 0x41, 0x42}},  // closed at the end
        {"FFFF[ FFFF[ 00 ] ]", false, std::vector<int16_t>(0x10000, 0)},  // cut at a segment's size
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field);
        EXPECT_EQ(Decode(c.field, c.dwordAsValue), c.bytes);
    }
}
