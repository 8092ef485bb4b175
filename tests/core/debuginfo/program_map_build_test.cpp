// Programs of several segments, with macros, INCLUDE files, a structure and a REPT block, built by
// both toolchains: each line lands at its segment's place in the linked image, and the map answers
// the debugger's questions about them.
#include <gtest/gtest.h>

#include "core/debuginfo/program_map_builder.h"
#include "core/debuginfo/fixtures.h"

using namespace halyard::debuginfo;

namespace {

struct Build {
    ListingDialect dialect;
    const char* listing;
    const char* map;  // null: a .COM program
    const char* source;
};

ProgramMap MapOf(const Build& build)
{
    const std::string listing = debuginfo_test::Fixture(build.listing);
    const std::string linkMap = build.map ? debuginfo_test::Fixture(build.map) : std::string();
    ProgramTexts texts;
    texts.dialect = build.dialect;
    texts.listing = listing;
    texts.linkMap = linkMap;
    texts.comProgram = build.map == nullptr;
    texts.sourcePath = debuginfo_test::DataPath(build.source);
    texts.readSource = debuginfo_test::ReadText;
    ProgramMap map;
    std::string error;
    EXPECT_TRUE(BuildProgramMap(texts, map, error)) << error;
    return map;
}

const SourceLine* LineOf(const ProgramMap& map, const std::string& file, int line)
{
    for (const SourceLine& l : map.lines)
        if (l.file == debuginfo_test::DataPath(file) && l.line == line) return &l;
    return nullptr;
}

struct Expected {
    const char* file;
    int line;
    uint32_t address;  // in the image
    uint16_t length;
    bool code;
};

}  // namespace

