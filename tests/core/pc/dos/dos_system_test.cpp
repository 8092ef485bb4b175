// The services programs probe the system with, the parsing of names into FCBs, the BIOS's key
// codes, and the aliases of names DOS cannot use.
#include <gtest/gtest.h>

#include <cstring>
#include <tuple>

#include "core/pc/dos/aliased_files.h"
#include "core/pc/bios/scan_codes.h"
#include "core/pc/dos/fcb_names.h"
#include "core/pc/dos/name_aliases.h"
#include "core/pc/fake_host.h"

namespace halyard::dos::test {
namespace {

// "第1题", "第1页" in code page 936.
constexpr uint8_t kFcbPartialForTest = 3;  // a last record read in part

const std::string kFirst = "\xB5\xDA" "1" "\xCC\xE2", kPage = "\xB5\xDA" "1" "\xD2\xB3";

struct Program {
    TestMachine t;
    uint16_t seg = 0;
    Program()
    {
        EXPECT_EQ(t.Load({0xCD, 0x21}), "");
        seg = t.R().seg[kDS];
    }
    // True when the service returned with the carry set.
    bool Call(uint16_t ax, uint16_t bx = 0, uint16_t dx = 0)
    {
        Registers& r = t.R();
        r.r[kAX] = ax;
        r.r[kBX] = bx;
        r.r[kDX] = dx;
        r.seg[kDS] = r.seg[kES] = seg;
        r.ip = 0x100;
        t.machine.Processor().Run(3);
        return r.flags.CF();
    }
};

TEST(DosSystem, AnswersProbesAsDos5)
{
    Program p;
    Registers& r = p.t.R();
    ASSERT_FALSE(p.Call(0x3800, 0, 0x300));
    EXPECT_EQ(r.r[kBX], 1);
    EXPECT_EQ(p.t.Mem().Read8(p.seg, 0x302), '$');
    EXPECT_EQ(p.t.Mem().Read8(p.seg, 0x30D), ':');
    // The case map is a far routine: AL 81h (u with diaeresis) becomes 9Ah, ASCII stays.
    const uint8_t callIt[] = {0xFF, 0x1E, 0x12, 0x03};  // call far [0312h]
    for (const auto [in, out] : {std::pair<uint8_t, uint8_t>{0x81, 0x9A}, {0x61, 0x61}, {0xA4, 0xA5}}) {
        p.t.Mem().CopyIn(p.seg, 0x180, callIt, sizeof callIt);
        r.SetAL(in);
        r.ip = 0x180;
        p.t.machine.Processor().Run(in >= 0x80 ? 8 : 4);  // the call, then the routine up to RETF
        EXPECT_EQ(r.ip, 0x184);
        EXPECT_EQ(r.AL(), out);
    }
    EXPECT_TRUE(p.Call(0x3802, 0, 0x300));  // a country it does not know
    // Lead bytes: none for a single-byte code page, 81h-FEh for 936.
    for (const auto [page, table] : {std::pair<uint16_t, uint32_t>{437, 0}, {936, 0xFE81}}) {
        p.t.machine.SetCodePage(page);
        ASSERT_FALSE(p.Call(0x6300));
        EXPECT_EQ(r.AL(), 0);
        EXPECT_EQ(p.t.Mem().Read16(r.seg[kDS], r.r[kSI]), table);
        EXPECT_EQ(p.t.Mem().Read16(r.seg[kDS], uint16_t(r.r[kSI] + 2)), 0);
    }
    p.Call(0x3400);
    EXPECT_EQ(p.t.Mem().Read8(r.seg[kES], r.r[kBX]), 0);  // not in DOS
    // Functions DOS 5 does not have leave AL = 0 and the run goes on.
    for (const uint16_t ax : {0x18FF, 0x6BFF, 0x6DFF, 0xF0FF}) {
        p.Call(ax);
        EXPECT_EQ(r.r[kAX], ax & 0xFF00);
    }
    // Nothing answers the multiplex interrupt, and the run goes on: DEBUG asks it for DOS's
    // message tables (AX=122Eh), other programs whether a driver is installed.
    p.t.Mem().Write8(p.seg, 0x101, 0x2F);
    for (const uint16_t ax : {0x122E, 0x4300, 0xB700}) {
        p.Call(ax);
        EXPECT_EQ(r.r[kAX], ax);
    }
    EXPECT_TRUE(p.t.machine.Run(1).failure.find("unsupported") == std::string::npos);
}

// DEBUG reads its script through 0Ah: the LF of each CR LF is no part of the next line, and a
// program that keeps asking after the end of its input is stopped instead of waiting forever.
TEST(DosSystem, LinesOfRedirectedInputMayEndInCrLf)
{
    Program p;
    p.t.console.input = "r\r\nd 100\r\n";
    p.t.Mem().Write8(p.seg, 0x300, 20);
    for (const char* line : {"r", "d 100", ""}) {
        p.Call(0x0A00, 0, 0x300);
        EXPECT_EQ(p.t.Mem().Read8(p.seg, 0x301), std::strlen(line));
        std::string got(std::strlen(line), 0);
        p.t.Mem().CopyOut(p.seg, 0x302, reinterpret_cast<uint8_t*>(got.data()), uint32_t(got.size()));
        EXPECT_EQ(got, line);
    }
    p.Call(0x0A00, 0, 0x300);
    EXPECT_NE(p.t.machine.Run(1).failure.find("after the end of its redirected input"), std::string::npos);
}

TEST(DosSystem, ParsesNamesIntoFcbsAs29hDoes)
{
    const struct {
        const char* text;
        uint8_t flags;
        const char* before;  // drive digit, then 11 characters
        const char* after;
        uint8_t al;
        size_t consumed;
    } cases[] = {
        {"  a:foo.asm rest", 1, "0           ", "1FOO     ASM", 0, 11},
        {";b.c", 1, "0           ", "0B       C  ", 0, 4},
        {";b.c", 0, "0           ", "0           ", 0, 0},
        {"*.as?", 0, "0           ", "0????????AS?", 1, 5},
        {"verylongname.asmx,", 0, "0           ", "0VERYLONGASM", 0, 17},
        {"q:x", 0, "0           ", "0X          ", 0xFF, 3},
        {"", 0x0E, "3OLDNAMEXOLD", "3OLDNAMEXOLD", 0, 0},
        {"", 0, "3OLDNAMEXOLD", "0           ", 0, 0},
        {"new", 0x0A, "3OLDNAMEXOLD", "3NEW     OLD", 0, 3},
    };
    for (const auto& c : cases) {
        uint8_t fcb[12];
        std::copy(c.before, c.before + 12, fcb);
        fcb[0] = uint8_t(c.before[0] - '0');
        const FcbParseResult result = ParseFcbName(c.text, c.flags, fcb, 0x7);  // A:, B:, C:
        std::string after(reinterpret_cast<const char*>(fcb), 12);
        after[0] = char('0' + fcb[0]);
        EXPECT_EQ(after, c.after) << c.text;
        EXPECT_EQ(result.al, c.al) << c.text;
        EXPECT_EQ(result.consumed, c.consumed) << c.text;
    }
}

// The DOS 1 file functions on an FCB at 0300h, records of 4 bytes through the DTA at 0080h.
TEST(DosSystem, FcbFilesWorkOnHostFiles)
{
    Program p;
    Memory& mem = p.t.Mem();
    Registers& r = p.t.R();
    const auto fcb = [&](const std::string& name) {
        mem.Fill(p.seg, 0x300, 0, 0x25);
        uint8_t parsed[12] = {};
        ParseFcbName(name, 0, parsed, 4);
        mem.CopyIn(p.seg, 0x300, parsed, 12);
    };
    const auto call = [&](uint16_t ax, uint16_t cx = 0) {
        r.r[kCX] = cx;
        p.Call(ax, 0, 0x300);
        return r.AL();
    };
    fcb("REC.DAT");
    ASSERT_EQ(call(0x1600), 0);  // create
    mem.Write16(p.seg, 0x30E, 4);
    mem.WriteString(p.seg, 0x80, "abcd");
    EXPECT_EQ(call(0x1500), 0);
    mem.WriteString(p.seg, 0x80, "efgh");
    EXPECT_EQ(call(0x1500), 0);
    EXPECT_EQ(mem.Read16(p.seg, 0x310), 8);  // the size follows
    EXPECT_EQ(call(0x1000), 0);
    EXPECT_EQ(p.t.files.files["REC.DAT"], "abcdefgh");
    ASSERT_EQ(call(0x0F00), 0);
    mem.Write16(p.seg, 0x30E, 3);
    EXPECT_EQ(call(0x2300), 0);
    EXPECT_EQ(mem.Read16(p.seg, 0x321), 3);  // 8 bytes are 3 records of 3
    mem.Write16(p.seg, 0x321, 1);
    EXPECT_EQ(call(0x2100), 0);  // random read of record 1
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(mem.Raw() + Linear(p.seg, 0x80)), 3), "def");
    EXPECT_EQ(call(0x2700, 5), kFcbPartialForTest);  // from record 1: "def", "gh" padded
    EXPECT_EQ(r.r[kCX], 2);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(mem.Raw() + Linear(p.seg, 0x80)), 7), std::string("defgh\0\0", 7));
    EXPECT_EQ(mem.Read16(p.seg, 0x321), 3);
    EXPECT_EQ(call(0x1000), 0);
    fcb("REC.???");
    mem.WriteString(p.seg, 0x311, "NEW     ???");
    EXPECT_EQ(call(0x1700), 0);
    EXPECT_EQ(p.t.files.files.count("NEW.DAT"), 1u);
    fcb("*.DAT");
    EXPECT_EQ(call(0x1300), 0);
    EXPECT_EQ(p.t.files.files.count("NEW.DAT"), 0u);
    EXPECT_EQ(call(0x0F00), 0xFF);
}

