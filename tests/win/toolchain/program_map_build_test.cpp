// The maps of programs that the real toolchains build, run through Dosrun as the IDE runs them.
// The toolchains are not ours to ship: the test runs only where HALYARD_DOS_TOOLS names a folder
// holding masm16\ (masm.exe, link.exe) and tasm16\ (tasm.exe, tlink.exe). It builds our own
// programs of several segments with macros and INCLUDE files with the IDE's own build lines, and
// checks each mapped line's bytes in the linked image against its listing, the entry point and a
// far call against the labels, and that each label names the line at its address.
#include <gtest/gtest.h>

#include <windows.h>

#include <map>

#include "core/debuginfo/listing.h"
#include "core/debuginfo/listing_text.h"
#include "core/debuginfo/source_match.h"
#include "core/toolchain/build_lines.h"
#include "toolchain/program_map_build.h"
#include "toolchain/tool_output.h"
#include "win/helpers/helper_setup.h"
#include "win/win_test_util.h"

using namespace halyard::debuginfo;
namespace tc = halyard::toolchain;

namespace {

const char* const kTools[] = {"masm16\\masm.exe", "masm16\\link.exe", "tasm16\\tasm.exe", "tasm16\\tlink.exe"};

struct Program {
    const char* source;
    std::vector<const char*> includes;
    const char* entry;
};

bool ReadText(const std::string& path, std::string& text)
{
    text = wintest::ReadFileBytes(path);
    return helpers_test::Exists(path);
}

// The installation's bin folder: the staged Dosrun and the user's tools.
bool StageBin(const std::string& tools, const std::string& bin)
{
    CreateDirectoryA(bin.c_str(), nullptr);
    CreateDirectoryA((bin + "\\masm16").c_str(), nullptr);
    CreateDirectoryA((bin + "\\tasm16").c_str(), nullptr);
    bool ok = CopyFileA((helpers_test::EnvText("HALYARD_DIST") + "\\bin\\Dosrun.exe").c_str(),
                        (bin + "\\Dosrun.exe").c_str(), FALSE) != FALSE;
    for (const char* tool : kTools) ok = ok && CopyFileA((tools + "\\" + tool).c_str(), (bin + "\\" + tool).c_str(), FALSE);
    return ok;
}

// Assembles and links as the IDE's Debug build does; returns what the tools printed.
std::string BuildAsTheIde(int assembler, const std::string& folder, const std::string& source, const std::string& bin)
{
    std::string printed;
    for (const tc::BuildStep step : {tc::BuildStep::Compile, tc::BuildStep::Link}) {
        const std::string base = source.substr(0, source.size() - 4);
        const std::string runner = bin + "\\Dosrun.exe";
        const tc::StepRequest request{step, assembler, tc::kConfigDebug, source, base, runner};
        char command[512], line[512];
        if (tc::ComposeStepLine(request, bin, command, line, sizeof line) != tc::LineStatus::Ok) return "no line";
        std::string text = line;
        text.resize(text.size() - 2);  // the CR LF the interpreter would be typed
        printed += CaptureToolOutput(text, folder, {}, 120000);
    }
    return printed;
}

// The bytes each source line's listing lines show, in listing order.
std::map<std::pair<std::string, int>, std::vector<int16_t>> ListedBytes(int assembler, const std::string& base,
                                                                         const std::string& sourcePath)
{
    std::string text;
    Listing listing;
    std::string error;
    ReadText(base + ".lst", text);
    const bool read = assembler == tc::kAssemblerMasm ? ReadMasmListing(text, listing, error)
                                                      : ReadTasmListing(text, listing, error);
    SourceMatch match;
    std::map<std::pair<std::string, int>, std::vector<int16_t>> bytes;
    if (!read || !MatchListing(listing, sourcePath, ReadText, match, error)) return bytes;
    for (std::size_t i = 0; i < listing.lines.size(); ++i) {
        const ListingPlace& place = match.places[i];
        if (place.file < 0 || !listing.lines[i].offset) continue;
        std::vector<int16_t>& line = bytes[{match.files[std::size_t(place.file)], place.line}];
        line.insert(line.end(), listing.lines[i].bytes.begin(), listing.lines[i].bytes.end());
    }
    return bytes;
}

uint16_t Word(const std::string& bytes, std::size_t at)
{
    return at + 1 < bytes.size() ? uint16_t(uint8_t(bytes[at]) | uint8_t(bytes[at + 1]) << 8) : 0;
}

void CheckLines(const ProgramMap& map, const std::string& image,
                const std::map<std::pair<std::string, int>, std::vector<int16_t>>& listed)
{
    std::map<std::pair<std::string, int>, int> ranges;
    for (const SourceLine& line : map.lines)
        if (line.length > 0) ++ranges[{line.file, line.line}];
    int compared = 0;
    for (const SourceLine& line : map.lines) {
        if (line.length == 0 || ranges[{line.file, line.line}] != 1) continue;
        SCOPED_TRACE(line.file + ":" + std::to_string(line.line));
        const auto it = listed.find({line.file, line.line});
        ASSERT_NE(it, listed.end());
        ASSERT_EQ(it->second.size(), line.length);
        const uint32_t start = ProgramMap::ImageAddress(line.frame, line.offset);
        // The linker leaves undefined bytes at the image's end out of the file (DOS allocates them).
        for (std::size_t i = 0; i < line.length; ++i) {
            if (start + i >= image.size())
                EXPECT_EQ(it->second[i], -1) << "byte " << i << " is past the image";
            else if (it->second[i] >= 0)
                EXPECT_EQ(it->second[i], uint8_t(image[start + i])) << "byte " << i;
        }
        ++compared;
    }
    EXPECT_GT(compared, 15);
}

// Each label is at a line of the map whose source line starts with the label.
void CheckLabels(const ProgramMap& map)
{
    std::map<std::string, std::vector<std::string>> files;
    for (const Symbol& symbol : map.symbols) {
        SCOPED_TRACE(symbol.name);
        const uint32_t address = ProgramMap::ImageAddress(symbol.frame, symbol.offset);
        bool named = false;
        for (const SourceLine& line : map.lines) {
            if (ProgramMap::ImageAddress(line.frame, line.offset) != address) continue;
            if (files.count(line.file) == 0) {
                std::string text;
                ReadText(line.file, text);
                for (const std::string_view l : SplitLines(text)) files[line.file].emplace_back(l);
            }
            const std::vector<std::string> words = StatementWords(files[line.file][std::size_t(line.line - 1)]);
            named = named || (!words.empty() && (words[0] == symbol.name || words[0] == symbol.name + ":"));
        }
        EXPECT_TRUE(named);
    }
}

}  // namespace