TEST(ProgramMapBuild, PlacesEveryLineAndSymbolOfBothToolchains)
{
    // MULTI's segments: LINK puts CODE, CODE2, DATA, STK at 0, 30h, 40h, D0h; TLINK puts DATA, STK,
    // CODE, CODE2 at 0, 90h, 110h, 140h. MODEL's _TEXT is word-aligned after _DATA under LINK (112h).
    struct Case {
        Build build;
        std::vector<Expected> lines;
        std::vector<std::pair<const char*, uint32_t>> symbols;
    };
    const Case cases[] = {
        {{ListingDialect::Masm, "masm/MULTI.LST", "masm/MULTI.MAP", "MULTI.ASM"},
         {{"MULTI.ASM", 4, 0x40, 29, false},      // a string over four listing lines
          {"MULTI.ASM", 9, 0x6F, 20, false},      // a DUP
          {"MULTI.ASM", 21, 0x05, 7, true},       // a macro's expansion, at the line that invoked it
          {"MULTI.ASM", 26, 0x1C, 0, true},       // a PROC names an address
          {"shout.inc", 8, 0x36, 7, true},        // a macro expanded inside an INCLUDE file
          {"shout.inc", 12, 0x3F, 1, false},
          {"MULTI.ASM", 14, 0xD0, 128, false}},
         {{"START", 0}, {"SHOUT", 0x30}, {"BUF", 0x6F}, {"COUNT", 0x3F}}},
        {{ListingDialect::Tasm, "tasm/MULTI.LST", "tasm/MULTI.MAP", "MULTI.ASM"},
         {{"MULTI.ASM", 4, 0x00, 29, false},
          {"MULTI.ASM", 21, 0x115, 7, true},
          {"shout.inc", 8, 0x146, 7, true},
          {"MULTI.ASM", 33, 0x13B, 1, true}},
         {{"START", 0x110}, {"SHOUT", 0x140}, {"TOTAL", 0x29}}},
        {{ListingDialect::Masm, "masm/MODEL.LST", "masm/MODEL.MAP", "MODEL.ASM"},
         {{"MODEL.ASM", 10, 0x100, 4, false},     // a structure's fields go on on the next listing line
          {"MODEL.ASM", 12, 0x104, 10, false},    // REPT's copies belong to the REPT line
          {"inner.inc", 2, 0x112, 1, false},      // an INCLUDE inside an INCLUDE
          {"outer.inc", 4, 0x113, 4, true},
          {"MODEL.ASM", 33, 0x137, 2, true}},     // the line before a page break
         {{"MAIN", 0x118}, {"ORIGIN", 0x100}, {"MARKER", 0x112}}},
        {{ListingDialect::Tasm, "tasm/MODEL.LST", "tasm/MODEL.MAP", "MODEL.ASM"},
         {{"MODEL.ASM", 12, 0x34, 10, false}, {"inner.inc", 2, 0x00, 1, false}, {"MODEL.ASM", 20, 0x06, 3, true}},
         {{"FLAGS", 0x3E}, {"MAIN", 0x06}}},  // TASM lists FLAGS in DGROUP: its segment is _DATA's
        {{ListingDialect::Masm, "masm/SMALL.LST", nullptr, "SMALL.ASM"},
         {{"SMALL.ASM", 5, 0x100, 2, true}, {"SMALL.ASM", 6, 0x102, 5, false}},
         {{"HELLO", 0x102}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.build.listing);
        const ProgramMap map = MapOf(c.build);
        for (const Expected& e : c.lines) {
            SCOPED_TRACE(std::string(e.file) + ":" + std::to_string(e.line));
            const SourceLine* line = LineOf(map, e.file, e.line);
            ASSERT_NE(line, nullptr);
            EXPECT_EQ(ProgramMap::ImageAddress(line->frame, line->offset), e.address);
            EXPECT_EQ(line->length, e.length);
            EXPECT_EQ(line->code, e.code);
        }
        for (const auto& [name, address] : c.symbols) {
            const Symbol* symbol = map.Find(name);
            ASSERT_NE(symbol, nullptr) << name;
            EXPECT_EQ(ProgramMap::ImageAddress(symbol->frame, symbol->offset), address) << name;
        }
        // Every line with bytes is the one found at each of its addresses, and lines never overlap.
        uint32_t end = 0;
        for (const SourceLine& line : map.lines) {
            const uint32_t start = ProgramMap::ImageAddress(line.frame, line.offset);
            EXPECT_GE(start, end);
            if (line.length == 0) continue;
            EXPECT_EQ(map.LineAt(start), &line);
            EXPECT_EQ(map.LineAt(start + line.length - 1), &line);
            end = start + line.length;
        }
    }
}

TEST(ProgramMapBuild, AnswersLinesAddressesAndNames)
{
    const ProgramMap map = MapOf({ListingDialect::Masm, "masm/MULTI.LST", "masm/MULTI.MAP", "MULTI.ASM"});
    std::string source = debuginfo_test::DataPath("MULTI.ASM");
    EXPECT_EQ(map.AddressOf(source, 26), 0x1Cu);        // the PROC line: its first instruction
    EXPECT_EQ(map.AddressOf(source, 1), 0x00u);         // comments and data before the code: the first code line
    EXPECT_EQ(map.AddressOf(source, 34), std::nullopt);  // nothing with code below
    for (char& c : source) c = char(std::toupper(static_cast<unsigned char>(c)));
    EXPECT_EQ(map.AddressOf(source, 21), 0x05u);        // any case
    EXPECT_EQ(map.AddressOf(debuginfo_test::DataPath("shout.inc"), 1), 0x30u);
    EXPECT_EQ(map.LineAt(0x2C), nullptr);               // the gap before CODE2's paragraph
    EXPECT_EQ(map.LineAt(0x10000), nullptr);
    ASSERT_NE(map.LineAt(0x08), nullptr);
    EXPECT_EQ(map.LineAt(0x08)->line, 21);
    const Symbol* buf = map.Find("buf");
    ASSERT_NE(buf, nullptr);
    EXPECT_EQ(buf->kind, SymbolKind::Byte);
    EXPECT_EQ(buf->count, 20u);
    EXPECT_EQ(buf->segment, "DATA");
    EXPECT_EQ(map.Find("table")->count, 4u);
    EXPECT_EQ(map.Find("big")->kind, SymbolKind::Dword);
    EXPECT_EQ(map.Find("shout")->kind, SymbolKind::Far);
    EXPECT_EQ(map.Find("sum")->kind, SymbolKind::Near);
    EXPECT_EQ(map.Find("nothing"), nullptr);
}

TEST(ProgramMapBuild, RefusesWhatItCannotMap)
{
    const std::string listing = debuginfo_test::Fixture("masm/MULTI.LST");
    ProgramTexts texts;
    texts.listing = listing;
    texts.linkMap = " 00000H 0002BH 002CH  CODE\r\n";  // the other segments are missing
    texts.sourcePath = debuginfo_test::DataPath("MULTI.ASM");
    texts.readSource = debuginfo_test::ReadText;
    ProgramMap map;
    std::string error;
    EXPECT_FALSE(BuildProgramMap(texts, map, error));
    EXPECT_NE(error.find("DATA"), std::string::npos) << error;
    texts.linkMap = debuginfo_test::Fixture("masm/MULTI.MAP");
    texts.sourcePath = debuginfo_test::DataPath("NONE.ASM");
    EXPECT_FALSE(BuildProgramMap(texts, map, error));
    EXPECT_NE(error.find("NONE.ASM"), std::string::npos) << error;
    EXPECT_TRUE(map.Empty());
}