TEST(BiosKeys, GiveTheBiosCodes)
{
    constexpr uint8_t kShift = shift::kLeftShift, kCtrl = shift::kCtrl, kAlt = shift::kAlt;
    const struct {
        uint8_t scan, shifts;
        uint16_t code;
    } cases[] = {
        {0x1E, 0, 0x1E61},     {0x1C, 0, 0x1C0D},     {0x3B, 0, 0x3B00},     {0x3B, kShift, 0x5400},
        {0x44, kCtrl, 0x6700}, {0x3C, kAlt, 0x6900},  {0x58, 0, 0x8600},     {0x2D, kAlt, 0x2D00},
        {0x02, kAlt, 0x7800},  {0x1E, kCtrl, 0x1E01}, {0x1E, kShift, 0x1E41},
    };
    for (const auto& c : cases)
        EXPECT_EQ(KeyCode(c.scan, false, c.shifts), c.code) << std::hex << int(c.scan);
    EXPECT_EQ(KeyCode(0x48, true, 0), 0x48E0) << "a grey arrow";
}

TEST(Aliases, NamesDosCannotUseGetAliasesThatLeadBack)
{
    const FolderAliases aliases({kFirst + ".asm", kFirst + ".OBJ", kPage + ".asm", "hello world.asm", "A.TXT",
                                 "1~1.TXT", "\xD7\xF7\xD2\xB5"});
    const struct {
        std::string host, dos;
    } names[] = {
        {kFirst + ".asm", "1~2.ASM"},  // 1~1 is a real name's base
        {kFirst + ".OBJ", "1~2.OBJ"},  {kPage + ".asm", "1~3.ASM"}, {"hello world.asm", "HELLOW~1.ASM"},
        {"A.TXT", "A.TXT"},            {"\xD7\xF7\xD2\xB5", "~1"},
    };
    for (const auto& n : names) {
        EXPECT_EQ(aliases.DosName(n.host), n.dos);
        EXPECT_EQ(aliases.HostName(n.dos), n.host);
    }
    EXPECT_EQ(aliases.HostName("1~2.EXE"), kFirst + ".EXE");  // a new file keeps the long base
    EXPECT_EQ(aliases.HostName("a.txt"), "A.TXT");
    EXPECT_EQ(aliases.HostName("ZZ~9.X"), "");
}

