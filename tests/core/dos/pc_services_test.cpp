// The BIOS services over the PC's devices, called as a program calls them: the floppy (INT 13h),
// the graphics modes (INT 10h) and what the window is shown, the mouse (INT 33h), and the
// real-time clock's registers.
#include <gtest/gtest.h>

#include <deque>

#include "fake_host.h"

namespace halyard::dos::test {
namespace {

class FakeDisplay final : public HostDisplay {
public:
    unsigned shown = 0, width = 0, height = 0;
    std::string title;
    MouseState mouse;
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
    MouseState Mouse() override { return mouse; }
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

// Timer channel 2 through port 61h: the speaker sounds its square wave while both bits are set.
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
    Bios b(0x21);
    b.t.console.redirected[0] = false;  // the keyboard, not a file
    b.t.Mem().WriteString(b.seg, 0x100, std::string("\xCD\x10", 2));
    b.Int(0x0013);
    b.t.Mem().WriteString(b.seg, 0x100, std::string("\xCD\x21", 2));
    b.display.keys = {{0x2A, false, true}, {0x1E, false, true}, {0x1E, false, false}, {0x2A, false, false},
                      {0x48, true, true}, {0x48, true, false}, {0x1D, false, true}};
    b.Int(0x0800);
    EXPECT_EQ(b.Reg(kAX) & 0xFF, 'A');
    b.Int(0x0800);
    EXPECT_EQ(b.Reg(kAX) & 0xFF, 0) << "an extended key comes as 0, then its scan code";
    b.Int(0x0800);
    EXPECT_EQ(b.Reg(kAX) & 0xFF, 0x48);
    b.Int(0x0B00);
    EXPECT_EQ(b.Reg(kAX) & 0xFF, 0) << "nothing more waiting";
    EXPECT_EQ(b.t.Mem().Read8(0x40, 0x17), 0x04) << "Ctrl still held";
    // Ctrl+Break: the program's INT 1Bh hook (an IRET at 0300h) is entered.
    b.t.Mem().Write8(b.seg, 0x300, 0xCF);
    b.t.Mem().Write16(0, 0x1B * 4, 0x300);
    b.t.Mem().Write16(0, 0x1B * 4 + 2, b.seg);
    b.display.keys = {{0x46, true, true}};
    b.t.machine.Board().keyboard.QueueKey(0x1E, false, true);  // a key left in the buffer is dropped
    b.t.R().r[kAX] = 0x0B00;
    b.t.R().ip = 0x100;
    b.t.machine.Processor().Run(4);  // INT 21h, its stub entering INT 1Bh, the hook's IRET, the stub's
    EXPECT_EQ(b.t.R().ip, 0x102);
    EXPECT_EQ(b.t.Mem().Read8(0x40, 0x71), 0x80) << "the break flag";
    EXPECT_EQ(b.t.Mem().Read16(0x40, 0x1A) + 2, b.t.Mem().Read16(0x40, 0x1C)) << "one key: the 0000 of Break";
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
}

}  // namespace
}  // namespace halyard::dos::test
