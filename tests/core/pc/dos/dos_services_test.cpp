// The DOS services over an in-memory file system and console.
#include <gtest/gtest.h>

#include "core/pc/dos/dos_names.h"
#include "core/pc/fake_host.h"

namespace halyard::dos::test {
namespace {

// A program that is nothing but INT 21h; each Call runs it once with the registers given.
struct Dos {
    TestMachine t;
    uint16_t seg = 0;

    explicit Dos(bool redirected = true)
    {
        for (bool& r : t.console.redirected)
            r = redirected;
        EXPECT_EQ(t.Load({0xCD, 0x21, 0xCD, 0x20}), "");
        seg = t.R().seg[kDS];
    }
    // True when the service returned with the carry set.
    bool Call(uint16_t ax, uint16_t bx = 0, uint16_t cx = 0, uint16_t dx = 0, uint16_t di = 0)
    {
        Registers& r = t.R();
        r.r[kDI] = di;
        r.flags.Set(uint16_t(r.flags.Get() & ~kIF));  // no timer tick between the three steps
        const bool carry = t.CallAt100(ax, bx, cx, dx, seg);
        EXPECT_EQ(r.ip, 0x102);
        return carry;
    }
    uint16_t Ax() { return t.R().r[kAX]; }
    void Put(uint16_t off, const std::string& text) { t.Mem().WriteString(seg, off, text + '\0'); }
    std::string Str(uint16_t off)
    {
        bool complete;
        return t.Mem().ReadString(seg, off, 128, 0, complete);
    }
    std::string Get(uint16_t off, uint32_t n)
    {
        std::string s(n, 0);
        t.Mem().CopyOut(seg, off, reinterpret_cast<uint8_t*>(s.data()), n);
        return s;
    }
};

constexpr uint16_t kName = 0x200, kOther = 0x240, kData = 0x300;

TEST(DosFiles, HandleServicesWorkOnHostFiles)
{
    Dos d;
    d.Put(kName, "OUT.TXT");
    ASSERT_FALSE(d.Call(0x3C00, 0, 0, kName));
    const uint16_t h = d.Ax();
    EXPECT_EQ(h, 5);  // the first after the five standard handles
    d.Put(kData, "hello");
    ASSERT_FALSE(d.Call(0x4000, h, 5, kData));
    EXPECT_EQ(d.Ax(), 5);
    ASSERT_FALSE(d.Call(0x4200, h, 0, 1));
    EXPECT_EQ(d.Ax(), 1);
    ASSERT_FALSE(d.Call(0x3F00, h, 3, kData + 0x10));
    EXPECT_EQ(d.Ax(), 3);
    EXPECT_EQ(d.Get(kData + 0x10, 3), "ell");
    ASSERT_FALSE(d.Call(0x4000, h, 0, kData));  // a write of nothing cuts the file here
    EXPECT_EQ(d.t.files.files["OUT.TXT"], "hell");
    ASSERT_FALSE(d.Call(0x4500, h));            // a duplicate shares the position
    const uint16_t copy = d.Ax();
    ASSERT_FALSE(d.Call(0x4000, copy, 1, kData));
    EXPECT_EQ(d.t.files.files["OUT.TXT"], "hellh");
    ASSERT_FALSE(d.Call(0x4600, copy, 1));      // standard output now goes to the file
    d.Put(kData, "!$");
    d.Call(0x0900, 0, 0, kData);
    EXPECT_EQ(d.t.files.files["OUT.TXT"], "hellh!");
    EXPECT_TRUE(d.t.console.output.empty());
    ASSERT_FALSE(d.Call(0x3E00, h));
    ASSERT_FALSE(d.Call(0x3E00, copy));
    EXPECT_EQ(d.t.files.closed, 0);             // standard output still holds it
    ASSERT_FALSE(d.Call(0x3E00, 1));
    EXPECT_EQ(d.t.files.closed, 1);

    const struct {
        uint16_t ax, bx, cx, dx;
        uint16_t error;
    } failures[] = {
        {0x3E00, 5, 0, 0, kErrInvalidHandle},
        {0x3F00, 19, 1, kData, kErrInvalidHandle},
        {0x3F00, 200, 1, kData, kErrInvalidHandle},
        {0x3D03, 0, 0, kName, kErrInvalidAccess},
        {0x3D00, 0, 0, kOther, kErrFileNotFound},
        {0x5B00, 0, 0, kName, kErrFileExists},
        {0x4100, 0, 0, kOther, kErrFileNotFound},
    };
    d.Put(kOther, "NONE.TXT");
    for (const auto& f : failures) {
        EXPECT_TRUE(d.Call(f.ax, f.bx, f.cx, f.dx)) << std::hex << f.ax;
        EXPECT_EQ(d.Ax(), f.error) << std::hex << f.ax;
    }
    ASSERT_FALSE(d.Call(0x3D00, 0, 0, kName));  // opened for reading: writing is refused
    EXPECT_TRUE(d.Call(0x4000, d.Ax(), 1, kData));
    EXPECT_EQ(d.Ax(), kErrAccessDenied);
    ASSERT_FALSE(d.Call(0x3D02, 0, 0, kName));  // opened for reading and writing: both work
    const uint16_t both = d.Ax();
    EXPECT_FALSE(d.Call(0x4000, both, 1, kData));
    EXPECT_FALSE(d.Call(0x4200, both, 0, 0));
    EXPECT_FALSE(d.Call(0x3F00, both, 1, kData));
}

TEST(DosFiles, NamesAttributesDevicesAndTemporaryFiles)
{
    Dos d;
    d.t.files.files["A.TXT"] = "x";
    d.Put(kName, "A.TXT");
    d.Put(kOther, "B.TXT");
    ASSERT_FALSE(d.Call(0x5600, 0, 0, kName, kOther));
    EXPECT_EQ(d.t.files.files.count("B.TXT"), 1u);
    ASSERT_FALSE(d.Call(0x4301, 0, kAttrReadOnly, kOther));
    ASSERT_FALSE(d.Call(0x4300, 0, 0, kOther));
    EXPECT_EQ(d.t.R().r[kCX], kAttrReadOnly);
    d.Put(kName, "C:\\TOOLS\\NUL.LST");  // a device in any folder, with any extension
    ASSERT_FALSE(d.Call(0x3C00, 0, 0, kName));
    ASSERT_FALSE(d.Call(0x4000, d.Ax(), 4, kData));
    EXPECT_EQ(d.Ax(), 4);
    EXPECT_EQ(d.t.files.files.count("TOOLS\\NUL.LST"), 0u);
    d.Put(kName, "TMP\\");
    ASSERT_FALSE(d.Call(0x5A00, 0, 0, kName));
    const std::string temp = d.Str(kName);
    EXPECT_EQ(temp.rfind("TMP\\", 0), 0u);
    EXPECT_EQ(d.t.files.files.count(Key(temp)), 1u);
    d.t.R().r[kSI] = kOther;  // programs start with SI at their first instruction
    ASSERT_FALSE(d.Call(0x4700, 0, 0, 0));  // the folder without its drive, at DS:SI
    EXPECT_EQ(d.Str(d.t.R().r[kSI]), "WORK");
    // DL counts drives from 1 (A:), 0 being the current one: C: is 3.
    EXPECT_FALSE(d.Call(0x4700, 0, 0, 3));
    EXPECT_EQ(d.Str(d.t.R().r[kSI]), "WORK");
    for (uint16_t other : {2, 4}) {
        EXPECT_TRUE(d.Call(0x4700, 0, 0, other)) << other;
        EXPECT_EQ(d.Ax(), 0x0F) << other;
    }
}

TEST(DosFiles, FindFirstAndNextMatchLikeDos)
{
    Dos d;
    for (const char* name : {"A.ASM", "B.ASM", "C.OBJ", "VERYLONGNAME.ASM", "MAKEFILE"})
        d.t.files.files[name] = "1234";
    ASSERT_FALSE(d.Call(0x1A00, 0, 0, 0x400));  // the DTA
    const struct {
        const char* pattern;
        std::vector<std::string> found;
    } cases[] = {
        {"*.ASM", {"A.ASM", "B.ASM", "VERYLO~1.ASM"}},  // a long name shows as its alias
        {"?.OBJ", {"C.OBJ"}},
        {"*", {"MAKEFILE"}},
        {"*.*", {"A.ASM", "B.ASM", "C.OBJ", "MAKEFILE", "VERYLO~1.ASM"}},
        {"Z*.*", {}},
    };
    for (const auto& c : cases) {
        d.Put(kName, c.pattern);
        std::vector<std::string> found;
        for (bool more = !d.Call(0x4E00, 0, 0, kName); more; more = !d.Call(0x4F00)) {
            found.push_back(d.Str(0x400 + 0x1E));
            EXPECT_EQ(d.t.Mem().Read16(d.seg, 0x400 + 0x1A), 4);
        }
        EXPECT_EQ(d.Ax(), kErrNoMoreFiles) << c.pattern;
        EXPECT_EQ(found, c.found) << c.pattern;
    }
    EXPECT_FALSE(MatchesPattern("HELLO.ASM", "HELL.ASM"));
    EXPECT_TRUE(MatchesPattern("hello.asm", "?ELLO.AS?"));
    EXPECT_EQ(DeviceName("CONFIG.SYS"), Device::Unused);
    EXPECT_EQ(DeviceName("con"), Device::Console);
}

TEST(DosMemory, AllocateResizeAndFree)
{
    Dos d;
    ASSERT_FALSE(d.Call(0x4A00, 0x1000, 0, 0));  // ES = the program's block: keep 64 KB
    ASSERT_FALSE(d.Call(0x4800, 0x100));
    const uint16_t block = d.Ax();
    EXPECT_GT(block, d.seg + 0x1000);
    EXPECT_TRUE(d.Call(0x4800, 0xFFFF));
    EXPECT_EQ(d.Ax(), kErrNotEnoughMemory);
    const uint16_t largest = d.t.R().r[kBX];
    EXPECT_FALSE(d.Call(0x4800, largest));
    const uint16_t big = d.Ax();
    d.seg = block;  // ES for 4Ah and 49h
    EXPECT_TRUE(d.Call(0x4A00, 0x200));  // the next block is taken
    EXPECT_EQ(d.Ax(), kErrNotEnoughMemory);
    EXPECT_EQ(d.t.R().r[kBX], 0x100);
    d.seg = big;
    EXPECT_FALSE(d.Call(0x4900));
    d.seg = block;
    EXPECT_FALSE(d.Call(0x4A00, 0x200));  // now it can grow into the freed one
    d.seg = uint16_t(block + 1);
    EXPECT_TRUE(d.Call(0x4900));
    EXPECT_EQ(d.Ax(), kErrInvalidBlock);
    d.t.Mem().Write8(uint16_t(block - 1), 0, 'X');  // a program overwrote a control block
    EXPECT_TRUE(d.Call(0x4800, 0x10));
    EXPECT_EQ(d.Ax(), kErrArenaTrashed);
}

TEST(DosConsole, RedirectedStreams)
{
    Dos d;
    d.t.console.input = "ab\r\nc";
    d.Put(kData, "say $");
    d.Call(0x0900, 0, 0, kData);
    d.Call(0x0200, 0, 0, 'x');
    d.t.Mem().Write8(d.seg, kName, 10);
    d.Call(0x0A00, 0, 0, kName);  // a line, echoed up to its CR
    EXPECT_EQ(d.t.Mem().Read8(d.seg, kName + 1), 2);
    EXPECT_EQ(d.Get(kName + 2, 3), "ab\r");
    d.Call(0x0B00);
    EXPECT_EQ(d.t.R().AL(), 0xFF);
    d.Call(0x0600, 0, 0, 0xFF);  // the LF left over
    EXPECT_EQ(d.t.R().AL(), '\n');
    d.Call(0x0100);  // not echoed: the input is not typed
    EXPECT_EQ(d.t.R().AL(), 'c');
    d.Call(0x0600, 0, 0, 0xFF);
    EXPECT_TRUE(d.t.R().flags.ZF());
    EXPECT_EQ(d.t.console.output, "say xab\r");
    d.Call(0x4000, 2, 3, kData);
    EXPECT_EQ(d.t.console.error, "say");
}

TEST(DosConsole, TheConsoleShowsTextUntilTheProgramDrawsOnTheScreen)
{
    TestMachine t;
    for (bool& r : t.console.redirected)
        r = false;
    // print "hi" through DOS; store 'Z' at B800:0000; print "!"
    const std::vector<uint8_t> code = {0xBA, 0x15, 0x01, 0xB4, 0x09, 0xCD, 0x21, 0xB8, 0x00, 0xB8, 0x8E, 0xC0,
                                       0x26, 0xC6, 0x06, 0x00, 0x00, 0x5A, 0xEB, 0x04, 0x90, 'h', 'i', '$',
                                       0xB2, '!', 0xB4, 0x02, 0xCD, 0x21, 0xCD, 0x20};
    ASSERT_EQ(t.Load(code), "");
    ASSERT_TRUE(t.machine.Run(1000).exited);
    // The change of the screen memory is noticed within a slice of the run, here at its end.
    EXPECT_EQ(t.console.text, "hi!");
    ASSERT_GE(t.console.screens, 1);
    EXPECT_EQ(t.console.lastScreen.substr(0, 3), "Zi!") << t.console.lastScreen;
}

}  // namespace
}  // namespace halyard::dos::test
