// The BIOS services over the PC's devices, called as a program calls them: the floppy (INT 13h),
// the graphics modes (INT 10h) and what the window is shown, the mouse (INT 33h), and the
// real-time clock's registers.
#include <gtest/gtest.h>

#include <deque>
#include <random>

#include "core/pc/fake_host.h"

namespace halyard::dos::test {
namespace {

class FakeDisplay final : public HostDisplay {
public:
    unsigned shown = 0, width = 0, height = 0;
    std::string title;
    MouseState mouse;
    std::deque<MouseState> moves;  // each look at the pointer takes the next, the last one stays
    std::deque<KeyEvent> keys;
    void Show(const uint32_t*, unsigned w, unsigned h, const char* t) override
    {
        ++shown;
        width = w;
        height = h;
        title = t;
    }
    void Close() override { width = height = 0; }
    bool NextKeyEvent(KeyEvent& event) override
    {
        if (keys.empty())
            return false;
        event = keys.front();
        keys.pop_front();
        return true;
    }
    MouseState Mouse() override
    {
        if (!moves.empty()) {
            mouse = moves.front();
            moves.pop_front();
        }
        return mouse;
    }
    bool Closed() override { return false; }
};

// A program that is one software interrupt; each Int runs it once with the registers given.
struct Bios {
    TestMachine t;
    FakeDisplay display;
    SilentSpeaker speaker;
    uint16_t seg = 0;