TEST(Aliases, ProgramsWorkOnHostFilesThroughThem)
{
    Program p;
    p.t.files.files[kFirst + ".ASM"] = "source";
    p.t.Mem().WriteString(p.seg, 0x200, std::string("1~1.OBJ\0", 8));
    ASSERT_FALSE(p.Call(0x3C00, 0, 0x200));
    EXPECT_EQ(p.t.files.files.count(kFirst + ".OBJ"), 1u);
    p.t.Mem().WriteString(p.seg, 0x200, std::string("*.*\0", 4));
    ASSERT_FALSE(p.Call(0x4E00, 0, 0x200));
    bool complete;
    EXPECT_EQ(p.t.Mem().ReadString(p.seg, 0x80 + 0x1E, 13, 0, complete), "1~1.ASM");
    AliasedFiles files(p.t.files);
    EXPECT_EQ(AliasTail(" /zi \"" + kFirst + ".asm\"," + kFirst + ".exe;", files), " /zi 1~1.ASM,1~1.EXE;");
    EXPECT_EQ(files.HostPath("1~1.LST"), kFirst + ".LST");
}

// The functions that once stopped the run, each answering as DOS 5 does on this machine.
TEST(DosSystem, EveryDos5FunctionAnswers)
{
    Program p;
    Registers& r = p.t.R();
    Memory& mem = p.t.Mem();
    const struct {
        uint16_t ax, bx, cx, dx;
        int carry;    // -1: not looked at
        uint16_t out;  // AX after the call
    } cases[] = {
        {0x2B00, 0, 1979, 0x0101, -1, 0x2BFF},  // before 1980
        {0x2B00, 0, 2001, 0x021D, -1, 0x2BFF},  // 29 February of a common year
        {0x2D00, 0, 0x1800, 0, -1, 0x2DFF},    // 24:00
        {0x2D00, 0, 0x0C3B, 0x3C00, -1, 0x2DFF},
        {0x0300, 0, 0, 0, -1, 0x031A},       // AUX has nothing to read
        {0x5E00, 0, 0, 0, 1, 0x0001},
        {0x5F02, 0, 0, 0, 1, 0x0001},
        {0x5C00, 1, 0, 0, 0, 0x5C00},
        {0x5C00, 99, 0, 0, 1, 0x0006},
        {0x5C02, 1, 0, 0, 1, 0x0001},
        {0x6A00, 1, 0, 0, 0, 0x6A00},
        {0x6800, 99, 0, 0, 1, 0x0006},
        {0x6501, 0xFFFF, 4, 0xFFFF, 1, 0x0001},  // no room for the answer
        {0x6501, 850, 41, 0xFFFF, 1, 0x0002},    // a code page not loaded
        {0x1C00, 0, 0, 9, -1, 0x1CFF},           // no drive I:
        {0x3600, 0, 0, 9, -1, 0xFFFF},
        {0x6D00, 0, 0, 0, 0, 0x6D00},  // not DOS 5's: AL = 0, the carry as it was
        {0x71A0, 0, 0, 0, 1, 0x7100},  // long names: the carry set too
    };
    for (const auto& c : cases) {
        r.r[kCX] = c.cx;
        r.flags.Set(0x0202);  // the carry clear
        const bool carry = p.Call(c.ax, c.bx, c.dx);
        EXPECT_EQ(r.r[kAX], c.out) << std::hex << c.ax;
        if (c.carry >= 0)
            EXPECT_EQ(carry, c.carry == 1) << std::hex << c.ax;
    }
    // The machine's date and time move; the true version is 5.00.
    r.r[kCX] = 2000;
    p.Call(0x2B00, 0, 0x021D);
    r.r[kCX] = 0x173B;
    p.Call(0x2D00, 0, 0x3B63);
    p.Call(0x2A00);
    EXPECT_EQ(r.r[kCX], 2000);
    EXPECT_EQ(r.r[kDX], 0x021D);
    EXPECT_EQ(r.AL(), 2);  // a Tuesday
    p.Call(0x2C00);
    EXPECT_EQ(r.r[kCX], 0x173B);
    EXPECT_EQ(mem.Read16(0x40, 0x6E), 0x18);  // the BIOS's count is near midnight's 1800B0h
    p.Call(0x3306);
    EXPECT_EQ(r.r[kBX], 0x0005);
    // C: is the host's folder; A: the floppy image, empty when new (2,847 free clusters).
    p.Call(0x3600, 0, 3);
    EXPECT_EQ(r.r[kCX], 512);
    p.Call(0x3600, 0, 1);
    EXPECT_EQ(std::vector<uint16_t>({r.r[kAX], r.r[kBX], r.r[kCX], r.r[kDX]}), std::vector<uint16_t>({1, 2847, 512, 2847}));
    p.Call(0x3200, 0, 1);
    EXPECT_EQ(r.AL(), 0);
    EXPECT_EQ(mem.Read8(r.seg[kDS], uint16_t(r.r[kBX] + 0x17)), 0xF0);  // the media byte
    EXPECT_EQ(mem.Read16(r.seg[kDS], uint16_t(r.r[kBX] + 0x0B)), 33);  // the first data sector
    // Canonical names, from C:\WORK.
    r.r[kSI] = 0x300;
    r.r[kDI] = 0x380;
    for (const auto& [name, full] : {std::pair<const char*, const char*>{"..\\x/./y.asm", "C:\\X\\Y.ASM"},
                                     {"a.b", "C:\\WORK\\A.B"}, {"d:\\p\\..\\q", "D:\\Q"}}) {
        mem.WriteString(p.seg, 0x300, std::string(name) + '\0');
        ASSERT_FALSE(p.Call(0x6000));
        bool complete;
        EXPECT_EQ(mem.ReadString(p.seg, 0x380, 128, 0, complete), full);
    }
    // Extended open: created, refused, opened, replaced.
    mem.WriteString(p.seg, 0x300, std::string("NEW.TXT") + '\0');
    for (const auto [action, carry, cx] : {std::tuple<uint16_t, bool, uint16_t>{0x10, false, 2}, {0x10, true, 0},
                                           {0x01, false, 1}, {0x12, false, 3}, {0x02, false, 3}}) {
        r.r[kCX] = 0;
        EXPECT_EQ(p.Call(0x6C00, 0x0002, action), carry) << action;
        EXPECT_EQ(carry ? r.r[kAX] : r.r[kCX], carry ? 0x50 : cx) << action;
    }
    // Country information in the console's code page; upper case and yes or no.
    for (const uint16_t page : {437, 936}) {
        p.t.machine.SetCodePage(page);
        r.r[kCX] = 41;
        r.r[kDI] = 0x380;
        ASSERT_FALSE(p.Call(0x6501, 0xFFFF, 0xFFFF));
        EXPECT_EQ(r.r[kCX], 41);
        EXPECT_EQ(mem.Read16(p.seg, 0x385), page);
        EXPECT_EQ(mem.Read8(p.seg, 0x387 + 2), '$');
    }
    p.Call(0x6520, 0, 'a');
    EXPECT_EQ(r.r[kDX], 'A');
    p.Call(0x6523, 0, 'y');
    EXPECT_EQ(r.r[kAX], 1);
    // PRN (05h and handle 4) appends to PRINTER.TXT in the program's folder.
    p.Call(0x0500, 0, 'x');
    mem.Write8(p.seg, 0x300, 'y');
    r.r[kCX] = 1;
    p.Call(0x4000, 4, 0x300);
    EXPECT_EQ(p.t.files.files["WORK\\PRINTER.TXT"], "xy");
}

