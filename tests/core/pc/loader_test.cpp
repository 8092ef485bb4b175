// Loading programs, and Dosrun's reading of its command line and of the program's kind.
#include <gtest/gtest.h>

#include "core/pc/command_line.h"
#include "core/pc/program_kind.h"
#include "core/pc/fake_host.h"

namespace halyard::dos::test {
namespace {

TEST(Loader, ComProgramGetsItsPspTailAndEnvironment)
{
    TestMachine t;
    ASSERT_EQ(t.Load({0xC3}, false, " /c hello.asm;", {"PATH=C:\\BIN", "=C:=C:\\", "TMP=C:\\T"}), "");
    const Registers& r = t.R();
    const uint16_t psp = r.seg[kCS];
    EXPECT_EQ(r.seg[kDS], psp);
    EXPECT_EQ(r.seg[kSS], psp);
    EXPECT_EQ(r.ip, 0x100);
    EXPECT_EQ(r.r[kSP], 0xFFFE);
    EXPECT_EQ(t.Mem().Read16(psp, 0), 0x20CD);
    EXPECT_EQ(t.Mem().Read8(psp, 0x80), 14);
    bool complete;
    EXPECT_EQ(t.Mem().ReadString(psp, 0x81, 127, '\r', complete), " /c hello.asm;");
    const uint16_t env = t.Mem().Read16(psp, 0x2C);
    std::string block(64, 0);
    t.Mem().CopyOut(env, 0, reinterpret_cast<uint8_t*>(block.data()), 64);
    const char expected[] = "PATH=C:\\BIN\0=C:=C:\\\0TMP=C:\\T\0\0\x01\0C:\\WORK\\TEST.COM";
    EXPECT_EQ(block.substr(0, sizeof expected), std::string(expected, sizeof expected));
    ASSERT_TRUE(t.machine.Run(100).exited);  // RET reaches the INT 20h at PSP:0
}

TEST(Loader, MzProgramIsRelocated)
{
    // Header of 2 paragraphs; one relocation at image offset 1 (the immediate of MOV AX,0).
    std::vector<uint8_t> file(32, 0);
    const uint8_t code[] = {0xB8, 0x00, 0x00, 0xB4, 0x4C, 0xCD, 0x21};
    file.insert(file.end(), code, code + sizeof code);
    const auto put = [&](size_t at, uint16_t v) {
        file[at] = uint8_t(v);
        file[at + 1] = uint8_t(v >> 8);
    };
    put(0, 0x5A4D);
    put(2, uint16_t(file.size()));
    put(4, 1);
    put(6, 1);
    put(8, 2);
    put(0x0A, 0x10);
    put(0x0C, 0xFFFF);
    put(0x0E, 1);
    put(0x10, 0x80);
    put(0x18, 0x1C);
    put(0x1C, 1);
    TestMachine t;
    ASSERT_EQ(t.Load(file, true), "");
    const uint16_t psp = t.R().seg[kDS];
    EXPECT_EQ(t.R().seg[kCS], psp + 0x10);
    EXPECT_EQ(t.R().seg[kSS], psp + 0x11);
    EXPECT_EQ(t.R().r[kSP], 0x80);
    const RunResult result = t.machine.Run(100);
    ASSERT_TRUE(result.exited);
    EXPECT_EQ(result.exitCode, uint8_t(psp + 0x10));  // AL: the low byte of the relocated segment
}

TEST(Loader, RefusesWhatDosCannotRun)
{
    TestMachine t;
    EXPECT_NE(t.Load({0xC3}, false, std::string(127, 'x')).find("at most 126"), std::string::npos);
    EXPECT_EQ(t.Load({0xC3}, false, std::string(126, 'x')), "");
    TestMachine big;
    EXPECT_NE(big.Load(std::vector<uint8_t>(0xFF01, 0x90)).find("at most 65280"), std::string::npos);
    std::vector<uint8_t> hungry(64, 0);
    hungry[0] = 'M';
    hungry[1] = 'Z';
    hungry[4] = 1;     // one page
    hungry[8] = 2;     // header of 2 paragraphs
    hungry[0x0A] = 0xFF;  // needs FFFFh more paragraphs: more than 640 KB
    hungry[0x0B] = 0xFF;
    TestMachine small;
    EXPECT_NE(small.Load(hungry, true).find("640 KB hold less"), std::string::npos);
}

TEST(DosrunCommandLine, SplitsTheProgramWordFromItsTail)
{
    const struct {
        const char* line;
        bool ok;
        const char* program;
        const char* fromProgram;
        const char* tail;
    } cases[] = {
        {"Dosrun masm.exe /Zi hello.asm;", true, "masm.exe", "masm.exe /Zi hello.asm;", " /Zi hello.asm;"},
        {"\"C:\\Program Files\\Dosrun.exe\" \"C:\\a b\\tasm.exe\"  x  ", true, "C:\\a b\\tasm.exe",
         "\"C:\\a b\\tasm.exe\"  x  ", "  x  "},
        {"Dosrun\t  prog", true, "prog", "prog", ""},
        {"Dosrun", false, "", "", ""},
        {"Dosrun \"\"", false, "", "", ""},
    };
    for (const auto& c : cases) {
        CommandLineParts parts;
        ASSERT_EQ(SplitCommandLine(c.line, parts), c.ok) << c.line;
        if (!c.ok)
            continue;
        EXPECT_EQ(parts.program, c.program) << c.line;
        EXPECT_EQ(parts.fromProgram, c.fromProgram) << c.line;
        EXPECT_EQ(parts.tail, c.tail) << c.line;
    }
}

TEST(DosrunCommandLine, TellsDosProgramsFromOthers)
{
    std::vector<uint8_t> pe(0x90, 0);
    pe[0] = 'M';
    pe[1] = 'Z';
    pe[0x18] = 0x40;
    pe[0x3C] = 0x80;
    pe[0x80] = 'P';
    pe[0x81] = 'E';
    std::vector<uint8_t> oldMz = pe;
    oldMz[0x18] = 0x1C;  // a relocation table at 1Ch leaves no room for a newer header's offset
    std::vector<uint8_t> farOffset = pe;
    farOffset[0x3D] = 0x10;  // points past the end of the file
    const std::vector<uint8_t> plain = {0xB4, 0x4C, 0xCD, 0x21};
    const std::vector<uint8_t> zm = {'Z', 'M', 0, 0};
    EXPECT_EQ(ClassifyProgram(pe.data(), pe.size(), "x.exe"), ProgramKind::Other);
    EXPECT_EQ(ClassifyProgram(oldMz.data(), oldMz.size(), "x.exe"), ProgramKind::Mz);
    EXPECT_EQ(ClassifyProgram(farOffset.data(), farOffset.size(), "x.exe"), ProgramKind::Mz);
    EXPECT_EQ(ClassifyProgram(zm.data(), zm.size(), "x.exe"), ProgramKind::Mz);
    EXPECT_EQ(ClassifyProgram(plain.data(), plain.size(), "C:\\T\\HELLO.com"), ProgramKind::Com);
    EXPECT_EQ(ClassifyProgram(plain.data(), plain.size(), "run.bat"), ProgramKind::Other);
}

}  // namespace
}  // namespace halyard::dos::test