    explicit Bios(uint8_t vector)
    {
        t.machine.AttachHost(speaker, display);
        EXPECT_EQ(t.Load({0xCD, vector, 0xCD, 0x20}), "");
        seg = t.R().seg[kDS];
    }
    // The carry the service returned.
    bool Int(uint16_t ax, uint16_t bx = 0, uint16_t cx = 0, uint16_t dx = 0)
    {
        const bool carry = t.CallAt100(ax, bx, cx, dx, seg);
        EXPECT_EQ(t.R().ip, 0x102);
        return carry;
    }
    uint16_t Reg(Reg16 reg) { return t.R().r[reg]; }
    uint32_t FramePixel(unsigned x, unsigned y)
    {
        t.machine.Graphics().Refresh(true);
        return t.machine.Graphics().Frame()[y * display.width + x];
    }
};

TEST(PcDisk, SectorsStatusCodesAndMissingDrives)
{
    Bios b(0x13);
    EXPECT_EQ(b.t.files.files.count("WORK\\A.IMG"), 0u);
    ASSERT_FALSE(b.Int(0x0201, 0x1000, 0x0001, 0x0000));
    EXPECT_EQ(b.Reg(kAX), 0x0001);
    EXPECT_EQ(b.t.Mem().Read16(b.seg, 0x1000 + 510), 0xAA55) << "a new image is an empty formatted disk";
    EXPECT_EQ(b.t.files.files["WORK\\A.IMG"].size(), 1474560u) << "made beside the program on first use";
    // The last sector, written and read back; the image keeps it at its place.
    b.t.Mem().Fill(b.seg, 0x2000, 0xA5, 512);
    ASSERT_FALSE(b.Int(0x0301, 0x2000, 0x4F12, 0x0100));
    EXPECT_EQ(b.t.files.files["WORK\\A.IMG"].substr(1474560 - 512), std::string(512, char(0xA5)));
    const struct {
        uint16_t ax, cx, dx;
        uint16_t axOut;
        bool carry;
    } cases[] = {
        {0x0202, 0x4F12, 0x0100, 0x0401, true},   // the second sector would be past the disk's end
        {0x0201, 0x0000, 0x0000, 0x0400, true},   // there is no sector 0
        {0x0201, 0x5001, 0x0000, 0x0400, true},   // nor cylinder 80
        {0x0201, 0x0001, 0x0200, 0x0400, true},   // nor head 2
        {0x0100, 0x0000, 0x0000, 0x0400, true},   // the status of the last operation
        {0x0201, 0x0001, 0x0080, 0x0100, true},   // no hard disk
        {0x0201, 0x0001, 0x0001, 0x0100, true},   // no drive B: unless an image is named
        {0x1500, 0x0000, 0x0080, 0x0000, false},  // "no such drive"
        {0x1500, 0x0000, 0x0000, 0x0200, false},  // a floppy that tells a disk change
        {0x0000, 0x0000, 0x0000, 0x0000, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(b.Int(c.ax, 0x1000, c.cx, c.dx), c.carry) << std::hex << c.ax << " " << c.cx << " " << c.dx;
        EXPECT_EQ(b.Reg(kAX) & (c.ax >> 8 == 0x15 ? 0xFF00 : 0xFFFF), c.axOut) << std::hex << c.ax;
    }
    EXPECT_FALSE(b.Int(0x0800, 0, 0, 0x0000));
    EXPECT_EQ(b.Reg(kCX), 0x4F12);
    EXPECT_EQ(b.Reg(kDX), 0x0101);
    EXPECT_EQ(b.Reg(kBX) & 0xFF, 0x04);
    b.t.machine.SetFloppyImage(1, "DATA\\B.IMG");
    EXPECT_FALSE(b.Int(0x0201, 0x1000, 0x0001, 0x0001));
    EXPECT_EQ(b.t.files.files.count("DATA\\B.IMG"), 1u);
}

TEST(PcGraphics, PixelsLandInEachModesMemoryAndColours)
{
    const struct {
        uint8_t mode;
        unsigned width, height;
        unsigned x, y;
        uint8_t colour;
        uint16_t segment, offset;
        uint8_t byte;  // the memory byte that pixel alone makes (0: planar, kept in the planes)
        uint32_t rgb;
    } cases[] = {
        {0x13, 320, 200, 5, 3, 0x2C, 0xA000, 3 * 320 + 5, 0x2C, 0},
        {0x04, 320, 200, 1, 1, 3, 0xB800, 0x2000, 0x30, 0xFFFFFF},
        {0x06, 640, 200, 9, 2, 1, 0xB800, 80 + 1, 0x40, 0xFFFFFF},
        {0x0D, 320, 200, 8, 0, 12, 0xA000, 1, 0, 0xFF5555},
        {0x12, 640, 480, 639, 479, 14, 0xA000, 80 * 479 + 79, 0, 0xFFFF55},
        {0x10, 640, 350, 0, 0, 1, 0xA000, 0, 0, 0x0000AA},
        {0x11, 640, 480, 3, 0, 1, 0xA000, 0, 0, 0xFFFFFF},  // two colours: 1 is white
    };
    for (const auto& c : cases) {
        Bios b(0x10);
        EXPECT_FALSE(b.Int(c.mode));
        ASSERT_EQ(b.display.width, c.width) << std::hex << int(c.mode);
        EXPECT_EQ(b.display.height, c.height);
        EXPECT_EQ(b.display.title, "TEST.COM - Dosrun");
        b.Int(uint16_t(0x0C00 | c.colour), 0, uint16_t(c.x), uint16_t(c.y));
        b.Int(0x0D00, 0, uint16_t(c.x), uint16_t(c.y));
        EXPECT_EQ(b.Reg(kAX) & 0xFF, c.colour) << std::hex << int(c.mode);
        if (c.byte != 0)
            EXPECT_EQ(b.t.Mem().Read8(c.segment, uint16_t(c.offset)), c.byte) << std::hex << int(c.mode);
        if (c.rgb != 0)
            EXPECT_EQ(b.FramePixel(c.x, c.y), c.rgb) << std::hex << int(c.mode);
        b.Int(0x0F00);
        EXPECT_EQ(b.Reg(kAX) & 0xFF, c.mode);
        b.Int(0x0003);
        EXPECT_EQ(b.t.machine.Graphics().Mode(), nullptr) << "mode 3 is the console's again";
        EXPECT_EQ(b.display.width, 0u) << "and the window closed";
    }
}

// The colour table through its ports and the BIOS, a planar write through the map mask, XOR
// pixels, and text in a graphics mode.
TEST(PcGraphics, ColourTablePlanesAndText)
{
    Bios b(0x10);
    b.Int(0x0013);
    Devices& ports = b.t.machine.Board();
    ports.Out(0x3C8, 7);
    for (uint8_t v : {63, 32, 0})
        ports.Out(0x3C9, v);
    b.Int(0x0C07, 0, 0, 0);
    EXPECT_EQ(b.FramePixel(0, 0), 0xFF8200u);
    b.Int(0x1015, 7);
    EXPECT_EQ(b.Reg(kDX) >> 8, 63);
    EXPECT_EQ(b.Reg(kCX), 0x2000);
    b.Int(0x1010, 8, 0x0102, 0x3F00);
    ports.Out(0x3C7, 8);
    EXPECT_EQ(ports.In(0x3C9), 63);
    EXPECT_EQ(ports.In(0x3C9), 1);
    EXPECT_EQ(ports.In(0x3C9), 2);

    b.Int(0x0012);
    // The program's own reads and writes of A000h, through the graphics controller.
    const auto at = [&](uint8_t index, uint8_t value) {
        ports.Out(0x3CE, index);
        ports.Out(0x3CF, value);
    };
    const auto run = [&](std::vector<uint8_t> code, unsigned instructions) {  // with ES = A000h
        b.t.Mem().CopyIn(b.seg, 0x200, code.data(), uint32_t(code.size()));
        b.t.R().seg[kES] = 0xA000;
        b.t.R().ip = 0x200;
        b.t.machine.Processor().Run(instructions);
        return b.t.R().AL();
    };
    const auto pixel = [&](uint16_t x) {
        b.Int(0x0D00, 0, x, 0);
        return b.Reg(kAX) & 0xFF;
    };
    ports.Out(0x3C4, 2);
    ports.Out(0x3C5, 0x04);                              // the red plane only
    run({0x26, 0xC6, 0x06, 0x00, 0x00, 0x80}, 1);        // mov byte [es:0],80h
    EXPECT_EQ(pixel(0), 4) << "write mode 0 into the planes the map mask enables";
    ports.Out(0x3C5, 0x0F);
    at(0, 0x0E);                                          // set/reset: colour 14
    at(1, 0x0F);                                          // for every plane
    at(8, 0x40);                                          // pixel 1 only
    run({0x26, 0xA0, 0x00, 0x00, 0x26, 0xA2, 0x00, 0x00}, 2);  // mov al,[es:0]; mov [es:0],al
    EXPECT_EQ(pixel(0), 4) << "the latches keep the pixels outside the bit mask";
    EXPECT_EQ(pixel(1), 14);
    at(1, 0x00);
    at(5, 0x02);                                          // write mode 2: the byte is a colour
    at(8, 0x20);
    run({0x26, 0xA0, 0x00, 0x00, 0xB0, 0x09, 0x26, 0xA2, 0x00, 0x00}, 3);  // latch; mov al,9; store
    EXPECT_EQ(pixel(2), 9);
    at(5, 0x08);                                          // read mode 1: which pixels are colour 14
    at(2, 0x0E);
    EXPECT_EQ(run({0x26, 0xA0, 0x00, 0x00}, 1), 0x40);
    at(5, 0x00);
    at(8, 0xFF);
    b.Int(0x0C83, 0, 0, 0);
    EXPECT_EQ(pixel(0), 7) << "bit 7 XORs the colour in";

    // The 200-line modes' colours are the CGA's: 2/3 for each colour bit, 1/3 more for intensity,
    // dark yellow made brown.
    const uint32_t kCga[16] = {0x000000, 0x0000AA, 0x00AA00, 0x00AAAA, 0xAA0000, 0xAA00AA, 0xAA5500, 0xAAAAAA,
                               0x555555, 0x5555FF, 0x55FF55, 0x55FFFF, 0xFF5555, 0xFF55FF, 0xFFFF55, 0xFFFFFF};
    Bios cga(0x10);
    cga.Int(0x000D);
    for (uint16_t colour = 0; colour < 16; ++colour) {
        cga.Int(uint16_t(0x0C00 | colour), 0, colour, 0);
        EXPECT_EQ(cga.FramePixel(colour, 0), kCga[colour]) << colour;
    }
    cga.Int(0x0004);
    for (uint16_t colour = 1; colour < 4; ++colour) {
        cga.Int(uint16_t(0x0C00 | colour), 0, colour, 0);
        EXPECT_EQ(cga.FramePixel(colour, 0), kCga[2 * colour + 9]) << "mode 4, bright cyan, magenta, white: " << colour;
    }

    b.Int(0x0E41, 0x000F);  // 'A' in white at the top left, the cursor moving on
    b.Int(0x0300);
    EXPECT_EQ(b.Reg(kDX), 0x0001);
    unsigned lit = 0;
    for (unsigned y = 0; y < 16; ++y)
        for (unsigned x = 0; x < 8; ++x) {
            b.Int(0x0D00, 0, uint16_t(x), uint16_t(y));
            lit += (b.Reg(kAX) & 0xFF) == 15;
        }
    EXPECT_GT(lit, 20u);
}

// The teletype's character in the last column moves the cursor to the next row's start, and on
// the last row scrolls the screen up, in 40- and 80-column modes alike.
TEST(PcGraphics, TeletypeWrapsAtTheLastColumn)
{
    const struct {
        uint8_t mode;
        uint8_t columns, rows;
    } modes[] = {{0x01, 40, 25}, {0x04, 40, 25}, {0x13, 40, 25}, {0x0D, 40, 25}, {0x06, 80, 25}, {0x12, 80, 30}};
    for (const auto& m : modes) {
        Bios b(0x10);
        b.Int(m.mode);
        for (const uint8_t row : {uint8_t(3), uint8_t(m.rows - 1)}) {
            b.Int(0x0200, 0, 0, uint16_t(row << 8 | (m.columns - 1)));
            b.Int(0x0E58, 0x000F);
            b.Int(0x0300);
            const unsigned next = row + 1 < m.rows ? row + 1 : row;
            EXPECT_EQ(b.Reg(kDX), next << 8) << std::hex << int(m.mode) << " row " << std::dec << int(row);
        }
    }
}

// A cursor that a program wrote off the screen into the BIOS's data (the fuzzer's finding: the
// teletype wrote past the screen's copy) comes back to the screen's edge.
TEST(PcGraphics, TeletypeAtACursorOffTheScreenWritesOnIt)
{
    Bios b(0x10);
    b.t.Mem().Write16(0x40, 0x50, 0xC8F0);  // row 200, column 240
    b.Int(0x0E58, 0x0007);
    EXPECT_EQ(b.t.Mem().Read8(0xB800, (23 * 80 + 79) * 2), 'X') << "written in the last cell, then scrolled up a row";
    b.Int(0x0300);
    EXPECT_EQ(b.Reg(kDX), 24 << 8) << "wrapped and scrolled, on the last row";
}

TEST(PcGraphics, FortyColumnTextIsDrawnWithTheFont)
{
    Bios b(0x10);
    b.Int(0x0001);
    EXPECT_EQ(b.display.width, 320u);
    b.Int(0x0E48, 0);  // 'H' through the teletype
    EXPECT_EQ(b.t.Mem().Read16(0xB800, 0), 0x0748);
    b.Int(0x0F00);
    EXPECT_EQ(b.Reg(kAX), 0x2801) << "40 columns, mode 1";
    unsigned lit = 0;
    for (unsigned y = 0; y < 8; ++y)
        for (unsigned x = 0; x < 8; ++x)
            lit += b.FramePixel(x, y) == 0xAAAAAA;
    EXPECT_GT(lit, 10u) << "the glyph in light grey";
    EXPECT_EQ(b.FramePixel(9, 0), 0u) << "the next cell blank";
}

// DOS's own reads and writes of A000h in a 16-colour mode go through the graphics controller as
// the processor's do: a file written from A000h holds the plane the read map selects, and a file
// read into it lands in the planes the map mask enables.
TEST(PcGraphics, DosReadsAndWritesThePlanes)
{
    Bios b(0x21);
    b.t.Mem().WriteString(b.seg, 0x100, std::string("\xCD\x10", 2));
    b.Int(0x0012);
    b.t.Mem().WriteString(b.seg, 0x100, std::string("\xCD\x21", 2));
    Devices& ports = b.t.machine.Board();
    const auto planeByte = [](unsigned p, unsigned i) { return uint8_t(i * (p + 3) + p * 0x55); };
    for (unsigned p = 0; p < 4; ++p) {
        ports.Out(0x3C4, 2);
        ports.Out(0x3C5, uint8_t(1 << p));
        for (unsigned i = 0; i < 16; ++i)
            b.t.Mem().Write8(0xA000, uint16_t(i), planeByte(p, i));
    }
    ports.Out(0x3C5, 0x0F);
    ports.Out(0x3CE, 4);
    ports.Out(0x3CF, 2);  // read map: plane 2
    b.t.Mem().WriteString(b.seg, 0x300, std::string("PLANE.BIN\0", 10));
    ASSERT_FALSE(b.Int(0x3C00, 0, 0, 0x300));
    const uint16_t handle = b.Reg(kAX);
    b.t.R().seg[kDS] = 0xA000;
    ASSERT_FALSE(b.Int(0x4000, handle, 16, 0));
    b.t.R().seg[kDS] = b.seg;
    std::string expected;
    for (unsigned i = 0; i < 16; ++i)
        expected.push_back(char(planeByte(2, i)));
    EXPECT_EQ(b.t.files.files["PLANE.BIN"], expected);

    b.t.files.files["IN.BIN"] = "\xFF\x0F";
    b.t.Mem().WriteString(b.seg, 0x300, std::string("IN.BIN\0", 7));
    ASSERT_FALSE(b.Int(0x3D00, 0, 0, 0x300));
    ports.Out(0x3C5, 0x08);  // map mask: plane 3
    b.t.R().seg[kDS] = 0xA000;
    ASSERT_FALSE(b.Int(0x3F00, b.Reg(kAX), 2, 80));  // row 1
    b.t.R().seg[kDS] = b.seg;
    const auto pixel = [&](uint16_t x) {
        b.t.Mem().WriteString(b.seg, 0x100, std::string("\xCD\x10", 2));
        b.Int(0x0D00, 0, x, 1);
        return b.Reg(kAX) & 0xFF;
    };
    EXPECT_EQ(pixel(0), 8) << "plane 3 alone";
    EXPECT_EQ(pixel(8 + 3), 0);
    EXPECT_EQ(pixel(8 + 4), 8);
}

// Timer channel 2 through port 61h: the speaker sounds its square wave while both bits are set.
// Scrolling fills the window with the colour in BH (masked to the mode's colours), 08h reads back
// the characters 09h and 0Eh drew (a cell of the fill alone reads as the full block, DBh), and a
// scroll moves them by whole character rows.
TEST(PcGraphics, TextCallsWorkInEveryGraphicsMode)
{
    const struct {
        uint8_t mode, fill, pixel;  // the fill asked for and the pixel it gives
    } cases[] = {{0x04, 0x55, 1}, {0x06, 0x01, 1}, {0x0D, 0x0A, 0x0A}, {0x0E, 0x1C, 0x0C}, {0x10, 0x09, 0x09},
                 {0x11, 0x01, 1}, {0x12, 0x0B, 0x0B}, {0x13, 0x85, 0x85}, {0x01, 0x1E, 1}};
    for (const auto& c : cases) {
        Bios b(0x10);
        const bool text = c.mode == 0x01;
        b.Int(c.mode);
        b.Int(0x0600, uint16_t(c.fill << 8), 0, 0x184F);
        b.Int(0x0D00, 0, 7, 7);
        EXPECT_EQ(b.Reg(kAX) & 0xFF, c.pixel) << std::hex << int(c.mode);
        b.Int(0x0200, 0, 0, 0x0000);
        b.Int(0x0941, 0x0003, 1);
        b.Int(0x0200, 0, 0, 0x0001);
        b.Int(0x0E42, 0x0002);
        const uint16_t filled = text ? ' ' : 0xDB;
        for (const auto [column, expected] : {std::pair<uint16_t, uint16_t>{0, 'A'}, {1, 'B'}, {2, filled}}) {
            b.Int(0x0200, 0, 0, column);
            b.Int(0x0800);
            EXPECT_EQ(text ? b.Reg(kAX) & 0xFF : b.Reg(kAX), expected)
                << std::hex << int(c.mode) << " column " << column;
        }
        b.Int(0x0701, uint16_t(c.fill << 8), 0, 0x0502);  // rows 0-5 of columns 0-2 move down
        b.Int(0x0200, 0, 0, 0x0100);
        b.Int(0x0800);
        EXPECT_EQ(b.Reg(kAX) & 0xFF, 'A') << std::hex << int(c.mode);
        b.Int(0x0200, 0, 0, 0x0000);
        b.Int(0x0800);
        EXPECT_EQ(b.Reg(kAX) & 0xFF, filled) << std::hex << int(c.mode);
    }
}

// A PC with no serial port, no printer, no light pen and no VESA extensions, and the video state
// a VGA BIOS reports, saves and restores.
TEST(PcBios, AnswersAsAPcWithoutThoseDevices)
{
    const struct {
        uint8_t vector;
        uint16_t ax, dx, out;
    } cases[] = {
        {0x14, 0x0000, 0, 0x8000}, {0x14, 0x0141, 0, 0x8041}, {0x14, 0x0300, 1, 0x8000},
        {0x17, 0x0041, 0, 0x0141}, {0x17, 0x0200, 0, 0x0100},
        {0x10, 0x0400, 0, 0x0000}, {0x10, 0x4F00, 0, 0x4F00}, {0x10, 0x1C00, 0, 0x1C1C}, {0x10, 0x1D00, 0, 0x1D00},
    };
    for (const auto& c : cases) {
        Bios b(c.vector);
        b.Int(c.ax, 0, 0, c.dx);
        EXPECT_EQ(b.Reg(kAX), c.out) << std::hex << int(c.vector) << " " << c.ax;
    }
    Bios b(0x10);
    b.Int(0x0013);
    b.t.R().r[kDI] = 0x300;
    b.Int(0x1B00);
    EXPECT_EQ(b.Reg(kAX) & 0xFF, 0x1B);
    Memory& mem = b.t.Mem();
    EXPECT_EQ(mem.Read8(b.seg, 0x304), 0x13);
    EXPECT_EQ(mem.Read16(b.seg, 0x305), 40);
    EXPECT_EQ(mem.Read16(b.seg, 0x327), 256);
    const uint16_t table = mem.Read16(b.seg, 0x300), tableSeg = mem.Read16(b.seg, 0x302);
    EXPECT_EQ(mem.Read8(tableSeg, uint16_t(table + 2)) & 0x08, 0x08);  // mode 13h is there
    b.Int(0x1C00, 0, 7);
    EXPECT_EQ(b.Reg(kBX), (17 + 37 + 768 + 63) / 64);
    b.Int(0x1010, 5, 0x0203, 0x0100);
    b.Int(0x1C01, 0x400, 7);
    b.Int(0x1010, 5, 0x3F3F, 0x3F00);
    b.Int(0x1C02, 0x400, 7);
    EXPECT_EQ(b.Reg(kAX), 0x1C1C);
    b.Int(0x1015, 5);
    EXPECT_EQ(std::vector<uint16_t>({b.Reg(kCX), uint16_t(b.Reg(kDX) >> 8)}), std::vector<uint16_t>({0x0203, 0x01}));
}

TEST(PcSpeaker, SoundsChannelTwoWhileGated)
{
    struct Recorder final : HostSpeaker {
        std::vector<uint32_t> tones;
        void Tone(uint32_t hertz) override { tones.push_back(hertz); }
    } recorder;
    Bios b(0x1A);
    b.t.machine.AttachHost(recorder, b.display);
    Devices& ports = b.t.machine.Board();
    ports.Out(0x43, 0xB6);
    ports.Out(0x42, uint8_t(1193));
    ports.Out(0x42, uint8_t(1193 >> 8));
    ports.Out(0x61, 0x01);  // gate alone: no sound
    ports.Out(0x61, 0x03);
    ports.Out(0x42, uint8_t(2386));
    ports.Out(0x42, uint8_t(2386 >> 8));
    ports.Out(0x61, 0x00);
    EXPECT_EQ(recorder.tones, (std::vector<uint32_t>{1000, 500, 0}));
}

// Keys pressed in the graphics window: DOS reads them through the BIOS's buffer, the shift
// states follow the presses and releases, and Ctrl+Break empties the buffer for INT 1Bh.
TEST(PcGraphics, KeysTypedInTheWindowReachDosAndTheBios)
{
    Bios b(0x10);
    b.t.console.redirected[0] = false;  // the keyboard, not a file
    b.t.console.keyboard = true;
    b.Int(0x0013);
    // Hooks INT 1Bh (setting [12Dh]), reads three characters with 08h into [12Eh], and waits for
    // the hook.
    const uint8_t program[] = {0xba, 0x26, 0x01, 0xb8, 0x1b, 0x25, 0xcd, 0x21, 0xb4, 0x08, 0xcd, 0x21, 0xa2, 0x2e,
                               0x01, 0xb4, 0x08, 0xcd, 0x21, 0xa2, 0x2f, 0x01, 0xb4, 0x08, 0xcd, 0x21, 0xa2, 0x30,
                               0x01, 0x80, 0x3e, 0x2d, 0x01, 0x00, 0x74, 0xf9, 0xcd, 0x20, 0x2e, 0xc6, 0x06, 0x2d,
                               0x01, 0x01, 0xcf, 0x00, 0x00, 0x00, 0x00};
    b.t.Mem().CopyIn(b.seg, 0x100, program, sizeof program);
    b.display.keys = {{0x2A, false, true}, {0x1E, false, true}, {0x1E, false, false}, {0x2A, false, false},
                      {0x48, true, true},  {0x48, true, false}, {0x1D, false, true}, {0x1E, false, true},
                      {0x46, true, true}};
    b.t.R().ip = 0x100;
    const RunResult result = b.t.machine.Run(10000000);
    ASSERT_TRUE(result.exited) << result.failure;
    EXPECT_EQ(b.t.Mem().Read8(b.seg, 0x12E), 'A');
    EXPECT_EQ(b.t.Mem().Read8(b.seg, 0x12F), 0) << "an extended key comes as 0, then its scan code";
    EXPECT_EQ(b.t.Mem().Read8(b.seg, 0x130), 0x48);
    EXPECT_EQ(b.t.Mem().Read8(0x40, 0x17), 0x04) << "Ctrl still held";
    EXPECT_EQ(b.t.Mem().Read8(0x40, 0x71), 0x80) << "the break flag";
    EXPECT_EQ(b.t.Mem().Read16(0x40, 0x1A) + 2, b.t.Mem().Read16(0x40, 0x1C)) << "one key: the 0000 of Break";
}

// A held lock key repeats its make code and toggles once per press. A grey key's E0h stays in
// the buffer: INT 16h AH=10h/11h return it, AH=00h/01h give 00h in its place.
TEST(PcGraphics, LockKeysAndGreyKeysInTheBiosBuffer)
{
    Bios b(0x10);
    b.t.console.redirected[0] = false;
    b.t.console.keyboard = true;
    b.Int(0x0013);
    // Two characters through 08h into [135h]; then, once the grey up-arrow waits, its key code
    // through INT 16h 11h, 01h and 00h into [137h], [139h], [13Bh]; 05h stores 48E0h again and
    // 10h reads it into [13Dh].
    const uint8_t program[] = {0xb4, 0x08, 0xcd, 0x21, 0xa2, 0x35, 0x01, 0xb4, 0x08, 0xcd, 0x21, 0xa2, 0x36,
                               0x01, 0xb4, 0x11, 0xcd, 0x16, 0x74, 0xfa, 0xa3, 0x37, 0x01, 0xb4, 0x01, 0xcd,
                               0x16, 0xa3, 0x39, 0x01, 0xb4, 0x00, 0xcd, 0x16, 0xa3, 0x3b, 0x01, 0xb4, 0x05,
                               0xb9, 0xe0, 0x48, 0xcd, 0x16, 0xb4, 0x10, 0xcd, 0x16, 0xa3, 0x3d, 0x01, 0xcd, 0x20};
    b.t.Mem().CopyIn(b.seg, 0x100, program, sizeof program);
    const KeyEvent capsDown{0x3A, false, true}, capsUp{0x3A, false, false};
    b.display.keys = {capsDown, capsDown, capsDown, capsDown, capsUp, {0x1E, false, true}, {0x1E, false, false},
                      capsDown, capsUp, {0x1E, false, true}, {0x1E, false, false}, {0x48, true, true},
                      {0x48, true, false}};
    b.t.R().ip = 0x100;
    const RunResult result = b.t.machine.Run(10000000);
    ASSERT_TRUE(result.exited) << result.failure;
    Memory& mem = b.t.Mem();
    EXPECT_EQ(mem.Read8(b.seg, 0x135), 'A') << "Caps Lock on after one press of four makes";
    EXPECT_EQ(mem.Read8(b.seg, 0x136), 'a') << "and off after the next";
    EXPECT_EQ(mem.Read8(0x40, 0x17) & 0x40, 0);
    EXPECT_EQ(mem.Read16(b.seg, 0x137), 0x48E0) << "11h keeps the grey key's E0h";
    EXPECT_EQ(mem.Read16(b.seg, 0x139), 0x4800) << "01h gives it as 00h";
    EXPECT_EQ(mem.Read16(b.seg, 0x13B), 0x4800) << "00h too";
    EXPECT_EQ(mem.Read16(b.seg, 0x13D), 0x48E0) << "10h keeps it";
}

TEST(PcMouse, PositionAndButtonsOverTheWindow)
{
    Bios b(0x33);
    EXPECT_FALSE(b.Int(0x0000));
    EXPECT_EQ(b.Reg(kAX), 0xFFFF);
    EXPECT_EQ(b.Reg(kBX), 2);
    b.t.Mem().WriteString(b.seg, 0x100, std::string("\xCD\x10", 2));
    b.Int(0x0013);
    b.t.Mem().WriteString(b.seg, 0x100, std::string("\xCD\x33", 2));
    b.display.mouse = {100, 50, 1, true};
    b.Int(0x0003);
    EXPECT_EQ(b.Reg(kCX), 200) << "640 across in a 320-pixel mode";
    EXPECT_EQ(b.Reg(kDX), 50);
    EXPECT_EQ(b.Reg(kBX), 1);
    b.display.mouse.buttons = 0;
    b.Int(0x0005, 0);
    EXPECT_EQ(b.Reg(kBX), 1) << "one press of the left button";
    b.Int(0x0006, 0);
    EXPECT_EQ(b.Reg(kBX), 1);
    b.Int(0x0007, 0, 100, 300);
    b.Int(0x0004, 0, 20, 20);
    b.Int(0x0003);
    EXPECT_EQ(b.Reg(kCX), 100) << "kept within the limits";
}

// A program's event handler against a model of the driver: random moves and clicks over the mode
// 13h window, the handler recording its registers and flags at each call. It is called for each
// look at the pointer that brought a condition of its mask, with the conditions, the buttons, the
// position, the motion in mickeys so far, and interrupts off; the program's registers survive it.
// Swap (14h) gives the handler back, and the reset removes it.
TEST(PcMouse, EventHandlerIsCalledForTheConditionsOfItsMask)
{
    // Mode 13h, reset, the handler at 0158h for all but the right button (mask 67h); SI, DI and BP
    // set, then HLT until [017Eh] calls reach [0180h]; SI, DI and BP to 0200h; swap in nothing
    // (CX, DX, ES to 0206h); reset; swap again (CX to 020Ch). The handler stores AX, BX, CX, DX,
    // SI, DI and FLAGS at [017Ch], 14 bytes on from 0300h each call.
    const std::vector<uint8_t> program = {
        0xb8, 0x13, 0x00, 0xcd, 0x10, 0x31, 0xc0, 0xcd, 0x33, 0x0e, 0x07, 0xba, 0x58, 0x01, 0xb9, 0x67, 0x00,
        0xb8, 0x0c, 0x00, 0xcd, 0x33, 0xbe, 0x34, 0x12, 0xbf, 0x78, 0x56, 0xbd, 0xbc, 0x9a, 0xfb, 0xf4, 0xa1,
        0x80, 0x01, 0x39, 0x06, 0x7e, 0x01, 0x72, 0xf6, 0x89, 0x36, 0x00, 0x02, 0x89, 0x3e, 0x02, 0x02, 0x89,
        0x2e, 0x04, 0x02, 0x31, 0xc9, 0xb8, 0x14, 0x00, 0xcd, 0x33, 0x89, 0x0e, 0x06, 0x02, 0x89, 0x16, 0x08,
        0x02, 0x8c, 0x06, 0x0a, 0x02, 0x31, 0xc0, 0xcd, 0x33, 0xb8, 0x14, 0x00, 0xcd, 0x33, 0x89, 0x0e, 0x0c,
        0x02, 0xcd, 0x20, 0x8b, 0x2e, 0x7c, 0x01, 0x89, 0x46, 0x00, 0x89, 0x5e, 0x02, 0x89, 0x4e, 0x04, 0x89,
        0x56, 0x06, 0x89, 0x76, 0x08, 0x89, 0x7e, 0x0a, 0x9c, 0x8f, 0x46, 0x0c, 0x83, 0x06, 0x7c, 0x01, 0x0e,
        0xff, 0x06, 0x7e, 0x01, 0xcb, 0x00, 0x03, 0x00, 0x00, 0x00, 0x00,
    };
    constexpr uint16_t kMask = 0x67;
    for (unsigned seed = 1; seed <= 5; ++seed) {
        TestMachine t;
        FakeDisplay display;
        SilentSpeaker speaker;
        t.machine.AttachHost(speaker, display);
        ASSERT_EQ(t.Load(program), "");
        // The calls of INT 33h before the handler is set see the pointer outside the window.
        display.moves.assign(3, MouseState{});
        std::vector<std::array<uint16_t, 6>> expected;
        std::mt19937 random(seed);
        int x = 320, y = 100, mickeyX = 0, mickeyY = 0;
        uint8_t buttons = 0;
        for (unsigned i = 0; i < 40; ++i) {
            MouseState s{x / 2, y, buttons, true};
            if (random() % 2)
                s = {int(random() % 320), int(random() % 200), buttons, true};
            else
                s.buttons = uint8_t(random() % 8);
            display.moves.push_back(s);
            uint16_t conditions = s.x * 2 != x || s.y != y ? 1 : 0;
            for (unsigned b = 0; b < 3; ++b)
                if ((s.buttons ^ buttons) >> b & 1)
                    conditions |= uint16_t((s.buttons >> b & 1 ? 2 : 4) << (b * 2));
            mickeyX += s.x * 2 - x;
            mickeyY += 2 * (s.y - y);
            x = s.x * 2;
            y = s.y;
            buttons = s.buttons;
            if (conditions & kMask)
                expected.push_back({uint16_t(conditions & kMask), buttons, uint16_t(x), uint16_t(y), uint16_t(mickeyX),
                                    uint16_t(mickeyY)});
        }
        const uint16_t seg = t.R().seg[kDS];
        t.Mem().Write16(seg, 0x180, uint16_t(expected.size()));
        const RunResult result = t.machine.Run(1000000);
        EXPECT_TRUE(result.exited) << seed << ": " << result.failure;
        ASSERT_EQ(t.Mem().Read16(seg, 0x17E), expected.size()) << seed;
        for (size_t i = 0; i < expected.size(); ++i) {
            for (unsigned r = 0; r < 6; ++r)
                EXPECT_EQ(t.Mem().Read16(seg, uint16_t(0x300 + i * 14 + r * 2)), expected[i][r])
                    << "seed " << seed << ", call " << i << ", register " << r;
            EXPECT_FALSE(t.Mem().Read16(seg, uint16_t(0x300 + i * 14 + 12)) & kIF) << "interrupts off in the handler";
        }
        const uint16_t kept[] = {0x1234, 0x5678, 0x9ABC, kMask, 0x0158, seg, 0};
        for (unsigned i = 0; i < 7; ++i)
            EXPECT_EQ(t.Mem().Read16(seg, uint16_t(0x200 + i * 2)), kept[i]) << std::hex << 0x200 + i * 2;
    }
}

// The pointer shapes are drawn over the picture and leave video memory as it was: the graphics
// masks in a 256- and a 16-colour mode around the hot spot, the text masks over a 40-column cell.
TEST(PcMouse, PointerShapesAreDrawnOverThePicture)
{
    for (const uint8_t mode : {0x13, 0x12}) {
        Bios b(0x33);
        b.t.Mem().WriteString(b.seg, 0x100, std::string("\xCD\x10", 2));
        b.Int(mode);
        for (unsigned x = 0; x < 16; ++x)
            b.Int(uint16_t(0x0C00 | (x + 1)), 0, uint16_t(40 + x), 10);
        b.t.Mem().WriteString(b.seg, 0x100, std::string("\xCD\x33", 2));
        // Pixels 0-3 cleared, 4-7 set, 8-11 kept, 12-15 inverted, on every row.
        for (unsigned row = 0; row < 16; ++row) {
            b.t.Mem().Write16(b.seg, uint16_t(0x400 + row * 2), 0x00FF);
            b.t.Mem().Write16(b.seg, uint16_t(0x420 + row * 2), 0x0F0F);
        }
        b.Int(0x0000);
        const unsigned scale = mode == 0x13 ? 2 : 1;
        b.t.R().seg[kES] = b.seg;
        b.Int(0x0009, 2, 3, 0x400);
        b.Int(0x0004, 0, uint16_t((40 + 2) * scale), 10 + 3);
        const std::vector<uint32_t> before = [&] {
            b.t.machine.Graphics().Refresh(true);
            return b.t.machine.Graphics().Frame();
        }();
        b.Int(0x0001);
        b.t.machine.Graphics().Refresh(true);
        const std::vector<uint32_t> shown = b.t.machine.Graphics().Frame();
        const uint8_t all = mode == 0x13 ? 0xFF : 0x0F;
        for (unsigned x = 0; x < 16; ++x) {
            const uint8_t under = uint8_t(x + 1);
            const uint8_t index = x < 4 ? 0 : x < 8 ? all : x < 12 ? under : uint8_t(under ^ all);
            const uint32_t rgb = Rgb(*b.t.machine.Graphics().Mode(), [&] {
                Colours c;
                c.dac = &b.t.machine.Board().video.Dac();
                for (unsigned i = 0; i < 16; ++i)
                    c.palette[i] = b.t.machine.Board().video.Palette(i);
                return c;
            }(), index);
            EXPECT_EQ(shown[10 * b.display.width + 40 + x], rgb) << std::hex << int(mode) << " pixel " << x;
        }
        EXPECT_EQ(shown[9 * b.display.width + 40], before[9 * b.display.width + 40]) << "above the shape";
        b.t.Mem().WriteString(b.seg, 0x100, std::string("\xCD\x10", 2));
        b.Int(0x0D00, 0, 40, 10);
        EXPECT_EQ(b.Reg(kAX) & 0xFF, 1) << "video memory keeps the program's pixel";
        b.t.Mem().WriteString(b.seg, 0x100, std::string("\xCD\x33", 2));
        b.Int(0x0002);
        EXPECT_EQ(b.FramePixel(40, 10), before[10 * b.display.width + 40]) << "hidden";
    }
    Bios b(0x33);
    b.t.Mem().WriteString(b.seg, 0x100, std::string("\xCD\x10", 2));
    b.Int(0x0001);
    b.t.Mem().Write16(0xB800, 2 * (2 * 40 + 3), 0x1FDB);  // a full block, white on blue, at row 2, column 3
    b.t.Mem().WriteString(b.seg, 0x100, std::string("\xCD\x33", 2));
    b.Int(0x0000);
    b.Int(0x000A, 0, 0xF0FF, 0x0C00);  // software: red on the cell's background
    b.Int(0x0004, 0, 3 * 16, 2 * 8);
    b.Int(0x0001);
    EXPECT_EQ(b.FramePixel(3 * 8 + 1, 2 * 8 + 1), 0xFF5555u) << "the block in the cursor's red";
    EXPECT_EQ(b.t.Mem().Read16(0xB800, 2 * (2 * 40 + 3)), 0x1FDB) << "the cell itself unchanged";
    b.Int(0x0004, 0, 4 * 16, 2 * 8);
    EXPECT_EQ(b.FramePixel(3 * 8 + 1, 2 * 8 + 1), 0xFFFFFFu) << "left behind as it was";
    // On the console's 80 x 25 screen: an 'A' in place of the character under the pointer.
    b.t.Mem().WriteString(b.seg, 0x100, std::string("\xCD\x10", 2));
    b.Int(0x0003);
    b.t.Mem().WriteString(b.seg, 0x100, std::string("\xCD\x33", 2));
    b.Int(0x000A, 0, 0xFF00, 0x0041);
    b.Int(0x0004, 0, 5 * 8, 2 * 8);
    b.Int(0x0001);
    b.t.machine.Run(10);  // the INT 20h after the call, and the screen shown as the run ends
    EXPECT_EQ(b.t.console.lastScreen.substr(2 * 80 + 4, 3), " A ");
    EXPECT_EQ(b.t.Mem().Read8(0xB800, 2 * (2 * 80 + 5)), ' ');
}

TEST(PcClock, RegistersFollowTheHostClock)
{
    Bios b(0x1A);
    Devices& ports = b.t.machine.Board();
    const auto read = [&ports](uint8_t index) {
        ports.Out(0x70, index);
        return ports.In(0x71);
    };
    const uint8_t expected[][2] = {{0x00, 0x30}, {0x02, 0x45}, {0x04, 0x13}, {0x06, 7},    {0x07, 0x09},
                                   {0x08, 0x03}, {0x09, 0x24}, {0x32, 0x20}, {0x0A, 0x26}, {0x0B, 0x02},
                                   {0x0D, 0x80}, {0x10, 0x40}};
    for (const auto& e : expected)
        EXPECT_EQ(read(e[0]), e[1]) << std::hex << int(e[0]);
    ports.Out(0x70, 0x04);
    ports.Out(0x71, 0x22);
    EXPECT_EQ(read(0x04), 0x13) << "the host's clock is not the program's to set";
    ports.Out(0x70, 0x80 | 0x3E);  // with NMI masked
    ports.Out(0x71, 0x99);
    EXPECT_EQ(read(0x3E), 0x99) << "the RAM keeps what is written";
    EXPECT_FALSE(b.Int(0x0200));
    EXPECT_EQ(b.Reg(kCX), 0x1345);
    // The BIOS sets the machine's clock (never the host's), and refuses what is no time or date.
    EXPECT_FALSE(b.Int(0x0300, 0, 0x0815, 0x3000));
    EXPECT_EQ(read(0x04), 0x08);
    EXPECT_FALSE(b.Int(0x0500, 0, 0x1999, 0x1231));
    EXPECT_FALSE(b.Int(0x0400));
    EXPECT_EQ(std::vector<uint16_t>({b.Reg(kCX), b.Reg(kDX)}), std::vector<uint16_t>({0x1999, 0x1231}));
    EXPECT_TRUE(b.Int(0x0300, 0, 0x2400));
    EXPECT_TRUE(b.Int(0x0500, 0, 0x2001, 0x021A));
}

}  // namespace
}  // namespace halyard::dos::test