// 67h raises the handle limit for real: it fails while the program holds all memory, and once
// it shrank, a table of 30 handles outside the PSP keeps the handles open before.
TEST(DosSystem, HandleCountIsRaisedOrRefused)
{
    Program p;
    Registers& r = p.t.R();
    Memory& mem = p.t.Mem();
    const uint16_t psp = p.seg;
    EXPECT_TRUE(p.Call(0x6700, 30));
    EXPECT_EQ(r.r[kAX], 8);
    ASSERT_FALSE(p.Call(0x4A00, 0x1000));
    ASSERT_FALSE(p.Call(0x6700, 30));
    EXPECT_EQ(mem.Read16(psp, 0x32), 30);
    EXPECT_NE(mem.Read16(psp, 0x36), psp);
    p.t.files.files["A.TXT"] = "a";
    mem.WriteString(p.seg, 0x300, std::string("A.TXT") + '\0');
    for (uint16_t expected = 5; expected < 30; ++expected) {
        ASSERT_FALSE(p.Call(0x3D00, 0, 0x300));
        EXPECT_EQ(r.r[kAX], expected);
    }
    EXPECT_TRUE(p.Call(0x3D00, 0, 0x300));
    EXPECT_TRUE(p.Call(0x6700, 20));  // handles 20-29 are open
    r.r[kCX] = 1;
    EXPECT_FALSE(p.Call(0x4000, 1, 0x300));  // the standard handles came along
}

}  // namespace
}  // namespace halyard::dos::test