TEST(ProgramMapBuildTools, MapsRealBuildsOfBothToolchains)
{
    const std::string tools = helpers_test::EnvText("HALYARD_DOS_TOOLS");
    for (const char* tool : kTools)
        if (tools.empty() || !helpers_test::Exists(tools + "\\" + tool))
            GTEST_SKIP() << "HALYARD_DOS_TOOLS names no folder with masm16\\ and tasm16\\ holding the real tools";
    wintest::TempDir temp;
    const std::string bin = temp.Path() + "\\bin";
    ASSERT_TRUE(StageBin(tools, bin));
    const std::string data = helpers_test::EnvText("HALYARD_SOURCE") + "\\tests\\data\\debuginfo\\";
    const Program programs[] = {{"MULTI.ASM", {"iomac.inc", "shout.inc"}, "START"},
                                {"MODEL.ASM", {"outer.inc", "inner.inc"}, "MAIN"}};
    for (const int assembler : {tc::kAssemblerMasm, tc::kAssemblerTasm}) {
        for (const Program& program : programs) {
            SCOPED_TRACE(std::string(assembler == tc::kAssemblerMasm ? "MASM " : "TASM ") + program.source);
            const std::string folder = temp.Path() + "\\" + std::to_string(assembler) + program.source;
            CreateDirectoryA(folder.c_str(), nullptr);
            ASSERT_TRUE(CopyFileA((data + program.source).c_str(), (folder + "\\" + program.source).c_str(), FALSE));
            for (const char* include : program.includes)
                ASSERT_TRUE(CopyFileA((data + include).c_str(), (folder + "\\" + include).c_str(), FALSE));
            const std::string printed = BuildAsTheIde(assembler, folder, program.source, bin);
            const std::string source = folder + "\\" + program.source;
            const std::string base = source.substr(0, source.size() - 4);

            ProgramMapRequest request{assembler, source, base + ".exe", bin};
            ProgramMap map;
            std::string error;
            ASSERT_TRUE(BuildProgramMap(request, map, error)) << error << "\n" << printed;

            const std::string exe = wintest::ReadFileBytes(base + ".exe");
            ASSERT_GT(exe.size(), 0x20u);
            const std::string image = exe.substr(std::size_t(Word(exe, 8)) * 16);
            CheckLines(map, image, ListedBytes(assembler, base, source));
            CheckLabels(map);
            const Symbol* entry = map.Find(program.entry);
            ASSERT_NE(entry, nullptr);
            EXPECT_EQ(ProgramMap::ImageAddress(entry->frame, entry->offset),
                      ProgramMap::ImageAddress(Word(exe, 0x16), Word(exe, 0x14)));
            if (const Symbol* shout = map.Find("SHOUT")) {
                // call far ptr shout: the linker wrote the routine's frame and offset into the image.
                const std::optional<uint32_t> call = map.AddressOf(source, 24);
                ASSERT_TRUE(call.has_value());
                EXPECT_EQ(ProgramMap::ImageAddress(Word(image, *call + 3), Word(image, *call + 1)),
                          ProgramMap::ImageAddress(shout->frame, shout->offset));
            }
        }
    }
}
